#include "app/PreviewSurface.h"

#include "app/FindBar.h"
#include "export/ListingExport.h"
#include "print/PrintError.h"

#include <QAbstractScrollArea>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {
constexpr int Gap = 16; // grey border around the page, in pixels
}

// Shows the surface's current page, scaled, on a grey backdrop.
class PageView : public QAbstractScrollArea
{
public:
    explicit PageView(PreviewSurface *surface) : QAbstractScrollArea(surface), m_surface(surface)
    {
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setAutoFillBackground(false);
        setContextMenuPolicy(Qt::NoContextMenu); // the surface offers its own menu
    }

    void refresh()
    {
        const QSizeF page = pagePixels();
        const QSize vp = viewport()->size();
        horizontalScrollBar()->setRange(0, std::max(0, int(page.width()) + 2 * Gap - vp.width()));
        horizontalScrollBar()->setPageStep(vp.width());
        verticalScrollBar()->setRange(0, std::max(0, int(page.height()) + 2 * Gap - vp.height()));
        verticalScrollBar()->setPageStep(vp.height());
        verticalScrollBar()->setSingleStep(20);
        viewport()->update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), QColor(128, 128, 128));
        const int page = m_surface->shownPage();
        if (page < 1)
            return;
        const QSizeF size = pagePixels();
        const qreal x = std::max<qreal>(Gap, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
        const qreal y = Gap - verticalScrollBar()->value();
        const QRectF target(QPointF(x, y), size);
        painter.fillRect(target.translated(3, 3), QColor(80, 80, 80));
        painter.fillRect(target, Qt::white);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setClipRect(target);
        m_surface->document().renderPage(painter, page, target);
        paintMark(painter, page, target);
    }

    // The row the find bar found, under a tint of the selection colour.
    void paintMark(QPainter &painter, int page, const QRectF &target) const
    {
        if (m_surface->markedRow() < 0)
            return;
        const PreviewDocument::RowPlace place = m_surface->document().bodyRowPlace(m_surface->markedRow());
        if (place.page != page)
            return;
        const qreal scale = target.width() / m_surface->document().pageSizeTwips().width();
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(90);
        painter.fillRect(QRectF(target.topLeft() + place.box.topLeft() * scale, place.box.size() * scale), tint);
    }

public:
    // Scrolls so that a row's box (twips of the page) is in sight.
    void bringIntoSight(const QRectF &box)
    {
        const qreal scale = pagePixels().width() / m_surface->document().pageSizeTwips().width();
        const int top = int(box.top() * scale) + Gap;
        const int bottom = int(box.bottom() * scale) + Gap;
        QScrollBar *bar = verticalScrollBar();
        if (top < bar->value() || bottom > bar->value() + viewport()->height())
            bar->setValue(top - viewport()->height() / 3);
        viewport()->update();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QAbstractScrollArea::resizeEvent(event);
        refresh();
    }

    void scrollContentsBy(int, int) override { viewport()->update(); }

    void keyPressEvent(QKeyEvent *event) override
    {
        switch (event->key()) {
        case Qt::Key_PageDown:
            m_surface->setShownPage(m_surface->shownPage() + 1);
            break;
        case Qt::Key_PageUp:
            m_surface->setShownPage(m_surface->shownPage() - 1);
            break;
        case Qt::Key_Home:
            m_surface->setShownPage(1);
            break;
        case Qt::Key_End:
            m_surface->setShownPage(m_surface->pageTotal());
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
        }
    }

private:
    QSizeF pagePixels() const
    {
        const QSizeF twips = m_surface->document().pageSizeTwips();
        const qreal physical = logicalDpiX() / 1440.0;
        qreal scale = physical;
        const QSize vp = viewport()->size();
        switch (m_surface->zoomMode()) {
        case PreviewSurface::ZoomMode::FitWidth:
            scale = (vp.width() - 2 * Gap) / twips.width();
            break;
        case PreviewSurface::ZoomMode::FitPage:
            scale = std::min((vp.width() - 2 * Gap) / twips.width(), (vp.height() - 2 * Gap) / twips.height());
            break;
        case PreviewSurface::ZoomMode::Percent:
            scale = physical * m_surface->zoomPercent() / 100.0;
            break;
        }
        scale = std::max(scale, 0.001);
        return twips * scale;
    }

    PreviewSurface *m_surface;
};

PreviewSurface::PreviewSurface(QWidget *parent)
    : QWidget(parent)
    , m_document(std::make_unique<PreviewDocument>())
    , m_view(new PageView(this))
    , m_findBar(new FindBar(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_findBar);
    connect(m_findBar, &FindBar::rowFound, this, &PreviewSurface::showRow);
    connect(m_findBar, &FindBar::closed, this, [this] {
        m_view->setFocus(Qt::OtherFocusReason);
        showRow(-1);
    });
    // The surface stands in the window's tab order; the page view takes the keys.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_view);
    showPage(0); // no page yet; names the view for screen readers
}

PreviewSurface::~PreviewSurface() = default;

void PreviewSurface::beginReplacing()
{
    m_replaced = Replaced{m_shownPage};
    showPage(0);
}

void PreviewSurface::setDocument(std::unique_ptr<PreviewDocument> document, const QString &paperNote,
                                 std::shared_ptr<const ListingSearch> rows)
{
    m_replaced.reset();
    m_document = std::move(document);
    m_paperNote = paperNote;
    m_markedRow = -1;
    m_findBar->setSearch(std::move(rows));
    showPage(1);
}

void PreviewSurface::showRow(qsizetype row)
{
    m_markedRow = row;
    const PreviewDocument::RowPlace place = m_document->bodyRowPlace(row);
    if (place.page < 1 || pageTotal() < 1) {
        m_view->viewport()->update();
        return;
    }
    setShownPage(place.page);
    m_view->bringIntoSight(place.box);
}

void PreviewSurface::keepEarlierDocument()
{
    if (!m_replaced)
        return;
    const int page = m_replaced->shownPage;
    m_replaced.reset();
    showPage(page);
}

int PreviewSurface::pageTotal() const
{
    return m_replaced ? 0 : m_document->pageCount();
}

void PreviewSurface::setShownPage(int page)
{
    const int total = pageTotal();
    const int clamped = total < 1 ? 0 : std::clamp(page, 1, total);
    if (clamped != m_shownPage)
        showPage(clamped);
}

void PreviewSurface::showPage(int page)
{
    m_shownPage = page;
    m_view->verticalScrollBar()->setValue(0);
    m_view->refresh();
    // A screen reader says the name again when it changes under the focus.
    m_view->setAccessibleName(page < 1 ? tr("Print preview")
                                       : tr("Print preview, page %1 of %2").arg(page).arg(pageTotal()));
    emit shownPageChanged(m_shownPage);
}

void PreviewSurface::setZoom(ZoomMode mode, int percent)
{
    m_zoomMode = mode;
    m_zoomPercent = std::clamp(percent, 10, 800);
    m_view->refresh();
}

void PreviewSurface::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    auto *group = new QActionGroup(&menu);
    auto addZoom = [&](const QString &text, ZoomMode mode, int percent) {
        QAction *action = menu.addAction(text);
        action->setCheckable(true);
        action->setChecked(m_zoomMode == mode && (mode != ZoomMode::Percent || m_zoomPercent == percent));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode, percent] { setZoom(mode, percent); });
    };
    addZoom(tr("Fit Width"), ZoomMode::FitWidth, 100);
    addZoom(tr("Fit Page"), ZoomMode::FitPage, 100);
    for (int percent : {50, 75, 100, 150, 200, 400})
        addZoom(tr("%1 %").arg(percent), ZoomMode::Percent, percent);
    menu.addSeparator();
    const bool shown = pageTotal() > 0;
    QAction *setup = menu.addAction(tr("Page Setup…"));
    setup->setEnabled(shown);
    connect(setup, &QAction::triggered, this, &PreviewSurface::pageSetupAsked);
    QAction *print = menu.addAction(tr("Print…"));
    print->setShortcut(QKeySequence::Print);
    print->setEnabled(shown);
    connect(print, &QAction::triggered, this, &PreviewSurface::printAsked);
    QAction *pdf = menu.addAction(tr("Save as PDF…"));
    pdf->setEnabled(shown);
    connect(pdf, &QAction::triggered, this, &PreviewSurface::saveAsPdfInteractively);
    menu.exec(event->globalPos());
}

void PreviewSurface::saveAsPdfInteractively()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Save as PDF"), QString(), tr("PDF files (*.pdf)"));
    if (fileName.isEmpty())
        return;
    try {
        ListingExport::savePdf(*m_document, fileName);
    } catch (const PrintError &error) {
        QMessageBox::warning(this, tr("Save as PDF"), error.message());
    }
}
