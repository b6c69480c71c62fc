#include "PrintTestSupport.h"

#include "print/DocumentOutput.h"
#include "print/PreviewSurface.h"
#include "print/PrintComposer.h"

#include <QAbstractScrollArea>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <set>
#include <stdexcept>

namespace {

constexpr int Margin = PreviewDocument::Margin;

// Wraps in its 4000-twip column at blanks and inside the word too wide for a line.
const QString LongName = QStringLiteral("-  notes|draft;1.txt of a listing kept for the records office, "
                                        "then an_archive_name_without_any_blank_in_it_that_must_break.txt");

} // namespace

// The surface's document, from the texts it is given to the pages it draws; SendPrintData composing.
class TestPreview : public QObject
{
    Q_OBJECT

    PreviewSurface *m_vsp1 = nullptr;
    PrintComposer::WindowValues m_window;
    ListingText m_listing;
    QStringList m_build;        // separators, and the pointer during the build
    std::function<void()> m_failBuild;

    // A table of rows "file 0", "file 1", ... under a header whose path holds a "|".
    void layOut(int rows, int points = 8)
    {
        QString body = QStringLiteral(";");
        for (int i = 0; i < rows; ++i)
            body += QStringLiteral("file %1;").arg(i);
        m_vsp1->TextPointSize(points);
        m_vsp1->BeginDocument();
        m_vsp1->PageHeaderText(QStringLiteral("C:\\P|Q|Centre %d|3/7/2001"));
        m_vsp1->AppendTable(QStringLiteral("4000;"), QStringLiteral("Name;"), body);
        m_vsp1->PageFooterText(QStringLiteral("||Page %d"));
        m_vsp1->FinishDocument();
    }

    void compose(const std::function<void()> &yield = {})
    {
        auto creatString = [this](const QString &c, const QString &r) -> const ListingText & {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            m_build = {c, r, cursor && cursor->shape() == Qt::WaitCursor ? "hourglass" : "arrow"};
            if (m_failBuild)
                m_failBuild();
            return m_listing;
        };
        PrintComposer::SendPrintData(*m_vsp1, m_window, creatString, yield);
    }

    // The document as PDF against what the preview draws: as many pages, every run of text with its
    // first word where the preview puts it, in its size and in ink, and ink on every ruled line.
    void checkPdfMatchesPreview()
    {
        const PreviewDocument &doc = m_vsp1->document();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("out.pdf"));
        DocumentOutput::writePdf(doc, file);
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
        m_vsp1 = new PreviewSurface;
        m_vsp1->setPageSize(QPageSize(QPageSize::Letter));
        m_window = {"None", "/home/ann/Docs", "Listing of Docs", "+", "-"};
        // A date cell of letters built of others (W and ^) found nowhere else on the page: ink in the PDF too.
        m_listing = makeListing({{LongName, "2", "3/7/2001"}, {"    + Old", "12", "\u0174\u0176"}});
        m_failBuild = nullptr;
    }

    void cleanup()
    {
        delete m_vsp1;
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
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

        layOut(rows, pointSize);
        const QSizeF paper = m_vsp1->document().pageSizeTwips();
        // The heading takes one row's room on every page.
        const qreal row = MeasuredFont({"Arial", pointSize, false}).lineHeight() + 2 * PreviewDocument::CellPaddingY;
        const int perPage = int((paper.height() - 2 * Margin) / row) - 1;
        QCOMPARE(m_vsp1->PageTotal(), (rows + perPage - 1) / perPage);
        const MeasuredFont font({"Arial", PreviewDocument::PageTextPointSize, false});
        int next = 0;
        for (int page = 1; page <= m_vsp1->PageTotal(); ++page) {
            // Left part at the margin, centre centred, right part ending at the margin.
            const DrawnPage drawn(m_vsp1->document(), page);
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

    void gridStyles_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("horizontal");    // lines across the table
        QTest::addColumn<int>("vertical");

        // A heading and three rows, three columns; the grid text must match exactly.
        QTest::newRow("None") << "None" << 7 << 0 << 0;
        QTest::newRow("Rows: between rows") << "Rows" << 0 << 3 << 0;
        QTest::newRow("Top & Bottom") << "Top & Bottom" << 0 << 2 << 0;
        QTest::newRow("All") << "All" << 0 << 5 << 4;
        QTest::newRow("other letter case keeps the previous style") << "all" << 3 << 2 << 0;
        QTest::newRow("trailing blank keeps the previous style") << "None " << 8 << 3 << 0;
    }

    void gridStyles()
    {
        QFETCH(QString, grid);
        QFETCH(int, before);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);

        m_vsp1->TableGridStyle(before);
        m_window.gridText = grid;
        m_listing = makeListing(QList<QStringList>(3, {"-  x", "1", "3/7/2001"}));
        compose();
        std::set<int> rowsAt, columnsAt;
        for (const QLineF &line : DrawnPage(m_vsp1->document(), 1).lines)
            (line.dy() == 0 ? rowsAt : columnsAt).insert(qRound(line.dy() == 0 ? line.y1() : line.x1()));
        QCOMPARE(int(rowsAt.size()), horizontal);
        QCOMPARE(int(columnsAt.size()), vertical);
        checkPdfMatchesPreview();
    }

    void paging_data()
    {
        QTest::addColumn<int>("request");     // a page, or a key
        QTest::addColumn<int>("shown");

        QTest::newRow("page 2 of 3") << 2 << 2;
        QTest::newRow("past the end stays on the last") << 4 << 3;
        QTest::newRow("below -32768 goes to the first") << -32769 << 1;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 2;
        QTest::newRow("Page Up on page 1 stays") << int(Qt::Key_PageUp) << 1;
    }

    void paging()
    {
        QFETCH(int, request);
        QFETCH(int, shown);

        QCOMPARE(m_vsp1->PageTotal(), 0);
        layOut(120, 10);
        QCOMPARE(m_vsp1->PageTotal(), 3);
        QSignalSpy spy(m_vsp1, &PreviewSurface::shownPageChanged);
        if (request >= Qt::Key_PageUp)
            QTest::keyClick(m_vsp1->findChild<QAbstractScrollArea *>(), Qt::Key(request));
        else
            m_vsp1->ShownPage(request);
        QCOMPARE(m_vsp1->ShownPage(), shown);
        QCOMPARE(spy, shown == 1 ? QList<QVariantList>{} : QList<QVariantList>{{shown}});
    }

    void showsPageOnLocalePaper()
    {
        // Without a printer the paper follows the locale.
        const QLocale saved;
        for (const auto &[country, paper] : {std::pair{QLocale::UnitedKingdom, QPageSize::A4},
                                             std::pair{QLocale::UnitedStates, QPageSize::Letter}}) {
            QLocale::setDefault(QLocale(QLocale::English, country));
            m_vsp1->setPageSize(std::nullopt);
            layOut(0);
            if (QPrinterInfo::defaultPrinter().isNull())
                QCOMPARE(m_vsp1->document().pageSize().id(), paper);
        }
        QLocale::setDefault(saved);
        // At 50 % the white page stands on a grey backdrop.
        m_vsp1->setZoom(PreviewSurface::ZoomMode::Percent, 50);
        m_vsp1->resize(600, 800);
        m_vsp1->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_vsp1));
        const QImage shot = m_vsp1->grab().toImage();
        QCOMPARE(QColor(shot.pixel(20, 20)), QColor(128, 128, 128));
        QCOMPARE(QColor(shot.pixel(shot.width() / 2, 60)), QColor(Qt::white));
    }

    void composes_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("jobTitle");
        QTest::addColumn<int>("problems");

        QTest::newRow("titled") << "Listing of Docs" << "Listing of Docs" << 0;
        QTest::newRow("an empty title still takes its line") << "" << "Foliotrace" << 0;
        QTest::newRow("what was not read comes under the table") << "Listing of Docs" << "Listing of Docs" << 2;
    }

    void composes()
    {
        QFETCH(QString, title);
        QFETCH(QString, jobTitle);
        QFETCH(int, problems);

        m_window.titleText = title;
        for (int i = 0; i < problems; ++i)
            m_listing.problems.append({QByteArray("/home/ann/Docs/locked") + char('0' + i), "Permission denied"});
        // Widths are read with blanks anywhere skipped.
        m_listing.ListFormat = QStringLiteral("4000|> 10\t00\r|>1000;");
        compose();
        QCOMPARE(m_build, (QStringList{"|", ";", "hourglass"}));
        const QDate today = QDate::currentDate();
        QCOMPARE(m_vsp1->PageHeaderText(), QStringLiteral("/HOME/ANN/DOCS||%1/%2/%3")
                                               .arg(today.month()).arg(today.day()).arg(today.year()));
        QCOMPARE(m_vsp1->PageFooterText(), QStringLiteral("||Page %d"));
        QCOMPARE(DocumentOutput::title(m_vsp1->document()), jobTitle);

        // The title bold at 11 pt takes one line above the table; file rows at 8 pt, folder rows at 10;
        // a name holding both separators stays one cell, wrapped whole inside its column above the next
        // row; sizes end at their 1000-twip column's right edge.
        const DrawnPage page(m_vsp1->document(), 1);
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
        QCOMPARE((std::pair{page.find(jobTitle).pixelSize, page.find(jobTitle).bold}),
                 (title.isEmpty() ? std::pair{0, false} : std::pair{220, true}));
        const qreal headingY = Margin + MeasuredFont({"Arial", 11, true}).lineHeight()
                               + PreviewDocument::ParagraphSpacing + PreviewDocument::CellPaddingY
                               + MeasuredFont({"Arial", 8, false}).ascent();
        QVERIFY(qAbs(page.find(u"Sub-Directories").at.y() - headingY) < 1);
        QCOMPARE(page.find(u"3/7/2001").pixelSize, 160);
        QCOMPARE(page.find(u"    + Old").pixelSize, 200);
        QCOMPARE(qRound(page.find(u"12").at.x() + MeasuredFont({"Arial", 10, false}).advance(u"12")),
                 Margin + 5000 - PreviewDocument::CellPaddingX);

        // The report: a bold heading under the last row, then a line per problem.
        const DrawnPage::Text heading = page.find(u"Not read in full");
        QCOMPARE((std::pair{heading.pixelSize, heading.bold}), (problems ? std::pair{200, true} : std::pair{0, false}));
        qreal lineY = heading.at.y();
        QVERIFY(!problems || lineY > oldY);
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
        QTest::addColumn<QString>("dirIndicator");
        QTest::addColumn<QString>("rowText");
        QTest::addColumn<int>("points");

        QTest::newRow("file row is 8 pt") << "+" << "-  notes.txt|1" << 8;
        QTest::newRow("several characters never match") << "[D]" << "[D] Docs|1" << 8;
        QTest::newRow("empty indicator: blank name alone is 10 pt") << "" << "   " << 10;
        QTest::newRow("empty indicator: blank name with a size is 8 pt") << "" << "   |1" << 8;
        // Only spaces are trimmed: a mark that is some other white space still matches.
        QTest::newRow("tab mark is 10 pt") << "\t" << "    \t Docs|1" << 10;
        QTest::newRow("no-break space mark is 10 pt") << "\u00a0" << "\u00a0 Docs|1" << 10;
    }

    void rowStyling()
    {
        QFETCH(QString, dirIndicator);
        QFETCH(QString, rowText);
        QFETCH(int, points);
        TextStyle style;
        PrintComposer::vsp1_BeforeTableText(rowText, dirIndicator, style);
        QCOMPARE(style.pointSize, points);
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
        QCOMPARE(PrintComposer::nameStart(cell, ListingRow{0, {}, kind, level}, folder ? mark : other,
                                          folder ? other : mark),
                 nameStart);
        m_window.dirIndicator = folder ? mark : other;
        m_window.fileIndicator = folder ? other : mark;
        const QTemporaryDir dir;
        const auto render = [&](const QString &firstCell) {
            m_listing = makeListing({{firstCell, "1", "3/7/2001"}});
            m_listing.rows[0].kind = kind;
            m_listing.rows[0].level = level;
            compose();
            QImage screen((m_vsp1->document().pageSizeTwips() / 10).toSize(), QImage::Format_Grayscale8);
            screen.fill(Qt::white);
            QPainter painter(&screen);
            m_vsp1->document().renderPage(painter, 1, screen.rect());
            const QString pdf = dir.filePath("page.pdf");
            DocumentOutput::writePdf(m_vsp1->document(), pdf);
            runTool("pdftoppm", {"-r", "144", "-gray", "-singlefile", "-png", pdf, dir.filePath("page")});
            return std::pair{screen, QImage(dir.filePath("page.png"))};
        };
        const auto [screen, paper] = render(cell);
        const DrawnPage::Text row = DrawnPage(m_vsp1->document(), 1).find(cell);
        const qreal leadTwips = row.at.x() + m_vsp1->document().font(row.font).advance(cell.first(nameStart));
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
        compose();
        QImage screen((m_vsp1->document().pageSizeTwips() / 10).toSize(), QImage::Format_RGB32);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        m_vsp1->document().renderPage(painter, 1, screen.rect());
        painter.end();
        const QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        DocumentOutput::writePdf(m_vsp1->document(), pdf);
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

    void unfinishedCompositionPutsEarlierBack_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::newRow("finished in slices: the new document, as laid out in one piece, on page 1") << "finished";
        QTest::newRow("the build failed: the earlier one on its page") << "failed";
        QTest::newRow("cancelled in the layout: the earlier one on its page") << "cancelled";
    }
    void unfinishedCompositionPutsEarlierBack()
    {
        QFETCH(QString, outcome);
        m_listing = makeListing(QList<QStringList>(600, {"-  x", "1", "3/7/2001"}));
        compose();
        const int earlierTotal = m_vsp1->PageTotal();
        m_vsp1->ShownPage(4);
        QSignalSpy shown(m_vsp1, &PreviewSurface::shownPageChanged);
        m_listing = makeListing(QList<QStringList>(900, {"+ Docs", "12", "1/2/2001"}));
        if (outcome == u"failed")
            m_failBuild = [] { throw std::runtime_error("Path not found"); };
        // While the layout runs, a page step or the label finds no page and no total.
        int yields = 0;
        try {
            compose([&] {
                m_vsp1->ShownPage(2);
                QVERIFY(m_vsp1->PageTotal() == 0 && m_vsp1->ShownPage() == 0);
                if (++yields == 3 && outcome == u"cancelled")
                    throw std::runtime_error("cancelled");
            });
            QCOMPARE(outcome, QStringLiteral("finished"));
        } catch (const std::runtime_error &) {
            QVERIFY(outcome != u"finished");
        }
        QVERIFY(yields >= (outcome == u"failed" ? 0 : 3));
        const bool finished = outcome == u"finished";
        // The page label's last word is the page now shown.
        QCOMPARE(m_vsp1->ShownPage(), finished ? 1 : 4);
        QCOMPARE(shown.isEmpty() ? -1 : shown.constLast().at(0).toInt(), m_vsp1->ShownPage());
        const int total = m_vsp1->PageTotal();
        if (finished)
            compose();
        QCOMPARE(total, finished ? m_vsp1->PageTotal() : earlierTotal);
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
