#include "print/PreviewSurface.h"

#include "listing/ListingText.h"
#include "print/DocumentOutput.h"
#include "print/PageCanvas.h"
#include "print/PrintError.h"
#include "print/PrintServer.h"

#include <QAbstractScrollArea>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLocale>
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
        const int page = m_surface->ShownPage();
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
    }

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
            m_surface->ShownPage(m_surface->ShownPage() + 1);
            break;
        case Qt::Key_PageUp:
            m_surface->ShownPage(m_surface->ShownPage() - 1);
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
    : QWidget(parent), m_document(std::make_unique<PreviewDocument>()), m_view(new PageView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    // The surface stands in the window's tab order; the page view takes the keys.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_view);
    showPage(0); // no page yet; names the view for screen readers
}

PreviewSurface::~PreviewSurface() = default;

PreviewSurface::Paper PreviewSurface::defaultPaper()
{
    // A preview waits no more than this for the print server, so the window
    // takes events again within 2 s.
    constexpr std::chrono::milliseconds Patience(1500);
    QString problem;
    try {
        const PrintServer::Queue queue = PrintServer(Patience).defaultQueue();
        const QString printer = QString::fromLocal8Bit(queue.name);
        if (const std::optional<QPageSize> size = PrintServer::paperFor(queue.media))
            return {*size, tr("%1 paper, the default printer's (%2).").arg(size->key(), printer)};
        problem = tr("The default printer %1 names no paper size.").arg(printer);
    } catch (const PrintError &error) {
        problem = error.message();
    }
    const QPageSize size(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                    : QPageSize::A4);
    return {size, tr("%1 paper, this locale's usual size. %2").arg(size.key(), problem)};
}

void PreviewSurface::BeginDocument()
{
    m_replaced = Replaced{std::exchange(m_document, std::make_unique<PreviewDocument>()), m_shownPage};
    const Paper paper = m_pageSizeOverride ? Paper{*m_pageSizeOverride, {}} : defaultPaper();
    m_paperNote = paper.note;
    m_document->clear(paper.size);
    showPage(0);
}

void PreviewSurface::PageHeaderText(const QString &text)
{
    m_document->setHeaderText(text, {m_style.face, PreviewDocument::PageTextPointSize, false});
    m_view->viewport()->update();
}

void PreviewSurface::PageFooterText(const QString &text)
{
    m_document->setFooterText(text, {m_style.face, PreviewDocument::PageTextPointSize, false});
    m_view->viewport()->update();
}

void PreviewSurface::AppendParagraph(const QString &text)
{
    m_document->appendParagraph(text, m_style);
}

void PreviewSurface::AppendTable(const QString &format, const QString &heading, const QString &body,
                                 const BeforeTableText &beforeTableText)
{
    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(format);
    const int columnCount = std::max<int>(int(columns.size()), 1);
    appendRows(columns, TableText::parseRows(heading, columnCount, false),
               TableText::parseRows(body, columnCount, true), beforeTableText);
}

void PreviewSurface::AppendTable(const ListingText &listing, const BeforeTableText &beforeTableText,
                                 const NameStart &nameStart, const PreviewDocument::Yield &yield)
{
    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(listing.ListFormat);
    const int cells = std::clamp(listing.columnCount(), 1, 3);

    TableText::Rows heading;
    const QString headingText = listing.headings.join(QLatin1Char('|'));
    heading.setText(headingText);
    qsizetype at = 0;
    for (int c = 0; c < cells; ++c) {
        const qsizetype len = c < listing.headings.size() ? listing.headings[c].size() : 0;
        heading.addCell(std::min(at, headingText.size()), len);
        at += len + 1;
    }
    heading.endRow();

    TableText::Rows::IsolateFrom isolateFrom;
    if (nameStart) {
        isolateFrom = [nameStart](const ListingRow &row, QStringView first) -> qsizetype {
            return mayReorder(first) ? nameStart(row, first) : -1;
        };
    }
    appendRows(columns, std::move(heading), TableText::Rows(listing, cells, std::move(isolateFrom)), beforeTableText,
               yield);
}

void PreviewSurface::appendRows(const QList<TableText::ColumnSpec> &columns, TableText::Rows heading,
                                TableText::Rows body, const BeforeTableText &beforeTableText,
                                const PreviewDocument::Yield &yield)
{
    m_document->appendTable(columns, std::move(heading), std::move(body),
                            {m_gridStyle, m_keepWithHeading, m_tableLeft, m_style}, beforeTableText, yield);
}

void PreviewSurface::RestorePreviousDocument()
{
    if (!m_replaced)
        return;
    m_document = std::move(m_replaced->document);
    const int page = m_replaced->shownPage;
    m_replaced.reset();
    showPage(page);
}

void PreviewSurface::FinishDocument()
{
    m_replaced.reset();
    m_document->finish();
    showPage(1);
}

int PreviewSurface::PageTotal() const
{
    return m_replaced ? 0 : m_document->pageCount();
}

void PreviewSurface::ShownPage(int page)
{
    const int total = PageTotal();
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
                                       : tr("Print preview, page %1 of %2").arg(page).arg(PageTotal()));
    emit shownPageChanged(m_shownPage);
}

void PreviewSurface::SendToPrinter(const DocumentOutput::Progress &progress) const
{
    DocumentOutput::sendToDefaultPrinter(*m_document, progress);
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
    QAction *pdf = menu.addAction(tr("Save as PDF…"));
    pdf->setEnabled(PageTotal() > 0);
    connect(pdf, &QAction::triggered, this, &PreviewSurface::saveAsPdfInteractively);
    menu.exec(event->globalPos());
}

void PreviewSurface::saveAsPdfInteractively()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Save as PDF"), QString(), tr("PDF files (*.pdf)"));
    if (fileName.isEmpty())
        return;
    try {
        DocumentOutput::writePdf(*m_document, fileName);
    } catch (const PrintError &error) {
        QMessageBox::warning(this, tr("Save as PDF"), error.message());
    }
}
