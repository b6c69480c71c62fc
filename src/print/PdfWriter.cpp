#include "print/PdfParts.h"

#include "print/PageCanvas.h"
#include "print/TrueTypeSubset.h"

#include <QGlyphRun>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <set>

using namespace PdfSyntax;

namespace {

// Isolate marks change nothing in a run that is left-to-right throughout.
bool isIsolateMark(QChar c)
{
    return c.unicode() >= 0x2066 && c.unicode() <= 0x2069;
}

// Colour glyphs go in as pictures at this resolution, enough for paper,
// and no larger than this: a colour font's own bitmaps are smaller.
constexpr qreal GlyphImageDpi = 600;
constexpr int MaxGlyphImagePixels = 256;

} // namespace

PdfWriter::PdfWriter(QIODevice *device) : m_device(device)
{
    write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
    m_pagesObject = newObject();
    m_resourcesObject = newObject();
}

PdfWriter::~PdfWriter() = default;

int PdfWriter::newObject()
{
    m_objectOffsets.push_back(-1);
    return int(m_objectOffsets.size());
}

void PdfWriter::startObject(int object)
{
    m_objectOffsets[size_t(object - 1)] = m_offset;
    write(QByteArray::number(object) + " 0 obj\n");
}

void PdfWriter::write(const QByteArray &bytes)
{
    if (m_failed)
        return;
    if (m_device->write(bytes) != bytes.size()) {
        m_failed = true;
        return;
    }
    m_offset += bytes.size();
}

void PdfWriter::writeStream(int object, const QByteArray &data, const QByteArray &extraDictionary)
{
    // qCompress puts the length in front of a plain zlib stream, which is
    // what FlateDecode reads.
    const QByteArray packed = qCompress(data, 6).mid(4);
    startObject(object);
    write("<</Length " + QByteArray::number(packed.size()) + "/Filter/FlateDecode" + extraDictionary + ">>stream\n");
    write(packed);
    write("\nendstream\nendobj\n");
}

int PdfWriter::faceFor(const QRawFont &raw)
{
    for (size_t i = 0; i < m_faces.size(); ++i) {
        const QRawFont &known = m_faces[i]->raw;
        if (known.familyName() == raw.familyName() && known.styleName() == raw.styleName()
            && known.weight() == raw.weight() && known.style() == raw.style())
            return int(i);
    }
    auto face = std::make_unique<Face>();
    face->raw = raw;
    face->name = "/F" + QByteArray::number(qsizetype(m_faces.size()) + 1);
    face->object = newObject();
    face->trueType = TrueTypeSubset::hasTrueTypeOutlines(raw);
    // A font of bitmaps (a colour emoji font). Asking Qt 6.4 for the path
    // of one of its glyphs would also spoil its advances in every later
    // layout, the preview's too.
    face->pictures = !face->trueType && raw.fontTable("CFF ").isEmpty() && raw.fontTable("CFF2").isEmpty();
    m_faces.push_back(std::move(face));
    return int(m_faces.size() - 1);
}

int PdfWriter::addFont(const QFont &font, qreal layoutUnitsPerPoint)
{
    const qreal unitsPerPoint = layoutUnitsPerPoint > 0 ? layoutUnitsPerPoint : 1;
    const int face = faceFor(QRawFont::fromFont(font));
    m_fonts.push_back({face, font.pixelSize() / unitsPerPoint, font, unitsPerPoint});
    return int(m_fonts.size() - 1);
}

void PdfWriter::beginPage(const QSizeF &pointSize)
{
    if (m_pageObjects.empty())
        m_firstPageSize = pointSize;
    m_pageSize = pointSize;
    m_text.clear();
    m_graphics.clear();
    m_currentFace = -1;
    m_currentSize = 0;
    m_lineX = 0;
    m_lineY = 0;
    m_originX = 0;
    m_originY = 0;
    m_lineWidth = -1;
}

bool PdfWriter::appendSimple(QByteArray &glyphs, Face &face, QStringView text)
{
    if (!face.trueType)
        return false;
    glyphs.resize(2 * text.size());
    char *p = glyphs.data();
    for (QChar c : text) {
        if (isIsolateMark(c))
            continue;
        quint32 known = face.glyphOf[c.unicode()];
        if (known == NotLookedUp)
            known = face.lookUp(c);
        if (known == NeedsLayout)
            return false;
        *p++ = char((known - 1) >> 8);
        *p++ = char((known - 1) & 0xff);
    }
    glyphs.truncate(p - glyphs.constData());
    return true;
}

// One text-showing operation at baseline, in PDF's bottom-up coordinates
// relative to the start of the line before.
void PdfWriter::showGlyphs(int face, qreal size, const QPointF &baseline, QByteArrayView glyphs)
{
    if (face != m_currentFace || size != m_currentSize) {
        m_currentFace = face;
        m_currentSize = size;
        m_text.append(m_faces[size_t(face)]->name);
        m_text.append(' ');
        appendNumber(m_text, size);
        m_text.append(" Tf\n");
    }
    // The line start moves by what was written, so rounding never adds up
    // down a page.
    const qreal dx = hundredths(baseline.x() - m_lineX);
    const qreal dy = hundredths(m_pageSize.height() - baseline.y() - m_lineY);
    appendNumber(m_text, dx);
    m_text.append(' ');
    appendNumber(m_text, dy);
    m_text.append(" Td");
    m_lineX += dx;
    m_lineY += dy;
    appendGlyphString(m_text, glyphs);
    m_text.append("Tj\n");
}

void PdfWriter::drawText(const QPointF &baseline, QStringView text, int font, qsizetype isolateFrom)
{
    if (text.isEmpty() || font < 0 || size_t(font) >= m_fonts.size())
        return;
    const FontUse &use = m_fonts[size_t(font)];
    if (appendSimple(m_glyphs, *m_faces[size_t(use.face)], text)) {
        if (!m_glyphs.isEmpty())
            showGlyphs(use.face, use.size, baseline, m_glyphs);
        return;
    }
    drawComplex(baseline, text, isolateFrom, use);
}

// Text the simple path cannot take: Qt lays it out (bidi, shaping, font
// fallback) and each glyph goes where the layout put it, in the font the
// layout chose. The text itself rides along as ActualText for search and copy.
void PdfWriter::drawComplex(const QPointF &baseline, QStringView text, qsizetype isolateFrom, const FontUse &use)
{
    QTextLayout layout(isolatedText(text, isolateFrom), use.font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    // The layout ends a line at each line separator (U+2028), where the
    // painter sets the text as one line and shows no separator: each line
    // goes on where the one before it ends.
    layout.beginLayout();
    qreal x = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(1e6);
        // The end of a left-to-right line, blanks before the separator included.
        const qreal advance = line.cursorToX(line.textStart() + line.textLength());
        line.setPosition(QPointF(x, 0));
        x += advance;
    }
    layout.endLayout();
    const qreal scale = 1 / use.unitsPerPoint;

    m_text.append("/Span<</ActualText" + utf16Hex(text) + ">>BDC\n");
    for (int l = 0; l < layout.lineCount(); ++l) {
        const QTextLine line = layout.lineAt(l);
        for (const QGlyphRun &run : line.glyphRuns())
            drawGlyphRun(run, QPointF(baseline.x(), baseline.y() - line.ascent() * scale), scale);
    }
    m_text.append("EMC\n");
}

void PdfWriter::drawGlyphRun(const QGlyphRun &run, const QPointF &origin, qreal scale)
{
    const QRawFont raw = run.rawFont();
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    const int faceIndex = faceFor(raw);
    Face &face = *m_faces[size_t(faceIndex)];
    for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
        const QPointF at = origin + positions[i] * scale;
        if (face.pictures) {
            drawGlyphImage(faceIndex, raw, indexes[i], at, raw.pixelSize() * scale);
            continue;
        }
        if (!face.trueType || indexes[i] > 0xFFFF) {
            // No TrueType outlines to embed: the glyph's outline itself.
            drawGlyphOutline(raw.pathForGlyph(indexes[i]), at, scale);
            continue;
        }
        face.markUsed(indexes[i]);
        const char glyph[2] = {char(indexes[i] >> 8), char(indexes[i] & 0xff)};
        showGlyphs(faceIndex, raw.pixelSize() * scale, at, QByteArrayView(glyph, 2));
    }
}

// One image per glyph and size, however often the glyph is used: a long
// listing of emoji names stays small.
void PdfWriter::drawGlyphImage(int face, const QRawFont &raw, quint32 glyph, const QPointF &origin, qreal points)
{
    const int pixels = std::clamp(int(std::lround(points * GlyphImageDpi / 72)), 1, MaxGlyphImagePixels);
    auto [known, added] = m_glyphImages.try_emplace({face, glyph, pixels});
    if (added)
        known->second = writeGlyphImage(raw, glyph, pixels);
    const GlyphImage &image = known->second;
    if (!image.object)
        return;
    const qreal scale = points / pixels;
    const QRectF box(origin + QPointF(image.box.topLeft()) * scale, QSizeF(image.box.size()) * scale);
    m_graphics.append("q ");
    appendNumber(m_graphics, box.width());
    m_graphics.append(" 0 0 ");
    appendNumber(m_graphics, box.height());
    m_graphics.append(' ');
    appendNumber(m_graphics, box.left() - m_originX);
    m_graphics.append(' ');
    appendNumber(m_graphics, m_pageSize.height() - box.bottom() - m_originY);
    m_graphics.append(" cm /I" + QByteArray::number(image.object) + " Do Q\n");
}

// The glyph as the painter draws it, in colour, at pixels to the em: an
// image with its coverage as a soft mask. No object when it shows nothing.
PdfWriter::GlyphImage PdfWriter::writeGlyphImage(const QRawFont &raw, quint32 glyph, int pixels)
{
    QRawFont sized = raw;
    sized.setPixelSize(pixels);
    const QRect box = sized.boundingRect(glyph).toAlignedRect();
    if (box.isEmpty())
        return {};
    QImage picture(box.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QGlyphRun run;
    run.setRawFont(sized);
    run.setGlyphIndexes({glyph});
    run.setPositions({-QPointF(box.topLeft())});
    painter.drawGlyphRun(QPointF(), run);
    painter.end();
    picture.convertTo(QImage::Format_ARGB32);

    QByteArray colour;
    QByteArray coverage;
    colour.reserve(3 * box.width() * box.height());
    coverage.reserve(box.width() * box.height());
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            colour.append(char(qRed(line[x]))).append(char(qGreen(line[x]))).append(char(qBlue(line[x])));
            coverage.append(char(qAlpha(line[x])));
        }
    }
    if (std::all_of(coverage.begin(), coverage.end(), [](char a) { return a == 0; }))
        return {};
    const QByteArray size = "/Width " + QByteArray::number(box.width()) + "/Height " + QByteArray::number(box.height())
                            + "/BitsPerComponent 8";
    const int mask = newObject();
    writeStream(mask, coverage, "/Type/XObject/Subtype/Image/ColorSpace/DeviceGray" + size);
    const int object = newObject();
    writeStream(object, colour,
                "/Type/XObject/Subtype/Image/ColorSpace/DeviceRGB" + size + "/SMask " + QByteArray::number(mask)
                    + " 0 R");
    m_imageResources += "/I" + QByteArray::number(object) + ' ' + QByteArray::number(object) + " 0 R";
    return {object, box};
}

void PdfWriter::drawGlyphOutline(const QPainterPath &path, const QPointF &origin, qreal scale)
{
    if (path.isEmpty())
        return;
    const auto point = [&](const QPainterPath::Element &p) {
        appendNumber(m_graphics, origin.x() + p.x * scale - m_originX);
        m_graphics.append(' ');
        appendNumber(m_graphics, m_pageSize.height() - (origin.y() + p.y * scale) - m_originY);
        m_graphics.append(' ');
    };
    for (int e = 0; e < path.elementCount(); ++e) {
        const QPainterPath::Element element = path.elementAt(e);
        if (element.isMoveTo()) {
            point(element);
            m_graphics.append("m\n");
        } else if (element.isLineTo()) {
            point(element);
            m_graphics.append("l\n");
        } else if (element.isCurveTo() && e + 2 < path.elementCount()) {
            point(element);
            point(path.elementAt(e + 1));
            point(path.elementAt(e + 2));
            m_graphics.append("c\n");
            e += 2;
        }
    }
    m_graphics.append("f\n");
}

void PdfWriter::drawLine(const QPointF &from, const QPointF &to, qreal width)
{
    if (width != m_lineWidth) {
        m_lineWidth = width;
        appendNumber(m_graphics, width);
        m_graphics.append(" w\n");
    }
    // Each line starts from where the one before started: the lines of a
    // ruled table then repeat the same few operators, which compress to
    // almost nothing.
    const qreal dx = hundredths(from.x() - m_originX);
    const qreal dy = hundredths(m_pageSize.height() - from.y() - m_originY);
    if (dx != 0 || dy != 0) {
        m_graphics.append("1 0 0 1 ");
        appendNumber(m_graphics, dx);
        m_graphics.append(' ');
        appendNumber(m_graphics, dy);
        m_graphics.append(" cm ");
        m_originX += dx;
        m_originY += dy;
    }
    m_graphics.append("0 0 m ");
    appendNumber(m_graphics, to.x() - m_originX);
    m_graphics.append(' ');
    appendNumber(m_graphics, m_pageSize.height() - to.y() - m_originY);
    m_graphics.append(" l S\n");
}

void PdfWriter::endPage()
{
    QByteArray content;
    content.reserve(m_graphics.size() + m_text.size() + 16);
    if (!m_graphics.isEmpty())
        content.append("q\n" + m_graphics + "Q\n");
    if (!m_text.isEmpty())
        content.append("BT\n" + m_text + "ET\n");
    const int contents = newObject();
    writeStream(contents, content);
    const int page = newObject();
    startObject(page);
    QByteArray dictionary = "<</Type/Page/Parent " + QByteArray::number(m_pagesObject) + " 0 R/Contents "
                            + QByteArray::number(contents) + " 0 R";
    if (m_pageSize != m_firstPageSize)
        dictionary += "/MediaBox[0 0 " + number(m_pageSize.width()) + ' ' + number(m_pageSize.height()) + ']';
    write(dictionary + ">>\nendobj\n");
    m_pageObjects.push_back(page);
}

bool PdfWriter::finish()
{
    QByteArray resources = "<</Font<<";
    for (const auto &face : m_faces) {
        if (!face->trueType || std::find(face->used.begin(), face->used.end(), true) == face->used.end())
            continue;
        writeFace(*face);
        resources += face->name + ' ' + QByteArray::number(face->object) + " 0 R";
    }
    resources += ">>";
    if (!m_imageResources.isEmpty())
        resources += "/XObject<<" + m_imageResources + ">>";
    startObject(m_resourcesObject);
    write(resources + ">>\nendobj\n");

    startObject(m_pagesObject);
    QByteArray pages = "<</Type/Pages/Count " + QByteArray::number(qsizetype(m_pageObjects.size())) + "/Resources "
                       + QByteArray::number(m_resourcesObject) + " 0 R/MediaBox[0 0 " + number(m_firstPageSize.width())
                       + ' ' + number(m_firstPageSize.height()) + "]/Kids[";
    for (int page : m_pageObjects)
        pages += QByteArray::number(page) + " 0 R ";
    write(pages + "]>>\nendobj\n");

    const int catalog = newObject();
    startObject(catalog);
    write("<</Type/Catalog/Pages " + QByteArray::number(m_pagesObject) + " 0 R>>\nendobj\n");
    const int info = newObject();
    startObject(info);
    write("<</Title" + utf16Hex(m_title) + "/Creator" + utf16Hex(m_creator) + "/Producer" + utf16Hex(m_creator)
          + ">>\nendobj\n");

    const qint64 xref = m_offset;
    const QByteArray size = QByteArray::number(qsizetype(m_objectOffsets.size()) + 1);
    QByteArray table = "xref\n0 " + size + "\n0000000000 65535 f \n";
    for (qint64 offset : m_objectOffsets) {
        // Numbered but never needed (a font nothing was set in): a free entry.
        table += offset < 0 ? QByteArray("0000000000 65535 f \n")
                            : QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    }
    write(table);
    write("trailer\n<</Size " + size + "/Root " + QByteArray::number(catalog) + " 0 R/Info " + QByteArray::number(info)
          + " 0 R>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
    return !m_failed;
}
