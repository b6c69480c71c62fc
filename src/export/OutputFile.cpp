#include "export/OutputFile.h"

#include "print/PrintError.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcOutput, "foliotrace.output", QtInfoMsg)

namespace {

// What a stop signal finds. Only lock-free atomics and fixed buffers: the
// handler may run in the middle of anything.
enum Phase : int { Running, Committing, Stopping };
std::atomic<int> g_phase{Running};
std::atomic<int> g_deferredSignal{0};
void (*g_lastWords)() = nullptr;
static_assert(std::atomic<int>::is_always_lock_free);

enum SlotState : int { Free, Filling, Live };
struct TemporarySlot
{
    std::atomic<int> state{Free};
    char path[PATH_MAX];
};
TemporarySlot g_slots[8];

int registerTemporary(const QByteArray &path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < int(std::size(g_slots)); ++i) {
        int expected = Free;
        if (g_slots[i].state.compare_exchange_strong(expected, Filling)) {
            std::memcpy(g_slots[i].path, path.constData(), size_t(path.size()) + 1);
            g_slots[i].state.store(Live);
            return i;
        }
    }
    return -1; // more outputs open at once than the program ever has
}

void unregisterTemporary(int slot)
{
    if (slot >= 0)
        g_slots[slot].state.store(Free);
}

void endBySignal(int signal)
{
    for (TemporarySlot &slot : g_slots) {
        if (slot.state.load() == Live)
            ::unlink(slot.path);
    }
    if (g_lastWords)
        g_lastWords();
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    // In the handler the signal is blocked, and comes as it returns.
    ::raise(signal);
}

extern "C" void onStopSignal(int signal)
{
    int expected = Running;
    if (g_phase.compare_exchange_strong(expected, Stopping))
        endBySignal(signal);
    else if (expected == Committing)
        g_deferredSignal.store(signal);
    // Stopping already: the first signal ends the program.
}

// A rename or a copy-in that a stop signal waits for, so that a file is
// either as it was or complete.
class CommitSection
{
public:
    CommitSection()
    {
        for (int expected = Running; !g_phase.compare_exchange_weak(expected, Committing); expected = Running) {
            if (expected == Stopping)
                ::pause(); // the handler on another thread ends the program
            else
                ::sched_yield();
        }
    }
    ~CommitSection()
    {
        g_phase.store(Running);
        if (const int signal = g_deferredSignal.exchange(0))
            endBySignal(signal);
    }
    CommitSection(const CommitSection &) = delete;
    CommitSection &operator=(const CommitSection &) = delete;
};

// The descriptor a name stands for when it names one already open
// (standard output above all), or -1.
int openDescriptorNamed(const QByteArray &name)
{
    if (name == "-" || name == "/dev/stdout")
        return STDOUT_FILENO;
    if (name == "/dev/stderr")
        return STDERR_FILENO;
    for (const QByteArrayView prefix : {QByteArrayView("/dev/fd/"), QByteArrayView("/proc/self/fd/")}) {
        bool number = false;
        const int fd = name.startsWith(prefix) ? name.mid(prefix.size()).toInt(&number) : -1;
        if (number && fd >= 0)
            return fd;
    }
    return -1;
}

struct Followed
{
    QByteArray path; // no link, or not there
    int descriptor = -1;
    int error = 0;
};

// Where a name leads once its links are followed, dangling ones too: a
// link to a name not yet there makes that name.
Followed followLinks(QByteArray path)
{
    for (int hops = 0; hops <= 40; ++hops) {
        if (const int fd = openDescriptorNamed(path); fd >= 0)
            return {path, fd};
        char link[PATH_MAX];
        const ssize_t size = ::readlink(path.constData(), link, sizeof link);
        if (size < 0)
            return {path}; // no link; what else is wrong the next look tells
        if (size_t(size) == sizeof link)
            return {path, -1, ENAMETOOLONG};
        const QByteArray to(link, size);
        const qsizetype slash = path.lastIndexOf('/');
        path = to.startsWith('/') || slash < 0 ? to : path.left(slash + 1) + to;
    }
    return {path, -1, ELOOP};
}

QString reasonFor(int error)
{
    return qt_error_string(error);
}

constexpr qsizetype Chunk = 1 << 16;

} // namespace

struct OutputFile::Existing
{
    mode_t mode;
    uid_t owner;
    gid_t group;
    bool linked; // more than one name
};

OutputFile::OutputFile(const QString &fileName) : m_name(fileName)
{
    try {
        if (fileName.isEmpty())
            fail(ENOENT);
        const Followed target = followLinks(fileName == u"-" ? QByteArray("-") : QFile::encodeName(fileName));
        if (target.error)
            fail(target.error);
        struct stat found = {};
        if (target.descriptor >= 0) {
            m_fd = ::fcntl(target.descriptor, F_DUPFD_CLOEXEC, 3);
            if (m_fd < 0)
                fail(errno);
        } else if (::lstat(target.path.constData(), &found) != 0) {
            if (errno != ENOENT)
                fail(errno);
            openTemporary(target.path, nullptr);
        } else if (S_ISDIR(found.st_mode)) {
            fail(EISDIR);
        } else if (S_ISREG(found.st_mode)) {
            // Replaced or not, a file the user may not write is left alone.
            if (::faccessat(AT_FDCWD, target.path.constData(), W_OK, AT_EACCESS) != 0)
                fail(errno);
            const Existing existing{found.st_mode, found.st_uid, found.st_gid, found.st_nlink > 1};
            openTemporary(target.path, &existing);
        } else {
            openStream(target.path, S_ISSOCK(found.st_mode));
        }
    } catch (...) {
        forgetTemporary();
        for (int fd : {m_fd, m_linkedFd}) {
            if (fd >= 0)
                ::close(fd);
        }
        throw;
    }
    m_terminal = m_kind == Kind::Stream && ::isatty(m_fd) == 1;
    m_buffer.reserve(Chunk + Chunk / 4);
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

OutputFile::~OutputFile()
{
    forgetTemporary();
    for (int fd : {m_fd, m_linkedFd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

void OutputFile::openTemporary(const QByteArray &target, const Existing *existing)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = target.left(slash + 1);
    // Room for what is added within a name's 255 bytes.
    const QByteArray base = target.mid(slash + 1).left(200);
    // For a moment no more open than the file it replaces.
    const mode_t mode = existing ? existing->mode & 0777 : 0666;
    for (int attempt = 0; m_fd < 0; ++attempt) {
        // Known to a stop signal before it exists, so that no moment leaves it
        // behind; the name is random, so that the moment it is another's is none.
        m_temporary = folder + '.' + base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        m_slot = registerTemporary(m_temporary);
        m_fd = ::open(m_temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (m_fd >= 0)
            break;
        const int error = errno;
        unregisterTemporary(std::exchange(m_slot, -1));
        m_temporary.clear();
        if (error == EEXIST && attempt < 100)
            continue;
        if (existing && (error == EACCES || error == EPERM)) {
            fail(tr("its folder is not writable (%1), and a file is only replaced by a complete listing "
                    "written beside it")
                     .arg(reasonFor(error)));
        }
        fail(error);
    }
    if (existing && existing->linked) {
        m_kind = Kind::CopyIn;
        m_linkedFd = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (m_linkedFd < 0)
            fail(errno);
        return;
    }
    m_kind = Kind::Replace;
    m_target = target;
    if (existing) {
        // Only root may give a file away, and anyone may keep a group they
        // belong to; what cannot be kept is no reason to fail.
        if (::fchown(m_fd, existing->owner, existing->group) != 0 && ::fchown(m_fd, uid_t(-1), existing->group) != 0)
            qCDebug(lcOutput) << "kept neither owner nor group of" << m_name;
        // After fchown, which clears the set-user-ID bit.
        if (::fchmod(m_fd, existing->mode & 07777) != 0)
            fail(errno);
    }
}

void OutputFile::openStream(const QByteArray &target, bool socket)
{
    m_kind = Kind::Stream;
    if (socket) {
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        if (size_t(target.size()) >= sizeof address.sun_path)
            fail(ENAMETOOLONG);
        std::memcpy(address.sun_path, target.constData(), size_t(target.size()));
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_fd < 0 || ::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
            fail(errno);
        return;
    }
    // A FIFO without a reader waits here; a stop signal still ends the program.
    do
        m_fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        fail(errno);
}

qint64 OutputFile::writeData(const char *data, qint64 size)
{
    if (m_error)
        return -1;
    if (m_terminal)
        m_escapes.append(m_buffer, QByteArrayView(data, size));
    else
        m_buffer.append(data, size);
    if (m_buffer.size() >= Chunk && !drain())
        return -1;
    return size;
}

bool OutputFile::drain()
{
    qsizetype done = 0;
    while (!m_error && done < m_buffer.size()) {
        const ssize_t written = ::write(m_fd, m_buffer.constData() + done, size_t(m_buffer.size() - done));
        if (written > 0) {
            done += written;
        } else if (written < 0 && errno == EAGAIN) {
            // Standard output may come non-blocking from whoever started us.
            pollfd ready = {m_fd, POLLOUT, 0};
            ::poll(&ready, 1, -1);
        } else if (written == 0 || errno != EINTR) {
            m_error = written == 0 ? EIO : errno;
        }
    }
    if (m_error) {
        setErrorString(reasonFor(m_error));
        return false;
    }
    m_buffer.resize(0);
    return true;
}

void OutputFile::commit()
{
    if (m_committed)
        return;
    if (m_terminal)
        m_escapes.finish(m_buffer);
    if (!drain())
        fail(m_error);
    switch (m_kind) {
    case Kind::Stream:
        // A network file system may tell a failed write only now.
        if (::close(std::exchange(m_fd, -1)) != 0 && errno != EINTR)
            fail(errno);
        break;
    case Kind::Replace: {
        // Everything that can fail before the file is replaced, nothing after.
        if (::fsync(m_fd) != 0 || ::close(std::exchange(m_fd, -1)) != 0)
            fail(errno);
        const CommitSection section;
        if (::rename(m_temporary.constData(), m_target.constData()) != 0)
            fail(errno);
        // Renamed: no longer ours to remove.
        m_temporary.clear();
        forgetTemporary();
        break;
    }
    case Kind::CopyIn: {
        if (::fsync(m_fd) != 0)
            fail(errno);
        const CommitSection section;
        copyIn();
        break;
    }
    }
    m_committed = true;
    QIODevice::close();
}

// The complete listing into the linked file from its start, the rest cut off.
void OutputFile::copyIn()
{
    const off_t size = ::lseek(m_fd, 0, SEEK_END);
    if (size < 0)
        fail(errno);
    // Room first where the file system can promise it: a full disk then
    // fails with the file untouched.
    if (::fallocate(m_linkedFd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && (errno == ENOSPC || errno == EDQUOT))
        fail(errno);
    int error = 0;
    char block[Chunk];
    for (off_t at = 0; !error && at < size;) {
        const ssize_t got = ::pread(m_fd, block, sizeof block, at);
        if (got <= 0) {
            error = got < 0 ? errno : EIO;
            break;
        }
        for (ssize_t put = 0; !error && put < got;) {
            const ssize_t n = ::pwrite(m_linkedFd, block + put, size_t(got - put), at + put);
            if (n > 0)
                put += n;
            else if (n == 0 || errno != EINTR)
                error = n == 0 ? EIO : errno;
        }
        at += got;
    }
    if (!error && ::ftruncate(m_linkedFd, size) != 0)
        error = errno;
    if (!error && ::fsync(m_linkedFd) != 0)
        error = errno;
    if (!error) {
        ::close(std::exchange(m_linkedFd, -1));
        forgetTemporary();
        return;
    }
    // The file may be half changed now; the whole listing stays where it was made.
    const QString kept = QDir::toNativeSeparators(QFile::decodeName(std::exchange(m_temporary, QByteArray())));
    forgetTemporary();
    fail(tr("%1; the complete listing is kept in %2").arg(reasonFor(error), kept));
}

void OutputFile::forgetTemporary()
{
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
    unregisterTemporary(std::exchange(m_slot, -1));
}

void OutputFile::throwFailure(const QString &otherwise) const
{
    if (m_error)
        fail(m_error);
    fail(otherwise);
}

void OutputFile::fail(int error) const
{
    fail(reasonFor(error));
}

void OutputFile::fail(const QString &reason) const
{
    const QString message = m_name == u"-"
                                ? tr("Cannot write to standard output: %1.").arg(reason)
                                : tr("Cannot write the file %1: %2.").arg(QDir::toNativeSeparators(m_name), reason);
    throw PrintError(PrintError::Cause::OutputFailed, message);
}

void OutputFile::endOnSignals(std::initializer_list<int> stopSignals, void (*lastWords)())
{
    g_lastWords = lastWords;
    struct sigaction stop = {};
    stop.sa_handler = onStopSignal;
    sigemptyset(&stop.sa_mask);
    for (int signal : stopSignals)
        sigaddset(&stop.sa_mask, signal);
    for (int signal : stopSignals)
        ::sigaction(signal, &stop, nullptr);
}

void TerminalText::append(QByteArray &out, QByteArrayView bytes)
{
    for (const char c : bytes) {
        const auto byte = uchar(c);
        if (m_held == '\xc2') {
            m_held = 0;
            if (byte >= 0x80 && byte <= 0x9f) {
                out += "\\u00" + QByteArray::number(byte, 16);
                continue;
            }
            out += '\xc2';
        } else if (m_held == '\r') {
            m_held = 0;
            out += byte == '\n' ? "\r" : "\\x0d";
        }
        if (byte == 0xc2 || (byte == '\r' && m_keepLineEnds)) {
            m_held = c;
        } else if (byte == 0x1b) {
            out += "\\e";
        } else if ((byte < 0x20 && !(m_keepLineEnds && (byte == '\t' || byte == '\n'))) || byte == 0x7f) {
            out += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
}

void TerminalText::finish(QByteArray &out)
{
    if (m_held)
        out += m_held == '\r' ? QByteArray("\\x0d") : QByteArray(1, m_held);
    m_held = 0;
}

QString TerminalText::visible(const QString &text)
{
    TerminalText escapes(false);
    QByteArray out;
    escapes.append(out, text.toUtf8());
    escapes.finish(out);
    return QString::fromUtf8(out);
}
