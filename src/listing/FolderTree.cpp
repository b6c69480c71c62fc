// The build's side of the tree: starting and stopping the walk, waiting
// for folders, and completing them upward once their subtree is read.

#include "listing/FolderTree.h"
#include "listing/FolderTreeParts.h"

#include <QCoreApplication>

#include <algorithm>
#include <stdexcept>

using namespace FolderTreeParts;

namespace {

// Readers a build starts with. On a warm cache reading is CPU work that two
// cores share with the window; more readers would only starve it. Reads
// that wait for the disk or a share add more (moreReaders).
constexpr int kFirstReaders = 2;

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
    , m_chunk(size_t(fileSystem.chunkSize()))
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

FolderTree::~FolderTree()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_work.notify_all();
    for (std::thread &reader : m_readers)
        reader.join();
    // A walk stopped early leaves folders half read.
    for (Details *details : m_details) {
        if (details->ownHandle)
            m_fs.closeFolder(details->handle);
        delete details;
    }
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
    noteCrowding();
    const auto ready = [&] { return complete ? node.complete.load() : settled(node); };
    // Most often the readers are ahead: then the build need not take the
    // lock they work under.
    if (ready())
        return;
    std::unique_lock lock(m_mutex);
    while (!ready()) {
        if (m_failure)
            std::rethrow_exception(m_failure);
        // With no reader threads to be had, the build reads for itself.
        // Else it makes no file-system call: on a cold disk or a share one
        // can take longer than the window may wait.
        if (m_readers.empty()) {
            if (m_queue.empty())
                throw std::logic_error("FolderTree: waiting for a folder no one reads");
            Node *next = pop();
            lock.unlock();
            readNode(next, m_builderBeat);
            lock.lock();
            continue;
        }
        m_buildWaiting = true;
        m_awaited = &node;
        m_awaitComplete = complete;
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

// On the build's thread, now and then: whether it waits for a CPU a good
// part of the time. When it does (a window listing a cold disk while the
// readers keep the kernel busy), the readers give way to it from then on.
// A build that mostly waits for the readers (a command line) keeps them as
// they are.
void FolderTree::noteCrowding()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_crowded || now - m_crowdSampledAt < std::chrono::milliseconds(50))
        return;
    const qint64 queued = DiskWait::runQueueDelay();
    if (queued < 0)
        return;
    if (m_crowdSample >= 0) {
        const auto waitedForCpu = std::chrono::nanoseconds(queued - m_crowdSample);
        if (4 * waitedForCpu >= now - m_crowdSampledAt)
            m_crowded = true;
    }
    m_crowdSample = queued;
    m_crowdSampledAt = now;
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

// With the lock held. Only when what the build waits for is there: each
// wake-up takes the lock the readers need.
void FolderTree::wakeBuild()
{
    if (!m_buildWaiting)
        return;
    if (m_awaitComplete ? m_awaited->complete.load() : settled(*m_awaited))
        m_done.notify_one();
}

bool FolderTree::settled(const Node &node)
{
    const State state = node.state;
    return state != State::Queued && state != State::Reading;
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
    child->holdsFiles = true; // what it holds is not known
    child->complete = true;
    return true;
}

bool FolderTree::leftOut(const Node &node) const
{
    return m_plan.choices.choices().pruneEmpty && !node.holdsFiles && !node.incomplete;
}

void FolderTree::markFailed(Node *node, FileSystemError::Operation at, int error)
{
    node->failedAt = at;
    node->readError = error;
    node->state = State::Failed;
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
    if (m_plan.sizes && node->level >= m_plan.levels)
        collapse(node);
    node->complete = true;
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
