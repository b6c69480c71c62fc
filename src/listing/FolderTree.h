#pragma once

#include "listing/FileSystemObject.h"
#include "listing/ListingText.h"
#include "listing/WalkChoices.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// One build's view of the folder tree below the selected folder. Folders
// are read by reader threads ahead of the build, earliest in listing order
// first, so reads overlap while the build takes the results in order; with
// no reader threads the build reads each folder itself when it needs it.
// Every folder is opened relative to its parent's handle; past the handle
// budget a parent's handle is closed and opened again, name by name, from
// the nearest ancestor still open.
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
        quint32 index = 0;   // among the parent's folders
        int level = 0;       // 0 for the selected folder
        // From the parent's reading.
        qint64 modified = 0;
        qint16 statError = 0;
        VirtualFileSystem mounted = VirtualFileSystem::None;
        quint16 mode = 0;
        quint32 owner = 0;
        qint64 created = FolderEntry::NoTime;

        State state = State::Unneeded;
        FileSystemError::Operation failedAt = FileSystemError::Operation::OpenFolder;
        int readError = 0;
        // Once Read, until the build releases the folder.
        QByteArray names;
        std::vector<FolderEntry> files; // below the listed depth only the failed ones
        std::vector<Node *> folders;    // owned
        qint64 filesTotal = 0;
        qint64 filesCounted = 0; // its own files, but those in links
        bool filesIncomplete = false;

        // Once complete (everything the build needs below is read or failed).
        bool complete = false;
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
        int pending = 0;                       // queued sub-folders not complete yet
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

    bool needsRead(int level) const;
    void push(Node *node);
    Node *pop();
    void readerLoop();
    void wait(Node &node, bool complete);
    // True when the read had to wait for the disk. Below an unlisted folder
    // that did not, the rest of its subtree is read on the same thread.
    bool readNode(Node *node, const FileSystemObject::Beat &beat);
    struct Frame;
    void readBelow(Node *top, FileSystemObject::Handle handle, const FileSystemObject::Beat &beat);
    bool readLocal(Frame &parent, Node *child, const FileSystemObject::Beat &beat, std::vector<Frame> &frames);
    void handOff(Frame &parent, Node *child);
    void endFrame(std::vector<Frame> &frames, Node *top);
    int readInto(Node *node, FileSystemObject::Handle handle, const FileSystemObject::Beat &beat);
    bool leftUnentered(Node *child) const;
    static void markFailed(Node *node, FileSystemError::Operation at, int error);
    void addReader();
    FileSystemObject::Handle openNode(Node *node, int &error);
    FileSystemObject::Handle reopen(Node *folder, int &error);
    void attach(Node *node, FolderEntries &&entries);
    void publish(Node *node, FileSystemObject::Handle handle);
    void fail(Node *node, FileSystemError::Operation at, int error);
    void completeUpward(Node *node);
    void finish(Node *node);
    void collapse(Node *node);
    void unpin(Node *node);
    void wakeBuild();
    void destroy(Node *node);
    void throttledBeat();

    FileSystemObject &m_fs;
    const Plan m_plan;
    const FileSystemObject::Beat m_beat;
    const FileSystemObject::Beat m_builderBeat;
    const FileSystemObject::Beat m_readerBeat;
    const std::chrono::milliseconds m_interval;
    std::chrono::steady_clock::time_point m_lastBeat;
    const int m_budget;
    const int m_localDepth; // handles one reader may hold for a subtree it reads itself
    QByteArray m_rootPath;
    Node *m_root = nullptr;

    std::mutex m_mutex;
    std::condition_variable m_work; // readers: something to read, or stop
    std::condition_variable m_done; // the build: a folder was read or completed
    std::vector<Node *> m_queue;    // a heap, earliest in listing order on top
    int m_held = 0;                 // handles kept for sub-folders
    qsizetype m_retained = 0;       // listed file entries read but not yet released
    bool m_buildWaiting = false;
    int m_idle = 0; // readers waiting for work
    std::exception_ptr m_failure;
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_readers;
};
