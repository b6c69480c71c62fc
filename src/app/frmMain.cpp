#include "app/frmMain.h"
#include "ui_frmMain.h"

#include "app/BuildProgressStrip.h"
#include "app/BuildSession.h"
#include "app/CommandSteps.h"
#include "app/DesignLayout.h"
#include "app/FolderList.h"
#include "app/OptionSet.h"
#include "app/PreviewPlacement.h"
#include "app/PrintTitle.h"
#include "app/SaveAsDialog.h"
#include "app/WindowMessage.h"
#include "Twips.h"
#include "clipboard/ClipboardExport.h"
#include "help/Artwork.h"
#include "help/Help.h"
#include "help/WebLink.h"
#include "help/frmIntro.h"
#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "export/ListingExport.h"
#include "app/PreviewSurface.h"
#include "print/ListingComposer.h"
#include "print/Paper.h"
#include "app/WaitCursor.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDate>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScopeGuard>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

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

frmMain::frmMain(QWidget *parent) : QWidget(parent), m_ui(std::make_unique<Ui::frmMain>())
{
    m_ui->setupUi(this);
    m_options = std::make_unique<OptionSet>(m_ui.get());
    // Before anything moves: the .ui holds the designed geometry.
    m_layout = std::make_unique<DesignLayout>(this);
    dressControls();
    createHelpMenu();
    createPreviewSurface();
    createBuildProgress();
    m_layout->apply({m_ui->lblPath, m_ui->lblPrnt});
    // Wide enough to show "Save As…", which stands right of the page controls.
    resize(twipsToPixels(QRect(QPoint(), m_layout->formTwipsShowing(m_ui->cmdSaveAs)), this).size());
    m_ui->Dir1->openStartFolder();
    rememberOpenedFolder();
    connectHandlers();
}

frmMain::~frmMain() = default;

void frmMain::dressControls()
{
    // The layout figures were made for a compact 8.25 pt dialog font; Arial
    // (Liberation Sans here) has its metrics.
    QFont dialogFont(QStringLiteral("Arial"));
    dialogFont.setPointSizeF(8.25);
    setFont(dialogFont);

    // The form and the button bar use the system window colour, as the
    // check boxes on them do.
    setBackgroundRole(QPalette::Base);
    m_ui->pic1->setBackgroundRole(QPalette::Base);
    // The path label's pale yellow is its palette's Window colour (a style
    // sheet would cut it off from the form's font); without that role of
    // its own it would take the form's Base and paint white.
    m_ui->lblPath->setBackgroundRole(QPalette::Window);

    setWindowIcon(::windowIcon());
    m_ui->Label2->setText(WebLink::makerHostName());
    // Typed list text stays as typed: no completion to an item ("rows" is
    // not "Rows").
    m_ui->cboGrid->setCompleter(nullptr);
    m_ui->cboLevel->setCompleter(nullptr);
    // The grid list offers the styles in their stored order.
    for (GridStyle style : GridStyles::All)
        m_ui->cboGrid->addItem(GridStyles::itemText(style));
}

void frmMain::createHelpMenu()
{
    m_helpbar = new QMenu(tr("Help"), this);
    m_helpbar->setObjectName(QStringLiteral("helpbar"));
    const QStringList helpItems{tr("Help &Contents"), tr("Help &About")};
    for (int index = 0; index < helpItems.size(); ++index) {
        QAction *item = m_helpbar->addAction(helpItems.at(index));
        item->setObjectName(QStringLiteral("helpItem_%1").arg(index));
        connect(item, &QAction::triggered, this, [this, index] { helpItem_Click(index); });
    }
}

void frmMain::connectHandlers()
{
    connect(m_ui->Drive1, &DriveList::driveChanged, this, &frmMain::Drive1_Change);
    connect(m_ui->Dir1, &FolderList::pathChanged, this, &frmMain::rememberOpenedFolder);
    connect(m_ui->Dir1, &FolderList::pathChanged, this, &frmMain::Dir1_Change);
    connect(m_ui->Dir1, &FolderList::openFailed, this, &frmMain::showFailure);
    connect(m_ui->cmdPrint, &QAbstractButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(m_ui->cmdHide, &QAbstractButton::clicked, this, &frmMain::cmdHide_Click);
    connect(m_ui->cmdNextPage, &QAbstractButton::clicked, this, &frmMain::cmdNextPage_Click);
    connect(m_ui->cmdPrevPage, &QAbstractButton::clicked, this, &frmMain::cmdPrevPage_Click);
    connect(m_ui->cmdCopy, &QAbstractButton::clicked, this, &frmMain::cmdCopy_Click);
    connect(m_ui->cmdSaveAs, &QAbstractButton::clicked, this, &frmMain::cmdSaveAs_Click);
    // Ctrl+S also where the window is too narrow to show the button.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &frmMain::cmdSaveAs_Click);
    connect(m_ui->cmdCancel, &QAbstractButton::clicked, this, &frmMain::cmdCancel_Click);
    connect(m_ui->cmdHelp, &QAbstractButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(m_ui->Label2, &WebLinkLabel::clicked, this, &frmMain::Label2_Click);
}

void frmMain::createPreviewSurface()
{
    vsp1 = new PreviewSurface(this);
    vsp1->setObjectName(QStringLiteral("vsp1"));
    vsp1->hide();
    // Every way of paging (buttons, keys, a new or restored document) keeps the label true.
    connect(vsp1, &PreviewSurface::shownPageChanged, this, &frmMain::showPageLabel);
    setTabOrder(m_ui->chkDate, vsp1);
    setTabOrder(vsp1, m_ui->cmdHide);
}

void frmMain::createBuildProgress()
{
    m_session = new BuildSession(this);
    m_buildProgress = new BuildProgressStrip(m_session, this);
    // Only one build at a time: the commands that start one are off until
    // it ends, however it ends.
    m_session->disableWhileRunning({m_ui->cmdPrint, m_ui->cmdCopy, m_ui->cmdSaveAs});
}

bool frmMain::Form_Load()
{
    // Help works from here on, already in the start-up window.
    Help::registerHelpFile(this);
    Help::setHelpContextId(this, Help::MainWindowContextId);

    // "Exit" in the start-up window ends the program before anything else
    // is loaded.
    if (showIntro() == frmIntro::ExitChosen)
        return false;

    // The folder list's starting folder, which also builds the title.
    setPathCaption(m_ui->Dir1->path());

    // The depth list always offers exactly "1" to "5", whatever was stored.
    m_ui->cboLevel->clear();
    for (int level = 1; level <= 5; ++level)
        m_ui->cboLevel->addItem(QString::number(level));
    m_ui->cboLevel->setCurrentIndex(0);

    // The stored options. Values that could not be applied are reported
    // once the window is up (the timer fires in the event loop).
    runSteps([this] {
        const SettingsLoadReport report = loadOptions(*m_options);
        // A file that cannot be read cannot be stored to either: told now, not again at each save.
        m_storeFailureTold = !report.unreadable.isEmpty();
        if (const QString text = settingsLoadReportMessage(report); !text.isEmpty())
            QTimer::singleShot(0, this, [this, text] { showFailure(text); });
    });
    return true;
}

int frmMain::showIntro()
{
    frmIntro intro(this);
    return intro.exec();
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // On a screen of another resolution the twips give other pixels. The
    // native window exists only once shown.
    if (!m_followsScreen && windowHandle()) {
        m_followsScreen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            m_layout->apply({m_ui->lblPath, m_ui->lblPrnt});
            followWindowSize();
        });
    }
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    followWindowSize();
}

void frmMain::followWindowSize()
{
    // The button bar is docked to the bottom edge at its designed height.
    const int barHeight = twipsToPixels(m_layout->twips(m_ui->pic1).height(), logicalDpiY());
    m_ui->pic1->setGeometry(0, height() - barHeight, width(), barHeight);
    Form_Resize();
    m_buildProgress->placeAbove(m_ui->pic1->geometry());
}

void frmMain::Form_Resize()
{
    placePreviewSurface();
}

void frmMain::placePreviewSurface()
{
    const int outerWidth = pixelsToTwips(frameGeometry().width(), logicalDpiX());
    const int barTop = pixelsToTwips(m_ui->pic1->geometry().top(), logicalDpiY());
    // A window smaller than the margins leaves the surface where it was.
    if (const auto twips = previewSurfaceTwips(outerWidth, barTop))
        vsp1->setGeometry(twipsToPixels(*twips, this));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    m_session->cancel();
    Form_UnLoad();
    event->accept();
}

void frmMain::Form_UnLoad()
{
    // Nothing is stored on this path.
    Help::closeViewer();
}

void frmMain::cmdCancel_Click()
{
    // Ends at once: no unload step, nothing stored. Quitting the event loop
    // (rather than exit()) lets QApplication hand a copied listing to the
    // desktop's clipboard manager on the way out.
    // A running build stops at its next yield, so the loop is left at once.
    m_session->cancel();
    QCoreApplication::exit(0);
}

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
        if (const QString widths = ListingComposer::widthWarning(vsp1->document(), m_listing); !widths.isEmpty())
            showFailure(widths);
        showUnreadReport(this, m_listing);
    } else {
        // The last composed document goes to the default printer, with the
        // progress strip and Cancel while it is handed over; a refused or
        // cancelled job keeps the preview on screen.
        const bool printed = runSteps([this] {
            BuildSession::Scope handingOver(*m_session);
            vsp1->sendToPrinter([this](const QString &status) { m_session->yield(status); });
        });
        if (!printed)
            return;
        QCoreApplication::processEvents();
        cmdHide_Click();
    }
}

void frmMain::showPreviewState()
{
    m_state = State::Preview;
    m_ui->cmdPrint->setText(tr("&Print"));
    m_ui->cmdHide->show();
    placePreviewSurface();
    vsp1->show();
    vsp1->raise();
    // Page Up and Page Down work at once, without a click on the page.
    vsp1->setFocus(Qt::OtherFocusReason);
    m_buildProgress->raise();
    // Which paper, and why when it is not the printer's.
    m_ui->lblPrnt->setToolTip(vsp1->paperNote());
}

void frmMain::cmdHide_Click()
{
    showOptionsState();
}

void frmMain::showOptionsState()
{
    // The focus would pass on to "Exit", where a key meant for the preview
    // ends the program; it goes back to the command that shows it again.
    if (vsp1->hasFocus() || m_ui->cmdHide->hasFocus())
        m_ui->cmdPrint->setFocus(Qt::OtherFocusReason);
    m_state = State::Options;
    vsp1->hide();
    m_ui->cmdHide->hide();
    m_ui->cmdPrint->setText(tr("&Print Preview"));
}

// The surface keeps the page within the document; before any document
// there is no page to go to.
void frmMain::cmdNextPage_Click()
{
    vsp1->setShownPage(vsp1->shownPage() + 1);
}

void frmMain::cmdPrevPage_Click()
{
    vsp1->setShownPage(vsp1->shownPage() - 1);
}

void frmMain::showPageLabel()
{
    m_ui->lblPrnt->setText(pageLabel(vsp1->shownPage(), vsp1->pageTotal()));
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
    SettingsSaveReport report = saveOptions(*m_options, saveAs);
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
    const PageOptions page = m_options->pageOptions();
    // The walk and the table's layout are one run: the window stays live
    // through both, and Cancel in either puts the earlier document back.
    BuildSession::Scope running(*m_session);
    vsp1->beginReplacing();
    auto keepEarlier = qScopeGuard([this] { vsp1->keepEarlierDocument(); });
    const Paper paper = Paper::ofDefaultPrinter();
    buildListing(QStringLiteral("|"), QStringLiteral(";"));
    std::unique_ptr<PreviewDocument> document
        = ListingComposer::composeListing(m_listing, page, paper.size, m_lastGrid, [this] {
              m_session->yield(m_listing.rows.size(), m_listing.problems.size(), QString());
          });
    keepEarlier.dismiss();
    m_lastGrid = page.grid.value_or(m_lastGrid);
    vsp1->setDocument(std::move(document), paper.note);
}

bool frmMain::runSteps(const std::function<void()> &steps)
{
    const StepsOutcome outcome = runCommandSteps(steps);
    if (!outcome.failure.isEmpty())
        showFailure(outcome.failure);
    return outcome.completed;
}

void frmMain::Drive1_Change()
{
    try {
        m_ui->Dir1->setNativePath(m_ui->Drive1->currentNativeFolder());
    } catch (const FileSystemError &error) {
        // The folder list stayed put; the drive list goes back to the volume
        // the folder list still shows.
        m_ui->Drive1->noteFolderOpened(m_ui->Dir1->nativePath());
        showFailure(error.message());
    }
}

void frmMain::Dir1_Change()
{
    setPathCaption(m_ui->Dir1->path());
}

void frmMain::rememberOpenedFolder()
{
    m_ui->Drive1->noteFolderOpened(m_ui->Dir1->nativePath());
}

void frmMain::setPathCaption(const QString &caption)
{
    m_ui->lblPath->setText(caption);
    lblPath_Change();
}

void frmMain::lblPath_Change()
{
    m_ui->txtTitle->setText(printTitle(m_ui->lblPath->text(), QDate::currentDate()));
}

void frmMain::cmdHelp_Click()
{
    m_helpbar->popup(QCursor::pos());
}

void frmMain::helpItem_Click(int Index)
{
    switch (Index) {
    case 0:
        Help::showContents();
        break;
    case 1:
        // "Exit" there ends the program as this window's "Exit" does.
        if (showIntro() == frmIntro::ExitChosen)
            cmdCancel_Click();
        break;
    default:
        break;
    }
}

void frmMain::Label2_Click()
{
    WebLink::openWebPage(this, WebLink::makerWebAddress());
}

void frmMain::showFailure(const QString &text)
{
    showWindowMessage(this, QMessageBox::Warning, text);
}
