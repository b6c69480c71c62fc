#pragma once

#include "listing/FileSystemObject.h"

#include <QHash>

#include <map>
#include <memory>
#include <mutex>
#include <thread>

// A file-system component for tests: the tree the test adds, enumerated in that order; any entry can fail.
// Calls can take a while, as on a share, and a folder's calls can be taken one at a time.
class FakeFileSystem : public FileSystemObject
{
public:
    // A folder that cannot be opened or enumerated, an entry whose size and
    // date cannot be read, an entry gone between enumeration and its details.
    enum class Failure { Open, Read, Details, Vanish };

    // The parent folder of every added entry must exist, but for the top one.
    void addFolder(const QByteArray &path, FileTime modified = {}, VirtualFileSystem mounted = {})
    {
        add(path, {true, 0, modified, mounted, 0, 0, 1, {}, 040755});
    }
    void addFile(const QByteArray &path, qint64 size, FileTime when = {}) { add(path, {false, size, when, {}, 0, 0, 1, {}, 0100644}); }
    // Its owner (user id) and mode; its birth time, which a reading gives only when asked for birth times.
    void setOwner(const QByteArray &path, quint32 owner, quint16 mode, qint64 created = FolderEntry::NoTime)
    {
        Entry &entry = m_entries.at(path);
        entry.owner = owner;
        entry.mode = mode;
        entry.created = created;
    }
    void failOn(const QByteArray &path, Failure how, int error = EACCES) { m_failures.insert({path, int(how)}, error); }
    // What an entry takes on disk, and a file with several names: each of them given the same inode.
    void setDisk(const QByteArray &path, qint64 allocated, quint64 inode = 0, quint32 links = 1)
    {
        Entry &entry = m_entries.at(path);
        entry.allocated = allocated;
        entry.inode = inode;
        entry.links = links;
    }
    // Every call takes latency; serialised: one folder's calls one at a time. untyped: the listing tells no types.
    void setLatency(std::chrono::microseconds latency, bool serialised, bool untyped)
    {
        m_latency = latency;
        m_serialised = serialised;
        m_untyped = untyped;
    }

    Handle GetFolder(const QByteArray &path) override
    {
        const int error = m_entries.contains(path) ? failure(path, Failure::Open) : ENOENT;
        if (error)
            throw FileSystemError(FileSystemError::Operation::OpenFolder, path, error);
        return open(path);
    }
    Handle openFolder(Handle parent, const char *name, int &error) override
    {
        const QByteArray path = opened(parent) + '/' + name;
        delay(path);
        error = m_entries.contains(path) ? failure(path, Failure::Open) : ENOENT;
        return error ? -1 : open(path);
    }
    int listFolder(Handle folder, FolderEntries &out, const Beat &beat) override
    {
        const QByteArray path = opened(folder);
        delay(path);
        if (beat)
            beat();
        if (const int error = failure(path, Failure::Read))
            return error;
        quint64 number = 0;
        for (const QByteArray &child : m_entries.at(path).children) {
            FolderEntry listed;
            listed.folder = m_entries.at(child).folder && !m_untyped;
            listed.typeKnown = !m_untyped;
            listed.inode = (number++ * 7) % 11; // an order of their own, not the names'
            out.add(QByteArrayView(child).sliced(path.size() + 1), listed);
        }
        return 0;
    }
    bool readEntry(Handle folder, quint64, const char *name, FolderEntry &read) override
    {
        const QByteArray path = opened(folder) + '/' + name;
        delay(opened(folder));
        read.device = read.inode = 0;
        if (failure(path, Failure::Vanish))
            return false;
        if ((read.error = qint16(failure(path, Failure::Details))))
            return true;
        const Entry &entry = m_entries.at(path);
        read.size = entry.size;
        read.modified = entry.modified.time_since_epoch().count();
        read.folder = entry.folder;
        read.mounted = entry.mounted;
        read.allocated = entry.allocated;
        read.links = entry.links;
        read.device = 1;
        read.inode = entry.inode;
        read.owner = entry.owner;
        read.mode = entry.mode;
        read.created = birthTimes() ? entry.created : FolderEntry::NoTime;
        return true;
    }
    void closeFolder(Handle folder) override { std::lock_guard lock(m_mutex); m_open.remove(folder); }

    int openNow() const { std::lock_guard lock(m_mutex); return int(m_open.size()); }

private:
    struct Entry
    {
        bool folder = false;
        qint64 size = 0;
        FileTime modified{};
        VirtualFileSystem mounted = VirtualFileSystem::None;
        qint64 allocated = 0;
        quint64 inode = 0;
        quint32 links = 1;
        QList<QByteArray> children;   // paths, in enumeration order
        quint16 mode = 0;
        quint32 owner = 0;
        qint64 created = FolderEntry::NoTime;
    };

    void add(const QByteArray &path, const Entry &entry)
    {
        m_entries[path] = entry;
        const auto parent = m_entries.find(path.left(path.lastIndexOf('/')));
        if (parent != m_entries.end() && parent->first != path)
            parent->second.children.append(path);
    }
    int failure(const QByteArray &path, Failure failure) const { return m_failures.value({path, int(failure)}); }
    Handle open(const QByteArray &path)
    {
        std::lock_guard lock(m_mutex);
        m_open.insert(m_next, path);
        return m_next++;
    }
    QByteArray opened(Handle folder) const { std::lock_guard lock(m_mutex); return m_open.value(folder); }
    // A call on folder: its round trip, in turn with the folder's other calls when they are serialised.
    void delay(const QByteArray &folder)
    {
        if (m_latency.count() == 0)
            return;
        std::shared_ptr<std::mutex> turn;
        if (m_serialised) {
            std::lock_guard lock(m_mutex);
            auto &slot = m_turns[folder];
            turn = slot ? slot : (slot = std::make_shared<std::mutex>());
        }
        std::unique_lock own = turn ? std::unique_lock(*turn) : std::unique_lock<std::mutex>();
        std::this_thread::sleep_for(m_latency);
    }

    std::map<QByteArray, Entry> m_entries;
    QHash<QPair<QByteArray, int>, int> m_failures;
    mutable std::mutex m_mutex;       // the walk's readers call from several threads
    QHash<Handle, QByteArray> m_open;
    Handle m_next = 3;
    std::chrono::microseconds m_latency{0};
    bool m_serialised = false;
    bool m_untyped = false;
    QHash<QByteArray, std::shared_ptr<std::mutex>> m_turns;
};
