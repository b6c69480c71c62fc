#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTreeWidget>

#include "listing/FileSystemObject.h"

// Helpers on native (byte) paths, so that names that are not valid in the
// locale's encoding still reach the file system unchanged.
namespace FolderPaths {
// Makes path absolute (against the current folder) and resolves "." and ".."
// without touching the disk.
QByteArray clean(const QByteArray &path);
// "/", "/a", "/a/b" for "/a/b".
QList<QByteArray> chain(const QByteArray &cleanPath);
QByteArray lastComponent(const QByteArray &cleanPath);
// The visible sub-folders of a folder (hidden "." names left out), sorted by
// name for display. Throws FileSystemError when the folder cannot be read.
QList<QByteArray> subFolders(const QByteArray &cleanPath);
// A path as typed or pasted (as the path bar shows it; "~" for the home
// folder), cleaned, in native bytes. A name shown in place of bytes that are
// no valid text (a U+FFFD in it) is matched against the names there.
QByteArray fromShown(const QString &shown);
} // namespace FolderPaths

// The folder list: the ancestors of the open folder, the open folder, then
// its sub-folders, each level indented one step further. Opening an entry
// (double-click, Enter) makes it the open folder; moving the highlight does
// not.
class FolderList : public QTreeWidget
{
    Q_OBJECT

public:
    enum Role { NativePathRole = Qt::UserRole + 1 };

    explicit FolderList(QWidget *parent = nullptr);
    ~FolderList() override;

    QString path() const;
    QByteArray nativePath() const { return m_nativePath; }

    // Opens path and shows it. Throws FileSystemError when the folder cannot
    // be read; the list then stays as it was. pathChanged is emitted once when
    // the open folder changes; opening the same folder again only re-reads it.
    void setPath(const QString &path);
    void setNativePath(const QByteArray &nativePath);
    // Opens the process's current folder, or the root when that cannot be
    // read: the list never starts empty.
    void openStartFolder();

signals:
    void pathChanged(const QString &path);
    // An entry the user opened could not be read; the list is unchanged.
    // message is the FileSystemError's message.
    void openFailed(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;

private:
    void openItem(QTreeWidgetItem *item);
    void rebuild(const QByteArray &cleanPath, const QList<QByteArray> &children);

    QByteArray m_nativePath;
};
