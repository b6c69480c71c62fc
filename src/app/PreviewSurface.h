#pragma once

#include "print/DocumentOutput.h"
#include "print/ListingSearch.h"
#include "print/PreviewDocument.h"

#include <QWidget>

#include <memory>
#include <optional>

class FindBar;
class PageView;

// The preview surface vsp1: shows one page at a time of the document it is
// given, on a grey backdrop, pages through it and prints it. Composing the
// document is not its business (ListingComposer does that, without a
// widget); while a new one is composed, it keeps the earlier one to put back
// should the composition not finish.
class PreviewSurface : public QWidget
{
    Q_OBJECT

public:
    enum class ZoomMode { FitWidth, FitPage, Percent };

    explicit PreviewSurface(QWidget *parent = nullptr);
    ~PreviewSurface() override;

    // A composition starts: until it ends, no page shows and there is no
    // total, so a page step or the page label finds nothing to show.
    void beginReplacing();
    // The new document, on page 1; paperNote says which paper and why, rows
    // are its table's rows for the find bar.
    void setDocument(std::unique_ptr<PreviewDocument> document, const QString &paperNote = {},
                     std::shared_ptr<const ListingSearch> rows = {});
    // The composition did not finish: the earlier document comes back on
    // the page it showed. Nothing when none is being replaced.
    void keepEarlierDocument();

    // 0 before any document exists, and while one is composed.
    int pageTotal() const;
    // Kept within 1..pageTotal(); 0 while there is no page.
    int shownPage() const { return m_shownPage; }
    void setShownPage(int page);

    // Which paper the document is on and why; empty when the caller chose it.
    const QString &paperNote() const { return m_paperNote; }

    void setZoom(ZoomMode mode, int percent = 100);
    ZoomMode zoomMode() const { return m_zoomMode; }
    int zoomPercent() const { return m_zoomPercent; }

    const PreviewDocument &document() const { return *m_document; }

    // Shows the page holding a row of the table and marks the row; -1 for
    // no mark.
    void showRow(qsizetype row);
    qsizetype markedRow() const { return m_markedRow; }
    FindBar *findBar() const { return m_findBar; }

signals:
    // The page on display changed, or the document it belongs to did: a
    // new, finished or restored document, or a page step however made.
    void shownPageChanged(int page);
    // "Page Setup…" and "Print…" chosen in the surface's menu.
    void pageSetupAsked();
    void printAsked();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Shows page and tells so, also when only the document under it changed.
    void showPage(int page);
    void saveAsPdfInteractively();

    std::unique_ptr<PreviewDocument> m_document;
    // What a composition under way will replace, and the page it showed.
    struct Replaced
    {
        int shownPage = 0;
    };
    std::optional<Replaced> m_replaced;
    PageView *m_view = nullptr;
    FindBar *m_findBar = nullptr;
    qsizetype m_markedRow = -1;
    int m_shownPage = 0;
    QString m_paperNote;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    int m_zoomPercent = 100;
};
