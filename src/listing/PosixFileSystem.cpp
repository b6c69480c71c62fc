#include "listing/PosixFileSystem.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PosixFileSystemDetail {

namespace {

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;
// Deeper than this a thread holds no descriptors between reads, so a very
// deep tree cannot exhaust the process's descriptor limit.
constexpr int kHeldDepth = 48;
// No path the system accepts is deeper; past it a tree made through openat
// chains would only grow the walk's stack.
constexpr int kMaxDepth = 2048;

struct FileRecord
{
    qint64 size = 0;
    qint64 modified = 0;
    quint32 nameOffset = 0;   // into the folder's names, NUL-terminated there
    quint16 nameLength = 0;
    qint16 error = 0;         // errno of a failed stat, 0 when the stat succeeded
};

enum class NodeState : quint8 { Unread, Reading, Read, Failed };

bool isAscii(const char *text, qsizetype length)
{
    unsigned char any = 0;
    for (qsizetype i = 0; i < length; ++i)
        any |= static_cast<unsigned char>(text[i]);
    return any < 0x80;
}

int asciiCaseCompare(const char *a, qsizetype aLength, const char *b, qsizetype bLength)
{
    const qsizetype n = std::min(aLength, bLength);
    for (qsizetype i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca += 'a' - 'A';
        if (cb >= 'A' && cb <= 'Z')
            cb += 'a' - 'A';
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

// Orders like asciiCaseCompare on the first eight bytes: names hold no NUL,
// so the zero padding puts a shorter name first.
quint64 foldedPrefix(const char *name, qsizetype length)
{
    quint64 prefix = 0;
    for (qsizetype i = 0; i < 8; ++i) {
        unsigned char c = i < length ? static_cast<unsigned char>(name[i]) : 0;
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        prefix = (prefix << 8) | c;
    }
    return prefix;
}

int exactCompare(const char *a, qsizetype aLength, const char *b, qsizetype bLength)
{
    const int c = std::memcmp(a, b, size_t(std::min(aLength, bLength)));
    if (c != 0)
        return c;
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 sum;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

} // namespace

struct Node
{
    Node *parent = nullptr;
    QByteArray rootPath;          // set on the folder GetFolder opened
    quint32 nameOffset = 0;       // into parent->names
    quint16 nameLength = 0;
    qint16 statError = 0;         // of this folder's own stat in its parent's listing
    bool statPending = false;     // not stat-ed yet; only the builder's thread stats it later
    qint64 modified = 0;

    std::atomic<NodeState> state{NodeState::Unread};
    // Valid once state is Read (published with release ordering).
    QByteArray names;
    std::vector<std::unique_ptr<Node>> folders;
    std::vector<FileRecord> files;
    qint64 filesTotal = 0;
    qsizetype firstFailedFile = -1;
    // Valid once state is Failed.
    FileSystemError::Operation failedOperation = FileSystemError::Operation::OpenFolder;
    int failedError = 0;

    std::atomic<qint64> total{-1};

    const char *name() const
    {
        return parent ? parent->names.constData() + nameOffset : rootName();
    }
    const char *rootName() const
    {
        const qsizetype end = rootPath.size() > 1 && rootPath.endsWith('/') ? rootPath.size() - 1 : rootPath.size();
        const qsizetype slash = rootPath.lastIndexOf('/', end - 1);
        // Root's name is its last component; "/" names itself.
        if (slash < 0 || end <= 1)
            return rootPath.constData();
        return rootPath.constData() + slash + 1;
    }
    QByteArray nameBytes() const
    {
        if (parent)
            return QByteArray(name(), nameLength);
        QByteArray result(rootName());
        if (result.size() > 1 && result.endsWith('/'))
            result.chop(1);
        return result;
    }
    QByteArray path() const
    {
        if (!parent)
            return rootPath;
        QByteArray result = parent->path();
        if (!result.endsWith('/'))
            result += '/';
        result.append(name(), nameLength);
        return result;
    }
    QByteArray filePath(qsizetype index) const
    {
        QByteArray result = path();
        if (!result.endsWith('/'))
            result += '/';
        const FileRecord &record = files[size_t(index)];
        result.append(names.constData() + record.nameOffset, record.nameLength);
        return result;
    }
};

// One step of a thread's descent. The folder's descriptor is opened only
// when this thread has to read something through it.
struct Frame
{
    Node *node;
    Frame *up;
    int depth;
    int fd = -1;
    int openError = 0;

    Frame(Node *n, Frame *u) : node(n), up(u), depth(u ? u->depth + 1 : 0) {}
    Frame(const Frame &) = delete;
    Frame &operator=(const Frame &) = delete;
    ~Frame()
    {
        if (fd >= 0)
            ::close(fd);
    }

    int descriptor()
    {
        if (fd >= 0 || openError)
            return fd;
        if (up && up->depth < kHeldDepth) {
            const int parentFd = up->descriptor();
            if (parentFd < 0) {
                openError = up->openError;
                return -1;
            }
            fd = ::openat(parentFd, node->name(), kDirectoryFlags | O_NOFOLLOW);
        } else {
            // The folder GetFolder was given may itself be a link the user chose.
            fd = ::open(node->path().constData(), kDirectoryFlags | (node->parent ? O_NOFOLLOW : 0));
        }
        if (fd < 0)
            openError = errno;
        return fd;
    }
};

class Walk
{
public:
    Walk(FileSystemObject::Heartbeat heartbeat, std::chrono::milliseconds interval, int helperThreads)
        : m_heartbeat(std::move(heartbeat)), m_interval(interval), m_helperThreads(helperThreads)
    {
    }
    ~Walk() { stop(); }

    void stop()
    {
        m_cancelled.store(true, std::memory_order_relaxed);
        if (m_helper.joinable())
            m_helper.join();
    }

    FileSystemCounters counters() const
    {
        return {m_stated.load(std::memory_order_relaxed), m_foldersRead.load(std::memory_order_relaxed)};
    }

    Node *openRoot(const QByteArray &path)
    {
        if (path.contains('\0'))
            throw FileSystemError(FileSystemError::Operation::OpenFolder, path, EINVAL);
        auto root = std::make_unique<Node>();
        root->rootPath = path;
        const int fd = ::open(path.constData(), kDirectoryFlags);
        if (fd < 0)
            throw FileSystemError(FileSystemError::Operation::OpenFolder, path, errno);
        struct stat st;
        const int statResult = ::fstat(fd, &st);
        const int statError = errno;
        ::close(fd);
        if (statResult != 0)
            throw FileSystemError(FileSystemError::Operation::OpenFolder, path, statError);
        m_stated.fetch_add(1, std::memory_order_relaxed);
        root->modified = st.st_mtim.tv_sec;
        m_roots.push_back(std::move(root));
        return m_roots.back().get();
    }

    // Makes sure the node's listing is there, reading it on this thread or
    // waiting for the helper that is reading it.
    void ensureRead(Node *node, Frame &frame, bool helper)
    {
        NodeState state = node->state.load(std::memory_order_acquire);
        if (state == NodeState::Unread
            && node->state.compare_exchange_strong(state, NodeState::Reading, std::memory_order_acq_rel)) {
            try {
                read(node, frame, helper);
            } catch (...) {
                // Never leave the other thread waiting for a read that ended
                // (out of memory, or the builder cancelled from a heartbeat).
                fail(node, FileSystemError::Operation::ReadFolder, ENOMEM);
                throw;
            }
            if (frame.depth >= kHeldDepth && frame.fd >= 0) {
                ::close(frame.fd);
                frame.fd = -1;
            }
            return;
        }
        if (helper) {
            while (state == NodeState::Reading) {
                node->state.wait(NodeState::Reading, std::memory_order_acquire);
                state = node->state.load(std::memory_order_acquire);
            }
            return;
        }
        // The helper may be in a huge folder: the builder's thread keeps
        // beating while it waits. Such waits are rare (where the threads meet).
        while (state == NodeState::Reading) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            beat();
            state = node->state.load(std::memory_order_acquire);
        }
    }

    // For a folder handle on the builder's thread.
    void ensureReadOrThrow(Node *node)
    {
        if (node->state.load(std::memory_order_acquire) != NodeState::Read) {
            Frame frame(node, nullptr);
            m_lastBeat = std::chrono::steady_clock::now();
            ensureRead(node, frame, false);
        }
        throwIfFailed(node);
    }

    static void throwIfFailed(Node *node)
    {
        if (node->state.load(std::memory_order_acquire) == NodeState::Failed)
            throw FileSystemError(node->failedOperation, node->path(), node->failedError);
    }

    // A folder's own stat, left out of its parent's read.
    void statFolder(Node *node)
    {
        struct stat st;
        m_stated.fetch_add(1, std::memory_order_relaxed);
        if (::fstatat(AT_FDCWD, node->path().constData(), &st, AT_SYMLINK_NOFOLLOW) == 0)
            node->modified = st.st_mtim.tv_sec;
        else
            node->statError = qint16(errno);
        node->statPending = false;
    }

    qint64 totalOrThrow(Node *node)
    {
        const qint64 known = node->total.load(std::memory_order_acquire);
        if (known >= 0)
            return known;
        startHelper(node);
        m_lastBeat = std::chrono::steady_clock::now();
        return total(node, nullptr, false);
    }

private:
    void read(Node *node, Frame &frame, bool helper)
    {
        if (frame.depth > kMaxDepth) {
            fail(node, FileSystemError::Operation::OpenFolder, ENAMETOOLONG);
            return;
        }
        const int fd = frame.descriptor();
        if (fd < 0) {
            fail(node, FileSystemError::Operation::OpenFolder, frame.openError);
            return;
        }

        struct Pending
        {
            quint64 prefix;     // the first eight bytes, ASCII-folded, for a quick first comparison
            qint64 size;
            qint64 modified;
            quint32 nameOffset;
            quint16 nameLength;
            qint16 error;
            bool folder;
            bool statPending;
        };
        std::vector<Pending> pending;
        QByteArray names;
        bool allAscii = true;
        qint64 stated = 0;

        // getdents64 straight on the descriptor: readdir's stream would cost
        // two more system calls per folder, and the walk is made of those.
        alignas(8) char buffer[32768];
        for (;;) {
            const ssize_t got = ::getdents64(fd, buffer, sizeof buffer);
            if (got < 0) {
                fail(node, FileSystemError::Operation::ReadFolder, errno);
                return;
            }
            if (got == 0)
                break;
            // A folder of many thousands of entries takes a while; the window
            // gets its turns meanwhile (a throw ends the read in ensureRead).
            if (!helper)
                beat();
            for (ssize_t at = 0; at < got;) {
                const auto *entry = reinterpret_cast<const struct dirent64 *>(buffer + at);
                at += entry->d_reclen;
                const char *name = entry->d_name;
                if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                    continue;
                const qsizetype length = qsizetype(std::strlen(name));
                Pending p{foldedPrefix(name, length), 0, 0, quint32(names.size()), quint16(length), 0, false, false};
                names.append(name, length);
                names.append('\0');
                allAscii = allAscii && isAscii(name, length);

                if (entry->d_type == DT_DIR) {
                    // A folder's own date is wanted only when it gets a row;
                    // most folders of a total never do.
                    p.folder = true;
                    p.statPending = true;
                } else {
                    struct stat st;
                    ++stated;
                    if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                        p.folder = S_ISDIR(st.st_mode);
                        p.size = p.folder ? 0 : qint64(st.st_size);
                        p.modified = st.st_mtim.tv_sec;
                    } else {
                        // Vanished or unreadable: kept, and fails when asked for.
                        p.error = qint16(errno);
                    }
                }
                pending.push_back(p);
            }
        }
        m_stated.fetch_add(stated, std::memory_order_relaxed);
        m_foldersRead.fetch_add(1, std::memory_order_relaxed);

        sortByName(pending, names, allAscii);

        node->names = names;
        for (const Pending &p : pending) {
            if (p.folder) {
                auto child = std::make_unique<Node>();
                child->parent = node;
                child->nameOffset = p.nameOffset;
                child->nameLength = p.nameLength;
                child->statError = p.error;
                child->modified = p.modified;
                child->statPending = p.statPending;
                node->folders.push_back(std::move(child));
            } else {
                if (p.error && node->firstFailedFile < 0)
                    node->firstFailedFile = qsizetype(node->files.size());
                node->files.push_back(FileRecord{p.size, p.modified, p.nameOffset, p.nameLength, p.error});
                node->filesTotal = saturatingAdd(node->filesTotal, p.size);
            }
        }
        node->state.store(NodeState::Read, std::memory_order_release);
        node->state.notify_all();
    }

    template<typename Pending>
    static void sortByName(std::vector<Pending> &pending, const QByteArray &names, bool allAscii)
    {
        const char *base = names.constData();
        if (allAscii) {
            std::sort(pending.begin(), pending.end(), [base](const Pending &a, const Pending &b) {
                if (a.prefix != b.prefix)
                    return a.prefix < b.prefix;
                const char *an = base + a.nameOffset;
                const char *bn = base + b.nameOffset;
                const int c = asciiCaseCompare(an, a.nameLength, bn, b.nameLength);
                return c != 0 ? c < 0 : exactCompare(an, a.nameLength, bn, b.nameLength) < 0;
            });
            return;
        }
        // Names beyond ASCII compare as the user reads them: decoded, case-folded.
        std::vector<std::pair<QString, Pending>> keyed;
        keyed.reserve(pending.size());
        for (const Pending &p : pending)
            keyed.emplace_back(QFile::decodeName(QByteArray(base + p.nameOffset, p.nameLength)), p);
        std::sort(keyed.begin(), keyed.end(), [base](const auto &a, const auto &b) {
            const int c = QString::compare(a.first, b.first, Qt::CaseInsensitive);
            if (c != 0)
                return c < 0;
            return exactCompare(base + a.second.nameOffset, a.second.nameLength,
                                base + b.second.nameOffset, b.second.nameLength) < 0;
        });
        for (size_t i = 0; i < keyed.size(); ++i)
            pending[i] = keyed[i].second;
    }

    void fail(Node *node, FileSystemError::Operation operation, int error)
    {
        node->failedOperation = operation;
        node->failedError = error;
        node->state.store(NodeState::Failed, std::memory_order_release);
        node->state.notify_all();
    }

    // The subtree total of node. On the builder's thread (helper == false) a
    // failure throws; the helper just gives up on that branch and goes on.
    qint64 total(Node *node, Frame *up, bool helper)
    {
        const qint64 known = node->total.load(std::memory_order_acquire);
        if (known >= 0)
            return known;
        if (helper && m_cancelled.load(std::memory_order_relaxed))
            return -1;

        Frame frame(node, up);
        ensureRead(node, frame, helper);
        if (node->state.load(std::memory_order_acquire) == NodeState::Failed) {
            if (helper)
                return -1;
            throwIfFailed(node);
        }
        if (!helper) {
            beat();
            if (node->firstFailedFile >= 0) {
                const FileRecord &record = node->files[size_t(node->firstFailedFile)];
                throw FileSystemError(FileSystemError::Operation::ReadEntry,
                                      node->filePath(node->firstFailedFile), record.error);
            }
        }

        qint64 sum = node->filesTotal;
        bool complete = node->firstFailedFile < 0;
        const qsizetype count = qsizetype(node->folders.size());
        for (qsizetype i = 0; i < count; ++i) {
            // The helper takes the folders from the far end, so the two threads
            // rarely want the same folder until they meet.
            Node *child = node->folders[size_t(helper ? count - 1 - i : i)].get();
            const qint64 childTotal = total(child, &frame, helper);
            if (childTotal < 0)
                complete = false;
            else
                sum = saturatingAdd(sum, childTotal);
        }
        if (!complete)
            return -1;
        node->total.store(sum, std::memory_order_release);
        return sum;
    }

    void beat()
    {
        if (!m_heartbeat)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastBeat >= m_interval) {
            m_lastBeat = now;
            m_heartbeat();
            m_lastBeat = std::chrono::steady_clock::now();
        }
    }

    void startHelper(Node *node)
    {
        if (m_helperStarted || m_helperThreads <= 0)
            return;
        m_helperStarted = true;
        Node *root = node;
        while (root->parent)
            root = root->parent;
        try {
            m_helper = std::thread([this, root] {
                try {
                    total(root, nullptr, true);
                } catch (...) {
                    // Out of memory on the helper: the builder's thread does the work itself.
                }
            });
        } catch (const std::system_error &) {
            // No thread to be had: the builder's thread walks alone.
        }
    }

    FileSystemObject::Heartbeat m_heartbeat;
    std::chrono::milliseconds m_interval;
    std::chrono::steady_clock::time_point m_lastBeat;
    int m_helperThreads;
    bool m_helperStarted = false;
    std::thread m_helper;
    std::atomic<bool> m_cancelled{false};
    std::atomic<qint64> m_stated{0};
    std::atomic<qint64> m_foldersRead{0};
    std::vector<std::unique_ptr<Node>> m_roots;
};

class Folder : public FileSystemFolder
{
public:
    Folder(std::shared_ptr<Walk> walk, Node *node) : m_walk(std::move(walk)), m_node(node) {}

    QByteArray Name() const override { return m_node->nameBytes(); }
    QByteArray Path() const override { return m_node->path(); }
    qint64 Size() override { return m_walk->totalOrThrow(m_node); }

    FileTime DateLastModified() override
    {
        if (m_node->statPending)
            m_walk->statFolder(m_node);
        if (m_node->statError)
            throw FileSystemError(FileSystemError::Operation::ReadEntry, m_node->path(), m_node->statError);
        return FileTime(std::chrono::seconds(m_node->modified));
    }

    QList<std::shared_ptr<FileSystemFolder>> SubFolders() override
    {
        m_walk->ensureReadOrThrow(m_node);
        QList<std::shared_ptr<FileSystemFolder>> result;
        result.reserve(qsizetype(m_node->folders.size()));
        for (const auto &child : m_node->folders)
            result.append(std::make_shared<Folder>(m_walk, child.get()));
        return result;
    }

    FileSystemFiles Files() override
    {
        m_walk->ensureReadOrThrow(m_node);
        return FileSystemFiles(this, qsizetype(m_node->files.size()));
    }

protected:
    QByteArrayView fileName(qsizetype index) const override
    {
        const FileRecord &record = m_node->files[size_t(index)];
        return QByteArrayView(m_node->names.constData() + record.nameOffset, record.nameLength);
    }

    qint64 fileSize(qsizetype index) override
    {
        return checked(index).size;
    }

    FileTime fileDateLastModified(qsizetype index) override
    {
        return FileTime(std::chrono::seconds(checked(index).modified));
    }

private:
    const FileRecord &checked(qsizetype index) const
    {
        const FileRecord &record = m_node->files[size_t(index)];
        if (record.error)
            throw FileSystemError(FileSystemError::Operation::ReadEntry, m_node->filePath(index), record.error);
        return record;
    }

    std::shared_ptr<Walk> m_walk;
    Node *m_node;
};

} // namespace PosixFileSystemDetail

using namespace PosixFileSystemDetail;

PosixFileSystem::PosixFileSystem()
    : m_helperThreads(std::thread::hardware_concurrency() > 1 ? 1 : 0)
{
}

PosixFileSystem::~PosixFileSystem()
{
    endBuild();
}

void PosixFileSystem::beginBuild(Heartbeat heartbeat)
{
    endBuild();
    m_heartbeat = std::move(heartbeat);
    m_walk = std::make_shared<Walk>(m_heartbeat, m_heartbeatInterval, m_helperThreads);
}

void PosixFileSystem::endBuild()
{
    if (!m_walk)
        return;
    m_walk->stop();
    m_lastCounters = m_walk->counters();
    // Folder handles still held somewhere keep the walk's data alive.
    m_walk.reset();
    m_heartbeat = {};
}

std::shared_ptr<Walk> PosixFileSystem::walk()
{
    // Outside beginBuild/endBuild every GetFolder reads afresh.
    if (!m_walk)
        return std::make_shared<Walk>(Heartbeat{}, m_heartbeatInterval, 0);
    return m_walk;
}

std::shared_ptr<FileSystemFolder> PosixFileSystem::GetFolder(const QByteArray &path)
{
    std::shared_ptr<Walk> w = walk();
    Node *node = w->openRoot(path);
    return std::make_shared<Folder>(std::move(w), node);
}

FileSystemCounters PosixFileSystem::counters() const
{
    return m_walk ? m_walk->counters() : m_lastCounters;
}

void PosixFileSystem::setHeartbeatInterval(std::chrono::milliseconds interval)
{
    m_heartbeatInterval = interval;
}

void PosixFileSystem::setHelperThreads(int count)
{
    m_helperThreads = std::clamp(count, 0, 1);
}

std::unique_ptr<FileSystemObject> createFileSystemObject()
{
    return std::make_unique<PosixFileSystem>();
}
