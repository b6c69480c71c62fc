#pragma once

#include <QRect>

#include <optional>

// Where the preview surface goes, in twips of the client area: a 50-twip
// margin at the left and top, as wide as the window's outer width less 200,
// and reaching 30 twips down into the button bar. No placement when the
// window is too small for one (the surface then stays where it was).
inline std::optional<QRect> previewSurfaceTwips(int outerWidthTwips, int buttonBarTopTwips)
{
    const int width = outerWidthTwips - 200;
    const int height = buttonBarTopTwips - 20;
    if (width < 0 || height < 0)
        return std::nullopt;
    return QRect(50, 50, width, height);
}
