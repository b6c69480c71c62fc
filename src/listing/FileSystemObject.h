#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>

#include "UserError.h"

#include <chrono>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

// The file-system component the listing walks: the selected folder opened
// with GetFolder, and below it folders opened relative to their parent's
// handle, listed, and each entry's details read by name through the
// folder's handle, in as many turns and threads as the walk likes (on a
// share every call is a round trip). No full path is handed to the system
// below the selected folder, so neither depth nor path length limits a
// walk; full paths are made only for display.
//
// Names are native bytes (QByteArray), so a name that is not valid UTF-8
// can still be opened again; QFile::decodeName turns them into display text.
// Every operation but GetFolder reports failures as values: a walk goes on
// past what it cannot read. The calls may come from several threads at once.

using FileTime = std::chrono::sys_seconds;

// A failed file-system operation: which path, what was attempted and the
// operating system's reason.
class FileSystemError : public UserError
{
public:
    enum class Operation { OpenFolder, ReadFolder, ReadEntry };

    FileSystemError(Operation operation, QByteArray path, int errorCode);
    FileSystemError(Operation operation, QByteArray path, QString reason);

    Operation operation() const { return m_operation; }
    QByteArray path() const { return m_path; }
    int errorCode() const { return m_errorCode; } // errno, 0 when the reason is a text only
    QString reason() const { return m_reason; }

    // For the user, e.g. Cannot open folder "/data/x": Permission denied
    static QString describe(Operation operation, const QByteArray &path, const QString &reason);

private:
    Operation m_operation;
    QByteArray m_path;
    int m_errorCode = 0;
    QString m_reason;
};

// File systems whose mount points a walk lists but does not enter: their
// entries are the kernel's own state, not stored files.
enum class VirtualFileSystem : quint8 {
    None,
    Proc,
    Sysfs,
    Cgroup,
    Cgroup2,
    Devpts,
    Debugfs,
    Tracefs,
    Securityfs,
    Pstore,
    Bpf,
    Configfs,
    Mqueue,
    Hugetlbfs,
    Fusectl,
    BinfmtMisc,
    Efivarfs,
    Autofs,
    RpcPipefs,
    Nsfs
};

// The type of a file system by its statfs magic number; None for any other.
VirtualFileSystem virtualFileSystem(qint64 magic);
// Its usual name, e.g. "proc", "binfmt_misc".
QLatin1StringView virtualFileSystemName(VirtualFileSystem type);
// Whether a file system named so in the mount table (e.g. "tmpfs") is no
// volume a user would pick: the virtual ones, and those that hold files
// only for the moment or for the system.
bool isPseudoFileSystem(QByteArrayView name);

// One entry of a folder: as listed, then with its details read.
struct FolderEntry
{
    static constexpr qint64 NoTime = std::numeric_limits<qint64>::min();

    qint64 size = 0;          // bytes; a link its own length; a folder its own size, a hint of how much it holds
    qint64 modified = 0;      // seconds since the epoch
    qsizetype nameOffset = 0; // into FolderEntries::names, NUL-terminated there
    quint16 nameLength = 0;   // a name is at most 255 bytes
    qint16 error = 0;         // errno of reading the details, 0 when they were read
    bool folder = false;      // as listed until the details say; a failed read keeps the listing's word
    VirtualFileSystem mounted = VirtualFileSystem::None; // a folder where such a file system is mounted
    bool typeKnown = true;                               // the listing told a folder from a file
    bool gone = false;                                   // vanished between the listing and the details
    quint16 mode = 0;                                    // its kind and permission bits, as st_mode holds them
    quint32 links = 1;                                   // names it has (hard links)
    quint32 owner = 0;                                   // user id
    qint64 created = NoTime; // seconds since the epoch; NoTime where the file system keeps none, or not asked
    qint64 allocated = 0;    // bytes of the blocks it takes on disk
    // As listed, inode is a number to read details in (the disk's order);
    // once the details are read, the entry's identity, 0 and 0 where unknown.
    quint64 device = 0;
    quint64 inode = 0;
};

struct FolderEntries
{
    QByteArray names;
    std::vector<FolderEntry> entries;
    // The folder read, as the system knows it (0 and 0 where there is no such
    // thing). A caller that knows it already, from the parent's reading,
    // sets it before the read, which then need not ask again.
    quint64 device = 0;
    quint64 inode = 0;

    const char *name(const FolderEntry &entry) const { return names.constData() + entry.nameOffset; }
    // Appends an entry named name; the entry's name fields are set here.
    void add(QByteArrayView name, FolderEntry entry);
};

// What one build cost, for the benchmark.
struct FileSystemCounters
{
    qint64 entriesStated = 0; // entries whose details were read
    qint64 foldersRead = 0;   // folders enumerated
};

class FileSystemObject
{
public:
    using Handle = int; // an open folder, in the component's own numbering; -1 for none
    using Beat = std::function<void()>;

    virtual ~FileSystemObject() = default;

    // Opens the folder the user selected; throws FileSystemError when it cannot.
    virtual Handle GetFolder(const QByteArray &path) = 0;
    // Opens the folder name inside an open folder, never following a link;
    // -1 with error set when it cannot.
    virtual Handle openFolder(Handle parent, const char *name, int &error) = 0;
    // Lists an open folder's names, in any order, "." and ".." left out,
    // each with the type and number the listing gives (FolderEntry::folder,
    // typeKnown, inode), and out's identity when it has none yet. Returns 0,
    // or the errno that stopped the listing. Calls beat now and then while a
    // large folder is listed; whatever beat throws passes through.
    virtual int listFolder(Handle folder, FolderEntries &out, const Beat &beat) = 0;
    // Reads the details of an entry listFolder gave, named name in folder
    // (whose device is folderDevice), into entry; false when it has vanished
    // since. A folder on another device is checked for a virtual file system.
    virtual bool readEntry(Handle folder, quint64 folderDevice, const char *name, FolderEntry &entry) = 0;
    virtual void closeFolder(Handle folder) = 0;

    virtual FileSystemCounters counters() const { return {}; }

    // Threads that read folders ahead of a build; 0: the build reads them itself.
    int readerThreads() const { return m_readerThreads; }
    void setReaderThreads(int count) { m_readerThreads = qBound(0, count, 256); }
    // How often a build waiting on a read lets its caller's window run.
    std::chrono::milliseconds heartbeatInterval() const { return m_heartbeatInterval; }
    void setHeartbeatInterval(std::chrono::milliseconds interval) { m_heartbeatInterval = interval; }
    // Folders a walk may keep open at once, besides the one it is reading;
    // past this it opens them again from an open ancestor when needed.
    int handleBudget() const { return m_handleBudget; }
    void setHandleBudget(int count) { m_handleBudget = qMax(0, count); }
    // Entries of one folder whose details a reader reads in one turn; idle
    // readers take a large folder's turns too.
    int chunkSize() const { return m_chunkSize; }
    void setChunkSize(int count) { m_chunkSize = qBound(1, count, 1 << 16); }
    // Whether readEntry asks for each entry's birth time as well, which
    // costs a slower call per entry: only when a listing shows it.
    bool birthTimes() const { return m_birthTimes; }
    void setBirthTimes(bool wanted) { m_birthTimes = wanted; }

private:
    int m_readerThreads = 0;
    std::chrono::milliseconds m_heartbeatInterval{15};
    int m_handleBudget = 1 << 16;
    int m_chunkSize = 64;
    bool m_birthTimes = false;
};

// The real component over the POSIX file system.
std::unique_ptr<FileSystemObject> createFileSystemObject();
