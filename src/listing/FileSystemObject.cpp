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

struct FileSystemKind
{
    const char *name; // as the mount table names it
    quint32 magic;    // statfs's f_type; 0 where only the name is known
    VirtualFileSystem type;
};

// File systems that are no volume a user would pick: first the kernel's own
// state, whose mount points a walk lists but does not enter (the magic
// numbers of <linux/magic.h>, some of which older headers lack), then ones
// that hold files but only for the moment or for the system (a walk enters
// those).
constexpr FileSystemKind kPseudoFileSystems[] = {
    {"proc", 0x9fa0, VirtualFileSystem::Proc},
    {"sysfs", 0x62656572, VirtualFileSystem::Sysfs},
    {"cgroup", 0x27e0eb, VirtualFileSystem::Cgroup},
    {"cgroup2", 0x63677270, VirtualFileSystem::Cgroup2},
    {"devpts", 0x1cd1, VirtualFileSystem::Devpts},
    {"debugfs", 0x64626720, VirtualFileSystem::Debugfs},
    {"tracefs", 0x74726163, VirtualFileSystem::Tracefs},
    {"securityfs", 0x73636673, VirtualFileSystem::Securityfs},
    {"pstore", 0x6165676c, VirtualFileSystem::Pstore},
    {"bpf", 0xcafe4a11, VirtualFileSystem::Bpf},
    {"configfs", 0x62656570, VirtualFileSystem::Configfs},
    {"mqueue", 0x19800202, VirtualFileSystem::Mqueue},
    {"hugetlbfs", 0x958458f6, VirtualFileSystem::Hugetlbfs},
    {"fusectl", 0x65735543, VirtualFileSystem::Fusectl},
    {"binfmt_misc", 0x42494e4d, VirtualFileSystem::BinfmtMisc},
    {"efivarfs", 0xde5e81e4, VirtualFileSystem::Efivarfs},
    {"autofs", 0x0187, VirtualFileSystem::Autofs},
    {"rpc_pipefs", 0x67596969, VirtualFileSystem::RpcPipefs},
    {"nsfs", 0x6e736673, VirtualFileSystem::Nsfs},
    {"devtmpfs", 0, VirtualFileSystem::None},
    {"ramfs", 0, VirtualFileSystem::None},
    {"selinuxfs", 0, VirtualFileSystem::None},
    {"squashfs", 0, VirtualFileSystem::None},
    {"tmpfs", 0, VirtualFileSystem::None},
    {"overlay", 0, VirtualFileSystem::None},
    {"fuse.gvfsd-fuse", 0, VirtualFileSystem::None},
    {"fuse.portal", 0, VirtualFileSystem::None},
    {"fuse.lxcfs", 0, VirtualFileSystem::None},
    {"none", 0, VirtualFileSystem::None},
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
    const auto found = std::find_if(std::begin(kPseudoFileSystems), std::end(kPseudoFileSystems),
                                    [magic](const FileSystemKind &k) { return k.magic && k.magic == quint32(magic); });
    return found == std::end(kPseudoFileSystems) ? VirtualFileSystem::None : found->type;
}

QLatin1StringView virtualFileSystemName(VirtualFileSystem type)
{
    for (const FileSystemKind &kind : kPseudoFileSystems) {
        if (kind.type == type && type != VirtualFileSystem::None)
            return QLatin1StringView(kind.name);
    }
    return {};
}

bool isPseudoFileSystem(QByteArrayView name)
{
    return std::any_of(std::begin(kPseudoFileSystems), std::end(kPseudoFileSystems),
                       [name](const FileSystemKind &kind) { return name == kind.name; });
}

void FolderEntries::add(QByteArrayView name, FolderEntry entry)
{
    entry.nameOffset = names.size();
    entry.nameLength = quint16(std::min<qsizetype>(name.size(), 0xffff));
    names.append(name.first(entry.nameLength));
    names.append('\0');
    entries.push_back(entry);
}
