#include "help/Artwork.h"

#include <QString>

namespace {

QIcon themeIconOr(const char *themeName, const char *fallbackPath)
{
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QIcon(QString::fromLatin1(fallbackPath)));
}

} // namespace

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

QIcon helpButtonIcon()
{
    return themeIconOr("help-contents", ":/images/help.png");
}

QIcon printPreviewButtonIcon()
{
    return themeIconOr("document-print-preview", ":/images/print-preview.png");
}

QIcon copyButtonIcon()
{
    return themeIconOr("edit-copy", ":/images/copy.png");
}
