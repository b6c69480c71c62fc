// Reading one folder: opening it, listing it, and reading its entries'
// details, on one thread or in chunks several readers share.

#include "listing/FolderTree.h"
#include "listing/FolderTreeParts.h"
#include "listing/NameOrder.h"

#include <QScopeGuard>

#include <algorithm>
#include <memory>

using namespace FolderTreeParts;

namespace {

// Readers a folder's details start with. Where the file system takes one
// folder's calls in turn, two keep it busy (one call waits while the other
// runs) and the other readers are better used on other folders; where the
// calls run side by side the folder gets twice as many after each chunk
// that shows it.
constexpr int kFirstFolderReaders = 2;
// Below this a call is CPU work rather than a round trip; there is no
// telling then whether they are taken in turn.
constexpr std::chrono::microseconds kRoundTrip{50};
// A folder whose every call takes this long is on a server: on a disk most
// calls of a folder find what an earlier one read.
constexpr std::chrono::microseconds kShareCall{250};
// Names listed whose details wait for a free reader, at most.
constexpr qsizetype kUnreadAhead = qsizetype(1) << 16;

} // namespace

// A queued folder: opened and listed, then read here alone when it is
// unlisted and the listing did not wait (its subtree too), or else in
// chunks. True when the listing waited for the disk.
bool FolderTree::readNode(Node *node, const Beat &beat)
{
    int error = 0;
    const Handle handle = node->parent ? openNode(node, error) : node->handle;
    if (handle < 0) {
        fail(node, FileSystemError::Operation::OpenFolder, error);
        return false;
    }
    // The top folder's handle stays with the tree; others pass on when read,
    // or are closed here. Once failed, the node may be gone.
    auto closeOnThrow = qScopeGuard([this, handle, own = node->parent != nullptr] {
        if (own)
            m_fs.closeFolder(handle);
    });
    FolderEntries entries;
    // Only the listing tells of the disk: an open may have waited for the
    // lock, to open the folder again from an ancestor. Asked in turns, and
    // always after a slow one.
    thread_local quint32 reads = 0;
    thread_local bool slow = false;
    const DiskWait disk(slow || ++reads % 4 == 1);
    error = list(node, handle, entries, beat);
    const bool waited = disk.waited();
    slow = disk.slow();
    if (error) {
        fail(node, FileSystemError::Operation::ReadFolder, error);
        return waited;
    }
    if (waited || node->level <= m_plan.levels) {
        closeOnThrow.dismiss();
        spread(node, handle, std::move(entries), beat);
        return waited;
    }
    readAll(handle, entries, beat);
    attach(node, std::move(entries));
    closeOnThrow.dismiss();
    const bool detailsWaited = disk.waited();
    readBelow(node, handle, beat);
    return detailsWaited;
}

// Lists an open folder into entries, after its identity. 0, or the errno
// that stopped it (LoopError for a folder mounted again below itself, which
// would make the walk endless).
int FolderTree::list(Node *node, Handle handle, FolderEntries &entries, const Beat &beat)
{
    entries.device = node->device;
    entries.inode = node->inode;
    if (const int error = m_fs.listFolder(handle, entries, beat))
        return error;
    for (const Node *up = node->parent; up && entries.inode; up = up->parent) {
        if (up->inode == entries.inode && up->device == entries.device)
            return LoopError;
    }
    node->device = entries.device;
    node->inode = entries.inode;
    return 0;
}

// Every entry's details, on this thread, in the disk's order (on a cold
// disk the order of the names' hashes would cost a seek between most
// entries of a large folder); what vanished is left out.
void FolderTree::readAll(Handle handle, FolderEntries &entries, const Beat &beat)
{
    std::vector<FolderEntry> &list = entries.entries;
    std::vector<std::pair<quint64, quint32>> order(list.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = {list[i].inode, i};
    std::sort(order.begin(), order.end());
    size_t done = 0;
    for (const auto &[number, at] : order) {
        // A cold disk takes a while over many entries: the window gets its turns.
        if (beat && ++done % 64 == 0)
            beat();
        FolderEntry &entry = list[at];
        entry.gone = !m_fs.readEntry(handle, entries.device, entries.name(entry), entry);
    }
    std::erase_if(list, [](const FolderEntry &entry) { return entry.gone; });
}

FolderTree::Node *FolderTree::newChild(Node *parent, const FolderEntry &entry, quint32 index)
{
    auto *child = new Node;
    child->parent = parent;
    child->name = QByteArrayView(parent->names.constData() + entry.nameOffset, entry.nameLength);
    child->index = index;
    child->level = parent->level + 1;
    child->modified = entry.modified;
    child->statError = entry.error;
    child->mounted = entry.mounted;
    child->sizeClass = sizeClass(entry.size);
    child->device = entry.device;
    child->inode = entry.inode;
    return child;
}

// Sorts what one thread read and hangs it on the node; the node is this thread's alone.
void FolderTree::attach(Node *node, FolderEntries &&entries)
{
    std::vector<FolderEntry> &list = entries.entries;
    const bool unlisted = node->level > m_plan.levels;
    // Below the listed depth only folders and failed files keep a place, so
    // only those need the name order; most entries there are files.
    const auto kept
        = unlisted ? std::partition(list.begin(), list.end(), [](const FolderEntry &e) { return e.folder || e.error; })
                   : list.end();
    NameOrder::sort(list.begin(), kept, [&entries](const FolderEntry &entry) {
        return QByteArrayView(entries.name(entry), entry.nameLength);
    });
    node->names = std::move(entries.names);
    const auto folders = std::count_if(list.begin(), list.end(), [](const FolderEntry &e) { return e.folder; });
    node->folders.reserve(size_t(folders));
    for (const FolderEntry &entry : list) {
        if (entry.folder) {
            node->folders.push_back(newChild(node, entry, quint32(node->folders.size())));
            continue;
        }
        if (entry.error)
            node->filesIncomplete = true;
        else
            node->filesTotal = saturatingAdd(node->filesTotal, entry.size);
        // Below the listed depth only what went wrong is still wanted.
        if (!unlisted || entry.error)
            node->files.push_back(entry);
    }
}

FileSystemObject::Handle FolderTree::openNode(Node *node, int &error)
{
    if (node->through >= 0)
        return m_fs.openFolder(node->through, node->name.data(), error);
    const Handle base = reopen(node->parent, error);
    if (base < 0)
        return -1;
    const Handle opened = m_fs.openFolder(base, node->name.data(), error);
    m_fs.closeFolder(base);
    return opened;
}

// A new handle on folder, opened name by name from the nearest ancestor that
// still holds one (the top folder always does); -1 with error when a step fails.
FileSystemObject::Handle FolderTree::reopen(Node *folder, int &error)
{
    std::vector<Node *> chain;
    Node *anchor = folder;
    Handle at;
    {
        std::lock_guard lock(m_mutex);
        while (anchor->handle < 0) {
            chain.push_back(anchor);
            anchor = anchor->parent;
        }
        ++anchor->handleUsers;
        at = anchor->handle;
    }
    bool own = false;
    for (auto it = chain.rbegin(); it != chain.rend() && at >= 0; ++it) {
        const Handle next = m_fs.openFolder(at, (*it)->name.data(), error);
        if (own)
            m_fs.closeFolder(at);
        at = next;
        own = true;
    }
    std::lock_guard lock(m_mutex);
    unpin(anchor);
    return at;
}

void FolderTree::unpin(Node *node)
{
    if (--node->handleUsers > 0 || !node->parent || node->handle < 0)
        return;
    m_fs.closeFolder(node->handle);
    node->handle = -1;
    --m_held;
}

// The entries in name order, and the order to read their details in: those
// that may be folders first, so that they are queued early, then the rest;
// each part in the listing's numbers' order, which is the disk's.
void FolderTree::plan(Details &details, FolderEntries &listed)
{
    std::vector<FolderEntry> &entries = listed.entries;
    NameOrder::sort(entries.begin(), entries.end(), [&listed](const FolderEntry &entry) {
        return QByteArrayView(listed.name(entry), entry.nameLength);
    });
    std::vector<quint32> &order = details.order;
    order.resize(entries.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto files = std::stable_partition(
        order.begin(), order.end(), [&entries](quint32 i) { return entries[i].folder || !entries[i].typeKnown; });
    const auto byNumber = [&entries](quint32 a, quint32 b) { return entries[a].inode < entries[b].inode; };
    std::sort(order.begin(), files, byNumber);
    std::sort(files, order.end(), byNumber);
    details.folders = size_t(files - order.begin());
    details.entries = std::move(entries);
}

// Hangs the listing on the node and reads its entries' details in chunks,
// which idle readers may take too. The folder is read when its last chunk
// is, on whichever reader reads it.
void FolderTree::spread(Node *node, Handle handle, FolderEntries &&listed, const Beat &beat)
{
    const bool own = node->parent != nullptr;
    auto closeOnThrow = qScopeGuard([&] {
        if (own)
            m_fs.closeFolder(handle);
    });
    auto details = std::make_unique<Details>();
    details->node = node;
    details->handle = handle;
    details->device = listed.device;
    plan(*details, listed);
    node->names = std::move(listed.names);

    Details *shared = details.get();
    const std::vector<quint32> &order = shared->order;
    const qsizetype unread = qsizetype(order.size());
    std::unique_lock lock(m_mutex);
    m_details.push_back(shared);
    details.release();
    m_unread += unread;
    closeOnThrow.dismiss();
    if (node->through >= 0)
        unpin(node->parent);
    node->pending = 1; // its details
    if (own && shared->folders > 0 && m_held < m_budget) {
        node->handle = handle;
        node->handleUsers = 1; // the details'
        ++m_held;
    } else {
        shared->ownHandle = own;
    }
    shared->cap = kFirstFolderReaders;
    if (order.size() > m_chunk) {
        shared->shareable = true;
        ++m_shareable;
        if (m_idle > 0)
            m_work.notify_one();
    }
    if (order.empty()) {
        lock.unlock();
        endDetails(shared);
        return;
    }
    Chunk chunk;
    if (!takeChunk(shared, chunk))
        return;
    lock.unlock();
    readChunks(shared, chunk, beat, true);
}

// With the lock held, after a chunk of the folder's own reader. Where each
// call is a round trip (a share) and other folders wait to be listed, it
// leaves the files to whichever reader is free: listings first show where
// the long lines of reads are, and those are started first. Not on a local
// disk, cold or warm: there the build would wait longer for its next folder,
// and more names would wait in memory. Nor when the build reads for itself.
bool FolderTree::leaveFiles(Details *details)
{
    if (m_readers.empty() || details->fastest < kShareCall || m_queue.empty() || m_unread >= kUnreadAhead
        || details->next < details->folders || details->next >= details->order.size())
        return false;
    if (!details->shareable) {
        details->shareable = true;
        ++m_shareable;
    }
    return true;
}

// With the lock held: the next chunk of the folder's order, if one may be
// taken now.
bool FolderTree::takeChunk(Details *details, Chunk &chunk)
{
    if (!details->open())
        return false;
    const size_t total = details->order.size();
    chunk.begin = details->next;
    chunk.folders = chunk.begin < details->folders;
    // Possible folders in smaller turns: each is queued when its own details
    // are in, and starts a line of reads of its own. The files' first turn,
    // timed alone, is short too: the others wait for it.
    const bool small = chunk.folders || details->alone.count() == 0;
    const size_t size = small ? std::max<size_t>(1, m_chunk / 8) : m_chunk;
    chunk.end = std::min(chunk.folders ? details->folders : total, chunk.begin + size);
    details->next = chunk.end;
    m_unread -= qsizetype(chunk.end - chunk.begin);
    ++details->out;
    if (chunk.folders)
        ++details->foldersOut;
    chunk.company = ++details->workers;
    // Each call timed only while the folder may be on a server.
    chunk.timed = details->fastest >= kShareCall;
    chunk.taken = details->taken++;
    if (details->next == total && details->shareable) {
        details->shareable = false;
        --m_shareable;
    }
    return true;
}

// Reads chunks of the folder's details, from chunk on, without the lock:
// the folder's own reader goes on with the next until there is none for it,
// a helper stops after one. Whoever reads the last ends the folder's reading.
void FolderTree::readChunks(Details *details, Chunk chunk, const Beat &beat, bool own)
{
    using Clock = std::chrono::steady_clock;
    std::vector<std::unique_ptr<Node>> found;
    for (;;) {
        const Clock::time_point start = Clock::now();
        const auto fastest = readDetails(details, chunk, beat, found);
        std::unique_lock lock(m_mutex);
        for (std::unique_ptr<Node> &child : found)
            adopt(details->node, std::move(child));
        found.clear();
        const bool last = chunkDone(details, chunk, Clock::now() - start, fastest);
        if (last) {
            lock.unlock();
            endDetails(details);
            return;
        }
        // Decided with the lock still held: once the lock is let go, another
        // reader may read the last chunk and end the details.
        if (!own || leaveFiles(details) || !takeChunk(details, chunk))
            return;
    }
}

// The details of a chunk's entries, the folders among them into found.
// Returns the fastest call's time.
std::chrono::nanoseconds FolderTree::readDetails(Details *details, const Chunk &chunk, const Beat &beat,
                                                 std::vector<std::unique_ptr<Node>> &found)
{
    using Clock = std::chrono::steady_clock;
    const char *names = details->node->names.constData();
    Clock::time_point before = Clock::now();
    auto fastest = Clock::duration::max();
    for (size_t i = chunk.begin; i < chunk.end; ++i) {
        const quint32 at = details->order[i];
        FolderEntry &entry = details->entries[at];
        entry.gone = !m_fs.readEntry(details->handle, details->device, names + entry.nameOffset, entry);
        if (chunk.timed) {
            const Clock::time_point after = Clock::now();
            fastest = std::min(fastest, after - before);
            before = after;
        }
        if (!entry.gone && entry.folder)
            found.emplace_back(newChild(details->node, entry, at));
        if (beat && (i - chunk.begin) % 8 == 7) {
            beat();
            before = Clock::now();
        }
    }
    return fastest;
}

// With the lock held: a sub-folder the details found, queued at once when
// the build needs what it holds.
void FolderTree::adopt(Node *node, std::unique_ptr<Node> child)
{
    node->folders.push_back(child.get());
    Node *added = child.release();
    if (!needsRead(added->level)) {
        added->complete = true;
        return;
    }
    if (leftUnentered(added))
        return;
    added->state = State::Queued;
    ++node->pending;
    if (node->handle >= 0)
        ++node->handleUsers;
    push(added);
    if (m_idle > 0)
        m_work.notify_one();
}

// With the lock held: a chunk was read in took, its fastest call in
// fastest. True when it was the last.
bool FolderTree::chunkDone(Details *details, const Chunk &chunk, std::chrono::nanoseconds took,
                           std::chrono::nanoseconds fastest)
{
    details->fastest = std::min(details->fastest, fastest);
    const int company = std::min(chunk.company, details->workers);
    --details->workers;
    --details->out;
    if (chunk.folders)
        --details->foldersOut;
    const auto perCall = took / qint64(chunk.end - chunk.begin);
    // Alone from start to end: no other chunk was taken meanwhile.
    if (!chunk.folders && company == 1 && details->taken == chunk.taken + 1)
        details->alone = details->alone.count() ? (details->alone + perCall) / 2 : perCall;
    // Calls taken in turn take about company times as long as one alone
    // (the folder's own: a call's time varies with the load on the file
    // system); side by side, about as long.
    const int most = m_fs.readerThreads() + 1;
    if (details->cap < most && company >= 2 && details->alone.count() > 0
        && (perCall < kRoundTrip || 2 * perCall < (company + 1) * details->alone))
        details->cap = std::min(2 * details->cap, most);
    // Room for more readers: the files once the possible folders are in, a
    // first chunk timed, a higher cap.
    for (int i = std::min(details->cap - details->workers, m_idle); i > 0 && details->open(); --i)
        m_work.notify_one();
    return details->next >= details->order.size() && details->out == 0;
}

// The folder's last details are in: its files are known, and it is read.
void FolderTree::endDetails(Details *details)
{
    Node *node = details->node;
    std::vector<FolderEntry> &entries = details->entries;
    for (const FolderEntry &entry : entries) {
        if (entry.gone || entry.folder)
            continue;
        if (entry.error)
            node->filesIncomplete = true;
        else
            node->filesTotal = saturatingAdd(node->filesTotal, entry.size);
    }
    // Below the listed depth only what went wrong is still wanted.
    const bool unlisted = node->level > m_plan.levels;
    std::erase_if(entries, [unlisted](const FolderEntry &entry) {
        return entry.gone || entry.folder || (unlisted && !entry.error);
    });
    if (unlisted)
        entries.shrink_to_fit();
    node->files = std::move(entries);
    // Queued as their details came in; listed in name order.
    std::sort(node->folders.begin(), node->folders.end(),
              [](const Node *a, const Node *b) { return a->index < b->index; });
    const Handle own = details->ownHandle ? details->handle : -1;
    {
        std::lock_guard lock(m_mutex);
        std::erase(m_details, details);
        if (!details->ownHandle && node->parent)
            unpin(node);
        node->state = State::Read;
        if (node->level <= m_plan.levels)
            m_retained += qsizetype(node->files.size());
        if (--node->pending == 0)
            completeUpward(node);
        wakeBuild();
    }
    delete details;
    if (own >= 0)
        m_fs.closeFolder(own);
}
