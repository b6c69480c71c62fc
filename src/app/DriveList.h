#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QHash>
#include <QList>
#include <QString>

// A mounted volume a user would pick from.
struct Volume
{
    QByteArray mountPoint; // native path
    QString name;          // volume label, may be empty
    QByteArray fileSystemType;
};

namespace Volumes {
// False for kernel and runtime pseudo file systems (proc, sysfs, cgroup,
// devpts, tmpfs...) and for anything mounted under /proc, /sys or /dev.
// The root file system always counts, whatever its type (overlay in a
// container).
bool isUserVolume(const QByteArray &fileSystemType, const QByteArray &mountPoint);
// The mounted volumes that pass isUserVolume, root first, by mount point.
QList<Volume> userVolumes();
// Index of the volume whose mount point holds nativePath (the longest match),
// or -1.
qsizetype holding(const QList<Volume> &volumes, const QByteArray &nativePath);
// "/media/usb  [STICK]", or the mount point alone for a volume without a label.
QString displayName(const Volume &volume);
} // namespace Volumes

// The drive list: one entry per volume, then the recent folders. Each volume
// remembers the last folder opened on it in this run; picking it again
// leads back there. Picking a recent folder leads to that folder.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);
    ~DriveList() override;

    // Replaces the offered volumes; the selection moves to the volume holding
    // the current folder, without a change signal.
    void setVolumes(const QList<Volume> &volumes);
    QList<Volume> volumes() const { return m_volumes; }

    // The recent folders offered after the volumes, newest first.
    void setRecentFolders(const QList<QByteArray> &folders);
    QList<QByteArray> recentFolders() const { return m_recent; }

    // The selected entry as shown (mount point and volume name).
    QString drive() const;
    QByteArray mountPoint() const;

    // Selects the entry shown as drive, or else the volume holding drive taken
    // as a path. Emits driveChanged when the selection moves. Returns false
    // when no volume matches (the selection stays).
    bool setDrive(const QString &drive);

    // The folder the selected volume leads to: the last one opened on it, or
    // its mount point.
    QString currentFolder() const;
    QByteArray currentNativeFolder() const;

    // Records folder as the last one opened on its volume and shows that
    // volume as selected, without a change signal: the folder list moved, not
    // the user's choice of drive.
    void noteFolderOpened(const QByteArray &nativeFolder);

signals:
    void driveChanged(const QString &drive);

protected:
    // A volume mounted since the last look (a USB stick) shows up when the
    // list is opened.
    void showPopup() override;

private:
    void onIndexChanged(int index);
    void selectSilently(qsizetype index);
    void fillItems();

    QList<Volume> m_volumes;
    QList<QByteArray> m_recent;
    QHash<QByteArray, QByteArray> m_lastFolder; // mount point -> folder
    bool m_silent = false;
};
