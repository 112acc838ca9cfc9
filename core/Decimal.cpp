#include "Decimal.h"

#include "TextFile.h"

#include <algorithm>

namespace fd {

namespace {
bool allDigits(QStringView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
} // namespace

// A sign, digits, and a point with digits after it; no other character, a line break neither.
std::optional<Decimal> Decimal::parse(const QString& text) {
    const QString trimmed = text::trimSpaces(text);
    QStringView rest(trimmed);
    Decimal number;
    if (rest.startsWith(u'+') || rest.startsWith(u'-')) {
        number.negative_ = rest.front() == u'-';
        rest = rest.mid(1);
    }
    const QList<QStringView> parts = rest.split(u'.'); // the whole part, then any fraction
    if (parts.size() > 2 || !std::ranges::all_of(parts, allDigits))
        return std::nullopt;
    const QStringView fraction = parts.size() == 2 ? parts.back() : QStringView();
    number.digits_ = parts.front().toString() + fraction.toString();
    number.scale_ = int(fraction.size());
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
    while (whole.startsWith(u'0'))
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
