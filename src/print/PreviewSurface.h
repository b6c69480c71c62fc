#pragma once

#include "print/DocumentOutput.h"
#include "print/PreviewDocument.h"

#include <QPageSize>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

struct ListingRow;
struct ListingText;
class PageView;

// The preview surface vsp1: composes a document from settings, paragraphs
// and tables, shows one page at a time on a grey backdrop and prints it.
// The operations keep the names the main window's code uses; a property
// that can be read and written is a getter and a setter of the same name.
//
// The layout and painting live in PreviewDocument, printing and PDF in
// DocumentOutput; this class holds the current text settings, feeds the
// document and shows it.
class PreviewSurface : public QWidget
{
    Q_OBJECT

public:
    enum class ZoomMode { FitWidth, FitPage, Percent };

    explicit PreviewSurface(QWidget *parent = nullptr);
    ~PreviewSurface() override;

    // The document always stays for display and for SendToPrinter; the
    // composition still sets it, as its steps go.
    void PreviewMode(bool) {}

    // 0 none, 8 lines between rows, 3 top and bottom, 7 all; other values
    // combine the same bits (1 top, 2 bottom, 4 all inner lines, 8 between rows).
    void TableGridStyle(int style) { m_gridStyle = style; }
    int TableGridStyle() const { return m_gridStyle; }

    void TextFontFace(const QString &face) { m_style.face = face; }
    QString TextFontFace() const { return m_style.face; }
    void TextPointSize(int points) { m_style.pointSize = points; }
    int TextPointSize() const { return m_style.pointSize; }
    void TextBold(bool bold) { m_style.bold = bold; }
    bool TextBold() const { return m_style.bold; }

    // A new, empty document replaces the old one; no page shows.
    void BeginDocument();
    // Puts back the document the last BeginDocument replaced, with its shown
    // page, for a composition that did not finish. Nothing to put back once
    // the new document is finished.
    void RestorePreviousDocument();
    // "left|centre|right", "%d" for the page number; drawn on every page.
    void PageHeaderText(const QString &text);
    QString PageHeaderText() const { return m_document->headerText(); }
    void PageFooterText(const QString &text);
    QString PageFooterText() const { return m_document->footerText(); }
    void AppendParagraph(const QString &text);

    // Table setup: the source reads the text area's left edge (twips); the
    // target places the left edge of later tables (twips from the paper's
    // edge); the value is how much room (twips) must remain below a table's
    // heading on the page it starts on, else the table starts on a new page.
    double TableSetupSource() const { return PreviewDocument::Margin; }
    void TableSetupTarget(qint32 left) { m_tableLeft = left; }
    qint32 TableSetupTarget() const { return m_tableLeft; }
    void TableSetupValue(int keep) { m_keepWithHeading = keep; }
    int TableSetupValue() const { return m_keepWithHeading; }

    // Column format ("4000|>1000|>1000;"), heading row and body as texts:
    // cells split at "|", rows at ";"; an empty row opening the body is not
    // a row. BeforeTableText, if given, is called once per row, heading
    // first, with the whole row's text and the current text style, before
    // the row is laid out; the row is set in the style it leaves.
    using BeforeTableText = PreviewDocument::RowStyle;
    void AppendTable(const QString &format, const QString &heading, const QString &body,
                     const BeforeTableText &beforeTableText = {});
    // The same from a listing's structured rows, read where they stand
    // (shared, not copied): a name holding "|" or ";" stays one cell of one
    // row. nameStart, if given, tells where the name begins in a row's
    // first cell; the name is then set as an isolate. The document keeps it
    // and asks it as rows are painted. yield runs every few rows of the
    // layout; what it throws ends the composition (RestorePreviousDocument).
    using NameStart = std::function<qsizetype(const ListingRow &row, QStringView firstCell)>;
    void AppendTable(const ListingText &listing, const BeforeTableText &beforeTableText = {},
                     const NameStart &nameStart = {}, const PreviewDocument::Yield &yield = {});

    // Closes the document; PageTotal is final and page 1 shows.
    void FinishDocument();

    // 0 before any document exists, and while one is composed: a document
    // still being laid out has no page to show and no total to tell.
    int PageTotal() const;
    // Kept within 1..PageTotal; 0 while there is no page.
    int ShownPage() const { return m_shownPage; }
    void ShownPage(int page);

    // Every page to the default printer (DocumentOutput), telling progress
    // how it goes. Throws PrintError.
    void SendToPrinter(const DocumentOutput::Progress &progress = {}) const;

    // Paper for the following documents; unset, BeginDocument takes the
    // default paper below.
    void setPageSize(const std::optional<QPageSize> &pageSize) { m_pageSizeOverride = pageSize; }
    // The default printer's paper, asked of the print server with at most
    // 1.5 s to answer, else the locale's (Letter or A4); note says which and
    // why ("A4 paper, this locale's usual size. The print server ... does
    // not answer.").
    struct Paper
    {
        QPageSize size;
        QString note;
    };
    static Paper defaultPaper();
    // BeginDocument's choice; empty when the paper was set.
    const QString &paperNote() const { return m_paperNote; }

    void setZoom(ZoomMode mode, int percent = 100);
    ZoomMode zoomMode() const { return m_zoomMode; }
    int zoomPercent() const { return m_zoomPercent; }

    const PreviewDocument &document() const { return *m_document; }

signals:
    // The page on display changed, or the document it belongs to did: a
    // new, finished or restored document, or a page step however made.
    void shownPageChanged(int page);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void appendRows(const QList<TableText::ColumnSpec> &columns, TableText::Rows heading, TableText::Rows body,
                    const BeforeTableText &beforeTableText, const PreviewDocument::Yield &yield = {});
    // Shows page and tells so, also when only the document under it changed.
    void showPage(int page);
    void saveAsPdfInteractively();

    std::unique_ptr<PreviewDocument> m_document;
    // What BeginDocument replaced, kept until FinishDocument: set while a
    // document is composed.
    struct Replaced
    {
        std::unique_ptr<PreviewDocument> document;
        int shownPage = 0;
    };
    std::optional<Replaced> m_replaced;
    PageView *m_view = nullptr;
    TextStyle m_style;
    int m_gridStyle = 0;
    qint32 m_tableLeft = PreviewDocument::Margin;
    int m_keepWithHeading = 0;
    int m_shownPage = 0;
    std::optional<QPageSize> m_pageSizeOverride;
    QString m_paperNote;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    int m_zoomPercent = 100;
};
