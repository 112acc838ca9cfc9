#include "Decimal.h"

#include "TextFile.h"

#include <QRegularExpression>

#include <algorithm>

namespace fd {

std::optional<Decimal> Decimal::parse(const QString& text) {
    // Anchored at the very end: a line break after the digits makes no number either.
    static const QRegularExpression plain(
        QRegularExpression::anchoredPattern(QStringLiteral("([+-]?)([0-9]+)(?:\\.([0-9]+))?")));
    const QRegularExpressionMatch match = plain.match(text::trimSpaces(text));
    if (!match.hasMatch())
        return std::nullopt;
    Decimal number;
    number.negative_ = match.captured(1) == u'-';
    number.digits_ = match.captured(2) + match.captured(3);
    number.scale_ = int(match.captured(3).size());
    return number;
}

Decimal Decimal::times(unsigned factor) const {
    Decimal product = *this;
    QString digits;
    unsigned long long carry = 0;
    for (qsizetype i = digits_.size() - 1; i >= 0; --i) {
        carry += static_cast<unsigned long long>(digits_[i].digitValue()) * factor;
        digits.prepend(QChar(u'0' + char16_t(carry % 10)));
        carry /= 10;
    }
    for (; carry > 0; carry /= 10)
        digits.prepend(QChar(u'0' + char16_t(carry % 10)));
    product.digits_ = digits;
    return product;
}

bool Decimal::isPositive() const {
    return !negative_ &&
           std::any_of(digits_.cbegin(), digits_.cend(), [](QChar digit) { return digit != u'0'; });
}

QString Decimal::toString() const {
    QString whole = digits_.left(digits_.size() - scale_);
    QString fraction = digits_.right(scale_);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    const bool zero = whole == u'0' && fraction.isEmpty();
    QString result = (negative_ && !zero ? QStringLiteral("-") : QString()) + whole;
    if (!fraction.isEmpty())
        result += u'.' + fraction;
    return result;
}

} // namespace fd
