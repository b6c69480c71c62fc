#pragma once

// The main window. It owns the option controls (frmMain.ui), the folder
// pickers (DriveList, FolderList), the listing and indicator fields and the
// preview surface. Handlers carry the names of the controls and events they
// serve. Logic lives elsewhere: the title rule in PrintTitle, the clipboard
// text in clipboard/ClipboardExport, placement in PreviewPlacement and Twips.
// The window only reads controls, calls that logic and reports failures.

#include "listing/ListingText.h"

#include <QString>
#include <QWidget>

#include <memory>

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

    // Runs the load sequence. False when the user left the start-up window
    // with "Exit": the program ends without showing this window.
    bool Form_Load();

    // The indicator fields, set by the command that starts a build.
    QString DirIndicator;
    QString FileIndicator;
    // ListFormat, ListHeader and ListBody of the last build.
    ListingText Listing;

    // TODO(lead): public CreatString(cSeperator, rSeperator) delegating to
    // buildListing() over the option set read from the controls, and
    // SendPrintData() delegating to the composer.

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

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Resize();
    void Form_UnLoad();

    void createPreviewSurface();
    void applyTwipGeometry();
    void dockButtonBar();
    void relayout();
    void setPathCaption(const QString &caption);
    void rememberOpenedFolder();
    void reportFolderFailure(const QString &path, const QString &reason);
    void showFailure(const QString &text);

    std::unique_ptr<Ui::frmMain> m_ui;
    QWidget *vsp1 = nullptr;        // the preview surface (placeholder until it lands)
    QMenu *m_helpbar = nullptr;
    bool m_followsScreen = false;
};
