#pragma once

// The main window. It owns the option controls (frmMain.ui), the folder
// pickers (DriveList, FolderList), the listing and indicator fields and the
// preview surface. Handlers carry the names of the controls and events they
// serve. Logic lives elsewhere:
//   listing/ListingBuilder    the folder walk behind buildListing
//   print/ListingComposer     the listing as a paginated document, shown on
//                             the PreviewSurface vsp1
//   settings/OptionStore      the ten remembered options, through OptionSet,
//                             which also makes them typed for a build
//   clipboard/ClipboardExport the spreadsheet text of "Copy"
//   export/ListingExport, SaveAsDialog  "Save As…": the listing as a file
//   ListingOptionsDialog      "More Options…": the listing choices
//   CompareChoice             "Compare With…": an earlier listing to compare with
//   help/Help, frmIntro       help, the start-up window and the web link
//   BuildSession              one build at a time, its yields, cancel and
//                             progress (shown by BuildProgressStrip)
//   DesignLayout, PreviewPlacement  the .ui geometry at the screen's
//                             resolution, and the preview surface's place
//   PrintTitle                the title rule
//   PreviewKeys, FindBar      the Preview state's keys, find in the preview
//   FolderChoice              Browse…, the typed path (PathField), a dropped
//                             folder (FolderDrop), the recent folders
//   PrintCommands, PrintDialogs  Page Setup…, Print (asking first before
//                             a long job) and Print…, and the document laid
//                             out again when the page setup changes
// The window reads its controls, calls that logic and reports failures; no
// exception leaves a handler.

#include "app/BuildSession.h"
#include "listing/ListingText.h"
#include "print/GridStyle.h"
#include "settings/OptionStore.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class BuildProgressStrip;
class CompareChoice;
class DesignLayout;
class FolderChoice;
class FileSystemObject;
struct ListingOptions;
class OptionSet;
class PreviewKeys;
class PreviewSurface;
class PrintCommands;
class QMenu;

namespace Ui {
class frmMain;
}

class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Runs the load sequence. False when the user chose "Exit" in the
    // start-up window: nothing more was loaded, and the program ends
    // without showing this window.
    bool Form_Load();

    // ListFormat, ListHeader and ListBody of the last build.
    const ListingText &listing() const { return m_listing; }

    // Builds the listing of the folder in the path label into Listing, with
    // one reading of the options. Throws what the walk throws; a build the
    // user cancels throws BuildCancelled.
    void buildListing(const QString &columnSeparator, const QString &rowSeparator);
    // Builds and composes the listing document and shows it on vsp1 (the
    // page label follows); a build or layout that fails or is cancelled
    // leaves the earlier document there.
    void composeListing();

    // Options: the option controls show; Preview: the preview covers them.
    enum class State { Options, Preview };
    State state() const { return m_state; }

    using BuildCancelled = BuildSession::Cancelled;
    BuildSession *buildSession() const { return m_session; }

    // Button bar
    void cmdPrint_Click();
    void cmdHide_Click();
    void cmdNextPage_Click();
    void cmdPrevPage_Click();
    void cmdCopy_Click();
    // "Save As…" and Ctrl+S, in both states: the listing as a file of a
    // type chosen in a file dialog.
    void cmdSaveAs_Click();
    // "Print…" and Ctrl+P: the print dialog, after Print Preview when the
    // preview is not shown yet.
    void printWithDialog();
    void cmdCancel_Click();
    // "More Options…", in the Options state: the listing choices, in a dialog.
    void cmdMore_Click();
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
    FolderChoice *folderChoice() const { return m_folderChoice; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Resize();
    void Form_UnLoad();

    void dressControls();
    void createHelpMenu();
    void connectHandlers();
    void createPreviewSurface();
    // What hangs on the window's size: the button bar, the preview surface
    // and the build progress above the bar.
    void followWindowSize();
    void setPathCaption(const QString &caption);
    void rememberOpenedFolder();
    void showFailure(const QString &text);
    // Runs one command's steps; a failure stops them where it happens and is
    // reported. False when the steps did not all run.
    bool runSteps(const std::function<void()> &steps);
    // The same for "Print Preview", "Copy" and "Save As…", which store the
    // ten options first.
    bool runStoringCommand(const std::function<void()> &steps, const std::optional<SaveAsMemory> &saveAs = {});
    void createBuildProgress();
    // The start-up window, modal; what the user chose there.
    int showIntro();
    void showPageLabel();
    // A build with these options (their marks become the indicator fields)
    // into Listing, run in the build session.
    const ListingText &buildWith(const ListingOptions &options, const QString &columnSeparator,
                                 const QString &rowSeparator);
    void showOptionsState();
    void showPreviewState();

    // The marks in front of folder and file names, set by the command that
    // starts a build (Copy protects a lone "+" or "-" for spreadsheets).
    QString m_dirMark;
    QString m_fileMark;
    ListingText m_listing;

    std::unique_ptr<Ui::frmMain> m_ui;
    std::unique_ptr<OptionSet> m_options;
    std::unique_ptr<DesignLayout> m_layout;
    PreviewSurface *vsp1 = nullptr;
    PreviewKeys *m_previewKeys = nullptr;
    FolderChoice *m_folderChoice = nullptr;
    QMenu *m_helpbar = nullptr;
    bool m_followsScreen = false;

    // One component for the window's life, made at the first build.
    std::unique_ptr<FileSystemObject> m_fileSystem;
    bool m_storeFailureTold = false;
    State m_state = State::Options;
    // The grid style of the last document: a grid field that names none keeps it.
    GridStyle m_lastGrid = GridStyle::None;

    BuildSession *m_session = nullptr;
    BuildProgressStrip *m_buildProgress = nullptr;
    PrintCommands *m_printing = nullptr;
    CompareChoice *m_compare = nullptr;
};
