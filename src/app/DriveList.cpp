#include "app/DriveList.h"

#include "app/FolderList.h"
#include "listing/FileSystemObject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace Volumes {

namespace {

bool isUnder(const QByteArray &path, const QByteArray &folder)
{
    if (folder == "/")
        return path.startsWith('/');
    return path == folder || path.startsWith(folder + '/');
}

} // namespace

bool isUserVolume(const QByteArray &fileSystemType, const QByteArray &mountPoint)
{
    if (mountPoint == "/")
        return true;
    for (const char *system : {"/proc", "/sys", "/dev"}) {
        if (isUnder(mountPoint, system))
            return false;
    }
    return !fileSystemType.isEmpty() && !isPseudoFileSystem(fileSystemType);
}

QList<Volume> userVolumes()
{
    QList<Volume> result;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady())
            continue;
        const QByteArray mountPoint = QFile::encodeName(storage.rootPath());
        if (!isUserVolume(storage.fileSystemType(), mountPoint))
            continue;
        // Containers bind single files (resolv.conf, hosts) over the tree.
        if (!QFileInfo(storage.rootPath()).isDir())
            continue;
        const auto same = [&mountPoint](const Volume &v) { return v.mountPoint == mountPoint; };
        if (std::any_of(result.cbegin(), result.cend(), same))
            continue;
        result.append({mountPoint, storage.name(), storage.fileSystemType()});
    }
    std::sort(result.begin(), result.end(),
              [](const Volume &a, const Volume &b) { return a.mountPoint < b.mountPoint; });
    return result;
}

qsizetype holding(const QList<Volume> &volumes, const QByteArray &nativePath)
{
    qsizetype best = -1;
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        const QByteArray &mountPoint = volumes.at(i).mountPoint;
        if (isUnder(nativePath, mountPoint) && (best < 0 || mountPoint.size() > volumes.at(best).mountPoint.size()))
            best = i;
    }
    return best;
}

QString displayName(const Volume &volume)
{
    const QString mountPoint = QFile::decodeName(volume.mountPoint);
    if (volume.name.isEmpty())
        return mountPoint;
    return mountPoint + QStringLiteral("  [") + volume.name + u']';
}

} // namespace Volumes

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::onIndexChanged);
    setVolumes(Volumes::userVolumes());
}

DriveList::~DriveList() = default;

void DriveList::setVolumes(const QList<Volume> &volumes)
{
    m_volumes = volumes;
    fillItems();
    selectSilently(Volumes::holding(m_volumes, QFile::encodeName(QDir::currentPath())));
}

void DriveList::setRecentFolders(const QList<QByteArray> &folders)
{
    // The volume of the folder the selection leads to stays selected.
    const QByteArray folder = currentNativeFolder();
    m_recent = folders;
    fillItems();
    selectSilently(Volumes::holding(m_volumes, folder));
}

void DriveList::fillItems()
{
    m_silent = true;
    clear();
    for (const Volume &volume : std::as_const(m_volumes))
        addItem(Volumes::displayName(volume));
    if (!m_recent.isEmpty())
        insertSeparator(count());
    for (const QByteArray &folder : std::as_const(m_recent))
        addItem(QFile::decodeName(folder), folder);
    m_silent = false;
}

QString DriveList::drive() const
{
    return currentText();
}

QByteArray DriveList::mountPoint() const
{
    const int index = currentIndex();
    return index >= 0 && index < m_volumes.size() ? m_volumes.at(index).mountPoint : QByteArray();
}

bool DriveList::setDrive(const QString &drive)
{
    qsizetype index = findText(drive, Qt::MatchExactly);
    if (index < 0) {
        index = Volumes::holding(m_volumes, FolderPaths::clean(QFile::encodeName(drive)));
    }
    if (index < 0)
        return false;
    setCurrentIndex(int(index)); // emits through onIndexChanged when it moves
    return true;
}

QString DriveList::currentFolder() const
{
    return QFile::decodeName(currentNativeFolder());
}

QByteArray DriveList::currentNativeFolder() const
{
    if (const QVariant recent = currentData(); recent.isValid())
        return recent.toByteArray();
    const QByteArray volume = mountPoint();
    return m_lastFolder.value(volume, volume);
}

void DriveList::noteFolderOpened(const QByteArray &nativeFolder)
{
    const qsizetype index = Volumes::holding(m_volumes, nativeFolder);
    if (index < 0)
        return;
    m_lastFolder.insert(m_volumes.at(index).mountPoint, nativeFolder);
    selectSilently(index);
}

void DriveList::showPopup()
{
    const QByteArray selected = mountPoint();
    const QList<Volume> now = Volumes::userVolumes();
    const auto sameMount = [](const QList<Volume> &a, const QList<Volume> &b) {
        return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                          [](const Volume &x, const Volume &y) { return x.mountPoint == y.mountPoint; });
    };
    if (!now.isEmpty() && !sameMount(now, m_volumes)) {
        setVolumes(now);
        const auto kept = std::find_if(m_volumes.cbegin(), m_volumes.cend(),
                                       [&selected](const Volume &v) { return v.mountPoint == selected; });
        if (kept != m_volumes.cend())
            selectSilently(kept - m_volumes.cbegin());
    }
    QComboBox::showPopup();
}

void DriveList::onIndexChanged(int index)
{
    if (m_silent || index < 0)
        return;
    emit driveChanged(drive());
}

void DriveList::selectSilently(qsizetype index)
{
    if (index < 0)
        return;
    m_silent = true;
    setCurrentIndex(int(index));
    m_silent = false;
}
