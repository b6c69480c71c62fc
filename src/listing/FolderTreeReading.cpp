// Reading one folder: opening it, listing it, and reading its entries'
// details on one thread; the chunks several readers share are in
// FolderTreeChunks.cpp.

#include "listing/FolderTree.h"
#include "listing/FolderTreeParts.h"
#include "listing/NameOrder.h"

#include <QScopeGuard>

#include <algorithm>
#include <memory>

using namespace FolderTreeParts;

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

FolderTree::Node *FolderTree::newChild(Node *parent, const FolderEntry &entry, quint32 index) const
{
    auto *child = new Node;
    child->parent = parent;
    child->name = QByteArrayView(parent->names.constData() + entry.nameOffset, entry.nameLength);
    child->index = index;
    child->level = parent->level + 1;
    child->modified = entry.modified;
    child->statError = entry.error;
    child->mounted = entry.mounted;
    child->mode = entry.mode;
    child->owner = entry.owner;
    child->created = entry.created;
    child->sizeClass = sizeClass(entry.size);
    child->device = entry.device;
    child->inode = entry.inode;
    child->filesTotal = m_plan.choices.ownBytes(entry);
    return child;
}

// Sorts what one thread read and hangs it on the node; the node is this thread's alone.
void FolderTree::attach(Node *node, FolderEntries &&entries)
{
    std::vector<FolderEntry> &list = entries.entries;
    std::erase_if(list,
                  [&](const FolderEntry &entry) { return !m_plan.choices.keeps(entries.names.constData(), entry); });
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
        if (entry.folder)
            node->folders.push_back(newChild(node, entry, quint32(node->folders.size())));
    }
    std::erase_if(list, [](const FolderEntry &entry) { return entry.folder; });
    keepFiles(node, list, node->names);
    orderFolders(m_plan.choices, node->folders);
}

// A folder's files once their details are in: sized as chosen, counted into
// its total, and those the build lists put in the chosen order.
void FolderTree::keepFiles(Node *node, std::vector<FolderEntry> &files, const QByteArray &names) const
{
    const WalkChoices &choices = m_plan.choices;
    for (FolderEntry &file : files) {
        choices.size(file);
        node->holdsFiles = true;
        if (!choices.countsOnce(file))
            ++node->filesCounted;
        if (file.error)
            node->filesIncomplete = true;
        else if (choices.countsOnce(file))
            node->links.push_back({file.device, file.inode, file.size});
        else
            node->filesTotal = saturatingAdd(node->filesTotal, file.size);
    }
    settleLinked(node->links);
    // Below the listed depth only what went wrong is still wanted.
    if (node->level > m_plan.levels) {
        std::erase_if(files, [](const FolderEntry &file) { return !file.error; });
        files.shrink_to_fit();
    } else {
        choices.order(files.begin(), files.end(), names);
    }
    node->files = std::move(files);
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
