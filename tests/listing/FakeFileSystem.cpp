#include "FakeFileSystem.h"

#include <QFile>

void FakeFileSystem::addFolder(const QByteArray &path, FileTime modified, VirtualFileSystem mounted)
{
    m_entries[path] = Entry{true, 0, modified, mounted, {}};
    const auto parent = m_entries.find(path.left(path.lastIndexOf('/')));
    if (parent != m_entries.end() && parent->first != path)
        parent->second.children.append(path);
}

void FakeFileSystem::addFile(const QByteArray &path, qint64 size, FileTime modified)
{
    m_entries[path] = Entry{false, size, modified, {}, {}};
    m_entries.at(path.left(path.lastIndexOf('/'))).children.append(path);
}

void FakeFileSystem::failOn(const QByteArray &path, Failure failure, int errorCode)
{
    m_failures.insert({path, int(failure)}, errorCode);
}

int FakeFileSystem::failure(const QByteArray &path, Failure failure) const
{
    return m_failures.value({path, int(failure)}, 0);
}

FileSystemObject::Handle FakeFileSystem::GetFolder(const QByteArray &path)
{
    int error = failure(path, Failure::Open);
    const auto it = m_entries.find(path);
    if (it == m_entries.end() || !it->second.folder)
        error = ENOENT;
    if (error)
        throw FileSystemError(FileSystemError::Operation::OpenFolder, path, error);
    std::lock_guard lock(m_mutex);
    m_open.insert(m_next, path);
    m_mostOpen = std::max(m_mostOpen, int(m_open.size()));
    return m_next++;
}

FileSystemObject::Handle FakeFileSystem::openFolder(Handle parent, const char *name, int &error)
{
    std::lock_guard lock(m_mutex);
    const QByteArray path = m_open.value(parent) + '/' + name;
    const auto it = m_entries.find(path);
    error = it == m_entries.end() || !m_open.contains(parent) ? ENOENT : failure(path, Failure::Open);
    if (error)
        return -1;
    m_open.insert(m_next, path);
    m_mostOpen = std::max(m_mostOpen, int(m_open.size()));
    return m_next++;
}

int FakeFileSystem::readFolder(Handle folder, FolderEntries &out, const Beat &beat)
{
    QByteArray path;
    {
        std::lock_guard lock(m_mutex);
        path = m_open.value(folder);
        m_read.append(QFile::decodeName(path));
    }
    if (beat)
        beat();
    if (const int error = failure(path, Failure::Read))
        return error;
    for (const QByteArray &child : m_entries.at(path).children) {
        if (failure(child, Failure::Vanish))
            continue;
        const Entry &entry = m_entries.at(child);
        FolderEntry read{entry.size, entry.modified.time_since_epoch().count()};
        read.folder = entry.folder;
        read.mounted = entry.mounted;
        read.error = qint16(failure(child, Failure::Details));
        out.add(QByteArrayView(child).sliced(path.size() + 1), read);
    }
    return 0;
}

void FakeFileSystem::closeFolder(Handle folder)
{
    std::lock_guard lock(m_mutex);
    m_open.remove(folder);
}

QStringList FakeFileSystem::foldersRead() const
{
    std::lock_guard lock(m_mutex);
    return m_read;
}

int FakeFileSystem::openNow() const
{
    std::lock_guard lock(m_mutex);
    return int(m_open.size());
}

int FakeFileSystem::mostOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_mostOpen;
}
