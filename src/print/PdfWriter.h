#pragma once

#include <QByteArray>
#include <QFont>
#include <QRect>
#include <QSizeF>
#include <QString>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

class QIODevice;
class QGlyphRun;
class QPainterPath;
class QPointF;
class QRawFont;

// A PDF writer for text and straight lines, made for long listings. Qt's
// own PDF engine places every glyph with an operator of its own, which
// made a 16,000-page listing take 40 s and 60 MB; here a run of text is one
// string of glyph numbers, pages go to the device as they are finished,
// and every content stream is compressed.
//
// Text is set in the font the layout measured with, embedded as a
// TrueType subset with a ToUnicode map, so the text can be searched and
// copied. Text in other scripts, right-to-left text and characters from
// fallback fonts go through Qt's text layout, glyph by glyph; a glyph
// without outlines (a colour emoji) goes in as a picture, one per glyph
// and size however often it is used.
//
// Coordinates are points from the page's top-left corner.
class PdfWriter
{
public:
    explicit PdfWriter(QIODevice *device);
    ~PdfWriter();
    PdfWriter(const PdfWriter &) = delete;
    PdfWriter &operator=(const PdfWriter &) = delete;

    void setTitle(const QString &title) { m_title = title; }
    void setCreator(const QString &creator) { m_creator = creator; }

    // A font for drawText. Its pixel size is its size in layout units;
    // layoutUnitsPerPoint turns those into points.
    int addFont(const QFont &font, qreal layoutUnitsPerPoint);

    void beginPage(const QSizeF &pointSize);
    // The part of text from isolateFrom on, if any, is set as a first-strong
    // isolate (PageCanvas explains why); the text read back is text itself.
    void drawText(const QPointF &baseline, QStringView text, int font, qsizetype isolateFrom = -1);
    void drawLine(const QPointF &from, const QPointF &to, qreal width);
    void endPage();

    // Writes the fonts and the cross-reference table. False when the device
    // refused a write at any point.
    bool finish();

    int pageCount() const { return int(m_pageObjects.size()); }

private:
    struct Face;
    struct FontUse
    {
        int face;
        qreal size; // points
        QFont font; // for the layout of text the simple path cannot take
        qreal unitsPerPoint;
    };

    struct GlyphImage
    {
        int object = 0; // the image; 0 when the glyph shows nothing
        QRect box;      // where it stands from the glyph's origin, in its pixels
    };

    int newObject();
    void startObject(int object);
    void write(const QByteArray &bytes);
    void writeStream(int object, const QByteArray &data, const QByteArray &extraDictionary = {});
    int faceFor(const QRawFont &raw);
    bool appendSimple(QByteArray &glyphs, Face &face, QStringView text);
    void drawComplex(const QPointF &baseline, QStringView text, qsizetype isolateFrom, const FontUse &use);
    void drawGlyphRun(const QGlyphRun &run, const QPointF &origin, qreal scale);
    void drawGlyphImage(int face, const QRawFont &raw, quint32 glyph, const QPointF &origin, qreal points);
    GlyphImage writeGlyphImage(const QRawFont &raw, quint32 glyph, int pixels);
    void drawGlyphOutline(const QPainterPath &path, const QPointF &origin, qreal scale);
    void showGlyphs(int face, qreal size, const QPointF &baseline, QByteArrayView glyphs);
    void writeFace(Face &face);
    int writeToUnicode(const Face &face);

    QIODevice *m_device;
    bool m_failed = false;
    qint64 m_offset = 0;
    std::vector<qint64> m_objectOffsets; // by object number - 1; -1 until written
    QString m_title;
    QString m_creator;

    std::vector<std::unique_ptr<Face>> m_faces;
    std::vector<FontUse> m_fonts;
    std::map<std::tuple<int, quint32, int>, GlyphImage> m_glyphImages; // by face, glyph and pixels to the em
    QByteArray m_imageResources;                                       // "/I7 7 0 R" for each image
    std::vector<int> m_pageObjects;
    int m_pagesObject = 0;
    int m_resourcesObject = 0;
    QSizeF m_firstPageSize;

    // The page being written: lines and outlines first, then one text object.
    QSizeF m_pageSize;
    QByteArray m_text;
    QByteArray m_graphics;
    int m_currentFace = -1;
    qreal m_currentSize = 0;
    qreal m_lineX = 0; // start of the current text line, PDF coordinates
    qreal m_lineY = 0;
    qreal m_originX = 0; // where the graphics' coordinates start, PDF coordinates
    qreal m_originY = 0;
    qreal m_lineWidth = -1; // the graphics' pen width, < 0 until set
    QByteArray m_glyphs;    // the run being set, kept to reuse its memory
};
