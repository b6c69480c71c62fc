#include "print/TextMeasure.h"

#include <algorithm>

namespace {

constexpr int MaxPointSize = 1000; // keeps pixel sizes (points x 20) well inside int

bool isHighSurrogateAt(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

} // namespace

MeasuredFont::MeasuredFont(const TextStyle &style) : m_font(style.face), m_metrics(m_font)
{
    // Twentieths of a point: 8 pt at 87 % is 139, not 140.
    m_font.setPixelSize(std::max(
        1, qRound(std::clamp(style.pointSize, 1, MaxPointSize) * 20 * std::clamp(style.percent, 1, 1000) / 100.0)));
    m_font.setBold(style.bold);
    // Advances must add up the same at every resolution: no hinting, no kerning.
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_font.setKerning(false);
    m_metrics = QFontMetricsF(m_font);
    m_ascent = m_metrics.ascent();
    m_lineHeight = m_metrics.ascent() + m_metrics.descent();
    m_bmp.assign(0x10000, -1.0f);
}

qreal MeasuredFont::advance(QStringView text) const
{
    qreal total = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSurrogate()) {
            if (isHighSurrogateAt(text, i)) {
                total += m_metrics.horizontalAdvance(text.sliced(i, 2).toString());
                ++i;
            }
            continue;
        }
        float &cached = m_bmp[c.unicode()];
        if (cached < 0)
            cached = float(m_metrics.horizontalAdvance(c));
        total += cached;
    }
    return total;
}

int wrapText(QStringView text, qreal width, const MeasuredFont &font,
             const std::function<void(qsizetype, qsizetype)> &line)
{
    const qsizetype n = text.size();
    if (n == 0 || font.advance(text) <= width) {
        if (line)
            line(0, n);
        return 1;
    }
    int lines = 0;
    qsizetype pos = 0;
    while (pos < n) {
        qreal used = 0;
        qsizetype breakAt = -1; // a blank after some content on this line
        bool content = false;
        qsizetype i = pos;
        while (i < n) {
            const qsizetype len = isHighSurrogateAt(text, i) ? 2 : 1;
            const qreal w = font.advance(text.sliced(i, len));
            if (used + w > width && i > pos)
                break;
            used += w;
            if (text[i] == u' ') {
                if (content)
                    breakAt = i;
            } else {
                content = true;
            }
            i += len;
        }
        ++lines;
        if (i >= n) {
            if (line)
                line(pos, n - pos);
            break;
        }
        if (breakAt > pos) {
            if (line)
                line(pos, breakAt - pos);
            pos = breakAt + 1;
        } else {
            if (line)
                line(pos, i - pos);
            pos = i;
        }
        while (pos < n && text[pos] == u' ')
            ++pos;
    }
    return std::max(lines, 1);
}
