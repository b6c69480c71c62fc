#include "app/frmMain.h"
#include "ui_frmMain.h"

#include "app/BuildProgressStrip.h"
#include "app/BuildSession.h"
#include "app/CommandSteps.h"
#include "app/DesignLayout.h"
#include "app/FolderChoice.h"
#include "app/FolderList.h"
#include "app/CompareChoice.h"
#include "app/ListingOptionsDialog.h"
#include "app/OptionSet.h"
#include "app/PageSetupOptions.h"
#include "app/PreviewKeys.h"
#include "app/PreviewPlacement.h"
#include "app/PreviewSurface.h"
#include "app/PrintCommands.h"
#include "app/PrintTitle.h"
#include "app/WindowMessage.h"
#include "help/Artwork.h"
#include "help/DesignColours.h"
#include "help/Help.h"
#include "help/WebLink.h"
#include "help/frmIntro.h"
#include "listing/FileSystemObject.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDate>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <utility>

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
    m_printing = new PrintCommands(this, *m_options, *vsp1, *m_session);
    m_layout->apply({m_ui->lblPath, m_ui->lblPrnt, m_ui->cmdCompare});
    // Wide enough to show "Page Setup…", which stands right of the page controls and "Save As…".
    // A longer translation may have widened the form further.
    resize(twipsToPixels(QRect(QPoint(), m_layout->formTwipsShowing(m_ui->cmdPageSetup)), this)
               .size()
               .expandedTo(m_layout->formPixels()));
    m_ui->Dir1->openStartFolder();
    rememberOpenedFolder();
    m_folderChoice = new FolderChoice(m_ui->lblPath, m_ui->cmdBrowse, m_ui->Drive1, m_ui->Dir1, this);
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
    // The design's colours, kept where they read and adapted where they
    // would not (a dark or high-contrast desktop).
    auto *colours = new DesignColourKeeper(this);
    colours->keepText(m_ui->Label1_0, QColor(0, 0, 192));
    colours->keepText(m_ui->Label2, QColor(0, 0, 255));
    colours->keepField(m_ui->lblPath, QColor(255, 255, 192));

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
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, &frmMain::printWithDialog);
    connect(m_ui->cmdPageSetup, &QAbstractButton::clicked, m_printing, &PrintCommands::pageSetup);
    connect(vsp1, &PreviewSurface::pageSetupAsked, m_printing, &PrintCommands::pageSetup);
    connect(vsp1, &PreviewSurface::printAsked, this, &frmMain::printWithDialog);
    connect(m_ui->cmdCancel, &QAbstractButton::clicked, this, &frmMain::cmdCancel_Click);
    connect(m_ui->cmdMore, &QAbstractButton::clicked, this, &frmMain::cmdMore_Click);
    m_compare = new CompareChoice(m_ui->cmdCompare, m_ui->chkChangesOnly, *m_options, this);
    connect(m_ui->cmdHelp, &QAbstractButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(m_ui->Label2, &WebLinkLabel::clicked, this, &frmMain::Label2_Click);
    connect(m_folderChoice, &FolderChoice::failed, this, &frmMain::showFailure);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this), &QShortcut::activated, this, [this] {
        if (m_state == State::Options)
            m_folderChoice->editPath();
    });
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
    m_previewKeys = new PreviewKeys(vsp1, this);
    connect(m_previewKeys, &PreviewKeys::leaveRequested, this, &frmMain::cmdHide_Click);
}

void frmMain::createBuildProgress()
{
    m_session = new BuildSession(this);
    m_buildProgress = new BuildProgressStrip(m_session, this);
    // Only one build at a time: the commands that start one are off until
    // it ends, however it ends.
    m_session->disableWhileRunning(
        {m_ui->cmdPrint, m_ui->cmdCopy, m_ui->cmdSaveAs, m_ui->cmdMore, m_ui->cmdPageSetup, m_ui->cmdCompare});
    // Escape cancels a run; the preview's keys wait for its end.
    connect(m_session, &BuildSession::runningChanged, this,
            [this](bool running) { m_previewKeys->setActive(!running && m_state == State::Preview); });
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
        QList<ReplacedSetting> pageSetupReplaced;
        m_options->setPageSetup(loadStoredPageSetup(pageSetupReplaced));
        SettingsLoadReport report = loadOptions(*m_options);
        report.replaced += pageSetupReplaced;
        // A file that cannot be read cannot be stored to either: told now, not again at each save.
        m_storeFailureTold = !report.unreadable.isEmpty();
        if (const QString text = settingsLoadReportMessage(report); !text.isEmpty())
            QTimer::singleShot(0, this, [this, text] { showFailure(text); });
    });
    m_folderChoice->loadRecentFolders();
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
            m_layout->apply({m_ui->lblPath, m_ui->lblPrnt, m_ui->cmdCompare});
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

void frmMain::cmdMore_Click()
{
    // Kept as values, and stored with the ten options at the next command.
    ListingOptionsDialog dialog(this);
    dialog.setChoices(m_options->listingChoices());
    if (dialog.exec() == QDialog::Accepted)
        m_options->setListingChoices(dialog.choices());
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
