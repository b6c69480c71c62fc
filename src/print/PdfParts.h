#pragma once

// The pieces of PDF syntax and the embedded font state PdfWriter shares
// between its files. Internal to the print library.

#include "print/PdfWriter.h"

#include <QByteArray>
#include <QHash>
#include <QRawFont>
#include <QStringView>

#include <vector>

namespace PdfSyntax {

// Two decimals at most, trailing zeros dropped: a hundredth of a point is
// far below what paper shows.
void appendNumber(QByteArray &out, qreal value);
qreal hundredths(qreal value);
QByteArray number(qreal value);
QByteArray hex4(uint value);
// A text string as PDF wants it outside content streams: UTF-16 with a byte-order mark.
QByteArray utf16Hex(QStringView text);
// A string of two-byte glyph numbers as a literal string operand.
void appendGlyphString(QByteArray &out, QByteArrayView glyphs);
// Characters whose glyph can go straight after the one before it: no
// right-to-left text, no marks to position, no controls, no separators
// (the painter shows none of those, whatever glyph a font has for them).
bool isSimpleChar(QChar c);

constexpr quint32 NotLookedUp = 0;
constexpr quint32 NeedsLayout = 0xFFFFFFFF;

} // namespace PdfSyntax

struct PdfWriter::Face
{
    QRawFont raw;
    QByteArray name; // "/F1"
    int object = 0;  // the Type0 font, written by finish()
    bool trueType = false;
    bool pictures = false;              // no outlines at all: each glyph goes in as a picture
    std::vector<bool> used;             // by glyph number
    QHash<quint32, char32_t> unicodeOf; // for the ToUnicode map
    // Per BMP character: NotLookedUp, NeedsLayout, or 1 + its glyph.
    std::vector<quint32> glyphOf = std::vector<quint32>(0x10000, PdfSyntax::NotLookedUp);

    void markUsed(quint32 glyph)
    {
        if (glyph >= used.size())
            used.resize(glyph + 1, false);
        used[glyph] = true;
    }

    // The character's entry in glyphOf, looked up now. Its glyph counts as
    // used from here on, even if the run it came in takes the layout path.
    quint32 lookUp(QChar c)
    {
        quint32 glyph = 0;
        int count = 1;
        quint32 &known = glyphOf[c.unicode()];
        known = PdfSyntax::NeedsLayout;
        if (PdfSyntax::isSimpleChar(c) && raw.glyphIndexesForChars(&c, 1, &glyph, &count) && glyph != 0
            && glyph <= 0xFFFF) {
            known = glyph + 1;
            unicodeOf.insert(glyph, c.unicode());
            markUsed(glyph);
        }
        return known;
    }
};
