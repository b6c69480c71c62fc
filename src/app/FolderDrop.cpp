#include "app/FolderDrop.h"

#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <sys/stat.h>

FolderDrop::FolderDrop(QWidget *window) : QObject(window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        box->installEventFilter(this);
}

FolderDrop::~FolderDrop() = default;

QByteArray FolderDrop::folderIn(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        // Percent-decoded to the bytes the file manager named, any encoding.
        const QByteArray path
            = QByteArray::fromPercentEncoding(url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority));
        struct stat info;
        if (::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            return path;
    }
    return {};
}

bool FolderDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QByteArray folder = folderIn(drop->mimeData());
        if (folder.isEmpty())
            break;
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            emit folderDropped(folder);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
