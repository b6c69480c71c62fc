#pragma once

#include "listing/FileSystemObject.h"
#include "listing/ListingText.h"
#include "listing/WalkChoices.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// One build's view of the folder tree below the selected folder. Folders
// are read by reader threads ahead of the build, earliest in listing order
// first (a large folder before the rest: it takes longest), so reads
// overlap while the build takes the results in order; with no reader
// threads the build reads each folder itself when it needs it. Every folder
// is opened relative to its parent's handle; past the handle budget a
// parent's handle is closed and opened again, name by name, from the
// nearest ancestor still open.
//
// A folder is read in two steps: its listing, then its entries' details,
// sub-folders first, in chunks that idle readers take too. A sub-folder is
// queued as soon as its own details are in, so its reading overlaps the
// rest of its parent's. On a share, where every call is a round trip, that
// keeps many calls in flight; where the file system takes one folder's
// calls one at a time, a folder keeps only a few readers.
//
// Two readers start; a listing that blocks doubles them, up to the
// component's count, unless the process keeps the cores busy already (a
// cold local disk costs CPU in the kernel more than it waits). The build's
// thread makes no file-system call while there are readers, and once it is
// found waiting for a CPU the readers give way to it.
//
// A folder the build will not list (below the listed depth) is folded into
// its parent as soon as its subtree is read: a total, whether something was
// missing, and the problems met, so memory follows the listed part only.
// Such a subtree is read by one thread in one go, unless a read waits for
// the disk: then its sub-folders go to the queue, for reads to overlap.
class FolderTree
{
public:
    // What the build lists: which folders it has to read.
    struct Plan
    {
        int levels = 1;      // folder levels listed
        bool files = true;   // file rows listed
        bool sizes = true;   // every folder's subtree total wanted
        WalkChoices choices; // what is left out, and how it is sized and ordered
    };

    enum class State : quint8 {
        Unneeded,   // the build never needs its contents
        NotEntered, // a virtual file system's mount point, left alone
        Queued,
        Reading,
        Read,
        Failed // could not be opened or enumerated
    };

    struct Node
    {
        Node *parent = nullptr;
        QByteArrayView name; // into the parent's names; the selected folder's own for the top
        quint32 index = 0;   // its place in the parent's listing, in name order
        int level = 0;       // 0 for the selected folder
        // From the parent's reading.
        qint64 modified = 0;
        qint16 statError = 0;
        VirtualFileSystem mounted = VirtualFileSystem::None;
        quint16 mode = 0;
        quint32 owner = 0;
        qint64 created = FolderEntry::NoTime;
        quint8 sizeClass = 0; // how large the folder is, roughly: larger ones are read first

        // Set last, after what it makes ready: the build reads it without the lock.
        std::atomic<State> state = State::Unneeded;
        FileSystemError::Operation failedAt = FileSystemError::Operation::OpenFolder;
        int readError = 0;
        // Once Read, until the build releases the folder.
        QByteArray names;
        std::vector<FolderEntry> files; // below the listed depth only the failed ones
        std::vector<Node *> folders;    // owned
        qint64 filesTotal = 0;
        qint64 filesCounted = 0; // its own files, but those in links
        bool filesIncomplete = false;

        // Once complete (everything the build needs below is read or failed);
        // set last, as state is.
        std::atomic<bool> complete = false;
        qint64 total = 0;                    // bytes of what could be read
        bool incomplete = false;             // something in the subtree could not be read
        bool holdsFiles = false;             // a file the choices keep, at any depth; or what is below is unknown
        LinkedFiles links;                   // files with several names below, counted once; until the parent's
        qint64 linkedBytes = 0;              // their bytes, within total
        qint64 fileCount = 0;                // files in the subtree, counted as total counts them
        qint64 folderCount = 0;              // sub-folders in the subtree
        QList<ListingProblem> problemsBelow; // at or below the listed depth: the unlisted part's

        quint64 device = 0; // the folder's identity, from the parent's reading or its own; to tell a loop
        quint64 inode = 0;
        FileSystemObject::Handle handle = -1;
        int handleUsers = 0;                   // sub-folders still to open through it, and pins
        FileSystemObject::Handle through = -1; // the parent's handle it is opened through, while Reading
        int pending = 0; // queued sub-folders not complete yet, and its details while they are read
    };

    // Opens the selected folder (throws FileSystemError when it cannot) and
    // starts the readers. beat runs on the build's thread while it waits.
    FolderTree(FileSystemObject &fileSystem, const QByteArray &path, Plan plan, FileSystemObject::Beat beat);
    ~FolderTree();
    FolderTree(const FolderTree &) = delete;
    FolderTree &operator=(const FolderTree &) = delete;

    Node &root() { return *m_root; }
    // Until the folder's state is Read or Failed (at once when not queued).
    void waitRead(Node &node);
    // Until its total and problems below are known.
    void waitComplete(Node &node);
    // The build is done with the folder's files and sub-folders.
    void release(Node &node);

    QByteArray path(const Node &node) const;
    QByteArray filePath(const Node &node, const FolderEntry &file) const;
    // The system's reason for an errno; LoopError for a folder that holds itself.
    static QString reason(int error);
    static constexpr int LoopError = -1;
    QString notEnteredReason(const Node &node) const;
    // A complete folder that "leave out folders with nothing listed" leaves out.
    bool leftOut(const Node &node) const;

private:
    struct Stopped
    {};
    struct Details;
    struct Chunk;
    struct Frame;
    using Beat = FileSystemObject::Beat;
    using Handle = FileSystemObject::Handle;

    // The build's side (FolderTree.cpp).
    bool needsRead(int level) const;
    void wait(Node &node, bool complete);
    void noteCrowding();
    void throttledBeat();
    void wakeBuild();
    static bool settled(const Node &node);
    void fail(Node *node, FileSystemError::Operation at, int error);
    static void markFailed(Node *node, FileSystemError::Operation at, int error);
    bool leftUnentered(Node *child) const;
    void completeUpward(Node *node);
    void finish(Node *node);
    void collapse(Node *node);
    void destroy(Node *node);

    // The queue and the readers (FolderTreeReaders.cpp).
    void push(Node *node);
    Node *pop();
    void addReader();
    void moreReaders(bool waited);
    bool coresFree();
    Details *sharedDetails() const;
    bool hasWork() const;
    static void giveWay();
    void readerLoop();
    bool readOne(std::unique_lock<std::mutex> &lock, const Beat &beat);
    void stopWith(std::exception_ptr failure);

    // Reading one folder (FolderTreeReading.cpp).
    bool readNode(Node *node, const Beat &beat);
    int list(Node *node, Handle handle, FolderEntries &entries, const Beat &beat);
    void readAll(Handle handle, FolderEntries &entries, const Beat &beat);
    Node *newChild(Node *parent, const FolderEntry &entry, quint32 index) const;
    void keepFiles(Node *node, std::vector<FolderEntry> &files, const QByteArray &names) const;
    void attach(Node *node, FolderEntries &&entries);
    Handle openNode(Node *node, int &error);
    Handle reopen(Node *folder, int &error);
    void unpin(Node *node);

    // Details read in chunks readers share (FolderTreeChunks.cpp).
    void plan(Details &details, FolderEntries &listed) const;
    void spread(Node *node, Handle handle, FolderEntries &&listed, const Beat &beat);
    bool takeChunk(Details *details, Chunk &chunk);
    bool leaveFiles(Details *details);
    void readChunks(Details *details, Chunk chunk, const Beat &beat, bool own);
    std::chrono::nanoseconds readDetails(Details *details, const Chunk &chunk, const Beat &beat,
                                         std::vector<std::unique_ptr<Node>> &found);
    void adopt(Node *node, std::unique_ptr<Node> child);
    bool chunkDone(Details *details, const Chunk &chunk, std::chrono::nanoseconds took,
                   std::chrono::nanoseconds fastest);
    void endDetails(Details *details);

    // An unlisted subtree one reader walks itself (FolderTreeBelow.cpp).
    void readBelow(Node *top, Handle handle, const Beat &beat);
    void readLocal(Frame &parent, Node *child, const Beat &beat, std::vector<Frame> &frames);
    void share(Frame &parent, Node *child);
    void handOff(Frame &parent, Node *child);
    void endFrame(std::vector<Frame> &frames, Node *top);

    FileSystemObject &m_fs;
    const Plan m_plan;
    const Beat m_beat;
    const Beat m_builderBeat;
    const Beat m_readerBeat;
    const std::chrono::milliseconds m_interval;
    std::chrono::steady_clock::time_point m_lastBeat;
    const int m_budget;
    const int m_localDepth; // handles one reader may hold for a subtree it reads itself
    const size_t m_chunk;   // entries whose details a reader reads in one turn
    QByteArray m_rootPath;
    Node *m_root = nullptr;

    std::mutex m_mutex;
    std::condition_variable m_work;   // readers: something to read, or stop
    std::condition_variable m_done;   // the build: a folder was read or completed
    std::vector<Node *> m_queue;      // a heap, larger folders then earliest in listing order on top
    std::vector<Details *> m_details; // folders whose details are being read
    int m_shareable = 0;              // of those, how many have chunks an idle reader may take
    int m_held = 0;                   // handles kept for sub-folders
    qsizetype m_retained = 0;         // listed file entries read but not yet released
    qsizetype m_unread = 0;           // entries listed whose details are not handed out yet
    bool m_buildWaiting = false;
    const Node *m_awaited = nullptr; // what the build waits for, while it does
    bool m_awaitComplete = false;
    int m_idle = 0;                                       // readers waiting for work
    std::chrono::steady_clock::time_point m_cpuSampledAt; // the process's CPU time, now and then
    std::chrono::nanoseconds m_cpuSample{0};
    bool m_cpuBound = false; // readers that wait mostly wait for a CPU: no more of them
    // The build's thread's time waiting for a CPU, now and then (its own).
    std::chrono::steady_clock::time_point m_crowdSampledAt;
    qint64 m_crowdSample = -1;
    std::atomic<bool> m_crowded{false}; // the build waits for a CPU: the readers give way
    std::exception_ptr m_failure;
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_readers;
};
