#include "help/Artwork.h"

#include <QString>

QPixmap bannerPixmap()
{
    return QPixmap(QStringLiteral(":/images/banner.png"));
}

QIcon windowIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/images/foliotrace.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/images/foliotrace-16.png"), QSize(16, 16));
    return icon;
}
