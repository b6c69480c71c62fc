// A folder's entries' details read in chunks that several readers share.

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

// The entries in name order, and the order to read their details in: those
// that may be folders first, so that they are queued early, then the rest;
// each part in the listing's numbers' order, which is the disk's.
void FolderTree::plan(Details &details, FolderEntries &listed) const
{
    std::vector<FolderEntry> &entries = listed.entries;
    // What the names rule out costs no call; a name of no known kind waits for its details.
    std::erase_if(entries, [&](const FolderEntry &entry) {
        return entry.typeKnown && !m_plan.choices.keeps(listed.names.constData(), entry);
    });
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
        entry.gone = !m_fs.readEntry(details->handle, details->device, names + entry.nameOffset, entry)
                     || (!entry.typeKnown && !m_plan.choices.keeps(names, entry));
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
    std::erase_if(entries, [](const FolderEntry &entry) { return entry.gone || entry.folder; });
    keepFiles(node, entries, node->names);
    // Queued as their details came in; listed in name order, or newest first.
    std::sort(node->folders.begin(), node->folders.end(),
              [](const Node *a, const Node *b) { return a->index < b->index; });
    orderFolders(m_plan.choices, node->folders);
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
