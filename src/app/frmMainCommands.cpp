// The button bar's commands: Print Preview and Print, paging, Copy and
// Save As, and the build and composition they run.

#include "app/frmMain.h"

#include "app/CompareChoice.h"
#include "ui_frmMain.h"

#include "app/BuildProgressStrip.h"
#include "app/BuildSession.h"
#include "app/CommandSteps.h"
#include "app/OptionSet.h"
#include "app/PageSetupOptions.h"
#include "app/PreviewKeys.h"
#include "app/PreviewSurface.h"
#include "app/PrintCommands.h"
#include "app/SaveAsDialog.h"
#include "app/WaitCursor.h"
#include "app/WindowMessage.h"
#include "clipboard/ClipboardExport.h"
#include "export/ListingExport.h"
#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "print/ListingComposer.h"
#include "print/ListingSearch.h"
#include "print/Paper.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScopeGuard>

#include <functional>
#include <utility>

namespace {

// "Page 1 of 3"; "Page:" while no page shows.
QString pageLabel(int shownPage, int pageTotal)
{
    if (shownPage < 1)
        return frmMain::tr("Page:");
    return frmMain::tr("Page %1 of %2").arg(shownPage).arg(pageTotal);
}

} // namespace

void frmMain::cmdPrint_Click()
{
    // A click queued while a build runs starts nothing.
    if (m_session->isRunning())
        return;
    if (m_state == State::Options) {
        // Store the options, take the marks as typed, compose. A failure
        // leaves the window in the Options state.
        const bool composed = runStoringCommand([this] {
            m_dirMark = m_ui->txtDirI->text();
            m_fileMark = m_ui->txtFileI->text();
            composeListing();
        });
        if (!composed)
            return;
        QCoreApplication::processEvents();
        showPreviewState();
        m_printing->warnIfTooWide();
        showUnreadReport(this, m_listing);
    } else if (m_printing->print()) {
        // The last composed document went to the default printer; a
        // declined, refused or cancelled job keeps the preview on screen.
        QCoreApplication::processEvents();
        cmdHide_Click();
    }
}

void frmMain::printWithDialog()
{
    if (m_session->isRunning())
        return;
    if (m_state == State::Options)
        cmdPrint_Click();
    if (m_state == State::Preview && m_printing->printWithDialog()) {
        QCoreApplication::processEvents();
        cmdHide_Click();
    }
}

void frmMain::showPreviewState()
{
    m_state = State::Preview;
    m_ui->cmdPrint->setText(tr("&Print"));
    m_ui->cmdMore->hide();
    m_compare->setShown(false);
    m_ui->cmdHide->show();
    m_ui->cmdPageSetup->show();
    placePreviewSurface();
    vsp1->show();
    vsp1->raise();
    // Page Up and Page Down work at once, without a click on the page.
    vsp1->setFocus(Qt::OtherFocusReason);
    m_buildProgress->raise();
    // Which paper, and why when it is not the printer's.
    m_ui->lblPrnt->setToolTip(vsp1->paperNote());
    m_previewKeys->setActive(!m_session->isRunning());
    showPageLabel();
}

void frmMain::cmdHide_Click()
{
    showOptionsState();
}

void frmMain::showOptionsState()
{
    // The focus would pass on to "Exit", where a key meant for the preview
    // ends the program; it goes back to the command that shows it again.
    if (vsp1->hasFocus() || vsp1->isAncestorOf(focusWidget()) || m_ui->cmdHide->hasFocus())
        m_ui->cmdPrint->setFocus(Qt::OtherFocusReason);
    m_state = State::Options;
    m_previewKeys->setActive(false);
    vsp1->hide();
    m_ui->cmdHide->hide();
    m_ui->cmdMore->show();
    m_compare->setShown(true);
    m_ui->cmdPageSetup->hide();
    m_ui->cmdPrint->setText(tr("&Print Preview"));
    showPageLabel();
}

// The surface keeps the page within the document; before any document,
// and with the preview hidden, there is no page to go to.
void frmMain::cmdNextPage_Click()
{
    if (m_state == State::Preview)
        vsp1->setShownPage(vsp1->shownPage() + 1);
}

void frmMain::cmdPrevPage_Click()
{
    if (m_state == State::Preview)
        vsp1->setShownPage(vsp1->shownPage() - 1);
}

void frmMain::showPageLabel()
{
    const bool shown = m_state == State::Preview;
    m_ui->lblPrnt->setText(pageLabel(shown ? vsp1->shownPage() : 0, vsp1->pageTotal()));
}

void frmMain::cmdCopy_Click()
{
    if (m_session->isRunning())
        return;
    // The options are stored whether or not the rest succeeds.
    const bool copied = runStoringCommand([this] {
        // The marks as typed, with a lone "+" / "-" kept as text for spreadsheets.
        m_dirMark = clipboardDirMark(m_ui->txtDirI->text());
        m_fileMark = clipboardFileMark(m_ui->txtFileI->text());
        // A failed or cancelled build ends here, before the clipboard is touched.
        buildListing(QStringLiteral("\t"), QStringLiteral("\r\n"));
        // The title is read now, after the build.
        putOnClipboard(clipboardText(m_ui->txtTitle->text(), m_listing), QGuiApplication::clipboard());
    });
    if (copied)
        showUnreadReport(this, m_listing);
}

bool frmMain::runStoringCommand(const std::function<void()> &steps, const std::optional<SaveAsMemory> &saveAs)
{
    // A store that fails stops nothing; one that cannot be written stays
    // so, and is told once per run, after the command.
    SettingsSaveReport report = saveOptions(*m_options, saveAs, pageSetupWriter(m_options->pageSetup()));
    if (!report.failure.isEmpty() && std::exchange(m_storeFailureTold, true))
        report.failure.clear();
    const bool completed = runSteps(steps);
    if (const QString note = settingsSaveReportMessage(report); !note.isEmpty())
        showFailure(note);
    return completed;
}

void frmMain::cmdSaveAs_Click()
{
    if (m_session->isRunning())
        return;
    const std::optional<SaveAsChoice> choice = askSaveAsFile(this, m_ui->lblPath->text());
    if (!choice)
        return;
    // Stored as "Copy" stores them, with where the next Save As starts.
    const bool saved = runStoringCommand(
        [this, &choice] {
            ListingExport::save(m_options->exportRequest(choice->format), std::bind_front(&frmMain::buildWith, this),
                                choice->fileName);
        },
        choice->memory());
    if (saved)
        showUnreadReport(this, m_listing);
}

void frmMain::buildListing(const QString &columnSeparator, const QString &rowSeparator)
{
    // One reading of the options; later edits do not reach this build.
    ListingOptions options = m_options->listingOptions();
    options.dirMark = m_dirMark;
    options.fileMark = m_fileMark;
    buildWith(options, columnSeparator, rowSeparator);
}

const ListingText &frmMain::buildWith(const ListingOptions &options, const QString &columnSeparator,
                                      const QString &rowSeparator)
{
    WaitCursor hourglass;
    m_dirMark = options.dirMark;
    m_fileMark = options.fileMark;
    if (!m_fileSystem)
        m_fileSystem = createFileSystemObject();

    BuildSession::Scope running(*m_session);
    ::buildListing(options, columnSeparator, rowSeparator, *m_fileSystem, m_listing,
                   [this](const ListingProgress &progress) {
                       m_session->yield(progress.entriesListed, progress.entriesUnread, progress.currentFolder);
                   });
    return m_listing;
}

void frmMain::composeListing()
{
    WaitCursor hourglass;
    PageOptions page = m_options->pageOptions();
    page.grid = page.grid.value_or(m_lastGrid);
    // The walk and the table's layout are one run: the window stays live
    // through both, and Cancel in either puts the earlier document back.
    BuildSession::Scope running(*m_session);
    vsp1->beginReplacing();
    auto keepEarlier = qScopeGuard([this] { vsp1->keepEarlierDocument(); });
    const Paper paper = Paper::of(page.setup);
    buildListing(QStringLiteral("|"), QStringLiteral(";"));
    m_printing->show(m_listing, page, paper);
    keepEarlier.dismiss();
    m_lastGrid = *page.grid;
}

bool frmMain::runSteps(const std::function<void()> &steps)
{
    const StepsOutcome outcome = runCommandSteps(steps);
    if (!outcome.failure.isEmpty())
        showFailure(outcome.failure);
    return outcome.completed;
}
