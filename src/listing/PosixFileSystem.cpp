#include "listing/PosixFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;
// Reads of a cold disk overlap this many at once.
constexpr int kReaderThreads = 64;

// The walk's share of the descriptor limit, raised first where the hard
// limit lets it be: a deep tree keeps one folder open per level.
int descriptorBudget()
{
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 64;
    const rlim_t wanted = std::min<rlim_t>(limit.rlim_max, 1 << 16);
    if (limit.rlim_cur < wanted) {
        struct rlimit raised = limit;
        raised.rlim_cur = wanted;
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    const rlim_t current = std::min<rlim_t>(limit.rlim_cur, 1 << 16);
    return int(std::max<rlim_t>(current / 2, 16) - 8);
}

VirtualFileSystem mountedType(int folder, const char *name)
{
    const int fd = ::openat(folder, name, O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return VirtualFileSystem::None;
    struct statfs info;
    const VirtualFileSystem type
        = ::fstatfs(fd, &info) == 0 ? virtualFileSystem(qint64(info.f_type)) : VirtualFileSystem::None;
    ::close(fd);
    return type;
}

// What both ways of reading an entry's details give.
struct Details
{
    unsigned mode;
    qint64 size;
    qint64 blocks;
    quint64 links;
    dev_t device;
    quint64 inode;
    qint64 modified;
    quint32 owner;
};

void fill(FolderEntry &entry, const Details &d, int folder, dev_t parentDevice, const char *name)
{
    entry.folder = S_ISDIR(d.mode);
    entry.mode = quint16(d.mode);
    entry.size = entry.folder ? 0 : d.size;
    // What sizes on disk and links counted once take, from the same call.
    entry.allocated = d.blocks * 512;
    entry.links = quint32(d.links);
    entry.device = quint64(d.device);
    entry.inode = d.inode;
    entry.modified = d.modified;
    entry.owner = d.owner;
    if (entry.folder && d.device != parentDevice)
        entry.mounted = mountedType(folder, name);
}

// One entry's details; false when it vanished since the enumeration.
// statx only when the birth time is wanted: fstatat is the cheaper call.
bool readEntry(int folder, dev_t device, const char *name, unsigned char type, bool birth, FolderEntry &entry)
{
    // No automount: a mount point on demand is judged by what stands there now.
    constexpr int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;
    int result;
    if (birth) {
        struct statx sx;
        result = ::statx(folder, name, flags, STATX_BASIC_STATS | STATX_BTIME, &sx);
        if (result == 0) {
            fill(entry,
                 {sx.stx_mode, qint64(sx.stx_size), qint64(sx.stx_blocks), sx.stx_nlink,
                  makedev(sx.stx_dev_major, sx.stx_dev_minor), sx.stx_ino, sx.stx_mtime.tv_sec, sx.stx_uid},
                 folder, device, name);
            if (sx.stx_mask & STATX_BTIME)
                entry.created = sx.stx_btime.tv_sec;
        }
    } else {
        struct stat st;
        result = ::fstatat(folder, name, &st, flags);
        if (result == 0)
            fill(entry,
                 {st.st_mode, qint64(st.st_size), qint64(st.st_blocks), quint64(st.st_nlink), st.st_dev,
                  quint64(st.st_ino), st.st_mtim.tv_sec, st.st_uid},
                 folder, device, name);
    }
    if (result != 0) {
        if (errno == ENOENT)
            return false;
        entry.error = qint16(errno);
        entry.folder = type == DT_DIR;
    }
    return true;
}

struct Listed
{
    quint64 inode;
    qsizetype nameOffset;
    quint16 nameLength;
    unsigned char type;
};

// The folder's names, NUL-terminated in names, "." and ".." left out.
int enumerate(int folder, QByteArray &names, std::vector<Listed> &listed, const FileSystemObject::Beat &beat)
{
    // getdents64 straight on the descriptor: a directory stream would cost
    // more calls per folder, and the walk is made of those.
    alignas(8) char buffer[32768];
    for (;;) {
        const ssize_t got = ::getdents64(folder, buffer, sizeof buffer);
        if (got <= 0)
            return got < 0 ? errno : 0;
        if (beat)
            beat();
        for (ssize_t at = 0; at < got;) {
            const auto *dirent = reinterpret_cast<const dirent64 *>(buffer + at);
            at += dirent->d_reclen;
            const char *name = dirent->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            const auto length = quint16(std::min<size_t>(std::strlen(name), 0xffff));
            listed.push_back({dirent->d_ino, names.size(), length, dirent->d_type});
            names.append(name, length + 1);
        }
    }
}

} // namespace

PosixFileSystem::PosixFileSystem()
{
    static const int budget = descriptorBudget();
    setHandleBudget(budget);
    setReaderThreads(kReaderThreads);
}

FileSystemObject::Handle PosixFileSystem::GetFolder(const QByteArray &path)
{
    if (path.contains('\0'))
        throw FileSystemError(FileSystemError::Operation::OpenFolder, path, EINVAL);
    // The selected folder may itself be a link the user chose.
    int fd;
    do {
        fd = ::open(path.constData(), kDirectoryFlags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw FileSystemError(FileSystemError::Operation::OpenFolder, path, errno);
    return fd;
}

FileSystemObject::Handle PosixFileSystem::openFolder(Handle parent, const char *name, int &error)
{
    int fd;
    do {
        fd = ::openat(parent, name, kDirectoryFlags | O_NOFOLLOW);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        error = errno;
    return fd;
}

int PosixFileSystem::readFolder(Handle folder, FolderEntries &out, const Beat &beat)
{
    // Asked only when the caller does not know it: a call per folder is a
    // good part of a warm walk's time.
    if (out.inode == 0) {
        struct stat self;
        if (::fstat(folder, &self) != 0)
            return errno;
        out.device = quint64(self.st_dev);
        out.inode = quint64(self.st_ino);
    }
    std::vector<Listed> listed;
    if (const int error = enumerate(folder, out.names, listed, beat))
        return error;
    // Details in inode order: the inode table is then read front to back
    // rather than in the order of the names' hashes, which on a cold disk
    // costs a seek between most entries of a large folder.
    std::sort(listed.begin(), listed.end(), [](const Listed &a, const Listed &b) { return a.inode < b.inode; });
    out.entries.reserve(listed.size());
    const bool birth = birthTimes();
    for (const Listed &item : listed) {
        // A cold disk takes a while over many entries: the window gets its turns.
        if (beat && (&item - listed.data()) % 64 == 63)
            beat();
        FolderEntry entry;
        entry.nameOffset = item.nameOffset;
        entry.nameLength = item.nameLength;
        if (readEntry(folder, dev_t(out.device), out.names.constData() + item.nameOffset, item.type, birth, entry))
            out.entries.push_back(entry);
    }
    m_stated.fetch_add(qint64(listed.size()), std::memory_order_relaxed);
    m_foldersRead.fetch_add(1, std::memory_order_relaxed);
    return 0;
}

void PosixFileSystem::closeFolder(Handle folder)
{
    ::close(folder);
}

FileSystemCounters PosixFileSystem::counters() const
{
    return {m_stated.load(std::memory_order_relaxed), m_foldersRead.load(std::memory_order_relaxed)};
}

std::unique_ptr<FileSystemObject> createFileSystemObject()
{
    return std::make_unique<PosixFileSystem>();
}
