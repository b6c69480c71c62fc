#pragma once

#include <QPointF>
#include <QString>
#include <QStringView>

class PreviewDocument;
class QPainter;

// Whether setting text as an isolate can change how it reads: only
// right-to-left letters and bidirectional controls (all at U+0590 or above) can.
bool mayReorder(QStringView text);

// text with its part from isolateFrom on set as a first-strong isolate when
// that can change how it reads; text as it is otherwise.
QString isolatedText(QStringView text, qsizetype isolateFrom);

// What a page of the document is painted onto: the screen through QPainter,
// a PDF file through PdfWriter. Lengths are twips from the page's top-left
// corner; fonts are the document's own (PreviewDocument::font()). Text is
// always set as a left-to-right paragraph, and the part of it from
// isolateFrom on (a name; -1 for none) as a first-strong isolate: a name in
// another direction, or holding bidirectional controls, then reorders
// nothing but itself.
class PageCanvas
{
public:
    virtual ~PageCanvas() = default;
    virtual void drawText(const QPointF &baseline, QStringView text, int font, qsizetype isolateFrom) = 0;
    virtual void drawLine(const QPointF &from, const QPointF &to, qreal width) = 0;
};

// Paints through a painter whose coordinates are twips.
class PainterCanvas : public PageCanvas
{
public:
    PainterCanvas(QPainter &painter, const PreviewDocument &document);
    ~PainterCanvas() override;

    void drawText(const QPointF &baseline, QStringView text, int font, qsizetype isolateFrom) override;
    void drawLine(const QPointF &from, const QPointF &to, qreal width) override;

private:
    QPainter &m_painter;
    const PreviewDocument &m_document;
    int m_font = -1;
    qreal m_penWidth = -1;
};
