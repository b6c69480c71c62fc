#include "print/PageCanvas.h"

#include "print/PreviewDocument.h"

#include <QPainter>

PainterCanvas::PainterCanvas(QPainter &painter, const PreviewDocument &document)
    : m_painter(painter)
    , m_document(document)
{
    m_painter.save();
    // QPainter's default is to guess each text's direction from its first
    // strong letter: a Hebrew name would carry its mark to the right.
    m_painter.setLayoutDirection(Qt::LeftToRight);
    m_painter.setPen(Qt::black);
}

PainterCanvas::~PainterCanvas()
{
    m_painter.restore();
}

void PainterCanvas::drawText(const QPointF &baseline, QStringView text, int font)
{
    if (font < 0 || font >= m_document.fontCount())
        return;
    if (font != m_font) {
        m_font = font;
        m_painter.setFont(m_document.font(font).font());
    }
    m_painter.drawText(baseline, text.toString());
}

void PainterCanvas::drawLine(const QPointF &from, const QPointF &to, qreal width)
{
    if (width != m_penWidth) {
        m_penWidth = width;
        m_painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
    }
    m_painter.drawLine(from, to);
}
