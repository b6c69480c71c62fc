#include "listing/NumberText.h"

#include <algorithm>
#include <limits>

namespace NumberText {

namespace {

constexpr qint64 MaxExponent = 400;

bool isDigit(QStringView text, qsizetype at)
{
    return at < text.size() && text[at] >= u'0' && text[at] <= u'9';
}

bool isSign(QStringView text, qsizetype at)
{
    return at < text.size() && (text[at] == u'+' || text[at] == u'-');
}

// The exponent starting at i, if digits follow its letter; i then stands after it.
qint64 readExponent(QStringView text, qsizetype &i)
{
    if (i >= text.size() || !QStringView(u"eEdD").contains(text[i]))
        return 0;
    qsizetype j = i + 1;
    bool negative = false;
    if (isSign(text, j))
        negative = text[j++] == u'-';
    if (!isDigit(text, j))
        return 0;
    qint64 exponent = 0;
    for (; isDigit(text, j); ++j)
        exponent = std::min<qint64>(exponent * 10 + (text[j].unicode() - u'0'), 100 * MaxExponent);
    i = j;
    return std::clamp<qint64>(negative ? -exponent : exponent, -MaxExponent, MaxExponent);
}

} // namespace

std::optional<Decimal> read(QStringView text, const Grammar &grammar)
{
    QString compact;
    if (!grammar.skipped.isEmpty()) {
        compact.reserve(text.size());
        for (QChar c : text) {
            if (!grammar.skipped.contains(c))
                compact.append(c);
        }
        text = compact;
    }

    Decimal number;
    qsizetype i = 0;
    if (grammar.sign && isSign(text, i))
        number.negative = text[i++] == u'-';
    QString mantissa;
    qsizetype integerDigits = 0;
    for (; isDigit(text, i); ++i, ++integerDigits)
        mantissa.append(text[i]);
    if (grammar.fraction && i < text.size() && text[i] == u'.') {
        for (++i; isDigit(text, i); ++i)
            mantissa.append(text[i]);
    }
    if (mantissa.isEmpty())
        return std::nullopt;
    const qint64 exponent = grammar.exponent ? readExponent(text, i) : 0;
    number.complete = i == text.size();

    qsizetype first = 0;
    while (first < mantissa.size() && mantissa[first] == u'0')
        ++first;
    qsizetype last = mantissa.size();
    while (last > first && mantissa[last - 1] == u'0')
        --last;
    if (first < last) {
        number.digits = mantissa.sliced(first, last - first);
        number.point = integerDigits - first + exponent;
    }
    return number;
}

Decimal Decimal::of(qint64 value)
{
    const std::optional<Decimal> number = read(QString::number(value), {.skipped = {}, .sign = true});
    return *number;
}

QString Decimal::plain() const
{
    if (digits.isEmpty())
        return QStringLiteral("0");
    QString out = negative ? QStringLiteral("-") : QString();
    const qsizetype size = digits.size();
    if (point <= 0)
        out += QStringLiteral("0.") + QString(qsizetype(-point), u'0') + digits;
    else if (point >= size)
        out += digits + QString(qsizetype(point - size), u'0');
    else
        out += digits.first(point) + u'.' + digits.sliced(point);
    return out;
}

qint64 Decimal::rounded(qint64 low, qint64 high) const
{
    constexpr qint64 Max = std::numeric_limits<qint64>::max();
    qint64 magnitude = 0;
    bool over = false;
    for (qint64 i = 0; i < point; ++i) {
        const int digit = i < digits.size() ? digits[i].unicode() - u'0' : 0;
        if (magnitude > (Max - digit) / 10) {
            over = true;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (!over && point >= 0 && point < digits.size() && digits[point] >= u'5') {
        if (magnitude == Max)
            over = true; // a half above the largest: past it, not wrapped round
        else
            ++magnitude;
    }
    if (over)
        return negative ? low : high;
    return std::clamp(negative ? -magnitude : magnitude, low, high);
}

std::optional<int> Decimal::exactInt() const
{
    if (!complete || point < qint64(digits.size()))
        return std::nullopt;
    constexpr qint64 Low = std::numeric_limits<int>::min();
    constexpr qint64 High = std::numeric_limits<int>::max();
    // One past either end tells an overflow from a value at the end.
    const qint64 value = rounded(Low - 1, High + 1);
    if (value < Low || value > High)
        return std::nullopt;
    return int(value);
}

} // namespace NumberText
