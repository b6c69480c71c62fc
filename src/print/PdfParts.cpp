#include "print/PdfParts.h"

#include <cmath>

namespace PdfSyntax {

void appendNumber(QByteArray &out, qreal value)
{
    qint64 hundredths = std::isfinite(value) ? qint64(std::llround(value * 100)) : 0;
    char text[32];
    char *end = text + sizeof text;
    char *p = end;
    const bool negative = hundredths < 0;
    if (negative)
        hundredths = -hundredths;
    const int fraction = int(hundredths % 100);
    if (fraction) {
        if (fraction % 10)
            *--p = char('0' + fraction % 10);
        *--p = char('0' + fraction / 10);
        *--p = '.';
    }
    qint64 whole = hundredths / 100;
    do {
        *--p = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (negative)
        *--p = '-';
    out.append(p, end - p);
}

qreal hundredths(qreal value)
{
    return std::isfinite(value) ? std::round(value * 100) / 100 : 0;
}

QByteArray number(qreal value)
{
    QByteArray out;
    appendNumber(out, value);
    return out;
}

QByteArray hex4(uint value)
{
    return QByteArray::number(value | 0x10000, 16).mid(1).toUpper();
}

QByteArray utf16Hex(QStringView text)
{
    QByteArray out = "<FEFF";
    for (QChar c : text)
        out.append(hex4(c.unicode()));
    out.append('>');
    return out;
}

void appendGlyphString(QByteArray &out, QByteArrayView glyphs)
{
    const qsizetype start = out.size();
    out.resize(start + 2 * glyphs.size() + 2);
    char *p = out.data() + start;
    *p++ = '(';
    for (char c : glyphs) {
        if (c == '\r') {
            *p++ = '\\'; // a bare CR would be read as a line end
            *p++ = 'r';
            continue;
        }
        if (c == '(' || c == ')' || c == '\\')
            *p++ = '\\';
        *p++ = c;
    }
    *p++ = ')';
    out.truncate(p - out.constData());
}

bool isSimpleChar(QChar c)
{
    if (c.isSurrogate() || c.unicode() < 0x20)
        return false;
    switch (c.direction()) {
    case QChar::DirL:
    case QChar::DirEN:
    case QChar::DirES:
    case QChar::DirET:
    case QChar::DirCS:
    case QChar::DirWS:
    case QChar::DirON:
        break;
    default:
        return false;
    }
    const QChar::Category category = c.category();
    return category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining
           && category != QChar::Mark_Enclosing && category != QChar::Other_Format && category != QChar::Separator_Line
           && category != QChar::Separator_Paragraph;
}

} // namespace PdfSyntax
