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

void fill(FolderEntry &entry, const Details &d)
{
    entry.folder = S_ISDIR(d.mode);
    entry.mode = quint16(d.mode);
    entry.size = d.size;
    // What sizes on disk and links counted once take, from the same call.
    entry.allocated = d.blocks * 512;
    entry.links = quint32(d.links);
    entry.device = quint64(d.device);
    entry.inode = d.inode;
    entry.modified = d.modified;
    entry.owner = d.owner;
}

// The folder's names, NUL-terminated in out.names, "." and ".." left out.
int enumerate(int folder, FolderEntries &out, const FileSystemObject::Beat &beat)
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
            FolderEntry &entry = out.entries.emplace_back();
            entry.nameOffset = out.names.size();
            entry.nameLength = quint16(std::min<size_t>(std::strlen(name), 0xffff));
            entry.folder = dirent->d_type == DT_DIR;
            entry.typeKnown = dirent->d_type != DT_UNKNOWN;
            entry.inode = dirent->d_ino;
            out.names.append(name, entry.nameLength + 1);
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

int PosixFileSystem::listFolder(Handle folder, FolderEntries &out, const Beat &beat)
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
    if (const int error = enumerate(folder, out, beat))
        return error;
    // Counted here, not per entry: the walk reads each listed entry's
    // details once, and one counter for all readers costs per call.
    m_stated.fetch_add(qint64(out.entries.size()), std::memory_order_relaxed);
    m_foldersRead.fetch_add(1, std::memory_order_relaxed);
    return 0;
}

bool PosixFileSystem::readEntry(Handle folder, quint64 folderDevice, const char *name, FolderEntry &entry)
{
    entry.device = 0;
    entry.inode = 0;
    // No automount: a mount point on demand is judged by what stands there now.
    constexpr int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;
    int result;
    // statx only when the birth time is wanted: fstatat is the cheaper call.
    if (birthTimes()) {
        struct statx sx;
        result = ::statx(folder, name, flags, STATX_BASIC_STATS | STATX_BTIME, &sx);
        if (result == 0) {
            fill(entry, {sx.stx_mode, qint64(sx.stx_size), qint64(sx.stx_blocks), sx.stx_nlink,
                         makedev(sx.stx_dev_major, sx.stx_dev_minor), sx.stx_ino, sx.stx_mtime.tv_sec, sx.stx_uid});
            if (sx.stx_mask & STATX_BTIME)
                entry.created = sx.stx_btime.tv_sec;
        }
    } else {
        struct stat st;
        result = ::fstatat(folder, name, &st, flags);
        if (result == 0)
            fill(entry, {st.st_mode, qint64(st.st_size), qint64(st.st_blocks), quint64(st.st_nlink), st.st_dev,
                         quint64(st.st_ino), st.st_mtim.tv_sec, st.st_uid});
    }
    if (result != 0) {
        if (errno == ENOENT)
            return false;
        entry.error = qint16(errno);
        return true;
    }
    if (entry.folder && entry.device != folderDevice)
        entry.mounted = mountedType(folder, name);
    return true;
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
