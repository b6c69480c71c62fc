#pragma once

#include <QRect>
#include <QtMath>

// Layout figures are kept in twips (1/1440 inch) and turned into pixels at
// the screen's logical resolution, so the window keeps its proportions on a
// high-density screen and under a desktop-wide font scale.

inline constexpr int TwipsPerInch = 1440;

inline int twipsToPixels(int twips, qreal logicalDpi)
{
    return qRound(qreal(twips) * logicalDpi / TwipsPerInch);
}

inline int pixelsToTwips(int pixels, qreal logicalDpi)
{
    if (logicalDpi <= 0)
        return 0;
    return qRound(qreal(pixels) * TwipsPerInch / logicalDpi);
}

// Converts both edges rather than the size, so that neighbouring controls
// that touch in twips still touch in pixels whatever the rounding.
inline QRect twipsToPixels(const QRect &twips, qreal logicalDpiX, qreal logicalDpiY)
{
    const int left = twipsToPixels(twips.x(), logicalDpiX);
    const int top = twipsToPixels(twips.y(), logicalDpiY);
    const int right = twipsToPixels(twips.x() + twips.width(), logicalDpiX);
    const int bottom = twipsToPixels(twips.y() + twips.height(), logicalDpiY);
    return QRect(left, top, right - left, bottom - top);
}

// At a widget's (or any paint device's) logical resolution.
template<typename PaintDevice>
QRect twipsToPixels(const QRect &twips, const PaintDevice *device)
{
    return twipsToPixels(twips, device->logicalDpiX(), device->logicalDpiY());
}
