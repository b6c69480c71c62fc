#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own images, compiled into the core library under :/images/.
// The button icons follow the desktop's icon theme and fall back to ours.

QPixmap bannerPixmap();            // 240 x 54, drawn at the top-left of both windows
QIcon windowIcon();                // 32 x 32 and 16 x 16
QIcon helpButtonIcon();            // theme "help-contents"
QIcon printPreviewButtonIcon();    // theme "document-print-preview"
QIcon copyButtonIcon();            // theme "edit-copy"
