#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "UserError.h"

#include <chrono>
#include <functional>
#include <memory>

// The file-system component the listing builder walks: a folder tree seen
// through GetFolder, a folder's SubFolders and Files, and an entry's Name,
// Size, DateLastModified and (for folders) Path.
//
// Paths and names are native bytes (QByteArray), so a folder whose name is
// not valid UTF-8 can still be opened again; QFile::decodeName turns them
// into display text. Every operation may throw FileSystemError.

using FileTime = std::chrono::sys_seconds;

// A failed file-system operation: which path, what was attempted and the
// operating system's reason.
class FileSystemError : public UserError
{
public:
    enum class Operation { OpenFolder, ReadFolder, ReadEntry };

    FileSystemError(Operation operation, QByteArray path, int errorCode);
    FileSystemError(Operation operation, QByteArray path, QString reason);

    Operation operation() const { return m_operation; }
    QByteArray path() const { return m_path; }
    int errorCode() const { return m_errorCode; }    // errno, 0 when the reason is a text only
    QString reason() const { return m_reason; }

    // For the user, e.g. Cannot open folder "/data/x": Permission denied
    static QString describe(Operation operation, const QByteArray &path, const QString &reason);

private:
    Operation m_operation;
    QByteArray m_path;
    int m_errorCode = 0;
    QString m_reason;
};

class FileSystemFolder;

// One file of a folder: a light handle, valid while its folder lives.
class FileSystemFile
{
public:
    FileSystemFile(FileSystemFolder *folder, qsizetype index) : m_folder(folder), m_index(index) {}

    QByteArrayView Name() const;          // points into the folder's storage
    qint64 Size() const;                  // bytes; a link's own length
    FileTime DateLastModified() const;

private:
    FileSystemFolder *m_folder;
    qsizetype m_index;
};

// The files directly in a folder, in enumeration order.
class FileSystemFiles
{
public:
    class const_iterator
    {
    public:
        using value_type = FileSystemFile;
        using difference_type = qsizetype;
        const_iterator(FileSystemFolder *folder, qsizetype index) : m_folder(folder), m_index(index) {}
        FileSystemFile operator*() const { return FileSystemFile(m_folder, m_index); }
        const_iterator &operator++() { ++m_index; return *this; }
        bool operator==(const const_iterator &other) const = default;
    private:
        FileSystemFolder *m_folder;
        qsizetype m_index;
    };

    FileSystemFiles(FileSystemFolder *folder, qsizetype count) : m_folder(folder), m_count(count) {}
    qsizetype size() const { return m_count; }
    FileSystemFile at(qsizetype index) const { return FileSystemFile(m_folder, index); }
    const_iterator begin() const { return const_iterator(m_folder, 0); }
    const_iterator end() const { return const_iterator(m_folder, m_count); }

private:
    FileSystemFolder *m_folder;
    qsizetype m_count;
};

class FileSystemFolder
{
public:
    virtual ~FileSystemFolder() = default;

    virtual QByteArray Name() const = 0;           // without the path
    virtual QByteArray Path() const = 0;           // full path that GetFolder accepts
    virtual qint64 Size() = 0;                     // every file of the whole subtree, in bytes
    virtual FileTime DateLastModified() = 0;
    virtual QList<std::shared_ptr<FileSystemFolder>> SubFolders() = 0;
    virtual FileSystemFiles Files() = 0;

protected:
    friend class FileSystemFile;
    // Per-file accessors behind FileSystemFile; index < Files().size().
    virtual QByteArrayView fileName(qsizetype index) const = 0;
    virtual qint64 fileSize(qsizetype index) = 0;
    virtual FileTime fileDateLastModified(qsizetype index) = 0;
};

inline QByteArrayView FileSystemFile::Name() const { return m_folder->fileName(m_index); }
inline qint64 FileSystemFile::Size() const { return m_folder->fileSize(m_index); }
inline FileTime FileSystemFile::DateLastModified() const { return m_folder->fileDateLastModified(m_index); }

// What one build cost, for the benchmark.
struct FileSystemCounters
{
    qint64 entriesStated = 0;     // stat calls made for entries
    qint64 foldersRead = 0;       // folders enumerated
};

class FileSystemObject
{
public:
    // Called at short intervals while a long operation (a subtree total)
    // runs; whatever it throws ends that operation and passes through.
    using Heartbeat = std::function<void()>;

    virtual ~FileSystemObject() = default;

    // A build works on a consistent view: what it reads is read once and
    // reused until endBuild(), then forgotten, so the next build sees the
    // folder tree as it is then. Counters restart at beginBuild().
    virtual void beginBuild(Heartbeat heartbeat = {}) { Q_UNUSED(heartbeat); }
    virtual void endBuild() {}

    virtual std::shared_ptr<FileSystemFolder> GetFolder(const QByteArray &path) = 0;

    virtual FileSystemCounters counters() const { return {}; }
};

// The real component over the POSIX file system.
std::unique_ptr<FileSystemObject> createFileSystemObject();
