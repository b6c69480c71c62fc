#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>

// Positions and sizes are designed in twips (1/1440 inch). They become
// pixels at the resolution of the screen the widget is on; without a widget
// (or before it has a screen) the primary screen's resolution is used.

inline double twipsDpi(const QWidget *widget, Qt::Orientation orientation = Qt::Horizontal)
{
    if (widget)
        return orientation == Qt::Horizontal ? widget->logicalDpiX() : widget->logicalDpiY();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return orientation == Qt::Horizontal ? screen->logicalDotsPerInchX()
                                             : screen->logicalDotsPerInchY();
    return 96.0;
}

inline int twipsToPixels(int twips, const QWidget *widget,
                         Qt::Orientation orientation = Qt::Horizontal)
{
    return int(std::lround(twips * twipsDpi(widget, orientation) / 1440.0));
}

// Edges are converted, not the size, so neighbouring controls that touch in
// twips still touch in pixels.
inline QRect twipsToPixels(int left, int top, int width, int height, const QWidget *widget)
{
    const int x1 = twipsToPixels(left, widget, Qt::Horizontal);
    const int y1 = twipsToPixels(top, widget, Qt::Vertical);
    const int x2 = twipsToPixels(left + width, widget, Qt::Horizontal);
    const int y2 = twipsToPixels(top + height, widget, Qt::Vertical);
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

inline QSize twipsToPixels(QSize twips, const QWidget *widget)
{
    return QSize(twipsToPixels(twips.width(), widget, Qt::Horizontal),
                 twipsToPixels(twips.height(), widget, Qt::Vertical));
}
