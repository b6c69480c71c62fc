#pragma once

#include "listing/FileSystemObject.h"

#include <QHash>
#include <QStringList>

#include <map>

// A file-system component for tests: the tree is whatever the test adds,
// enumerated in the order it was added, and any operation on any path can
// be made to fail.
class FakeFileSystem : public FileSystemObject
{
public:
    enum class Operation { GetFolder, SubFolders, Files, Size, Date };

    // The parent folder of every added entry must exist; addFolder on a
    // path without a parent makes a top folder.
    void addFolder(const QByteArray &path, FileTime modified = {});
    void addFile(const QByteArray &path, qint64 size, FileTime modified = {});
    void failOn(const QByteArray &path, Operation operation, int errorCode = EACCES);
    // Calls the heartbeat once from inside every folder Size().
    void setBeatDuringSize(bool on) { m_beatDuringSize = on; }

    void beginBuild(Heartbeat heartbeat) override;
    void endBuild() override;
    std::shared_ptr<FileSystemFolder> GetFolder(const QByteArray &path) override;

    int buildsBegun() const { return m_begun; }
    int buildsEnded() const { return m_ended; }
    // "Operation path" for every call, in order.
    const QStringList &calls() const { return m_calls; }

private:
    friend class FakeFolder;
    struct Entry
    {
        bool folder = false;
        QByteArray name;
        qint64 size = 0;
        FileTime modified{};
        QList<QByteArray> folders;   // child paths, in enumeration order
        QList<QByteArray> files;
    };

    void add(const QByteArray &path, bool folder, qint64 size, FileTime modified);
    const Entry &entry(const QByteArrayView &path) const;
    void call(Operation operation, const QByteArray &path);
    qint64 total(const QByteArray &path);

    std::map<QByteArray, Entry> m_entries;
    QHash<QPair<QByteArray, int>, int> m_failures;
    Heartbeat m_heartbeat;
    bool m_beatDuringSize = false;
    int m_begun = 0;
    int m_ended = 0;
    QStringList m_calls;
};
