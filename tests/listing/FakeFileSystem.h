#pragma once

#include "listing/FileSystemObject.h"

#include <QHash>
#include <QStringList>

#include <map>
#include <mutex>

// A file-system component for tests: the tree is whatever the test adds,
// enumerated in the order it was added, and any entry can be made to fail.
class FakeFileSystem : public FileSystemObject
{
public:
    enum class Failure {
        Open,       // the folder cannot be opened
        Read,       // its enumeration fails
        Details,    // the entry's size and date cannot be read
        Vanish      // gone between enumeration and its details
    };

    // The parent folder of every added entry must exist; addFolder on a
    // path without a parent makes a top folder.
    void addFolder(const QByteArray &path, FileTime modified = {}, VirtualFileSystem mounted = {});
    void addFile(const QByteArray &path, qint64 size, FileTime modified = {});
    void failOn(const QByteArray &path, Failure failure, int errorCode = EACCES);

    Handle GetFolder(const QByteArray &path) override;
    Handle openFolder(Handle parent, const char *name, int &error) override;
    int readFolder(Handle folder, FolderEntries &out, const Beat &beat) override;
    void closeFolder(Handle folder) override;

    QStringList foldersRead() const;
    int openNow() const;
    int mostOpen() const;

private:
    struct Entry
    {
        bool folder = false;
        qint64 size = 0;
        FileTime modified{};
        VirtualFileSystem mounted = VirtualFileSystem::None;
        QList<QByteArray> children;   // paths, in enumeration order
    };

    int failure(const QByteArray &path, Failure failure) const;

    std::map<QByteArray, Entry> m_entries;
    QHash<QPair<QByteArray, int>, int> m_failures;
    mutable std::mutex m_mutex;       // the walk's readers call from several threads
    QHash<Handle, QByteArray> m_open;
    Handle m_next = 3;
    int m_mostOpen = 0;
    QStringList m_read;
};
