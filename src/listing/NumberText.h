#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Decimal numbers read from the texts the user types or the store keeps:
// column widths, the depth, stored whole numbers. Each reader chooses what
// its text may hold; the scanning and the conversions are shared, so that
// they never disagree on what a digit, a sign or a blank is.
namespace NumberText {

struct Grammar
{
    QStringView skipped;   // characters ignored wherever they stand
    bool sign = false;     // one leading '+' or '-'
    bool fraction = false; // '.' and fraction digits, with or without integer digits
    bool exponent = false; // 'e', 'E', 'd' or 'D', an optional sign and digits
};

// A number as read, exactly: ±0.digits × 10^point.
struct Decimal
{
    bool negative = false;
    QString digits; // no leading or trailing zeros; empty for zero
    qint64 point = 0;
    bool complete = false; // the reading went to the end of the text

    // A whole number as if read in full.
    static Decimal of(qint64 value);
    bool operator==(const Decimal &) const = default;

    // Plain decimal, no exponent, no surplus zeros: "4000.5", "0.015", "-20", "0".
    QString plain() const;
    // Nearest whole number, halves away from zero, held within [low, high].
    qint64 rounded(qint64 low, qint64 high) const;
    // The value when the whole text is a whole number that fits an int.
    std::optional<int> exactInt() const;
};

// Reads a number from the start of text and stops at the first character
// that cannot continue it. Nothing when no digit comes before that. An
// exponent counts only when digits follow it ("1e" reads as 1) and is held
// within ±400, beyond which no text is a number anyone means.
std::optional<Decimal> read(QStringView text, const Grammar &grammar);

} // namespace NumberText
