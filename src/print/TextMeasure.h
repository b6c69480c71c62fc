#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// Text as the document measures it: in twips, fonts sized in twips too
// (pixel size = points x 20), so that the layout does not depend on a device.

struct TextStyle
{
    QString face = QStringLiteral("Arial");
    int pointSize = 10;
    bool bold = false;
    int percent = 100;   // of pointSize: the text size the page setup chose
    bool struck = false; // a table row's text struck through: an entry gone since an earlier listing

    bool operator==(const TextStyle &) const = default;
};

// Glyph advances of one font, looked up once per character and kept: the
// layout of a long listing measures millions of characters.
class MeasuredFont
{
public:
    explicit MeasuredFont(const TextStyle &style);

    const QFont &font() const { return m_font; }
    qreal ascent() const { return m_ascent; }
    qreal lineHeight() const { return m_lineHeight; }
    qreal advance(QStringView text) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    qreal m_ascent = 0;
    qreal m_lineHeight = 0;
    mutable std::vector<float> m_bmp; // advance per BMP code unit, < 0 until measured
};

// Wraps text into lines no wider than width (twips): at blanks where it can,
// inside a word where a word alone is too wide, never fewer than one
// character per line. Leading blanks (indentation) stay on the first line.
// Calls line(start, length) for each line; returns the number of lines.
int wrapText(QStringView text, qreal width, const MeasuredFont &font,
             const std::function<void(qsizetype, qsizetype)> &line = {});
