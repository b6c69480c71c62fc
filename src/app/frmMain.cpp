#include "app/frmMain.h"
#include "ui_frmMain.h"

#include "app/FolderList.h"
#include "app/PreviewPlacement.h"
#include "app/PrintTitle.h"
#include "app/Twips.h"
#include "clipboard/ClipboardExport.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QWindow>

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

// TODO(lead): caption from Global::makerHostName() (help/Global.h, branch
// `settings`); Label2 can become that branch's WebLinkLabel (promote it in
// frmMain.ui, connect clicked -> Label2_Click, drop the event filter).
const QString MakerWebAddress = QStringLiteral("https://foliotrace.example");

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmMain>())
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

    m_ui->banner->setPixmap(QPixmap(QStringLiteral(":/images/banner.png")));
    setWindowIcon(QIcon(QStringLiteral(":/images/foliotrace.png")));
    m_ui->cmdHelp->setIcon(QIcon(QStringLiteral(":/images/help.png")));
    m_ui->cmdPrint->setIcon(QIcon(QStringLiteral(":/images/print-preview.png")));
    m_ui->cmdCopy->setIcon(QIcon(QStringLiteral(":/images/copy.png")));
    for (QToolButton *button : {m_ui->cmdHelp, m_ui->cmdPrint, m_ui->cmdCopy})
        button->setIconSize(QSize(16, 16));

    m_ui->Label2->setText(MakerWebAddress);
    m_ui->Label2->installEventFilter(this);
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
    applyTwipGeometry();
    resize(twipsToPixels(DesignWidthTwips, logicalDpiX()), twipsToPixels(DesignHeightTwips, logicalDpiY()));

    // The folder list starts at the process's current folder.
    try {
        m_ui->Dir1->setPath(QDir::currentPath());
    } catch (const FolderReadError &) {
        // An unreadable start folder: fall back to the root, which the list
        // can always show, rather than start with an empty list.
        try {
            m_ui->Dir1->setPath(QDir::rootPath());
        } catch (const FolderReadError &) {
        }
    }
    m_ui->Drive1->noteFolderOpened(m_ui->Dir1->nativePath());

    connect(m_ui->Drive1, &DriveList::driveChanged, this, &frmMain::Drive1_Change);
    connect(m_ui->Dir1, &FolderList::pathChanged, this, &frmMain::rememberOpenedFolder);
    connect(m_ui->Dir1, &FolderList::pathChanged, this, &frmMain::Dir1_Change);
    connect(m_ui->Dir1, &FolderList::openFailed, this, &frmMain::reportFolderFailure);
    connect(m_ui->cmdPrint, &QAbstractButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(m_ui->cmdHide, &QAbstractButton::clicked, this, &frmMain::cmdHide_Click);
    connect(m_ui->cmdNextPage, &QAbstractButton::clicked, this, &frmMain::cmdNextPage_Click);
    connect(m_ui->cmdPrevPage, &QAbstractButton::clicked, this, &frmMain::cmdPrevPage_Click);
    connect(m_ui->cmdCopy, &QAbstractButton::clicked, this, &frmMain::cmdCopy_Click);
    connect(m_ui->cmdCancel, &QAbstractButton::clicked, this, &frmMain::cmdCancel_Click);
    connect(m_ui->cmdHelp, &QAbstractButton::clicked, this, &frmMain::cmdHelp_Click);
}

frmMain::~frmMain() = default;

void frmMain::createPreviewSurface()
{
    // TODO(lead): create the preview surface from branch `print` here, in
    // place of this placeholder: same object name "vsp1", child of the form,
    // hidden at start, tab stop between chkDate and cmdHide.
    vsp1 = new QWidget(this);
    vsp1->setObjectName(QStringLiteral("vsp1"));
    vsp1->setBackgroundRole(QPalette::Mid);
    vsp1->setAutoFillBackground(true);
    vsp1->hide();
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
        // The widths were measured for a narrower system font; a caption
        // that would be cut off gets the room it needs, once, here.
        if (qobject_cast<QLabel *>(widget) || qobject_cast<QCheckBox *>(widget))
            pixels.setWidth(qMax(pixels.width(), widget->sizeHint().width()));
        widget->setGeometry(pixels);
    }
}

bool frmMain::Form_Load()
{
    // TODO(lead): 1. RegisterHelpFile(winId()) (help module).
    // TODO(lead): 2. show frmIntro modally and wait; when the user leaves it
    //                with "Exit", return false here (nothing below runs).

    // 3. The path label takes the folder list's starting folder, which also
    //    builds the title.
    setPathCaption(m_ui->Dir1->Path());

    // 4. The depth list always offers exactly "1" to "5".
    m_ui->cboLevel->clear();
    for (int level = 1; level <= 5; ++level)
        m_ui->cboLevel->addItem(QString::number(level));
    m_ui->cboLevel->setCurrentIndex(0);

    // TODO(lead): 5. GetValuesFromRegistry(): stored options into the
    //                controls, then Dir1 and Drive1 pointed at lblPath's
    //                folder (Dir1 first, then Drive1->setDrive(path)).
    return true;
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // On a screen of another resolution the twips give other pixels. The
    // native window exists only once shown.
    if (!m_followsScreen && windowHandle()) {
        m_followsScreen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &frmMain::relayout);
    }
}

void frmMain::relayout()
{
    applyTwipGeometry();
    dockButtonBar();
    Form_Resize();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    dockButtonBar();
    Form_Resize();
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
    Form_UnLoad();
    event->accept();
}

void frmMain::Form_UnLoad()
{
    // TODO(lead): CloseHelp() (help module): tell an open help viewer to
    //             close. Nothing is stored on this path.
}

void frmMain::cmdCancel_Click()
{
    // Ends at once: no unload step, nothing stored. Quitting the event loop
    // (rather than exit()) lets QApplication hand a copied listing to the
    // desktop's clipboard manager on the way out.
    // TODO(lead): if a listing build is running, cancel it here so the loop
    //             is left at once rather than when the walk returns.
    QCoreApplication::exit(0);
}

void frmMain::cmdPrint_Click()
{
    if (m_ui->cmdPrint->text() == tr("Print Preview")) {
        // TODO(lead): 1. SaveValuesToRegistry() (settings store).
        // 2. The marks as typed.
        DirIndicator = m_ui->txtDirI->text();
        FileIndicator = m_ui->txtFileI->text();
        // TODO(lead): 3. SendPrintData(): set up vsp1, header (path, date),
        //             bold title, CreatString("|", ";"), table, footer, page
        //             label. On failure stay in the Options state.
        // 4. Let pending window events run.
        QCoreApplication::processEvents();
        // 5.-8. Preview state.
        m_ui->cmdPrint->setText(tr("Print"));
        m_ui->cmdHide->show();
        placePreviewSurface();
        vsp1->show();
        vsp1->raise();
    } else {
        // TODO(lead): 1. SendToPrinter() on vsp1: the last composed document
        //             goes to the default printer, nothing is recomposed.
        // 2. Let pending window events run.
        QCoreApplication::processEvents();
        // 3.-5. Back to the Options state.
        vsp1->hide();
        m_ui->cmdHide->hide();
        m_ui->cmdPrint->setText(tr("Print Preview"));
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
    // TODO(lead): vsp1 ShownPage (16-bit) + 1, written back; then lblPrnt =
    //             "Page " + ShownPage read again + " of " + PageTotal. Does
    //             nothing before a document exists.
}

void frmMain::cmdPrevPage_Click()
{
    // TODO(lead): as cmdNextPage_Click with ShownPage - 1.
}

void frmMain::cmdCopy_Click()
{
    // TODO(lead): 1. SaveValuesToRegistry() (settings store), before anything else.
    // 2.-4. The marks as typed, with a lone "+" / "-" kept as text for spreadsheets.
    DirIndicator = clipboardDirIndicator(m_ui->txtDirI->text());
    FileIndicator = clipboardFileIndicator(m_ui->txtFileI->text());
    // TODO(lead): 5. CreatString("\t", "\r\n") into Listing; a failed or
    //             cancelled build returns here, before the clipboard is touched.
    // 6.-7. Clear the clipboard, then the title (read now, after the build)
    //       with the header and body.
    putOnClipboard(clipboardText(m_ui->txtTitle->text(), Listing), QGuiApplication::clipboard());
}

void frmMain::Drive1_Change()
{
    try {
        m_ui->Dir1->setNativePath(m_ui->Drive1->currentNativeFolder());
    } catch (const FolderReadError &error) {
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
        // TODO(lead): ShowHelpContents() (help module).
        break;
    case 1:
        // TODO(lead): show frmIntro modally and wait until it closes.
        break;
    default:
        break;
    }
}

void frmMain::Label2_Click()
{
    // TODO(lead): Global::OpenWebPage(this, Global::makerWebAddress()).
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->Label2 && event->type() == QEvent::MouseButtonRelease) {
        Label2_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::reportFolderFailure(const QString &path, const QString &reason)
{
    showFailure(tr("Cannot open folder %1: %2").arg(path, reason));
}

void frmMain::showFailure(const QString &text)
{
    // Window-modal and not blocking, so the handler that failed returns
    // to the event loop at once.
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
