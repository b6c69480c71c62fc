#include "listing/FileSystemObject.h"

#include <QCoreApplication>
#include <QFile>

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

} // namespace

FileSystemError::FileSystemError(Operation operation, QByteArray path, int errorCode)
    : FileSystemError(operation, std::move(path), qt_error_string(errorCode))
{
    m_errorCode = errorCode;
}

FileSystemError::FileSystemError(Operation operation, QByteArray path, QString reason)
    : UserError(describe(operation, path, reason))
    , m_operation(operation), m_path(std::move(path)), m_reason(std::move(reason))
{
}

QString FileSystemError::describe(Operation operation, const QByteArray &path, const QString &reason)
{
    return operationText(operation).arg(QFile::decodeName(path), reason);
}
