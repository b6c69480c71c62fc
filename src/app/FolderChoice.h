#pragma once

#include <QByteArray>
#include <QObject>

class DriveList;
class FolderDrop;
class FolderList;
class PathField;
class QAbstractButton;
class QLabel;
class QWidget;

// The quick ways to a folder besides the two lists: Browse… (the desktop's
// folder dialog), a typed or pasted path (PathField), a folder dropped on
// the window (FolderDrop) and the recent folders in the drive list, which
// it keeps and stores. Each makes its folder the selection as if it had
// been picked in the folder list.
class FolderChoice : public QObject
{
    Q_OBJECT

public:
    FolderChoice(QLabel *pathBar, QAbstractButton *browse, DriveList *drives, FolderList *folders, QWidget *window);
    ~FolderChoice() override;

    // Offers the stored recent folders and starts recording the selections.
    void loadRecentFolders();

    void browse();
    // Opens the path field (Ctrl+L).
    void editPath();
    // Makes a folder the selection; a failure is told through failed().
    bool select(const QByteArray &nativePath);

    PathField *pathField() const { return m_pathField; }

signals:
    void failed(const QString &text);

private:
    void recordSelection(const QByteArray &folder);

    DriveList *m_drives;
    FolderList *m_folders;
    QWidget *m_window;
    PathField *m_pathField;
    FolderDrop *m_drop;
};
