#include "listing/FileSystemObject.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <iterator>

namespace {

QString operationText(FileSystemError::Operation operation)
{
    switch (operation) {
    case FileSystemError::Operation::OpenFolder:
        return QCoreApplication::translate("FileSystemError", "Cannot open folder \"%1\": %2");
    case FileSystemError::Operation::ReadFolder:
        return QCoreApplication::translate("FileSystemError", "Cannot read folder \"%1\": %2");
    case FileSystemError::Operation::ReadEntry:
        break;
    }
    return QCoreApplication::translate("FileSystemError", "Cannot read \"%1\": %2");
}

struct VirtualType
{
    quint32 magic;
    VirtualFileSystem type;
    const char *name;
};

// The statfs magic numbers of <linux/magic.h>, some of which older headers lack.
constexpr VirtualType kVirtualTypes[] = {
    {0x9fa0, VirtualFileSystem::Proc, "proc"},
    {0x62656572, VirtualFileSystem::Sysfs, "sysfs"},
    {0x27e0eb, VirtualFileSystem::Cgroup, "cgroup"},
    {0x63677270, VirtualFileSystem::Cgroup2, "cgroup2"},
    {0x1cd1, VirtualFileSystem::Devpts, "devpts"},
    {0x64626720, VirtualFileSystem::Debugfs, "debugfs"},
    {0x74726163, VirtualFileSystem::Tracefs, "tracefs"},
    {0x73636673, VirtualFileSystem::Securityfs, "securityfs"},
    {0x6165676c, VirtualFileSystem::Pstore, "pstore"},
    {0xcafe4a11, VirtualFileSystem::Bpf, "bpf"},
    {0x62656570, VirtualFileSystem::Configfs, "configfs"},
    {0x19800202, VirtualFileSystem::Mqueue, "mqueue"},
    {0x958458f6, VirtualFileSystem::Hugetlbfs, "hugetlbfs"},
    {0x65735543, VirtualFileSystem::Fusectl, "fusectl"},
    {0x42494e4d, VirtualFileSystem::BinfmtMisc, "binfmt_misc"},
    {0xde5e81e4, VirtualFileSystem::Efivarfs, "efivarfs"},
    {0x0187, VirtualFileSystem::Autofs, "autofs"},
    {0x67596969, VirtualFileSystem::RpcPipefs, "rpc_pipefs"},
    {0x6e736673, VirtualFileSystem::Nsfs, "nsfs"},
};

} // namespace

FileSystemError::FileSystemError(Operation operation, QByteArray path, int errorCode)
    : FileSystemError(operation, std::move(path), qt_error_string(errorCode))
{
    m_errorCode = errorCode;
}

FileSystemError::FileSystemError(Operation operation, QByteArray path, QString reason)
    : UserError(describe(operation, path, reason))
    , m_operation(operation)
    , m_path(std::move(path))
    , m_reason(std::move(reason))
{}

QString FileSystemError::describe(Operation operation, const QByteArray &path, const QString &reason)
{
    return operationText(operation).arg(QFile::decodeName(path), reason);
}

VirtualFileSystem virtualFileSystem(qint64 magic)
{
    // f_type is a signed word on some ABIs: compare the low 32 bits.
    const auto found = std::find_if(std::begin(kVirtualTypes), std::end(kVirtualTypes),
                                    [magic](const VirtualType &t) { return t.magic == quint32(magic); });
    return found == std::end(kVirtualTypes) ? VirtualFileSystem::None : found->type;
}

QLatin1StringView virtualFileSystemName(VirtualFileSystem type)
{
    for (const VirtualType &t : kVirtualTypes) {
        if (t.type == type)
            return QLatin1StringView(t.name);
    }
    return {};
}

void FolderEntries::add(QByteArrayView name, FolderEntry entry)
{
    entry.nameOffset = names.size();
    entry.nameLength = quint16(std::min<qsizetype>(name.size(), 0xffff));
    names.append(name.first(entry.nameLength));
    names.append('\0');
    entries.push_back(entry);
}
