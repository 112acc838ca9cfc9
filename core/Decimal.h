#pragma once
// Plain decimal numbers read from text and computed exactly: "0.1" times 33 is "3.3".

#include <QString>

#include <optional>

namespace fd {

class Decimal {
public:
    // The text with surrounding spaces removed must be an optional sign, digits, and an
    // optional point followed by digits; anything else, the empty text included, is no number.
    // Only spaces are removed: a tab, a line break or a no-break space makes no number.
    static std::optional<Decimal> parse(const QString& text);

    Decimal times(unsigned factor) const;
    bool isPositive() const;
    // Plain decimal with a point, no exponent, no leading or trailing zeros ("16.5", "0").
    QString toString() const;

private:
    bool negative_ = false;
    QString digits_; // the value's digits without the point, most significant first
    int scale_ = 0;  // how many of the digits stand after the point
};

} // namespace fd
