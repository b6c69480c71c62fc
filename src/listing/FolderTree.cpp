#include "listing/FolderTree.h"

#include "listing/NameOrder.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <system_error>

#include <sys/resource.h>

namespace {

using Node = FolderTree::Node;
using State = FolderTree::State;
using Handle = FileSystemObject::Handle;

// Listed file entries the readers may hold ahead of the build; past this they
// read only what the build is waiting for.
constexpr qsizetype kReadAhead = qsizetype(1) << 18;
// Readers a build starts with. On a warm cache reading is CPU work that two
// cores share with the window; more readers would only starve it. A reader
// that had to wait for the disk starts one more, up to the component's
// count, so a cold disk or a share gets many reads in flight.
constexpr int kFirstReaders = 2;

// Whether reading took the thread off the CPU to wait (the disk, a share)
// for a millisecond or more, rather than being short of CPU time.
class DiskWait
{
public:
    // Asking costs two calls to the kernel, so a subtree's reads ask in turns.
    explicit DiskWait(bool asked = true)
        : m_switches(asked ? voluntarySwitches() : -1), m_start(std::chrono::steady_clock::now())
    {}
    bool waited() const
    {
        return m_switches >= 0 && std::chrono::steady_clock::now() - m_start >= std::chrono::milliseconds(1)
               && voluntarySwitches() > m_switches;
    }

private:
    static long voluntarySwitches()
    {
        struct rusage usage;
        return ::getrusage(RUSAGE_THREAD, &usage) == 0 ? usage.ru_nvcsw : 0;
    }

    long m_switches;
    std::chrono::steady_clock::time_point m_start;
};

qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 sum;
    if (__builtin_add_overflow(a, b, &sum))
        return std::numeric_limits<qint64>::max();
    return sum;
}

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

// Whether node is top or inside it.
bool within(const Node *node, const Node *top)
{
    while (node->level > top->level)
        node = node->parent;
    return node == top;
}

// Heap order: the earliest folder on top.
bool later(const Node *a, const Node *b)
{
    return before(b, a);
}

} // namespace

FolderTree::FolderTree(FileSystemObject &fileSystem, const QByteArray &path, Plan plan, FileSystemObject::Beat beat)
    : m_fs(fileSystem)
    , m_plan(plan)
    , m_beat(std::move(beat))
    , m_builderBeat([this] { throttledBeat(); })
    , m_readerBeat([this] {
        if (m_stop.load(std::memory_order_relaxed))
            throw Stopped{};
    })
    , m_interval(fileSystem.heartbeatInterval())
    , m_lastBeat(std::chrono::steady_clock::now())
    , m_budget(fileSystem.handleBudget())
    , m_localDepth(std::clamp(m_budget / std::max(2 * fileSystem.readerThreads(), 1), 2, 64))
    , m_rootPath(path)
{
    const Handle handle = m_fs.GetFolder(path);
    try {
        m_root = new Node;
        m_queue.push_back(m_root);
    } catch (...) {
        m_fs.closeFolder(handle);
        delete m_root;
        throw;
    }
    m_root->handle = handle;
    m_root->state = State::Queued;
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < kFirstReaders; ++i)
        addReader();
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

FolderTree::~FolderTree()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_work.notify_all();
    for (std::thread &reader : m_readers)
        reader.join();
    destroy(m_root);
}

bool FolderTree::needsRead(int level) const
{
    if (level < m_plan.levels)
        return true;
    if (level == m_plan.levels)
        return m_plan.files || m_plan.sizes;
    return m_plan.sizes;
}

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
    // this folder is published.
    node->through = node->parent ? node->parent->handle : -1;
    return node;
}

void FolderTree::waitRead(Node &node)
{
    wait(node, false);
}

void FolderTree::waitComplete(Node &node)
{
    wait(node, true);
}

void FolderTree::wait(Node &node, bool complete)
{
    std::unique_lock lock(m_mutex);
    const auto ready
        = [&] { return complete ? node.complete : node.state != State::Queued && node.state != State::Reading; };
    while (!ready()) {
        if (m_failure)
            std::rethrow_exception(m_failure);
        // Rather than sleep, the build reads the next folder itself when it
        // is part of what it waits for; with no readers it always is.
        if (!m_queue.empty() && within(m_queue.front(), &node)) {
            Node *next = pop();
            lock.unlock();
            readNode(next, m_builderBeat);
            lock.lock();
            continue;
        }
        if (m_readers.empty())
            throw std::logic_error("FolderTree: waiting for a folder no one reads");
        m_buildWaiting = true;
        if (m_retained >= kReadAhead)
            m_work.notify_all();
        const bool woke = m_done.wait_for(lock, m_interval, [&] { return ready() || m_failure; });
        m_buildWaiting = false;
        if (!woke && m_beat) {
            lock.unlock();
            m_beat();
            m_lastBeat = std::chrono::steady_clock::now();
            lock.lock();
        }
    }
}

void FolderTree::throttledBeat()
{
    if (!m_beat)
        return;
    if (std::chrono::steady_clock::now() - m_lastBeat >= m_interval) {
        m_beat();
        m_lastBeat = std::chrono::steady_clock::now();
    }
}

void FolderTree::readerLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_work.wait(lock,
                    [this] { return m_stop || (!m_queue.empty() && (m_retained < kReadAhead || m_buildWaiting)); });
        --m_idle;
        if (m_stop)
            return;
        Node *node = pop();
        lock.unlock();
        bool waited = false;
        try {
            waited = readNode(node, m_readerBeat);
        } catch (const Stopped &) {
            return;
        } catch (...) {
            // Out of memory, most likely: the build rethrows it.
            lock.lock();
            if (!m_failure)
                m_failure = std::current_exception();
            m_stop = true;
            m_work.notify_all();
            m_done.notify_all();
            return;
        }
        lock.lock();
        if (waited && m_idle == 0 && !m_queue.empty())
            addReader();
    }
}

bool FolderTree::readNode(Node *node, const FileSystemObject::Beat &beat)
{
    int error = 0;
    const DiskWait disk;
    const Handle handle = node->parent ? openNode(node, error) : node->handle;
    if (handle < 0) {
        fail(node, FileSystemError::Operation::OpenFolder, error);
        return disk.waited();
    }
    // The top folder's handle stays with the tree; others pass on when read,
    // or are closed here. Once failed, the node may be gone.
    auto closeOnThrow = qScopeGuard([this, handle, own = node->parent != nullptr] {
        if (own)
            m_fs.closeFolder(handle);
    });
    error = readInto(node, handle, beat);
    const bool waited = disk.waited();
    if (error) {
        fail(node, FileSystemError::Operation::ReadFolder, error);
        return waited;
    }
    closeOnThrow.dismiss();
    if (!waited && node->level > m_plan.levels)
        readBelow(node, handle, beat);
    else
        publish(node, handle);
    return waited;
}

// Reads an open folder into node: its identity, then its entries in name
// order. 0, or the errno that stopped it (LoopError for a folder mounted
// again below itself, which would make the walk endless).
int FolderTree::readInto(Node *node, Handle handle, const FileSystemObject::Beat &beat)
{
    FolderEntries entries;
    entries.device = node->device;
    entries.inode = node->inode;
    if (const int error = m_fs.readFolder(handle, entries, beat))
        return error;
    for (const Node *up = node->parent; up && entries.inode; up = up->parent) {
        if (up->inode == entries.inode && up->device == entries.device)
            return LoopError;
    }
    node->device = entries.device;
    node->inode = entries.inode;
    attach(node, std::move(entries));
    return 0;
}

// A folder of an unlisted subtree one reader walks, with the handle its
// sub-folders are opened through.
struct FolderTree::Frame
{
    Node *node;
    Handle handle;
    size_t next = 0;
    bool pinned = false;   // the handle is the node's, shared with readers handed a sub-folder
    bool shared = false;   // something below completes on another reader
    bool handsOff = false; // its read waited for the disk: its sub-folders go to the queue
};

// The subtree below an unlisted folder, read here depth first: handing
// each folder through the queue and the lock costs more than reading it.
// Only its total and its problems come out. Sub-folders go to the queue
// when a read waits for the disk, so other readers overlap theirs, and
// past this reader's share of handles.
void FolderTree::readBelow(Node *top, Handle handle, const FileSystemObject::Beat &beat)
{
    std::vector<Frame> frames;
    auto closeOnThrow = qScopeGuard([&] {
        for (const Frame &frame : frames) {
            if (!frame.pinned)
                m_fs.closeFolder(frame.handle);
        }
    });
    {
        std::lock_guard lock(m_mutex);
        if (top->through >= 0)
            unpin(top->parent);
        top->state = State::Read;
        top->pending = 1; // its frame's, until the walk below it ends
    }
    frames.push_back({top, handle});
    while (!frames.empty()) {
        Frame &frame = frames.back();
        if (frame.next == frame.node->folders.size()) {
            endFrame(frames, top);
            continue;
        }
        Node *child = frame.node->folders[frame.next++];
        if (leftUnentered(child))
            continue;
        if (frame.handsOff || int(frames.size()) >= m_localDepth)
            handOff(frame, child);
        else if (readLocal(frame, child, beat, frames))
            frames.back().handsOff = true;
    }
    closeOnThrow.dismiss();
}

// Reads child, then its frame goes on top; a failed read finishes it at
// once. True when the read waited for the disk.
bool FolderTree::readLocal(Frame &parent, Node *child, const FileSystemObject::Beat &beat, std::vector<Frame> &frames)
{
    thread_local quint32 reads = 0;
    const DiskWait disk(++reads % 8 == 1);
    int error = 0;
    FileSystemError::Operation at = FileSystemError::Operation::OpenFolder;
    const Handle handle = m_fs.openFolder(parent.handle, child->name.data(), error);
    if (handle >= 0) {
        auto closeOnThrow = qScopeGuard([&] { m_fs.closeFolder(handle); });
        at = FileSystemError::Operation::ReadFolder;
        error = readInto(child, handle, beat);
        if (!error) {
            child->state = State::Read;
            child->pending = 1;
            frames.push_back({child, handle});
            closeOnThrow.dismiss();
            return disk.waited();
        }
    }
    markFailed(child, at, error);
    finish(child);
    return false;
}

// child goes to the queue, opened through the parent's handle, which the
// parent's node holds from now on.
void FolderTree::handOff(Frame &parent, Node *child)
{
    std::lock_guard lock(m_mutex);
    if (!parent.pinned) {
        parent.node->handle = parent.handle;
        parent.node->handleUsers = 1; // the frame's own
        ++m_held;
        parent.pinned = true;
    }
    ++parent.node->handleUsers;
    ++parent.node->pending;
    parent.shared = true;
    child->state = State::Queued;
    push(child);
    if (m_idle > 0)
        m_work.notify_one();
    else
        addReader();
}

// The walk below the frame's folder is done here. Finishes it, unless
// something handed off below it is still out: then that finishes it, and
// its parent, in turn, when it completes.
void FolderTree::endFrame(std::vector<Frame> &frames, Node *top)
{
    const Frame frame = frames.back();
    frames.pop_back();
    Node *node = frame.node;
    if (!frame.pinned)
        m_fs.closeFolder(frame.handle);
    if (!frame.shared && node != top) {
        node->pending = 0;
        finish(node);
        return;
    }
    std::lock_guard lock(m_mutex);
    if (frame.pinned)
        unpin(node);
    if (--node->pending > 0) {
        if (node != top) {
            ++node->parent->pending;
            frames.back().shared = true;
        }
        return;
    }
    if (node != top) {
        finish(node);
        return;
    }
    completeUpward(top);
    wakeBuild();
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

// Sorts what was read and hangs it on the node; the node is this thread's alone.
void FolderTree::attach(Node *node, FolderEntries &&entries)
{
    const WalkChoices &choices = m_plan.choices;
    choices.take(entries);
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
    if (!unlisted)
        choices.order(list.begin(), kept, entries);
    node->names = std::move(entries.names);
    const auto folders = std::count_if(list.begin(), list.end(), [](const FolderEntry &e) { return e.folder; });
    node->folders.reserve(size_t(folders));
    for (const FolderEntry &entry : list) {
        if (entry.folder) {
            auto *child = new Node;
            child->parent = node;
            child->name = QByteArrayView(node->names.constData() + entry.nameOffset, entry.nameLength);
            child->index = quint32(node->folders.size());
            child->level = node->level + 1;
            child->modified = entry.modified;
            child->statError = entry.error;
            child->mounted = entry.mounted;
            child->mode = entry.mode;
            child->owner = entry.owner;
            child->created = entry.created;
            child->device = entry.device;
            child->inode = entry.inode;
            child->filesTotal = choices.ownBytes(entry);
            node->folders.push_back(child);
            continue;
        }
        node->holdsFiles = true;
        if (!choices.countsOnce(entry))
            ++node->filesCounted;
        if (entry.error)
            node->filesIncomplete = true;
        else if (choices.countsOnce(entry))
            node->links.push_back({entry.device, entry.inode, entry.size});
        else
            node->filesTotal = saturatingAdd(node->filesTotal, entry.size);
        // Below the listed depth only what went wrong is still wanted.
        if (!unlisted || entry.error)
            node->files.push_back(entry);
    }
    settleLinked(node->links);
}

void FolderTree::publish(Node *node, Handle handle)
{
    std::lock_guard lock(m_mutex);
    if (node->through >= 0)
        unpin(node->parent);
    m_queue.reserve(m_queue.size() + node->folders.size());
    int queued = 0;
    for (Node *child : node->folders) {
        if (!needsRead(child->level)) {
            child->complete = true;
        } else if (!leftUnentered(child)) {
            child->state = State::Queued;
            push(child);
            ++queued;
        }
    }
    node->pending = queued;
    node->state = State::Read;
    if (node->level <= m_plan.levels)
        m_retained += qsizetype(node->files.size());
    if (node->parent) {
        if (queued > 0 && m_held < m_budget) {
            node->handle = handle;
            node->handleUsers = queued;
            ++m_held;
        } else {
            m_fs.closeFolder(handle);
        }
    }
    if (queued == 0)
        completeUpward(node);
    wakeBuild();
    // The reader that read this folder takes the next one itself; one more
    // is woken for each further new folder, not all of them for each.
    for (int i = std::min(queued - 1, m_idle); i > 0; --i)
        m_work.notify_one();
}

void FolderTree::wakeBuild()
{
    if (m_buildWaiting)
        m_done.notify_all();
}

// A virtual file system's mount point is listed, not entered: complete at
// once; so is another file system's when the walk stays on the selected one.
bool FolderTree::leftUnentered(Node *child) const
{
    const bool otherDevice
        = m_plan.choices.choices().oneFileSystem && child->device && m_root->device && child->device != m_root->device;
    if (child->mounted == VirtualFileSystem::None && !otherDevice)
        return false;
    child->state = State::NotEntered;
    child->complete = true;
    child->holdsFiles = true; // what it holds is not known
    return true;
}

bool FolderTree::leftOut(const Node &node) const
{
    return m_plan.choices.choices().pruneEmpty && !node.holdsFiles && !node.incomplete;
}

void FolderTree::markFailed(Node *node, FileSystemError::Operation at, int error)
{
    node->state = State::Failed;
    node->failedAt = at;
    node->readError = error;
}

void FolderTree::fail(Node *node, FileSystemError::Operation at, int error)
{
    std::lock_guard lock(m_mutex);
    if (node->through >= 0)
        unpin(node->parent);
    markFailed(node, at, error);
    completeUpward(node);
    wakeBuild();
}

void FolderTree::completeUpward(Node *node)
{
    for (Node *n = node;;) {
        finish(n);
        Node *parent = n->parent;
        if (!parent || --parent->pending > 0)
            return;
        n = parent;
    }
}

void FolderTree::finish(Node *node)
{
    if (node->state == State::Failed) {
        node->total = 0;
        node->incomplete = true;
    } else {
        qint64 total = node->filesTotal;
        qint64 files = node->filesCounted;
        qint64 folders = 0;
        bool incomplete = node->filesIncomplete;
        for (Node *child : node->folders) {
            if (leftOut(*child))
                continue;
            total = saturatingAdd(total, child->total - child->linkedBytes);
            // Its linked files are counted once in this folder's links.
            files += child->fileCount - qint64(child->links.size());
            folders += 1 + child->folderCount;
            incomplete = incomplete || child->incomplete;
            node->holdsFiles = node->holdsFiles || child->holdsFiles;
            mergeLinked(node->links, std::move(child->links));
        }
        node->fileCount = files + qint64(node->links.size());
        node->folderCount = folders;
        node->linkedBytes = linkedBytes(node->links);
        node->total = saturatingAdd(total, node->linkedBytes);
        node->incomplete = incomplete;
    }
    node->complete = true;
    if (m_plan.sizes && node->level >= m_plan.levels)
        collapse(node);
}

// Folds the unlisted part below node into its problems, in listing order:
// a folder's own failure, then its sub-folders', then its files'.
void FolderTree::collapse(Node *node)
{
    const bool unlisted = node->level > m_plan.levels;
    QList<ListingProblem> problems;
    if (unlisted && node->state == State::Failed)
        problems.append({path(*node), reason(node->readError)});
    for (Node *child : node->folders) {
        if (child->state == State::NotEntered)
            problems.append({path(*child), notEnteredReason(*child), ListingNote::NotEntered});
        else
            problems.append(std::move(child->problemsBelow));
        destroy(child);
    }
    node->folders = {};
    if (unlisted) {
        for (const FolderEntry &file : node->files)
            problems.append({filePath(*node, file), reason(file.error)});
        node->files = {};
        node->names = {};
    }
    node->problemsBelow = std::move(problems);
}

void FolderTree::release(Node &node)
{
    std::lock_guard lock(m_mutex);
    for (Node *child : node.folders)
        destroy(child);
    node.folders = {};
    const bool wasFull = m_retained >= kReadAhead;
    if (node.level <= m_plan.levels)
        m_retained -= qsizetype(node.files.size());
    node.files = {};
    node.names = {};
    if (wasFull && m_retained < kReadAhead)
        m_work.notify_all();
}

// Deletes a subtree without recursion (trees may be any depth deep).
void FolderTree::destroy(Node *top)
{
    for (Node *node = top; node;) {
        if (!node->folders.empty()) {
            Node *child = node->folders.back();
            node->folders.pop_back();
            node = child;
            continue;
        }
        if (node->handle >= 0) {
            m_fs.closeFolder(node->handle);
            if (node->parent)
                --m_held;
        }
        Node *parent = node == top ? nullptr : node->parent;
        delete node;
        node = parent;
    }
}

QByteArray FolderTree::path(const Node &node) const
{
    std::vector<const Node *> chain;
    for (const Node *n = &node; n->parent; n = n->parent)
        chain.push_back(n);
    QByteArray result = m_rootPath;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!result.endsWith('/'))
            result += '/';
        result.append((*it)->name);
    }
    return result;
}

QByteArray FolderTree::filePath(const Node &node, const FolderEntry &file) const
{
    QByteArray result = path(node);
    if (!result.endsWith('/'))
        result += '/';
    result.append(node.names.constData() + file.nameOffset, file.nameLength);
    return result;
}

QString FolderTree::reason(int error)
{
    if (error == LoopError)
        return QCoreApplication::translate("Listing", "The same folder as one that holds it");
    return qt_error_string(error);
}

QString FolderTree::notEnteredReason(const Node &node) const
{
    if (node.mounted == VirtualFileSystem::None)
        return QCoreApplication::translate("Listing", "not entered: another file system");
    return QCoreApplication::translate("Listing", "%1 file system, not entered")
        .arg(virtualFileSystemName(node.mounted));
}
