#include "help/frmIntro.h"
#include "ui_frmIntro.h"

#include "help/Artwork.h"
#include "help/DesignColours.h"
#include "help/Help.h"
#include "help/WebLink.h"
#include "Twips.h"

#include <QHash>
#include <QKeyEvent>
#include <QPushButton>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

// The .ui keeps positions at 96 dpi, 15 twips to a pixel.
constexpr int kTwipsPerDesignPixel = 15;
const QSize kClientTwips(7875, 4830);

void setLabelFont(QLabel *label, qreal pointSize)
{
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    label->setFont(font);
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

// The same for a button's caption, with a little air on both sides.
void fitButton(QPushButton *button)
{
    constexpr int Air = 8;
    const int needed = button->fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, button->text()).width() + Air;
    QRect box = button->geometry();
    if (needed <= box.width())
        return;
    box.setLeft(box.left() - (needed - box.width()) / 2);
    box.setWidth(needed);
    button->setGeometry(box);
}

// A control that grew into one drawn right of it on its row pushes that
// one right.
void keepRowsApart(QList<QWidget *> controls, const QHash<const QWidget *, QRect> &drawn, int gap)
{
    std::sort(controls.begin(), controls.end(), [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect a = controls[i]->geometry();
            const QRect b = controls[j]->geometry();
            const bool sameRow = a.top() < b.bottom() && b.top() < a.bottom();
            const bool wasRightOf = drawn.value(controls[i]).right() < drawn.value(controls[j]).left();
            if (sameRow && wasRightOf && a.right() + gap > b.left())
                controls[j]->move(a.right() + gap, b.y());
        }
    }
}

// A wrapped text that needs more lines than drawn (a longer translation)
// grows down, and what stands below it moves down as far.
void fitWrapped(QLabel *label, const QList<QWidget *> &controls)
{
    const int grow = label->heightForWidth(label->width()) - label->height();
    if (grow <= 0)
        return;
    const int bottom = label->geometry().bottom();
    label->resize(label->width(), label->height() + grow);
    for (QWidget *control : controls) {
        if (control->y() > bottom)
            control->move(control->x(), control->y() + grow);
    }
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
    setLabelFont(m_ui->Label2, 12);
    setLabelFont(m_ui->lblVersion, 11.25);
    auto *colours = new DesignColourKeeper(this);
    colours->keepText(m_ui->Label2, QColor(0, 0, 255));
    colours->keepText(m_ui->lblVersion, QColor(255, 0, 0));
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
    QHash<const QWidget *, QRect> drawn;
    for (const QWidget *control : controls)
        drawn.insert(control, control->geometry());
    for (QWidget *control : controls) {
        if (auto *label = qobject_cast<QLabel *>(control); label && !label->wordWrap())
            fitCaption(label);
        else if (auto *button = qobject_cast<QPushButton *>(control))
            fitButton(button);
    }
    fitWrapped(m_ui->Label1_4, controls);
    keepRowsApart(controls, drawn, twipsToPixels(4 * kTwipsPerDesignPixel, logicalDpiX()));
    // As designed, or larger where a caption grew past the edges, with the
    // designed left margin beyond what moved.
    const int margin = twipsToPixels(8 * kTwipsPerDesignPixel, logicalDpiX());
    QRect moved;
    for (const QWidget *control : controls) {
        if (control->geometry() != drawn.value(control))
            moved |= control->geometry();
    }
    if (!moved.isNull() && moved.left() < margin) {
        for (QWidget *control : controls)
            control->move(control->x() + margin - moved.left(), control->y());
        moved.translate(margin - moved.left(), 0);
    }
    QSize client = twipsToPixels(QRect(QPoint(), kClientTwips), this).size();
    if (!moved.isNull())
        client = client.expandedTo(QSize(moved.right() + 1 + margin, moved.bottom() + 1 + margin));
    setFixedSize(client);
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
