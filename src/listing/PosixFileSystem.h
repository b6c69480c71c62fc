#pragma once

#include "listing/FileSystemObject.h"

#include <atomic>

// FileSystemObject over openat/getdents64/fstatat. Links are never followed
// below the selected folder: a link is a file of its own length. A folder
// that is the mount point of a virtual file system is found by its type
// (fstatfs) when its device differs from its parent's.
class PosixFileSystem : public FileSystemObject
{
public:
    // Raises the process's soft descriptor limit to what the hard limit
    // allows (once), and keeps half of it for the walk's open folders.
    PosixFileSystem();

    Handle GetFolder(const QByteArray &path) override;
    Handle openFolder(Handle parent, const char *name, int &error) override;
    int listFolder(Handle folder, FolderEntries &out, const Beat &beat) override;
    bool readEntry(Handle folder, quint64 folderDevice, const char *name, FolderEntry &entry) override;
    void closeFolder(Handle folder) override;
    FileSystemCounters counters() const override;

private:
    std::atomic<qint64> m_stated{0};
    std::atomic<qint64> m_foldersRead{0};
};
