#include "app/FolderChoice.h"

#include "app/DriveList.h"
#include "app/FolderDrop.h"
#include "app/FolderList.h"
#include "app/PathField.h"
#include "settings/RecentFolders.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcFolderChoice, "foliotrace.app.folders")

FolderChoice::FolderChoice(QLabel *pathBar, QAbstractButton *browse, DriveList *drives, FolderList *folders,
                           QWidget *window)
    : QObject(window)
    , m_drives(drives)
    , m_folders(folders)
    , m_window(window)
    , m_pathField(new PathField(pathBar, window))
    , m_drop(new FolderDrop(window))
{
    connect(browse, &QAbstractButton::clicked, this, &FolderChoice::browse);
    connect(m_pathField, &PathField::folderChosen, this, &FolderChoice::select);
    connect(m_drop, &FolderDrop::folderDropped, this, &FolderChoice::select);
}

FolderChoice::~FolderChoice() = default;

void FolderChoice::loadRecentFolders()
{
    m_drives->setRecentFolders(RecentFolders::load());
    connect(m_folders, &FolderList::pathChanged, this, [this] {
        // Later: the drive list may be the one whose pick moved the folder list.
        QTimer::singleShot(0, this, [this, folder = m_folders->nativePath()] { recordSelection(folder); });
    });
}

void FolderChoice::browse()
{
    // The desktop's own dialog where it has one (through the portal in a sandbox).
    const QString chosen = QFileDialog::getExistingDirectory(m_window, tr("Select a Folder"), m_folders->path());
    if (!chosen.isEmpty())
        select(FolderPaths::fromShown(chosen));
}

void FolderChoice::editPath()
{
    m_pathField->edit();
}

bool FolderChoice::select(const QByteArray &nativePath)
{
    try {
        m_folders->setNativePath(nativePath);
        return true;
    } catch (const FileSystemError &error) {
        emit failed(error.message());
        return false;
    }
}

void FolderChoice::recordSelection(const QByteArray &folder)
{
    const QList<QByteArray> recent = RecentFolders::added(m_drives->recentFolders(), folder);
    if (recent == m_drives->recentFolders())
        return;
    m_drives->setRecentFolders(recent);
    // Not told here: the options' next store tells what keeps the file from being written.
    if (const SettingsSaveReport report = RecentFolders::store(recent); !report.failure.isEmpty())
        qCWarning(lcFolderChoice) << "recent folders not stored:" << report.failure;
}
