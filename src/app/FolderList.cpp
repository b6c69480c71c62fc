#include "app/FolderList.h"

#include "listing/NameOrder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// By its bytes: QDir::currentPath() loses a name that is not valid UTF-8.
QByteArray currentFolder()
{
    const std::unique_ptr<char, decltype(&std::free)> current(::getcwd(nullptr, 0), &std::free);
    return current ? QByteArray(current.get()) : QByteArray();
}

} // namespace

namespace FolderPaths {

QByteArray clean(const QByteArray &path)
{
    QByteArray absolute = path;
    if (!absolute.startsWith('/'))
        absolute = currentFolder() + '/' + absolute;

    QList<QByteArray> parts;
    for (const QByteArray &part : absolute.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray result;
    for (const QByteArray &part : std::as_const(parts))
        result += '/' + part;
    return result.isEmpty() ? QByteArray("/") : result;
}

QList<QByteArray> chain(const QByteArray &cleanPath)
{
    QList<QByteArray> result{QByteArray("/")};
    qsizetype slash = 0;
    while ((slash = cleanPath.indexOf('/', slash + 1)) > 0)
        result.append(cleanPath.left(slash));
    if (cleanPath != "/")
        result.append(cleanPath);
    return result;
}

QByteArray lastComponent(const QByteArray &cleanPath)
{
    if (cleanPath == "/")
        return cleanPath;
    return cleanPath.mid(cleanPath.lastIndexOf('/') + 1);
}

QByteArray fromShown(const QString &shown)
{
    QString text = shown.trimmed();
    if (text == u'~' || text.startsWith(QStringLiteral("~/")))
        text = QDir::homePath() + text.mid(1);
    QByteArray path;
    for (const QByteArray &part : clean(QFile::encodeName(text)).split('/')) {
        if (part.isEmpty())
            continue;
        QByteArray name = part;
        // The bytes typed are no name here: a name shown alike is meant.
        if (struct stat info; ::lstat(QByteArray(path + '/' + part).constData(), &info) != 0) {
            if (DIR *dir = ::opendir(path.isEmpty() ? "/" : path.constData())) {
                const QString wanted = QFile::decodeName(part);
                while (const dirent *entry = ::readdir(dir)) {
                    if (QFile::decodeName(QByteArray(entry->d_name)) == wanted) {
                        name = entry->d_name;
                        break;
                    }
                }
                ::closedir(dir);
            }
        }
        path += '/' + name;
    }
    return path.isEmpty() ? QByteArray("/") : path;
}

QList<QByteArray> subFolders(const QByteArray &cleanPath)
{
    DIR *dir = ::opendir(cleanPath.constData());
    if (!dir)
        throw FileSystemError(FileSystemError::Operation::OpenFolder, cleanPath, errno);

    QList<QByteArray> names;
    int failure = 0;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            failure = errno;
            break;
        }
        const char *name = entry->d_name;
        if (name[0] == '.')
            continue; // ".", ".." and hidden folders
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            isFolder = ::fstatat(::dirfd(dir), name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        if (isFolder)
            names.append(QByteArray(name));
    }
    ::closedir(dir);
    if (failure)
        throw FileSystemError(FileSystemError::Operation::ReadFolder, cleanPath, failure);

    NameOrder::sort(names.begin(), names.end(), [](const QByteArray &name) { return QByteArrayView(name); });
    return names;
}

} // namespace FolderPaths

FolderList::FolderList(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &FolderList::openItem);
}

FolderList::~FolderList() = default;

QString FolderList::path() const
{
    return QFile::decodeName(m_nativePath);
}

void FolderList::setPath(const QString &path)
{
    setNativePath(QFile::encodeName(path));
}

void FolderList::openStartFolder()
{
    // The list would rather start at the root than empty.
    for (const QByteArray &folder : {currentFolder(), QByteArray("/")}) {
        try {
            if (!folder.isEmpty()) {
                setNativePath(folder);
                return;
            }
        } catch (const FileSystemError &) {}
    }
}

void FolderList::setNativePath(const QByteArray &nativePath)
{
    const QByteArray target = FolderPaths::clean(nativePath);
    // Read first: a folder that cannot be read must leave the list untouched.
    const QList<QByteArray> children = FolderPaths::subFolders(target);
    rebuild(target, children);
    if (target != m_nativePath) {
        m_nativePath = target;
        emit pathChanged(path());
    }
}

void FolderList::drawBranches(QPainter *, const QRect &, const QModelIndex &) const
{
    // Every row is always shown, so there is nothing to expand or collapse:
    // the indentation alone shows the levels.
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        openItem(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FolderList::openItem(QTreeWidgetItem *item)
{
    if (!item)
        return;
    try {
        setNativePath(item->data(0, NativePathRole).toByteArray());
    } catch (const FileSystemError &error) {
        emit openFailed(error.message());
    }
}

void FolderList::rebuild(const QByteArray &cleanPath, const QList<QByteArray> &children)
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    QTreeWidgetItem *parentItem = nullptr;
    for (const QByteArray &folder : FolderPaths::chain(cleanPath)) {
        auto *item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
        item->setText(0, QFile::decodeName(FolderPaths::lastComponent(folder)));
        item->setIcon(0, openIcon);
        item->setData(0, NativePathRole, folder);
        parentItem = item;
    }
    const QByteArray prefix = cleanPath == "/" ? cleanPath : cleanPath + '/';
    for (const QByteArray &name : children) {
        auto *item = new QTreeWidgetItem(parentItem);
        item->setText(0, QFile::decodeName(name));
        item->setIcon(0, closedIcon);
        item->setData(0, NativePathRole, prefix + name);
    }
    expandAll();
    setCurrentItem(parentItem);
    scrollToItem(parentItem);
}
