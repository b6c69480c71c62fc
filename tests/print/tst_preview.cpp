#include "PrintTestSupport.h"

#include "print/ListingComposer.h"
#include "print/Paper.h"

#include <QDate>
#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <set>

namespace {

constexpr int Margin = PreviewDocument::Margin;

// Wraps in its 4000-twip column at blanks and inside the word too wide for a line.
const QString LongName = QStringLiteral("-  notes|draft;1.txt of a listing kept for the records office, "
                                        "then an_archive_name_without_any_blank_in_it_that_must_break.txt");

// A table of rows "file 0", "file 1", ... under a header whose path holds a "|".
std::unique_ptr<PreviewDocument> layOut(int rows, int points = 8)
{
    QString body = QStringLiteral(";");
    for (int i = 0; i < rows; ++i)
        body += QStringLiteral("file %1;").arg(i);
    auto document = std::make_unique<PreviewDocument>();
    document->clear(QPageSize(QPageSize::Letter));
    const TextStyle pageText{"Arial", PreviewDocument::PageTextPointSize, false};
    document->setHeaderText(QStringLiteral("C:\\P|Q|Centre %d|3/7/2001"), pageText);
    document->appendTable(TableText::parseColumnFormat(u"4000;"), TableText::parseRows("Name;", 1, false),
                          TableText::parseRows(body, 1, true), {0, 0, Margin, {"Arial", points, false}});
    document->setFooterText(QStringLiteral("||Page %d"), pageText);
    document->finish();
    return document;
}

} // namespace

// The document, from the texts it is given to the pages it draws; the listing composed as one.
class TestPreview : public QObject
{
    Q_OBJECT

    PageOptions m_page;
    ListingText m_listing;
    std::unique_ptr<PreviewDocument> m_document;

    const PreviewDocument &compose(GridStyle previousGrid = GridStyle::None)
    {
        m_document = ListingComposer::composeListing(m_listing, m_page, QPageSize(QPageSize::Letter), previousGrid);
        return *m_document;
    }

    // The document as PDF against what the preview draws: as many pages, every run of text with its
    // first word where the preview puts it, in its size and in ink, and ink on every ruled line.
    void checkPdfMatchesPreview()
    {
        const PreviewDocument &doc = *m_document;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("out.pdf"));
        writePdfFile(doc, file);
        const QStringList pages = runTool("pdftotext", {"-bbox", file, "-"}).split("<page ").mid(1);
        QCOMPARE(pages.size(), doc.pageCount());
        runTool("pdftoppm", {"-r", "144", "-gray", "-png", file, dir.filePath("p")});
        const QStringList images = QDir(dir.path()).entryList({"p-*.png"}, QDir::Files, QDir::Name);
        const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</)re");
        for (int p = 1; p <= doc.pageCount(); ++p) {
            const DrawnPage drawn(doc, p);
            const QImage image(dir.filePath(images.value(p - 1)));
            const auto darkest = [&image](const QRect &pixels) {
                int gray = 255;
                for (int x = pixels.left(); x <= pixels.right(); ++x) {
                    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
                        gray = std::min(gray, qGray(image.pixel(x, y)));
                }
                return gray;
            };
            for (const DrawnPage::Text &t : drawn.texts) {
                const qsizetype blanks = t.text.indexOf(QRegularExpression("[^ ]"));
                const QString first = t.text.mid(blanks).section(u' ', 0, 0);
                const MeasuredFont &font = doc.font(t.font);
                const qreal x = (t.at.x() + font.advance(t.text.first(blanks))) / 20;
                bool found = false;
                for (const QRegularExpressionMatch &m : word.globalMatch(pages[p - 1])) {
                    const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                     QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
                    const qreal baseline = t.at.y() / 20;
                    found = found || (m.captured(5) == first && qAbs(box.left() - x) < 0.5 && box.top() < baseline
                                      && box.bottom() > baseline && qAbs(box.height() - font.lineHeight() / 20) < 0.3
                                      && darkest(QRectF(box.topLeft() * 2, box.bottomRight() * 2).toRect()) < 128);
                }
                QVERIFY2(found, qPrintable(QStringLiteral("page %1: %2").arg(p).arg(t.text)));
            }
            for (const QLineF &line : drawn.lines) {
                const QPoint mid = (line.center() * 144 / 1440).toPoint();
                const QPoint across = line.dy() == 0 ? QPoint(0, 2) : QPoint(2, 0);
                QVERIFY2(darkest(QRect(mid - across, mid + across)) < 128,
                         qPrintable(QStringLiteral("page %1: no line at %2").arg(p).arg(mid.y())));
            }
        }
    }

private slots:
    void init()
    {
        m_page = {GridStyle::None, "/home/ann/Docs", "Listing of Docs"};
        // A date cell of letters built of others (W and ^) found nowhere else on the page: ink in the PDF too.
        m_listing = makeListing({{LongName, "2", "3/7/2001"}, {"    + Old", "12", "\u0174\u0176"}});
    }

    void pagination_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<int>("rows");

        QTest::newRow("8 pt file rows") << 8 << 300;
        QTest::newRow("10 pt folder rows") << 10 << 300;
        QTest::newRow("exactly one row") << 8 << 1;
    }

    void pagination()
    {
        QFETCH(int, pointSize);
        QFETCH(int, rows);

        m_document = layOut(rows, pointSize);
        const PreviewDocument &doc = *m_document;
        const QSizeF paper = doc.pageSizeTwips();
        // The heading takes one row's room on every page.
        const qreal row = MeasuredFont({"Arial", pointSize, false}).lineHeight() + 2 * PreviewDocument::CellPaddingY;
        const int perPage = int((paper.height() - 2 * Margin) / row) - 1;
        QCOMPARE(doc.pageCount(), (rows + perPage - 1) / perPage);
        const MeasuredFont font({"Arial", PreviewDocument::PageTextPointSize, false});
        int next = 0;
        for (int page = 1; page <= doc.pageCount(); ++page) {
            // Left part at the margin, centre centred, right part ending at the margin.
            const DrawnPage drawn(doc, page);
            const QString centre = QStringLiteral("Centre %1").arg(page);
            const QString number = QStringLiteral("Page %1").arg(page);
            const auto at = [&drawn](QStringView text) { return drawn.find(text).at.toPoint(); };
            const qreal right = paper.width() - Margin;
            const qreal top = Margin / 2.0;
            QCOMPARE(at(u"C:\\P|Q"), QPoint(Margin, Margin / 2));
            QCOMPARE(at(centre), QPointF((paper.width() - font.advance(centre)) / 2, top).toPoint());
            QCOMPARE(at(u"3/7/2001"), QPointF(right - font.advance(u"3/7/2001"), top).toPoint());
            QCOMPARE(at(number), QPointF(right - font.advance(number), paper.height() - top).toPoint());
            // The heading opens every page, the rows follow in order.
            QStringList expected{"Name"};
            while (next < rows && expected.size() <= perPage)
                expected << QStringLiteral("file %1").arg(next++);
            QStringList body;
            for (const auto &t : drawn.texts) {
                if (t.at.y() > Margin && t.at.y() < paper.height() - Margin)
                    body << t.text;
            }
            QCOMPARE(body, expected);
        }
        QCOMPARE(next, rows);
        checkPdfMatchesPreview();
    }

    void pageBreaks_data()
    {
        QTest::addColumn<int>("titleLines");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("problems");
        QTest::addColumn<QString>("width");   // the name column's
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("headingPage");

        const qreal room = 15840 - 2 * Margin;   // Letter's text area
        const qreal titleLine = MeasuredFont({"Arial", 11, true}).lineHeight();
        // Title lines that leave less room below them than the heading and 1,200 twips.
        const int nearlyFull = int((room - PreviewDocument::ParagraphSpacing - 600) / titleLine);
        QTest::newRow("rows run over three pages") << 1 << 130 << 0 << "4000" << 3 << 1;
        QTest::newRow("a heading that would stand alone at a page's foot starts the next page")
            << nearlyFull << 3 << 0 << "4000" << 2 << 2;
        QTest::newRow("a title longer than a page") << int(room / titleLine) + 5 << 2 << 0 << "4000" << 2 << 2;
        QTest::newRow("what was not read runs over two pages") << 1 << 1 << 150 << "4000" << 3 << 1;
        QTest::newRow("rows taller than a page, in a column one letter wide") << 1 << 2 << 0 << "180" << 4 << 1;
    }

    // Nothing is ever drawn below the bottom margin, and everything is drawn once, in order.
    void pageBreaks()
    {
        QFETCH(int, titleLines);
        QFETCH(int, rows);
        QFETCH(int, problems);
        QFETCH(QString, width);
        QFETCH(int, pages);
        QFETCH(int, headingPage);

        QStringList title;
        for (int i = 0; i < titleLines; ++i)
            title << QStringLiteral("title line %1").arg(i);
        m_page.title = title.join(u'\n');
        QList<QStringList> cells;
        for (int i = 0; i < rows; ++i)
            cells << QStringList{QStringLiteral("-  entry %1 %2").arg(i).arg(width.toInt() < 1000 ? LongName : ""),
                                 "1", "3/7/2001"};
        m_listing = makeListing(cells);
        m_listing.ListFormat = width + "|>1000|>1000;";
        for (int i = 0; i < problems; ++i)
            m_listing.problems.append({"/home/ann/Docs/locked" + QByteArray::number(i), "Permission denied"});
        m_page.grid = GridStyle::All;
        const PreviewDocument &doc = compose();
        QCOMPARE(doc.pageCount(), pages);
        const qreal bottom = doc.pageSizeTwips().height() - Margin;
        QString drawn, firstColumn;
        int headingFirstOn = 0;
        for (int page = 1; page <= doc.pageCount(); ++page) {
            const DrawnPage onPage(doc, page);
            for (const DrawnPage::Text &text : onPage.texts) {
                if (text.at.y() <= Margin || text.at.y() >= bottom + Margin / 4)
                    continue;   // header and footer
                QVERIFY2(text.at.y() + doc.font(text.font).lineHeight() - doc.font(text.font).ascent() <= bottom + 1,
                         qPrintable(QStringLiteral("page %1: %2 at %3").arg(page).arg(text.text).arg(text.at.y())));
                drawn += text.text;
                if (text.at.x() < Margin + width.toInt())
                    firstColumn += text.text;
            }
            if (headingFirstOn == 0 && drawn.contains(u"Sub-Directories"))
                headingFirstOn = page;
            for (const QLineF &line : onPage.lines)
                QVERIFY2(std::max(line.y1(), line.y2()) <= bottom + 1, qPrintable(QStringLiteral("page %1").arg(page)));
        }
        QCOMPARE(headingFirstOn, headingPage);
        drawn.remove(u' ');
        QVERIFY(drawn.startsWith(QString(title.join(QString())).remove(u' ')));
        // A row going on over a page break goes on after the heading there.
        firstColumn.remove(u' ').remove(QStringLiteral("Sub-Directories"));
        for (int i = 0; i < rows; ++i)
            QVERIFY2(firstColumn.contains(QString(cells[i][0]).remove(u' ')), qPrintable(cells[i][0]));
        QCOMPARE(drawn.count(QStringLiteral("Permissiondenied")), problems);
    }

    void gridStyles_data()
    {
        QTest::addColumn<std::optional<GridStyle>>("grid");
        QTest::addColumn<GridStyle>("before");
        QTest::addColumn<int>("horizontal");    // lines across the table
        QTest::addColumn<int>("vertical");

        // A heading and three rows, three columns.
        QTest::newRow("None") << std::optional(GridStyle::None) << GridStyle::All << 0 << 0;
        QTest::newRow("Rows: between rows") << std::optional(GridStyle::Rows) << GridStyle::None << 3 << 0;
        QTest::newRow("Top & Bottom") << std::optional(GridStyle::TopBottom) << GridStyle::None << 2 << 0;
        QTest::newRow("All") << std::optional(GridStyle::All) << GridStyle::None << 5 << 4;
        QTest::newRow("no style named keeps the previous one") << std::optional<GridStyle>() << GridStyle::TopBottom
                                                               << 2 << 0;
    }

    void gridStyles()
    {
        QFETCH(std::optional<GridStyle>, grid);
        QFETCH(GridStyle, before);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);

        m_page.grid = grid;
        m_listing = makeListing(QList<QStringList>(3, {"-  x", "1", "3/7/2001"}));
        std::set<int> rowsAt, columnsAt;
        for (const QLineF &line : DrawnPage(compose(before), 1).lines)
            (line.dy() == 0 ? rowsAt : columnsAt).insert(qRound(line.dy() == 0 ? line.y1() : line.x1()));
        QCOMPARE(int(rowsAt.size()), horizontal);
        QCOMPARE(int(columnsAt.size()), vertical);
        checkPdfMatchesPreview();
    }

    void pageSetup_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("margin");       // points, on every side
        QTest::addColumn<bool>("fit");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("nameWidth");
        QTest::addColumn<int>("pageWidth");    // twips
        QTest::addColumn<int>("tableRight");   // twips from the paper's left edge
        QTest::addColumn<int>("rowPixels");    // a file row's text, points x 20
        QTest::addColumn<bool>("tooWide");

        const auto Letter = QPageSize::Letter, A4 = QPageSize::A4;
        QTest::newRow("as it always was") << Letter << false << 72 << false << 100 << 4000 << 12240 << 7440 << 160
                                          << false;
        QTest::newRow("fitted to Letter's width") << Letter << false << 72 << true << 100 << 4000 << 12240 << 10800
                                                  << 160 << false;
        QTest::newRow("A4 across, half-inch margins, fitted") << A4 << true << 36 << true << 100 << 4000 << 16838
                                                              << 16118 << 160 << false;
        QTest::newRow("too wide, fitted: no warning, 120 % text") << Letter << false << 72 << true << 120 << 40000
                                                                  << 12240 << 10800 << 192 << false;
        QTest::newRow("too wide across A4 at 80 %") << A4 << true << 72 << false << 80 << 40000 << 16838 << 43440
                                                    << 128 << true;
    }

    // The page setup through the document's geometry: the paper turned, the margins (the header halfway into the
    // top one), the columns fitted to the room between them, the table's text at its size.
    void pageSetup()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(bool, landscape);
        QFETCH(int, margin);
        QFETCH(bool, fit);
        QFETCH(int, percent);
        QFETCH(int, nameWidth);
        QFETCH(int, pageWidth);
        QFETCH(int, tableRight);
        QFETCH(int, rowPixels);
        QFETCH(bool, tooWide);

        m_page.grid = GridStyle::All;
        m_page.setup = {std::nullopt, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(margin, margin, margin, margin), fit, percent};
        m_listing.ListFormat = QStringLiteral("%1|>1000|>1000;").arg(nameWidth);
        m_document = ListingComposer::composeListing(m_listing, m_page, QPageSize(paper));
        const DrawnPage page(*m_document, 1);
        QCOMPARE(qRound(m_document->pageSizeTwips().width()), pageWidth);
        QCOMPARE(m_document->pageSizeTwips().width() > m_document->pageSizeTwips().height(), landscape);
        qreal right = 0;
        for (const QLineF &line : page.lines)
            right = std::max(right, line.dx() == 0 ? line.x1() : 0);
        QVERIFY2(qAbs(right - tableRight) <= 1, qPrintable(QString::number(right)));
        QCOMPARE(page.find(u"2").pixelSize, rowPixels);   // a file row's size
        QCOMPARE(page.find(u"/home/ann/Docs").at, QPointF(margin * 20, margin * 10));
        QCOMPARE(!ListingComposer::widthWarning(*m_document, m_listing).isEmpty(), tooWide);
        if (landscape && !tooWide)
            checkPdfMatchesPreview();
    }

    void paperOfTheLocaleWithoutAPrinter_data()
    {
        QTest::addColumn<QLocale::Country>("country");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::newRow("A4 in Britain") << QLocale::UnitedKingdom << QPageSize::A4;
        QTest::newRow("Letter in the United States") << QLocale::UnitedStates << QPageSize::Letter;
    }
    void paperOfTheLocaleWithoutAPrinter()
    {
        QFETCH(QLocale::Country, country);
        QFETCH(QPageSize::PageSizeId, paper);
        qputenv("CUPS_SERVER", "127.0.0.1:1");   // nothing listens there
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::English, country));
        const Paper chosen = Paper::ofDefaultPrinter();
        QLocale::setDefault(saved);
        QCOMPARE(chosen.size.id(), paper);
        QVERIFY2(chosen.note.contains(QStringLiteral("this locale's usual size")), qPrintable(chosen.note));
    }

    // The page header, the footer and the title; the job and the PDF take their title from it.
    void composesHeaderAndTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("jobTitle");
        QTest::addColumn<QString>("path");   // the header shows it in its own case

        QTest::newRow("titled") << "Listing of Docs" << "Listing of Docs" << "/home/ann/Docs";
        QTest::newRow("an empty title still takes its line") << "" << "Foliotrace" << "/usr/share/doc";
    }
    void composesHeaderAndTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, jobTitle);
        QFETCH(QString, path);

        m_page.title = title;
        m_page.headerPath = path;
        const PreviewDocument &doc = compose();
        const QDate today = QDate::currentDate();
        QCOMPARE(doc.headerText(), QStringLiteral("%1||%2/%3/%4")
                                       .arg(path).arg(today.month()).arg(today.day()).arg(today.year()));
        QCOMPARE(doc.footerText(), QStringLiteral("||Page %d"));
        QCOMPARE(DocumentOutput::title(doc), jobTitle);
        const DrawnPage page(doc, 1);
        QCOMPARE((std::pair{page.find(jobTitle).pixelSize, page.find(jobTitle).bold}),
                 (title.isEmpty() ? std::pair{0, false} : std::pair{220, true}));
        const qreal headingY = Margin + MeasuredFont({"Arial", 11, true}).lineHeight()
                               + PreviewDocument::ParagraphSpacing + PreviewDocument::CellPaddingY
                               + MeasuredFont({"Arial", 8, false}).ascent();
        QVERIFY(qAbs(page.find(u"Sub-Directories").at.y() - headingY) < 1);
        checkPdfMatchesPreview();
    }

    // File rows at 8 pt, folder rows at 10; a name holding both separators stays one cell, wrapped whole
    // inside its column above the next row; sizes end at their 1000-twip column's right edge.
    void composesTheTable()
    {
        // Widths are read with blanks anywhere skipped.
        m_listing.ListFormat = QStringLiteral("4000|> 10\t00\r|>1000;");
        const DrawnPage page(compose(), 1);
        QString wrapped;
        qreal bottom = 0;
        const qreal oldY = page.find(u"    + Old").at.y();
        for (const auto &t : page.texts) {
            const bool nameLine = t.at.x() < Margin + 4000 && t.pixelSize == 160 && t.at.y() < oldY;
            if (nameLine && t.at.y() > bottom && t.text != u"Sub-Directories") {
                QVERIFY(t.at.x() + MeasuredFont({"Arial", 8, false}).advance(t.text) <= Margin + 4000);
                wrapped += t.text;
                bottom = t.at.y();
            }
        }
        QCOMPARE(wrapped.remove(u' '), QString(LongName).remove(u' '));
        QVERIFY(oldY > bottom);
        QCOMPARE(page.find(u"3/7/2001").pixelSize, 160);
        QCOMPARE(page.find(u"    + Old").pixelSize, 200);
        QCOMPARE(qRound(page.find(u"12").at.x() + MeasuredFont({"Arial", 10, false}).advance(u"12")),
                 Margin + 5000 - PreviewDocument::CellPaddingX);
        checkPdfMatchesPreview();
    }

    // The report: a bold heading under the last row, then a line per problem.
    void composesTheReport_data()
    {
        QTest::addColumn<int>("problems");
        QTest::newRow("all read: no report") << 0;
        QTest::newRow("two not read: under the table") << 2;
    }
    void composesTheReport()
    {
        QFETCH(int, problems);
        for (int i = 0; i < problems; ++i)
            m_listing.problems.append({QByteArray("/home/ann/Docs/locked") + char('0' + i), "Permission denied"});
        const DrawnPage page(compose(), 1);
        const DrawnPage::Text heading = page.find(u"Not read in full");
        QCOMPARE((std::pair{heading.pixelSize, heading.bold}), (problems ? std::pair{200, true} : std::pair{0, false}));
        qreal lineY = heading.at.y();
        QVERIFY(!problems || lineY > page.find(u"    + Old").at.y());
        for (int i = 0; i < problems; ++i) {
            const DrawnPage::Text line = page.find(QStringLiteral("/home/ann/Docs/locked%1: Permission denied").arg(i));
            QCOMPARE(line.pixelSize, 160);
            QVERIFY(line.at.y() > lineY);
            lineY = line.at.y();
        }
        checkPdfMatchesPreview();
    }

    void rowStyling_data()
    {
        QTest::addColumn<QString>("dirMark");
        QTest::addColumn<QString>("rowText");
        QTest::addColumn<int>("points");

        QTest::newRow("file row is 8 pt") << "+" << "-  notes.txt|1" << 8;
        QTest::newRow("several characters never match") << "[D]" << "[D] Docs|1" << 8;
        QTest::newRow("empty mark: blank name alone is 10 pt") << "" << "   " << 10;
        QTest::newRow("empty mark: blank name with a size is 8 pt") << "" << "   |1" << 8;
        // Only spaces are trimmed: a mark that is some other white space still matches.
        QTest::newRow("tab mark is 10 pt") << "\t" << "    \t Docs|1" << 10;
        QTest::newRow("no-break space mark is 10 pt") << "\u00a0" << "\u00a0 Docs|1" << 10;
    }

    void rowStyling()
    {
        QFETCH(QString, dirMark);
        QFETCH(QString, rowText);
        QFETCH(int, points);
        QCOMPARE(ListingComposer::pointSize(ListingComposer::rowStyle(rowText, dirMark)), points);
    }

    void namesReorderOnlyThemselves_data()
    {
        QTest::addColumn<QString>("mark");      // the row's own mark
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("nameStart");

        QTest::newRow("Hebrew file name") << "-" << false << 2 << "     -  \u05e9\u05dc\u05d5\u05dd.txt" << 8;
        QTest::newRow("Hebrew folder under a Hebrew mark")
            << "\u05d0" << true << 2 << "    \u05d0 \u05e9\u05dc\u05d5\u05dd" << 6;
        QTest::newRow("override under a Hebrew mark") << " \u05d0" << true << 1 << " \u05d0 \u202eabc.txt" << 3;
        QTest::newRow("name closing the isolate itself") << "\u05d0" << true << 1 << "\u05d0 \u2069\u202eabc" << 2;
        QTest::newRow("mark of blanks") << "  " << true << 1 << "   \u05d0\u05d1" << 3;
        QTest::newRow("file mark holding two blanks") << "a  \u05d0" << false << 1 << "  a  \u05d0  \u05d1\u05d2" << 8;
    }

    // Left of where the name begins, the row looks the same with or without it, on screen and in the PDF.
    void namesReorderOnlyThemselves()
    {
        QFETCH(QString, mark);
        QFETCH(bool, folder);
        QFETCH(int, level);
        QFETCH(QString, cell);
        QFETCH(int, nameStart);

        const auto kind = folder ? ListingRowKind::Folder : ListingRowKind::File;
        const QString other = folder ? QStringLiteral("-") : QStringLiteral("+");
        QCOMPARE(ListingComposer::nameStart(cell, ListingRow{0, {}, level, kind}, folder ? mark : other,
                                            folder ? other : mark),
                 nameStart);
        const QTemporaryDir dir;
        const auto render = [&](const QString &firstCell) {
            m_listing = makeListing({{firstCell, "1", "3/7/2001"}});
            m_listing.dirMark = folder ? mark : other;
            m_listing.fileMark = folder ? other : mark;
            m_listing.rows[0].kind = kind;
            m_listing.rows[0].level = level;
            const PreviewDocument &doc = compose();
            QImage screen((doc.pageSizeTwips() / 10).toSize(), QImage::Format_Grayscale8);
            screen.fill(Qt::white);
            QPainter painter(&screen);
            doc.renderPage(painter, 1, screen.rect());
            const QString pdf = dir.filePath("page.pdf");
            writePdfFile(doc, pdf);
            runTool("pdftoppm", {"-r", "144", "-gray", "-singlefile", "-png", pdf, dir.filePath("page")});
            return std::pair{screen, QImage(dir.filePath("page.png"))};
        };
        const auto [screen, paper] = render(cell);
        const DrawnPage::Text row = DrawnPage(*m_document, 1).find(cell);
        const qreal leadTwips = row.at.x() + m_document->font(row.font).advance(cell.first(nameStart));
        const QRect left(0, 0, int(leadTwips / 10) - 1, screen.height());
        const auto [screenLead, paperLead] = render(cell.first(nameStart));
        QCOMPARE(screen.copy(left), screenLead.copy(left));
        QCOMPARE(paper.copy(left), paperLead.copy(left));
    }

    void paperShowsWhatScreenShows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("rows");       // file rows holding it, each with a folder row holding it too
        QTest::addColumn<int>("pictures");   // images in the PDF: one per colour glyph and size

        QTest::newRow("colour emoji in 8 and 10 pt") << "\U0001F389 party \U0001F4C1x" << 1 << 4;
        QTest::newRow("an emoji on 40 rows: still one picture a size") << "\U0001F4C1 box" << 20 << 2;
        QTest::newRow("line separators, first and inside") << "\u2028ab\u2028cd" << 1 << 0;
    }

    // Page 1 on screen and from the PDF at 144 dpi, in colour, alike in every 4 x 4 block but for the two
    // renderers' antialiasing: a glyph missing or out of place shows.
    void paperShowsWhatScreenShows()
    {
        QFETCH(QString, name);
        QFETCH(int, rows);
        QFETCH(int, pictures);
        QList<QStringList> cells;
        for (int i = 0; i < rows; ++i)
            cells << QStringList{"-  " + name, "1", "3/7/2001"} << QStringList{"    + " + name, "2", "3/7/2001"};
        m_listing = makeListing(cells);
        const PreviewDocument &doc = compose();
        QImage screen((doc.pageSizeTwips() / 10).toSize(), QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        doc.renderPage(painter, 1, screen.rect());
        painter.end();
        const QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        writePdfFile(doc, pdf);
        runTool("pdftoppm", {"-r", "144", "-singlefile", "-png", pdf, dir.filePath("page")});
        const QImage paper = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(paper.size(), screen.size());

        const auto blocks = [](const QImage &page) { return page.scaled(page.size() / 4, Qt::IgnoreAspectRatio,
                                                                         Qt::SmoothTransformation); };
        const QImage a = blocks(screen), b = blocks(paper);
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
                const int apart = std::max({qAbs(p.red() - q.red()), qAbs(p.green() - q.green()),
                                            qAbs(p.blue() - q.blue())});
                QVERIFY2(apart < 100, qPrintable(QStringLiteral("pixel %1,%2").arg(4 * x).arg(4 * y)));
            }
        }
        // The screen shows colour glyphs (scripts/deps.sh installs a colour emoji font); paper has as
        // many pictures as glyphs and sizes, however many rows show them.
        bool colour = false;
        for (int y = 0; y < screen.height() && !colour; ++y) {
            for (int x = 0; x < screen.width() && !colour; ++x)
                colour = screen.pixelColor(x, y).hsvSaturation() > 128;
        }
        QCOMPARE(colour, pictures > 0);
        std::set<QString> images;
        for (const QString &line : runTool("pdfimages", {"-list", pdf}).split(u'\n').mid(2)) {
            const QStringList fields = line.simplified().split(u' ');
            if (fields.value(2) == u"image")
                images.insert(fields.value(10));   // its object number
        }
        QCOMPARE(int(images.size()), pictures);
    }

};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
