#include "help/frmIntro.h"
#include "ui_frmIntro.h"

#include "help/Artwork.h"
#include "help/Help.h"
#include "help/WebLink.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace {

// The .ui keeps positions at 96 dpi, 15 twips to a pixel.
constexpr int kTwipsPerDesignPixel = 15;
const QSize kClientTwips(7875, 4830);

void setLabelFont(QLabel *label, qreal pointSize, const QColor &colour = QColor())
{
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    label->setFont(font);
    if (colour.isValid()) {
        // On the dialog's Base background a label's text role becomes Text,
        // not WindowText; set the role the label actually paints with.
        QPalette palette = label->palette();
        palette.setColor(label->foregroundRole(), colour);
        label->setPalette(palette);
    }
}

// A caption wider than its designed box would be cut off (the fonts here are
// wider than the ones the layout was drawn with); grow the box instead,
// keeping a centred caption centred and a left-aligned one's left edge.
void fitCaption(QLabel *label)
{
    const int needed = label->sizeHint().width();
    QRect box = label->geometry();
    if (needed <= box.width())
        return;
    if (label->alignment() & Qt::AlignHCenter)
        box.setLeft(box.left() - (needed - box.width()) / 2);
    box.setWidth(needed);
    label->setGeometry(box);
}

} // namespace

frmIntro::frmIntro(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::frmIntro>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(::windowIcon());
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    Help::setHelpContextId(this, Help::IntroWindowContextId);

    applyFonts();
    m_ui->Label2->setText(WebLink::makerHostName());
    Form_Load();
    placeControls();

    connect(m_ui->cmdOK_0, &QPushButton::clicked, this, [this] { cmdOK_Click(0); });
    connect(m_ui->cmdOK_1, &QPushButton::clicked, this, [this] { cmdOK_Click(1); });
    connect(m_ui->Label2, &WebLinkLabel::clicked, this, &frmIntro::Label2_Click);

    m_ui->cmdOK_0->setFocus();
}

frmIntro::~frmIntro() = default;

void frmIntro::applyFonts()
{
    for (QLabel *label : {m_ui->Label1_0, m_ui->Label1_1, m_ui->Label1_2, m_ui->Label1_3, m_ui->Label1_4,
                          m_ui->Label1_5, m_ui->Label1_6})
        setLabelFont(label, 9.75);
    setLabelFont(m_ui->Label2, 12, QColor(0, 0, 255));
    setLabelFont(m_ui->lblVersion, 11.25, QColor(255, 0, 0));
}

void frmIntro::placeControls()
{
    const QList<QWidget *> controls = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *control : controls) {
        const QRect design = control->geometry();
        control->setGeometry(
            twipsToPixels(QRect(design.x() * kTwipsPerDesignPixel, design.y() * kTwipsPerDesignPixel,
                                design.width() * kTwipsPerDesignPixel, design.height() * kTwipsPerDesignPixel),
                          this));
    }
    fitCaption(m_ui->Label2);
    fitCaption(m_ui->lblVersion);
    setFixedSize(twipsToPixels(QRect(QPoint(), kClientTwips), this).size());

    // Centred on the screen, also when shown over the main window.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmIntro::Form_Load()
{
    m_ui->lblVersion->setText(versionText());
}

QString frmIntro::versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(FOLIOTRACE_VERSION_MAJOR)
        .arg(FOLIOTRACE_VERSION_MINOR)
        .arg(FOLIOTRACE_VERSION_PATCH);
}

QPushButton *frmIntro::cmdOK(int index) const
{
    switch (index) {
    case 0:
        return m_ui->cmdOK_0;
    case 1:
        return m_ui->cmdOK_1;
    default:
        return nullptr;
    }
}

QLabel *frmIntro::lblVersion() const
{
    return m_ui->lblVersion;
}

QLabel *frmIntro::Label2() const
{
    return m_ui->Label2;
}

void frmIntro::cmdOK_Click(int Index)
{
    switch (Index) {
    case 0:
        accept();
        break;
    case 1:
        done(ExitChosen);
        break;
    default:
        break;
    }
}

void frmIntro::Label2_Click()
{
    WebLink::openWebPage(this, WebLink::makerWebAddress());
}

void frmIntro::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, bannerPixmap());
}

void frmIntro::keyPressEvent(QKeyEvent *event)
{
    // Neither button is the cancel button: Escape does nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
