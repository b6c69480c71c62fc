#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own images, compiled into the core library under :/images/.
// The button icons are named in the .ui files: they follow the desktop's
// icon theme and fall back to ours.

QPixmap bannerPixmap(); // 240 x 54, drawn at the top-left of both windows
QIcon windowIcon();     // 32 x 32 and 16 x 16
