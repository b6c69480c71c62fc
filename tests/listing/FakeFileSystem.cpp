#include "FakeFileSystem.h"

#include <QFile>

#include <stdexcept>

class FakeFolder : public FileSystemFolder
{
public:
    FakeFolder(FakeFileSystem *fs, QByteArray path) : m_fs(fs), m_path(std::move(path)) {}

    QByteArray Name() const override { return m_fs->entry(m_path).name; }
    QByteArray Path() const override { return m_path; }
    qint64 Size() override
    {
        m_fs->call(FakeFileSystem::Operation::Size, m_path);
        if (m_fs->m_beatDuringSize && m_fs->m_heartbeat)
            m_fs->m_heartbeat();
        return m_fs->total(m_path);
    }
    FileTime DateLastModified() override
    {
        m_fs->call(FakeFileSystem::Operation::Date, m_path);
        return m_fs->entry(m_path).modified;
    }
    QList<std::shared_ptr<FileSystemFolder>> SubFolders() override
    {
        m_fs->call(FakeFileSystem::Operation::SubFolders, m_path);
        QList<std::shared_ptr<FileSystemFolder>> result;
        for (const QByteArray &child : m_fs->entry(m_path).folders)
            result.append(std::make_shared<FakeFolder>(m_fs, child));
        return result;
    }
    FileSystemFiles Files() override
    {
        m_fs->call(FakeFileSystem::Operation::Files, m_path);
        return FileSystemFiles(this, m_fs->entry(m_path).files.size());
    }

protected:
    QByteArrayView fileName(qsizetype index) const override
    {
        return m_fs->entry(file(index)).name;
    }
    qint64 fileSize(qsizetype index) override
    {
        m_fs->call(FakeFileSystem::Operation::Size, file(index));
        return m_fs->entry(file(index)).size;
    }
    FileTime fileDateLastModified(qsizetype index) override
    {
        m_fs->call(FakeFileSystem::Operation::Date, file(index));
        return m_fs->entry(file(index)).modified;
    }

private:
    const QByteArray &file(qsizetype index) const { return m_fs->entry(m_path).files.at(index); }

    FakeFileSystem *m_fs;
    QByteArray m_path;
};

void FakeFileSystem::addFolder(const QByteArray &path, FileTime modified)
{
    add(path, true, 0, modified);
}

void FakeFileSystem::addFile(const QByteArray &path, qint64 size, FileTime modified)
{
    add(path, false, size, modified);
}

void FakeFileSystem::add(const QByteArray &path, bool folder, qint64 size, FileTime modified)
{
    const qsizetype slash = path.lastIndexOf('/');
    auto parent = m_entries.find(path.left(slash));
    if (parent != m_entries.end())
        (folder ? parent->second.folders : parent->second.files).append(path);
    m_entries[path] = Entry{folder, path.mid(slash + 1), size, modified, {}, {}};
}

void FakeFileSystem::failOn(const QByteArray &path, Operation operation, int errorCode)
{
    m_failures.insert({path, int(operation)}, errorCode);
}

void FakeFileSystem::beginBuild(Heartbeat heartbeat)
{
    ++m_begun;
    m_heartbeat = std::move(heartbeat);
}

void FakeFileSystem::endBuild()
{
    ++m_ended;
    m_heartbeat = {};
}

std::shared_ptr<FileSystemFolder> FakeFileSystem::GetFolder(const QByteArray &path)
{
    call(Operation::GetFolder, path);
    auto it = m_entries.find(path);
    if (it == m_entries.end() || !it->second.folder)
        throw FileSystemError(FileSystemError::Operation::OpenFolder, path, ENOENT);
    return std::make_shared<FakeFolder>(this, path);
}

const FakeFileSystem::Entry &FakeFileSystem::entry(const QByteArrayView &path) const
{
    return m_entries.at(path.toByteArray());
}

void FakeFileSystem::call(Operation operation, const QByteArray &path)
{
    static const char *const names[] = {"GetFolder", "SubFolders", "Files", "Size", "Date"};
    m_calls.append(QLatin1String(names[int(operation)]) + QLatin1Char(' ') + QFile::decodeName(path));
    const auto failure = m_failures.constFind({path, int(operation)});
    if (failure == m_failures.constEnd())
        return;
    switch (operation) {
    case Operation::GetFolder:
        throw FileSystemError(FileSystemError::Operation::OpenFolder, path, *failure);
    case Operation::SubFolders:
    case Operation::Files:
        throw FileSystemError(FileSystemError::Operation::ReadFolder, path, *failure);
    case Operation::Size:
    case Operation::Date:
        throw FileSystemError(FileSystemError::Operation::ReadEntry, path, *failure);
    }
}

// A folder's total reads its whole subtree, so a failure anywhere below shows.
qint64 FakeFileSystem::total(const QByteArray &path)
{
    call(Operation::SubFolders, path);
    call(Operation::Files, path);
    qint64 sum = 0;
    for (const QByteArray &file : entry(path).files) {
        call(Operation::Size, file);
        sum += entry(file).size;
    }
    for (const QByteArray &folder : entry(path).folders)
        sum += total(folder);
    return sum;
}
