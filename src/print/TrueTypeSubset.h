#pragma once

#include <QByteArray>
#include <QRawFont>

#include <set>
#include <vector>

// A TrueType font cut down to the glyphs a document uses, for embedding in
// a PDF. Glyph numbers stay as they are (unused glyphs become empty), so
// text written before the subset was made keeps pointing at the right
// outlines. The tables come from QRawFont, so any font Qt resolved works.
namespace TrueTypeSubset {

// False for fonts without TrueType outlines (CFF-based OpenType).
bool hasTrueTypeOutlines(const QRawFont &font);

// Glyph 0 and the parts of composite glyphs are added to used.
QByteArray subset(const QRawFont &font, std::set<quint32> &used);

// Advance of each glyph in font units, from hmtx.
std::vector<quint16> advances(const QRawFont &font);

struct Metrics
{
    int unitsPerEm = 1000;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int ascent = 0, descent = 0;
};
Metrics metrics(const QRawFont &font);

} // namespace TrueTypeSubset
