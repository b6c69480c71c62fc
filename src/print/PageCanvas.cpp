#include "print/PageCanvas.h"

#include "print/PreviewDocument.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr QChar FirstStrongIsolate(0x2068);
constexpr QChar PopDirectionalIsolate(0x2069);

} // namespace

bool mayReorder(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x0590; });
}

QString isolatedText(QStringView text, qsizetype isolateFrom)
{
    const QStringView tail = isolateFrom < 0 ? QStringView() : text.sliced(std::min(isolateFrom, text.size()));
    if (!mayReorder(tail))
        return text.toString();
    QString out;
    out.reserve(text.size() + 2);
    out.append(text.first(text.size() - tail.size()));
    out.append(FirstStrongIsolate);
    // A closing mark of the name's own would end the isolate early and let
    // the rest of the name reorder what stands before it: left out.
    int open = 0;
    for (QChar c : tail) {
        if (c.unicode() >= 0x2066 && c.unicode() <= 0x2068) {
            ++open;
        } else if (c == PopDirectionalIsolate) {
            if (open == 0)
                continue;
            --open;
        }
        out.append(c);
    }
    out.append(PopDirectionalIsolate);
    return out;
}

PainterCanvas::PainterCanvas(QPainter &painter, const PreviewDocument &document)
    : m_painter(painter), m_document(document)
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

void PainterCanvas::drawText(const QPointF &baseline, QStringView text, int font, qsizetype isolateFrom)
{
    if (font < 0 || font >= m_document.fontCount())
        return;
    if (font != m_font) {
        m_font = font;
        m_painter.setFont(m_document.font(font).font());
    }
    m_painter.drawText(baseline, isolatedText(text, isolateFrom));
}

void PainterCanvas::drawLine(const QPointF &from, const QPointF &to, qreal width)
{
    if (width != m_penWidth) {
        m_penWidth = width;
        m_painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
    }
    m_painter.drawLine(from, to);
}
