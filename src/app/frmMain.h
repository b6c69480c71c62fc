#pragma once

// The main window. It owns the option controls (frmMain.ui), the folder
// pickers (DriveList, FolderList), the listing and indicator fields and the
// preview surface. Handlers carry the names of the controls and events they
// serve. Logic lives elsewhere:
//   listing/ListingBuilder   the folder walk behind CreatString
//   print/PrintComposer      SendPrintData onto the PreviewSurface vsp1
//   settings/OptionStore     the ten remembered options (via OptionControls)
//   clipboard/ClipboardExport the spreadsheet text of "Copy"
//   help/ContextIDs, frmIntro help, the start-up window and the web link
//   PrintTitle, PreviewPlacement, Twips  the title rule and the geometry
// The window reads its controls, calls that logic and reports failures; no
// exception leaves a handler.

#include "listing/ListingText.h"
#include "settings/OptionControls.h"
#include "settings/OptionStore.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class FileSystemObject;
class PreviewSurface;
class QFrame;
class QLabel;
class QMenu;
class QShortcut;
struct ListingProgress;

namespace Ui {
class frmMain;
}

class frmMain : public QWidget, public OptionControls
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Runs the load sequence. "Exit" in the start-up window ends the
    // program inside it.
    void Form_Load();

    // The indicator fields, set by the command that starts a build.
    QString DirIndicator;
    QString FileIndicator;
    // ListFormat, ListHeader and ListBody of the last build.
    ListingText Listing;

    // Builds the listing of the folder in the path label into Listing, with
    // one reading of the options. Throws what the walk throws; a build the
    // user cancels throws BuildCancelled.
    void CreatString(const QString &cSeperator, const QString &rSeperator);
    // Composes the listing document on vsp1; the page label follows it.
    void SendPrintData();

    class BuildCancelled
    {
    };
    bool isBuilding() const { return m_building; }
    // How often a build lets pending window events run, at most.
    void setYieldInterval(int milliseconds) { m_yieldIntervalMs = milliseconds; }

    // Button bar
    void cmdPrint_Click();
    void cmdHide_Click();
    void cmdNextPage_Click();
    void cmdPrevPage_Click();
    void cmdCopy_Click();
    void cmdCancel_Click();
    // Folder chain: drive -> folder list -> path label -> title
    void Drive1_Change();
    void Dir1_Change();
    void lblPath_Change();
    // Help and web link
    void cmdHelp_Click();
    void helpItem_Click(int Index);
    void Label2_Click();

    // Places the preview surface by the resize rule; a placement that does
    // not fit is skipped.
    void placePreviewSurface();

    PreviewSurface *previewSurface() const { return vsp1; }

    // OptionControls
    int checkValue(OptionCheck check) const override;
    void setCheckValue(OptionCheck check, int value) override;
    QString depthText() const override;
    void setDepthText(const QString &text) override;
    int gridListIndex() const override;
    void setGridListIndex(int index) override;
    QString optionText(OptionText field) const override;
    void setOptionText(OptionText field, const QString &text) override;
    QString pathCaption() const override;
    void setFolderListPath(const QString &path) override;
    void setDriveListDrive(const QString &path) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Resize();
    void Form_UnLoad();

    void createPreviewSurface();
    void applyTwipGeometry();
    void dockButtonBar();
    void relayout();
    // What hangs on the window's size: the button bar, the preview surface
    // and the build progress above the bar.
    void followWindowSize();
    void setPathCaption(const QString &caption);
    void rememberOpenedFolder();
    void showFailure(const QString &text);
    // Runs one command's steps; a failure stops them where it happens and is
    // reported. False when the steps did not all run.
    bool runSteps(const std::function<void()> &steps);
    void createBuildProgress();
    void placeBuildProgress();
    void yieldDuringBuild(const ListingProgress &progress);
    void cancelBuild();
    void showPageLabel();
    void reportReplacedSettings();

    std::unique_ptr<Ui::frmMain> m_ui;
    PreviewSurface *vsp1 = nullptr;
    QMenu *m_helpbar = nullptr;
    bool m_followsScreen = false;

    // One component for the window's life, made at the first build.
    std::unique_ptr<FileSystemObject> m_fileSystem;
    SettingsLoadReport m_loadReport;

    // The running build, if any.
    bool m_building = false;
    bool m_cancelRequested = false;
    int m_yieldIntervalMs;
    QElapsedTimer m_buildClock;
    QElapsedTimer m_sinceEvents;
    QFrame *m_buildProgress = nullptr;
    QLabel *m_buildProgressText = nullptr;
    QShortcut *m_escapeCancels = nullptr;
};
