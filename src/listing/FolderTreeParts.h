#pragma once

// What the parts of FolderTree share; nothing outside it includes this.

#include "listing/FolderTree.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <limits>

#include <cstdio>

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

namespace FolderTreeParts {

using Node = FolderTree::Node;

// Listed file entries the readers may hold ahead of the build; past this they
// read only what the build is waiting for.
constexpr qsizetype kReadAhead = qsizetype(1) << 18;

// Whether reading blocked the thread for a while (the disk, a server): time
// off the CPU other than waiting for one. A loaded machine, which takes the
// CPU away, or a moment's wait for a lock does not count.
class DiskWait
{
public:
    // Asking costs two calls to the kernel, so a subtree's reads ask in turns.
    explicit DiskWait(bool asked = true) : m_start(Clock::now())
    {
        if (asked) {
            m_cpu = threadCpu();
            m_queued = runQueueDelay();
        }
    }
    bool slow() const { return Clock::now() - m_start >= std::chrono::milliseconds(1); }
    bool waited() const
    {
        const auto wall = Clock::now() - m_start;
        if (m_queued < 0 || wall < kBlocked)
            return false;
        const auto blocked = wall - (threadCpu() - m_cpu) - std::chrono::nanoseconds(runQueueDelay() - m_queued);
        return blocked >= kBlocked;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kBlocked{200};

    static std::chrono::nanoseconds threadCpu()
    {
        struct timespec now;
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    }

public:
    // The thread's time runnable but not running, in ns; -1 where the
    // system does not tell.
    static qint64 runQueueDelay()
    {
        // Kept open for the thread's life: opening it costs more than reading it.
        struct File
        {
            const int fd = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
            ~File()
            {
                if (fd >= 0)
                    ::close(fd);
            }
        };
        thread_local const File stats;
        char text[96];
        const ssize_t got = stats.fd >= 0 ? ::pread(stats.fd, text, sizeof text - 1, 0) : -1;
        if (got <= 0)
            return -1;
        text[got] = 0;
        unsigned long long running = 0;
        unsigned long long queued = 0;
        return std::sscanf(text, "%llu %llu", &running, &queued) == 2 ? qint64(queued) : -1;
    }

private:
    Clock::time_point m_start;
    std::chrono::nanoseconds m_cpu{0};
    qint64 m_queued = -1;
};

inline qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 sum;
    if (__builtin_add_overflow(a, b, &sum))
        return std::numeric_limits<qint64>::max();
    return sum;
}

// How large a folder is, from its own size as its parent's reading saw it:
// 0 below 16 KB (a few hundred entries), then one more for each doubling.
inline quint8 sizeClass(qint64 bytes)
{
    return quint8(std::bit_width(quint64(std::max<qint64>(bytes, 0)) >> 14));
}

// Newest first, as the files are; ties and what could not be read keep
// name order, the latter last.
inline void orderFolders(const WalkChoices &choices, std::vector<Node *> &folders)
{
    if (choices.choices().order != ListingOrder::Date)
        return;
    constexpr qint64 Last = std::numeric_limits<qint64>::min();
    std::stable_sort(folders.begin(), folders.end(), [](const Node *a, const Node *b) {
        return (a->statError ? Last : a->modified) > (b->statError ? Last : b->modified);
    });
}

} // namespace FolderTreeParts

// A folder listed, whose entries' details are being read, in chunks.
struct FolderTree::Details
{
    Node *node = nullptr;
    Handle handle = -1;
    bool ownHandle = false;            // closed with the details; else the node keeps it for its sub-folders
    quint64 device = 0;                // the folder's
    std::vector<FolderEntry> entries;  // in name order; the names are the node's
    std::vector<quint32> order;        // which entries to read, in turn (plan)
    size_t folders = 0;                // of order, the first part
    size_t next = 0;                   // first of order not handed out yet
    int out = 0;                       // chunks handed out and not done
    int foldersOut = 0;                // of those, in the first part
    int workers = 0;                   // readers on its chunks now
    quint32 taken = 0;                 // chunks handed out so far
    int cap = 0;                       // readers it may have at once
    bool shareable = false;            // idle readers may take its chunks (counted in m_shareable)
    std::chrono::nanoseconds alone{0}; // a call's time with one reader on the folder
    std::chrono::nanoseconds fastest = std::chrono::nanoseconds::max(); // its fastest call

    // Whether a reader may take a chunk now. The files wait until the
    // possible folders are read: where the file system takes a folder's
    // calls in turn they would hold up the queueing of its sub-folders. Then
    // one reader times a first chunk of them alone.
    bool open() const
    {
        if (next >= order.size())
            return false;
        return next < folders || (foldersOut == 0 && (alone.count() > 0 || workers == 0));
    }
};

// A range of a folder's order one reader reads in one turn.
struct FolderTree::Chunk
{
    size_t begin = 0;
    size_t end = 0;
    int company = 0;      // readers on the folder when it was taken, this one included
    quint32 taken = 0;    // the folder's chunks handed out before it
    bool folders = false; // of the first part of the order
    bool timed = true;    // each call's time wanted
};
