#include "print/PdfParts.h"
#include "print/TrueTypeSubset.h"

#include <algorithm>
#include <set>

using namespace PdfSyntax;

int PdfWriter::writeToUnicode(const Face &face)
{
    QByteArray cmap = "/CIDInit/ProcSet findresource begin 12 dict begin begincmap/CIDSystemInfo"
                      "<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def/CMapName/Adobe-Identity-UCS def"
                      "/CMapType 2 def\n1 begincodespacerange <0000><FFFF> endcodespacerange\n";
    QList<quint32> glyphs = face.unicodeOf.keys();
    std::sort(glyphs.begin(), glyphs.end());
    for (qsizetype i = 0; i < glyphs.size(); i += 100) {
        const qsizetype n = std::min<qsizetype>(100, glyphs.size() - i);
        cmap += QByteArray::number(n) + " beginbfchar\n";
        for (qsizetype j = i; j < i + n; ++j)
            cmap += '<' + hex4(glyphs[j]) + "><" + hex4(uint(face.unicodeOf.value(glyphs[j]))) + ">\n";
        cmap += "endbfchar\n";
    }
    cmap += "endcmap CMapName currentdict/CMap defineresource pop end end\n";
    const int object = newObject();
    writeStream(object, cmap);
    return object;
}

void PdfWriter::writeFace(Face &face)
{
    std::set<quint32> used;
    for (quint32 g = 0; g < face.used.size(); ++g) {
        if (face.used[g])
            used.insert(g);
    }
    const TrueTypeSubset::Metrics m = TrueTypeSubset::metrics(face.raw);
    const qreal perThousand = 1000.0 / m.unitsPerEm;
    const std::vector<quint16> advances = TrueTypeSubset::advances(face.raw);
    const QByteArray program = TrueTypeSubset::subset(face.raw, used);

    // A six-letter tag from the glyphs used names the subset, as PDF asks.
    QByteArray baseFont;
    quint32 seed = 2166136261u;
    for (quint32 g : used)
        seed = (seed ^ g) * 16777619u;
    for (int i = 0; i < 6; ++i, seed /= 26)
        baseFont.append(char('A' + seed % 26));
    baseFont += '+' + (face.raw.familyName() + face.raw.styleName()).toLatin1().replace(' ', "");
    baseFont.replace('?', 'X');

    const int fontFile = newObject();
    writeStream(fontFile, program, "/Length1 " + QByteArray::number(program.size()));
    const int descriptor = newObject();
    startObject(descriptor);
    write("<</Type/FontDescriptor/FontName/" + baseFont + "/Flags 32/FontBBox[" + number(m.xMin * perThousand) + ' '
          + number(m.yMin * perThousand) + ' ' + number(m.xMax * perThousand) + ' ' + number(m.yMax * perThousand)
          + "]/ItalicAngle 0/Ascent " + number(m.ascent * perThousand) + "/Descent " + number(m.descent * perThousand)
          + "/CapHeight " + number(m.ascent * perThousand) + "/StemV 80/FontFile2 " + QByteArray::number(fontFile)
          + " 0 R>>\nendobj\n");

    QByteArray widths = "[";
    for (quint32 g : used) {
        if (g < advances.size())
            widths += QByteArray::number(g) + '[' + number(advances[g] * perThousand) + ']';
    }
    const int cidFont = newObject();
    startObject(cidFont);
    write("<</Type/Font/Subtype/CIDFontType2/BaseFont/" + baseFont
          + "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor "
          + QByteArray::number(descriptor) + " 0 R/CIDToGIDMap/Identity/W" + widths + "]>>\nendobj\n");

    const int toUnicode = writeToUnicode(face);
    startObject(face.object);
    write("<</Type/Font/Subtype/Type0/BaseFont/" + baseFont + "/Encoding/Identity-H/DescendantFonts["
          + QByteArray::number(cidFont) + " 0 R]/ToUnicode " + QByteArray::number(toUnicode) + " 0 R>>\nendobj\n");
}
