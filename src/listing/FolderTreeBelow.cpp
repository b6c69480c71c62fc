// The subtree below an unlisted folder, which one reader reads itself while
// nothing waits for the disk.

#include "listing/FolderTree.h"
#include "listing/FolderTreeParts.h"

#include <QScopeGuard>

using namespace FolderTreeParts;

// A folder of an unlisted subtree one reader walks, with the handle its
// sub-folders are opened through.
struct FolderTree::Frame
{
    Node *node;
    Handle handle;
    size_t next = 0;
    bool pinned = false;   // the handle is the node's, shared with readers handed a sub-folder
    bool shared = false;   // something below completes on another reader
    bool handsOff = false; // a read waited for the disk: its sub-folders go to the queue
};

// Read here depth first: handing each folder through the queue and the lock
// costs more than reading it. Only its total and its problems come out.
// Sub-folders go to the queue when a read waits for the disk, so other
// readers overlap theirs, and past this reader's share of handles.
void FolderTree::readBelow(Node *top, Handle handle, const Beat &beat)
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
        else
            readLocal(frame, child, beat, frames);
    }
    closeOnThrow.dismiss();
}

// Reads child, then its frame goes on top; a failed read finishes it at
// once. A listing that was slow (the disk, a share) has its details read in
// chunks other readers share, and the rest of parent goes to the queue.
void FolderTree::readLocal(Frame &parent, Node *child, const Beat &beat, std::vector<Frame> &frames)
{
    thread_local quint32 reads = 0;
    const DiskWait disk(++reads % 8 == 1);
    int error = 0;
    FileSystemError::Operation at = FileSystemError::Operation::OpenFolder;
    const Handle handle = m_fs.openFolder(parent.handle, child->name.data(), error);
    if (handle >= 0) {
        auto closeOnThrow = qScopeGuard([&] { m_fs.closeFolder(handle); });
        at = FileSystemError::Operation::ReadFolder;
        FolderEntries entries;
        error = list(child, handle, entries, beat);
        if (!error && (disk.waited() || disk.slow())) {
            share(parent, child);
            parent.handsOff = true;
            closeOnThrow.dismiss();
            spread(child, handle, std::move(entries), beat);
            return;
        }
        if (!error) {
            readAll(handle, entries, beat);
            attach(child, std::move(entries));
            child->state = State::Read;
            child->pending = 1;
            frames.push_back({child, handle});
            frames.back().handsOff = disk.waited();
            closeOnThrow.dismiss();
            return;
        }
    }
    markFailed(child, at, error);
    finish(child);
}

// child is read elsewhere, and parent's folder completes after it.
void FolderTree::share(Frame &parent, Node *child)
{
    std::lock_guard lock(m_mutex);
    ++parent.node->pending;
    parent.shared = true;
    child->state = State::Reading;
    child->through = -1;
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
