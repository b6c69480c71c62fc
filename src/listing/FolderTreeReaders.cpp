// The queue of folders to read and the reader threads that take them.

#include "listing/FolderTree.h"
#include "listing/FolderTreeParts.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <sys/resource.h>
#include <unistd.h>

using namespace FolderTreeParts;

namespace {

// How far a reader gives way to the window's thread once reads wait.
constexpr int kReaderNice = 10;

// Whether a comes before b in listing order; a folder comes before its contents.
bool before(const Node *a, const Node *b)
{
    const Node *x = a;
    const Node *y = b;
    while (x->level > y->level)
        x = x->parent;
    while (y->level > x->level)
        y = y->parent;
    if (x == y)
        return a->level < b->level;
    while (x->parent != y->parent) {
        x = x->parent;
        y = y->parent;
    }
    return x->index < y->index;
}

// Heap order: a larger folder on top, as the longest to read; among the
// rest the earliest, as the build takes them in that order.
bool later(const Node *a, const Node *b)
{
    if (a->sizeClass != b->sizeClass)
        return a->sizeClass < b->sizeClass;
    return before(b, a);
}

} // namespace

void FolderTree::push(Node *node)
{
    m_queue.push_back(node);
    std::push_heap(m_queue.begin(), m_queue.end(), later);
}

FolderTree::Node *FolderTree::pop()
{
    std::pop_heap(m_queue.begin(), m_queue.end(), later);
    Node *node = m_queue.back();
    m_queue.pop_back();
    node->state = State::Reading;
    // Taken now, with the lock already held; the parent keeps it open until
    // this folder is listed.
    node->through = node->parent ? node->parent->handle : -1;
    return node;
}

// With the lock held. No more threads to be had: fewer readers, or none,
// and then the build reads for itself.
void FolderTree::addReader()
{
    if (m_stop || int(m_readers.size()) >= m_fs.readerThreads())
        return;
    try {
        m_readers.emplace_back([this] { readerLoop(); });
    } catch (const std::system_error &) {}
}

// With the lock held, after a read. On a warm cache reading is CPU work
// that two cores share with the window, and a few readers do it best; a
// read that waited for the disk or a share, with work left and no reader
// idle, doubles them, so that many calls are in flight within a few round
// trips.
void FolderTree::moreReaders(bool waited)
{
    if (!waited)
        return;
    if (m_idle > 0 || !hasWork() || !coresFree())
        return;
    for (size_t i = m_readers.size(); i > 0; --i)
        addReader();
}

// With the lock held: whether the cores have room for more readers, asked
// at most once per step of a few milliseconds, so that each doubling shows
// its effect before the next. Where the process keeps the cores busy
// already, reads that wait mostly wait for a CPU (a cold local disk has the
// kernel make each inode anew), and more readers would only crowd out the
// window.
bool FolderTree::coresFree()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_cpuBound || now - m_cpuSampledAt < std::chrono::milliseconds(10))
        return false;
    struct rusage usage;
    if (::getrusage(RUSAGE_SELF, &usage) != 0)
        return false;
    const auto cpu = std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                     + std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    const double cores = std::chrono::duration<double>(cpu - m_cpuSample).count()
                         / std::chrono::duration<double>(now - m_cpuSampledAt).count();
    m_cpuSample = cpu;
    m_cpuSampledAt = now;
    // Half of them: the window needs its share, and the readers' CPU use
    // swings from one step to the next. Once there, it stays so.
    m_cpuBound = cores >= 0.5 * std::max(1u, std::thread::hardware_concurrency());
    return !m_cpuBound;
}

// With the lock held: a folder whose details an idle reader may help with,
// the one with the most left, as it takes longest.
FolderTree::Details *FolderTree::sharedDetails() const
{
    if (m_shareable == 0)
        return nullptr;
    Details *most = nullptr;
    for (Details *details : m_details) {
        if (details->shareable && details->workers < details->cap && details->open()
            && (!most || details->order.size() - details->next > most->order.size() - most->next))
            most = details;
    }
    return most;
}

bool FolderTree::hasWork() const
{
    return (!m_queue.empty() && (m_retained < kReadAhead || m_buildWaiting)) || sharedDetails();
}

// Once the build's thread is found waiting for a CPU (noteCrowding), this
// reader gives way to it: a window listing a cold local disk would
// otherwise wait behind all the readers, which keep the kernel busy making
// each inode anew. The build's lock is no trouble: the build takes it only
// to wait for what is not read yet.
void FolderTree::giveWay()
{
    const auto self = id_t(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, self, std::min(nice + kReaderNice, 19));
}

void FolderTree::readerLoop()
{
    bool yielding = false;
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_work.wait(lock, [this] { return m_stop || hasWork(); });
        --m_idle;
        if (m_stop)
            return;
        if (m_crowded && !yielding) {
            yielding = true;
            giveWay();
        }
        try {
            moreReaders(readOne(lock, m_readerBeat));
        } catch (const Stopped &) {
            return;
        } catch (...) {
            // Out of memory, most likely: the build rethrows it.
            if (!lock.owns_lock())
                lock.lock();
            stopWith(std::current_exception());
            return;
        }
    }
}

// With the lock held, as it is again on return: reads a queued folder, or
// else a chunk of a large folder's details. True when the read waited.
bool FolderTree::readOne(std::unique_lock<std::mutex> &lock, const Beat &beat)
{
    if (!m_queue.empty() && (m_retained < kReadAhead || m_buildWaiting)) {
        Node *node = pop();
        lock.unlock();
        const bool waited = readNode(node, beat);
        lock.lock();
        return waited;
    }
    Details *details = sharedDetails();
    Chunk chunk;
    if (!details || !takeChunk(details, chunk))
        return false;
    lock.unlock();
    readChunks(details, chunk, beat, false);
    lock.lock();
    return false; // the chunk's own wait added readers already
}

// With the lock held.
void FolderTree::stopWith(std::exception_ptr failure)
{
    if (!m_failure)
        m_failure = std::move(failure);
    m_stop = true;
    m_work.notify_all();
    m_done.notify_all();
}
