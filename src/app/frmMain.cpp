#include "app/frmMain.h"
#include "ui_frmMain.h"

#include "app/FolderList.h"
#include "app/PreviewPlacement.h"
#include "app/PrintTitle.h"
#include "Twips.h"
#include "clipboard/ClipboardExport.h"
#include "help/Artwork.h"
#include "help/ContextIDs.h"
#include "help/Global.h"
#include "help/frmIntro.h"
#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "print/PreviewSurface.h"
#include "print/PrintComposer.h"
#include "print/WaitCursor.h"
#include "settings/OptionWidgets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QScopeGuard>
#include <QWindow>

#include <limits>

namespace {

// The window's layout in twips (client area; the bar's children relative to
// the bar). Converted at the screen's logical resolution.
struct TwipPlacement
{
    const char *name;
    QRect twips;
};

constexpr int DesignWidthTwips = 9900;
constexpr int DesignHeightTwips = 6945;
constexpr int ButtonBarHeightTwips = 735;

const TwipPlacement Placements[] = {
    {"Label2", {5040, 360, 1695, 255}},
    {"cmdHelp", {9000, 120, 735, 615}},
    {"Label1_0", {2040, 840, 3615, 255}},
    {"Drive1", {2040, 1080, 7695, 315}},
    {"Dir1", {2040, 1440, 7695, 2565}},
    {"chkFiles", {120, 1200, 1455, 255}},
    {"chkSize", {120, 1560, 1095, 255}},
    {"chkDate", {120, 1920, 1215, 255}},
    {"Label1_4", {120, 2640, 855, 255}},
    {"cboGrid", {120, 3000, 1455, 315}},
    {"Label1_3", {120, 3480, 1575, 255}},
    {"cboLevel", {120, 3840, 1215, 315}},
    {"Label1_1", {2040, 4200, 3615, 255}},
    {"lblPath", {2040, 4440, 7695, 300}},
    {"Label1_5", {120, 4440, 1455, 255}},
    {"txtDirI", {120, 4680, 375, 285}},
    {"Label1_2", {2040, 4800, 3615, 255}},
    {"txtTitle", {2040, 5040, 7695, 285}},
    {"Label1_6", {120, 5280, 1455, 255}},
    {"txtFileI", {120, 5520, 375, 285}},
    {"Label1_7", {2040, 5400, 1710, 195}},
    {"Label1_8", {3840, 5400, 1380, 195}},
    {"Label1_9", {5640, 5400, 1425, 195}},
    {"txtDirCol", {2040, 5640, 1575, 285}},
    {"txtSizeCol", {3840, 5640, 1575, 285}},
    {"txtDateCol", {5640, 5640, 1575, 285}},
    // children of pic1
    {"cmdPrint", {120, 120, 2055, 495}},
    {"cmdCopy", {2280, 120, 2055, 495}},
    {"cmdHide", {4440, 120, 2055, 495}},
    {"cmdCancel", {6600, 120, 1935, 495}},
    {"lblPrnt", {8640, 120, 2055, 255}},
    {"cmdPrevPage", {8640, 360, 615, 255}},
    {"cmdNextPage", {9240, 360, 615, 255}},
};

int fitCaption(const QWidget *form, QWidget *widget, const TwipPlacement &placement, const QRect &pixels)
{
    // The widths were measured for a narrower system font. A caption that
    // would be cut off gets the room it needs where its row has that room;
    // where the next control on the row stands too close, the caption's
    // font gives a little instead, so that two captions never run together.
    int nextLeft = std::numeric_limits<int>::max();
    for (const TwipPlacement &other : Placements) {
        const auto *neighbour = form->findChild<QWidget *>(QLatin1String(other.name));
        if (&other == &placement || !neighbour || neighbour->parentWidget() != widget->parentWidget())
            continue;
        const bool sameRow = other.twips.top() < placement.twips.bottom()
                             && placement.twips.top() < other.twips.bottom();
        if (sameRow && other.twips.left() > placement.twips.left())
            nextLeft = qMin(nextLeft, other.twips.left());
    }
    constexpr int GapTwips = 60;
    const int room = nextLeft == std::numeric_limits<int>::max()
                         ? std::numeric_limits<int>::max()
                         : twipsToPixels(nextLeft - GapTwips, form->logicalDpiX()) - pixels.left();

    // Start from the caption's designed width, so that a relayout on
    // another screen does not narrow it twice. Narrowing the letters keeps
    // their height; a smaller point size would drop a whole pixel size.
    QFont font = widget->font();
    if (font.stretch() != QFont::Unstretched && font.stretch() != QFont::AnyStretch) {
        font.setStretch(QFont::Unstretched);
        widget->setFont(font);
    }
    const int allowed = qMax(pixels.width(), room);
    constexpr int NarrowestStretch = 85;
    for (int stretch = QFont::Unstretched - 1;
         widget->sizeHint().width() > allowed && stretch >= NarrowestStretch; --stretch) {
        font.setStretch(stretch);
        widget->setFont(font);
    }
    return qMax(pixels.width(), qMin(widget->sizeHint().width(), allowed));
}

// Pending window events run at most this often during a build: often enough
// for the window to feel live, rarely enough that a tree of many small
// folders is not slowed down by the event loop.
constexpr int DefaultYieldIntervalMs = 8;
// A build that runs longer than this shows its progress and a Cancel button.
constexpr qint64 ProgressDelayMs = 500;

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmMain>()), m_yieldIntervalMs(DefaultYieldIntervalMs)
{
    m_ui->setupUi(this);

    // The layout figures were made for a compact 8.25 pt dialog font; Arial
    // (Liberation Sans here) has its metrics.
    QFont dialogFont(QStringLiteral("Arial"));
    dialogFont.setPointSizeF(8.25);
    setFont(dialogFont);

    // The form and the button bar use the system window colour, as the
    // check boxes on them do.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    m_ui->pic1->setBackgroundRole(QPalette::Base);
    // A palette rather than a style sheet: a style sheet would cut the label
    // off from the form's font.
    QPalette pathPalette = m_ui->lblPath->palette();
    pathPalette.setColor(QPalette::Window, QColor(255, 255, 192));
    m_ui->lblPath->setPalette(pathPalette);
    // Without its own role the label would take the form's Base role and
    // paint white.
    m_ui->lblPath->setBackgroundRole(QPalette::Window);

    m_ui->banner->setPixmap(bannerPixmap());
    setWindowIcon(::windowIcon());
    m_ui->cmdHelp->setIcon(helpButtonIcon());
    m_ui->cmdPrint->setIcon(printPreviewButtonIcon());
    m_ui->cmdCopy->setIcon(copyButtonIcon());
    for (QToolButton *button : {m_ui->cmdHelp, m_ui->cmdPrint, m_ui->cmdCopy})
        button->setIconSize(QSize(16, 16));

    m_ui->Label2->setText(Global::makerHostName());
    // Text boxes take text of any length.
    for (QLineEdit *edit : {m_ui->txtDirI, m_ui->txtFileI, m_ui->txtTitle, m_ui->txtDirCol,
                            m_ui->txtSizeCol, m_ui->txtDateCol})
        edit->setMaxLength(std::numeric_limits<int>::max());
    // Typed list text stays as typed: no completion to an item ("rows" is
    // not "Rows").
    m_ui->cboGrid->setCompleter(nullptr);
    m_ui->cboLevel->setCompleter(nullptr);
    m_ui->cboGrid->setCurrentIndex(0);
    m_ui->cboLevel->setEditText(QStringLiteral("1"));

    m_helpbar = new QMenu(tr("Help"), this);
    m_helpbar->setObjectName(QStringLiteral("helpbar"));
    const QStringList helpItems{tr("Help Contents"), tr("Help About")};
    for (int index = 0; index < helpItems.size(); ++index) {
        QAction *item = m_helpbar->addAction(helpItems.at(index));
        item->setObjectName(QStringLiteral("helpItem_%1").arg(index));
        connect(item, &QAction::triggered, this, [this, index] { helpItem_Click(index); });
    }

    createPreviewSurface();
    createBuildProgress();
    applyTwipGeometry();
    resize(twipsToPixels(DesignWidthTwips, logicalDpiX()), twipsToPixels(DesignHeightTwips, logicalDpiY()));

    // The folder list starts at the process's current folder.
    try {
        m_ui->Dir1->setPath(QDir::currentPath());
    } catch (const FileSystemError &) {
        // An unreadable start folder: fall back to the root, which the list
        // can always show, rather than start with an empty list.
        try {
            m_ui->Dir1->setPath(QDir::rootPath());
        } catch (const FileSystemError &) {
        }
    }
    m_ui->Drive1->noteFolderOpened(m_ui->Dir1->nativePath());

    connect(m_ui->Drive1, &DriveList::driveChanged, this, &frmMain::Drive1_Change);
    connect(m_ui->Dir1, &FolderList::pathChanged, this, &frmMain::rememberOpenedFolder);
    connect(m_ui->Dir1, &FolderList::pathChanged, this, &frmMain::Dir1_Change);
    connect(m_ui->Dir1, &FolderList::openFailed, this, &frmMain::showFailure);
    connect(m_ui->cmdPrint, &QAbstractButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(m_ui->cmdHide, &QAbstractButton::clicked, this, &frmMain::cmdHide_Click);
    connect(m_ui->cmdNextPage, &QAbstractButton::clicked, this, &frmMain::cmdNextPage_Click);
    connect(m_ui->cmdPrevPage, &QAbstractButton::clicked, this, &frmMain::cmdPrevPage_Click);
    connect(m_ui->cmdCopy, &QAbstractButton::clicked, this, &frmMain::cmdCopy_Click);
    connect(m_ui->cmdCancel, &QAbstractButton::clicked, this, &frmMain::cmdCancel_Click);
    connect(m_ui->cmdHelp, &QAbstractButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(m_ui->Label2, &WebLinkLabel::clicked, this, &frmMain::Label2_Click);
}

frmMain::~frmMain() = default;

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

void frmMain::applyTwipGeometry()
{
    for (const TwipPlacement &placement : Placements) {
        auto *widget = findChild<QWidget *>(QLatin1String(placement.name));
        if (!widget)
            continue;
        QRect pixels = twipsToPixels(placement.twips, this);
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QCheckBox *>(widget))
            pixels.setWidth(fitCaption(this, widget, placement, pixels));
        widget->setGeometry(pixels);
    }
}


void frmMain::createBuildProgress()
{
    m_buildProgress = new QFrame(this);
    m_buildProgress->setObjectName(QStringLiteral("buildProgress"));
    m_buildProgress->setFrameShape(QFrame::StyledPanel);
    m_buildProgress->setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(m_buildProgress);
    m_buildProgressText = new QLabel(m_buildProgress);
    m_buildProgressText->setObjectName(QStringLiteral("buildProgressText"));
    m_buildProgressText->setTextFormat(Qt::PlainText);
    m_buildProgressText->setMinimumWidth(1);
    auto *cancel = new QPushButton(tr("Cancel"), m_buildProgress);
    cancel->setObjectName(QStringLiteral("buildCancel"));
    layout->addWidget(m_buildProgressText, 1);
    layout->addWidget(cancel);
    m_buildProgress->hide();
    connect(cancel, &QAbstractButton::clicked, this, &frmMain::cancelBuild);

    m_escapeCancels = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_escapeCancels->setEnabled(false);
    connect(m_escapeCancels, &QShortcut::activated, this, &frmMain::cancelBuild);
}

void frmMain::placeBuildProgress()
{
    // Just above the button bar, across the window.
    const int margin = twipsToPixels(120, logicalDpiX());
    const int height = m_buildProgress->sizeHint().height();
    m_buildProgress->setGeometry(margin, m_ui->pic1->y() - height - margin / 2,
                                 qMax(1, width() - 2 * margin), height);
}

void frmMain::Form_Load()
{
    // 1. Help works from here on, already in the start-up window.
    ContextIDs::RegisterHelpFile(this);
    ContextIDs::setHelpContextId(this, ContextIDs::MainWindowContextId);

    // 2. The start-up window; its "Exit" ends the program inside exec().
    {
        frmIntro intro(this);
        intro.exec();
    }

    // 3. The path label takes the folder list's starting folder, which also
    //    builds the title.
    setPathCaption(m_ui->Dir1->Path());

    // 4. The depth list always offers exactly "1" to "5".
    m_ui->cboLevel->clear();
    for (int level = 1; level <= 5; ++level)
        m_ui->cboLevel->addItem(QString::number(level));
    m_ui->cboLevel->setCurrentIndex(0);

    // 5. The stored options. Values that could not be applied are reported
    //    once the window is up.
    runSteps([this] { m_loadReport = GetValuesFromRegistry(*this); });
}

void frmMain::reportReplacedSettings()
{
    const QString text = settingsLoadReportMessage(m_loadReport);
    m_loadReport = SettingsLoadReport();
    if (!text.isEmpty())
        showFailure(text);
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // On a screen of another resolution the twips give other pixels. The
    // native window exists only once shown.
    if (!m_followsScreen && windowHandle()) {
        m_followsScreen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &frmMain::relayout);
        if (!m_loadReport.isEmpty())
            QTimer::singleShot(0, this, &frmMain::reportReplacedSettings);
    }
}

void frmMain::relayout()
{
    applyTwipGeometry();
    followWindowSize();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    followWindowSize();
}

void frmMain::followWindowSize()
{
    dockButtonBar();
    Form_Resize();
    placeBuildProgress();
}

void frmMain::dockButtonBar()
{
    const int barHeight = twipsToPixels(ButtonBarHeightTwips, logicalDpiY());
    m_ui->pic1->setGeometry(0, height() - barHeight, width(), barHeight);
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
    m_cancelRequested = true;
    Form_UnLoad();
    event->accept();
}

void frmMain::Form_UnLoad()
{
    // Nothing is stored on this path.
    ContextIDs::CloseHelp();
}

void frmMain::cmdCancel_Click()
{
    // Ends at once: no unload step, nothing stored. Quitting the event loop
    // (rather than exit()) lets QApplication hand a copied listing to the
    // desktop's clipboard manager on the way out.
    // A running build stops at its next yield, so the loop is left at once.
    m_cancelRequested = true;
    QCoreApplication::exit(0);
}

void frmMain::cmdPrint_Click()
{
    // A click queued while a build runs starts nothing.
    if (m_building)
        return;
    if (m_ui->cmdPrint->text() == tr("Print Preview")) {
        // 1.-3. Store the options, take the marks as typed, compose. A
        //       failure leaves the window in the Options state.
        const bool composed = runSteps([this] {
            SaveValuesToRegistry(*this);
            DirIndicator = m_ui->txtDirI->text();
            FileIndicator = m_ui->txtFileI->text();
            // A cancelled or failed one puts the earlier document back.
            SendPrintData();
        });
        if (!composed)
            return;
        // 4. Let pending window events run.
        QCoreApplication::processEvents();
        // 5.-8. Preview state.
        m_ui->cmdPrint->setText(tr("Print"));
        m_ui->cmdHide->show();
        placePreviewSurface();
        vsp1->show();
        vsp1->raise();
        m_buildProgress->raise();
    } else {
        // 1. The last composed document goes to the default printer; a
        //    refused job keeps the preview on screen.
        if (!runSteps([this] { vsp1->SendToPrinter(); }))
            return;
        // 2. Let pending window events run.
        QCoreApplication::processEvents();
        // 3.-5. Back to the Options state, as "Hide Print Preview" goes.
        cmdHide_Click();
    }
}

void frmMain::cmdHide_Click()
{
    vsp1->hide();
    m_ui->cmdHide->hide();
    m_ui->cmdPrint->setText(tr("Print Preview"));
}

void frmMain::cmdNextPage_Click()
{
    // Before any document there is nothing to page.
    if (vsp1->PageTotal() < 1)
        return;
    vsp1->ShownPage(vsp1->ShownPage() + 1);
}

void frmMain::cmdPrevPage_Click()
{
    if (vsp1->PageTotal() < 1)
        return;
    vsp1->ShownPage(vsp1->ShownPage() - 1);
}

void frmMain::showPageLabel()
{
    m_ui->lblPrnt->setText(PrintComposer::pageLabel(vsp1->ShownPage(), vsp1->PageTotal()));
}

void frmMain::cmdCopy_Click()
{
    if (m_building)
        return;
    runSteps([this] {
        // 1. The options are stored whether or not the rest succeeds.
        SaveValuesToRegistry(*this);
        // 2.-4. The marks as typed, with a lone "+" / "-" kept as text for
        //       spreadsheets.
        DirIndicator = clipboardDirIndicator(m_ui->txtDirI->text());
        FileIndicator = clipboardFileIndicator(m_ui->txtFileI->text());
        // 5. A failed or cancelled build ends here, before the clipboard is
        //    touched.
        CreatString(QStringLiteral("\t"), QStringLiteral("\r\n"));
        // 6.-7. The title is read now, after the build.
        putOnClipboard(clipboardText(m_ui->txtTitle->text(), Listing),
                       QGuiApplication::clipboard());
    });
}

void frmMain::CreatString(const QString &cSeperator, const QString &rSeperator)
{
    WaitCursor hourglass;

    // One reading of the options; later edits do not reach this build.
    ListingOptions options;
    options.path = m_ui->lblPath->text();
    // The folder list keeps the exact bytes of a name that is not valid
    // UTF-8; the label's text would lose them.
    if (options.path == m_ui->Dir1->Path())
        options.nativePath = m_ui->Dir1->nativePath();
    options.printFiles = checkValue(OptionCheck::Files);
    options.printSize = checkValue(OptionCheck::Size);
    options.printDate = checkValue(OptionCheck::Date);
    options.depthText = depthText();
    options.dirColWidth = optionText(OptionText::DirColWidth);
    options.sizeColWidth = optionText(OptionText::SizeColWidth);
    options.dateColWidth = optionText(OptionText::DateColWidth);
    options.dirIndicator = DirIndicator;
    options.fileIndicator = FileIndicator;

    if (!m_fileSystem)
        m_fileSystem = createFileSystemObject();

    // Only one build at a time: the commands that start one are off until
    // it ends, however it ends.
    m_building = true;
    m_cancelRequested = false;
    m_ui->cmdPrint->setEnabled(false);
    m_ui->cmdCopy->setEnabled(false);
    m_escapeCancels->setEnabled(true);
    m_buildClock.start();
    m_sinceEvents.start();
    const auto finished = qScopeGuard([this] {
        m_building = false;
        m_buildProgress->hide();
        m_escapeCancels->setEnabled(false);
        m_ui->cmdPrint->setEnabled(true);
        m_ui->cmdCopy->setEnabled(true);
    });

    buildListing(options, cSeperator, rSeperator, *m_fileSystem, Listing,
                 [this](const ListingProgress &progress) { yieldDuringBuild(progress); });
}

void frmMain::yieldDuringBuild(const ListingProgress &progress)
{
    if (m_sinceEvents.elapsed() >= m_yieldIntervalMs) {
        if (m_buildClock.elapsed() >= ProgressDelayMs) {
            const QString folder = m_buildProgressText->fontMetrics().elidedText(
                progress.currentFolder, Qt::ElideMiddle, m_buildProgressText->width() / 2);
            m_buildProgressText->setText(
                tr("%L1 entries listed. Reading %2").arg(progress.entriesListed).arg(folder));
            if (!m_buildProgress->isVisible()) {
                placeBuildProgress();
                m_buildProgress->show();
                m_buildProgress->raise();
            }
        }
        QCoreApplication::processEvents();
        m_sinceEvents.restart();
    }
    if (m_cancelRequested)
        throw BuildCancelled();
}

void frmMain::cancelBuild()
{
    if (m_building)
        m_cancelRequested = true;
}

void frmMain::SendPrintData()
{
    const PrintComposer::WindowValues values{m_ui->cboGrid->currentText(), m_ui->lblPath->text(),
                                             m_ui->txtTitle->text(), DirIndicator};
    auto creatString = [this](const QString &cSeperator, const QString &rSeperator) -> const ListingText & {
        CreatString(cSeperator, rSeperator);
        return Listing;
    };
    PrintComposer::SendPrintData(*vsp1, values, creatString);
}

bool frmMain::runSteps(const std::function<void()> &steps)
{
    QString failure;
    bool cancelled = false;
    try {
        steps();
        return true;
    } catch (const BuildCancelled &) {
        cancelled = true;
    } catch (const UserError &error) {
        failure = error.message();
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    } catch (...) {
        // Nothing of ours throws other types, but none may reach the event
        // loop from a handler.
    }
    // Whatever failed, the pointer is the normal one again.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    // A cancel is the user's own doing; a failure without words is still
    // reported, never passed over.
    if (!cancelled)
        showFailure(failure.isEmpty() ? tr("An unexpected error occurred.") : failure);
    return false;
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
    setPathCaption(m_ui->Dir1->Path());
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
        ContextIDs::ShowHelpContents();
        break;
    case 1: {
        frmIntro intro(this);
        intro.exec();
        break;
    }
    default:
        break;
    }
}

void frmMain::Label2_Click()
{
    Global::OpenWebPage(this, Global::makerWebAddress());
}

// The option controls, as the settings store reads and sets them.

int frmMain::checkValue(OptionCheck check) const
{
    switch (check) {
    case OptionCheck::Files: return ::checkValue(m_ui->chkFiles);
    case OptionCheck::Size: return ::checkValue(m_ui->chkSize);
    case OptionCheck::Date: return ::checkValue(m_ui->chkDate);
    }
    return 0;
}

void frmMain::setCheckValue(OptionCheck check, int value)
{
    switch (check) {
    case OptionCheck::Files: ::setCheckValue(m_ui->chkFiles, value); break;
    case OptionCheck::Size: ::setCheckValue(m_ui->chkSize, value); break;
    case OptionCheck::Date: ::setCheckValue(m_ui->chkDate, value); break;
    }
}

QString frmMain::depthText() const
{
    return m_ui->cboLevel->currentText();
}

void frmMain::setDepthText(const QString &text)
{
    m_ui->cboLevel->setEditText(text);
}

int frmMain::gridListIndex() const
{
    return comboListIndex(m_ui->cboGrid);
}

void frmMain::setGridListIndex(int index)
{
    setComboListIndex(m_ui->cboGrid, index);
}

static QLineEdit *optionEdit(Ui::frmMain *ui, OptionText field)
{
    switch (field) {
    case OptionText::DirIndicator: return ui->txtDirI;
    case OptionText::FileIndicator: return ui->txtFileI;
    case OptionText::DirColWidth: return ui->txtDirCol;
    case OptionText::SizeColWidth: return ui->txtSizeCol;
    case OptionText::DateColWidth: return ui->txtDateCol;
    }
    return ui->txtDirI;
}

QString frmMain::optionText(OptionText field) const
{
    return optionEdit(m_ui.get(), field)->text();
}

void frmMain::setOptionText(OptionText field, const QString &text)
{
    optionEdit(m_ui.get(), field)->setText(text);
}

QString frmMain::pathCaption() const
{
    return m_ui->lblPath->text();
}

void frmMain::setFolderListPath(const QString &path)
{
    m_ui->Dir1->setPath(path);
}

void frmMain::setDriveListDrive(const QString &path)
{
    m_ui->Drive1->setDrive(path);
}

void frmMain::showFailure(const QString &text)
{
    // Window-modal and not blocking, so the handler that failed returns
    // to the event loop at once.
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
