#include "ListingFixtures.h"
#include "RecordingDevice.h"

#include "print/PreviewSurface.h"

#include <QImage>
#include <QPainter>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <set>

namespace {

constexpr int Margin = PreviewDocument::Margin;

QString rowsText(const QStringList &rows)
{
    QString body = QStringLiteral(";");
    for (const QString &r : rows)
        body += r + QLatin1Char(';');
    return body;
}

RecordingDevice *record(const PreviewDocument &doc, int page)
{
    auto *device = new RecordingDevice(doc.pageSizeTwips());
    QPainter painter(device);
    doc.paintPage(painter, page);
    return device;
}

// Texts drawn between the margins, that is, everything but header and footer.
std::vector<RecordingEngine::Text> bodyTexts(const RecordingDevice &device, const PreviewDocument &doc)
{
    std::vector<RecordingEngine::Text> out;
    for (const auto &t : device.engine().texts) {
        if (t.at.y() > Margin && t.at.y() < doc.pageSizeTwips().height() - Margin)
            out.push_back(t);
    }
    return out;
}

struct LineCount
{
    int horizontal = 0;
    int vertical = 0;
};

// Long dark runs, with neighbouring pixel rows (or columns) of one line merged.
LineCount findLines(const QImage &image, int minHorizontal, int minVertical)
{
    auto dark = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    LineCount count;
    bool previous = false;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, best = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = dark(x, y) ? run + 1 : 0;
            best = std::max(best, run);
        }
        const bool line = best >= minHorizontal;
        if (line && !previous)
            ++count.horizontal;
        previous = line;
    }
    previous = false;
    for (int x = 0; x < image.width(); ++x) {
        int run = 0, best = 0;
        for (int y = 0; y < image.height(); ++y) {
            run = dark(x, y) ? run + 1 : 0;
            best = std::max(best, run);
        }
        const bool line = best >= minVertical;
        if (line && !previous)
            ++count.vertical;
        previous = line;
    }
    return count;
}

} // namespace

class TestPreviewDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noDocumentReadsZero();
    void emptyDocumentHasOnePage();
    void pagination_data();
    void pagination();
    void headingRepeatedOnEveryPage();
    void pageBreakNeverSplitsARow();
    void gridStyles_data();
    void gridStyles();
    void headerAndFooter();
    void longNameWraps_data();
    void longNameWraps();
    void oddWidthsStillLayOut_data();
    void oddWidthsStillLayOut();
    void beforeTableTextOncePerRow();
    void pointSizeSetInHandlerAppliesToThatRow();
    void structuredRowsKeepSeparatorsInCells();
    void shownPageClamps_data();
    void shownPageClamps();
    void fortyThousandPages();
    void viewShowsPageOnGreyBackdrop();
    void paperFromLocaleWithoutPrinter_data();
    void paperFromLocaleWithoutPrinter();

private:
    PreviewSurface *m_surface = nullptr;
};

void TestPreviewDocument::init()
{
    m_surface = new PreviewSurface;
    m_surface->setPageSize(QPageSize(QPageSize::Letter));
    m_surface->TextFontFace(QStringLiteral("Arial"));
    m_surface->TextPointSize(8);
    m_surface->resize(600, 800);
}

void TestPreviewDocument::cleanup()
{
    delete m_surface;
    m_surface = nullptr;
}

void TestPreviewDocument::noDocumentReadsZero()
{
    QCOMPARE(m_surface->PageTotal(), 0);
    QCOMPARE(m_surface->ShownPage(), 0);
    m_surface->ShownPage(3);
    QCOMPARE(m_surface->ShownPage(), 0);
}

void TestPreviewDocument::emptyDocumentHasOnePage()
{
    m_surface->BeginDocument();
    m_surface->FinishDocument();
    QCOMPARE(m_surface->PageTotal(), 1);
    QCOMPARE(m_surface->ShownPage(), 1);
}

void TestPreviewDocument::pagination_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("rows");

    QTest::newRow("8 pt file rows") << 8 << 300;
    QTest::newRow("10 pt folder rows") << 10 << 300;
    QTest::newRow("exactly one row") << 8 << 1;
}

void TestPreviewDocument::pagination()
{
    QFETCH(int, pointSize);
    QFETCH(int, rows);

    QStringList body;
    for (int i = 0; i < rows; ++i)
        body << QStringLiteral("file %1|%2").arg(i).arg(i);
    m_surface->TextPointSize(pointSize);
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("4000|>1000;"), QStringLiteral("Name|Size;"), rowsText(body));
    m_surface->FinishDocument();

    const PreviewDocument &doc = m_surface->document();
    const MeasuredFont font({QStringLiteral("Arial"), pointSize, false});
    const qreal rowHeight = font.lineHeight() + 2 * PreviewDocument::CellPaddingY;
    const qreal content = doc.pageSizeTwips().height() - 2 * Margin;
    const int perPage = int((content - rowHeight) / rowHeight);   // the heading takes one row's room
    QVERIFY(perPage > 10);

    QCOMPARE(m_surface->PageTotal(), (rows + perPage - 1) / perPage);
    qsizetype next = 0;
    for (int page = 1; page <= m_surface->PageTotal(); ++page) {
        const auto onPage = doc.bodyRowsOnPage(page);
        if (page < m_surface->PageTotal())
            QCOMPARE(int(onPage.size()), perPage);
        for (const auto &[table, row] : onPage) {
            QCOMPARE(table, 0);
            QCOMPARE(row, next++);
        }
    }
    QCOMPARE(next, qsizetype(rows));
}

void TestPreviewDocument::headingRepeatedOnEveryPage()
{
    QStringList body;
    for (int i = 0; i < 200; ++i)
        body << QStringLiteral("file %1|%2").arg(i).arg(i);
    m_surface->BeginDocument();
    m_surface->AppendParagraph(QStringLiteral("Title"));
    m_surface->AppendTable(QStringLiteral("4000|>1000;"), QStringLiteral("Name|Size;"), rowsText(body));
    m_surface->FinishDocument();
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(m_surface->PageTotal() >= 3);

    for (int page = 1; page <= m_surface->PageTotal(); ++page) {
        std::unique_ptr<RecordingDevice> device(record(doc, page));
        auto texts = bodyTexts(*device, doc);
        std::stable_sort(texts.begin(), texts.end(), [](const auto &a, const auto &b) {
            return a.at.y() < b.at.y() || (a.at.y() == b.at.y() && a.at.x() < b.at.x());
        });
        const int headingAt = page == 1 ? 1 : 0;    // below the title on page 1
        QVERIFY(int(texts.size()) > headingAt + 1);
        QCOMPARE(texts[size_t(headingAt)].text, QStringLiteral("Name"));
        const auto rows = doc.bodyRowsOnPage(page);
        QVERIFY(!rows.empty());
        QCOMPARE(texts[size_t(headingAt) + 2].text, QStringLiteral("file %1").arg(rows.front().second));
    }
}

void TestPreviewDocument::pageBreakNeverSplitsARow()
{
    // Rows of one to five wrapped lines, each word unique to its row.
    QStringList body;
    for (int i = 0; i < 150; ++i) {
        QStringList words;
        for (int w = 0; w <= (i * 7) % 23; ++w)
            words << QStringLiteral("r%1w%2").arg(i).arg(w);
        body << words.join(QLatin1Char(' '));
    }
    m_surface->TextPointSize(10);
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("2000;"), QStringLiteral("Name;"), rowsText(body));
    m_surface->FinishDocument();
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(m_surface->PageTotal() >= 3);

    std::map<QString, int> pageOfWord;
    for (int page = 1; page <= m_surface->PageTotal(); ++page) {
        std::unique_ptr<RecordingDevice> device(record(doc, page));
        for (const auto &t : bodyTexts(*device, doc)) {
            if (t.text == u"Name")
                continue;
            for (const QString &word : t.text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QVERIFY2(pageOfWord.emplace(word, page).second, qPrintable(word + " drawn twice"));
        }
        for (const auto &t : device->engine().texts)
            QVERIFY(t.at.y() <= doc.pageSizeTwips().height() - Margin || t.text.startsWith(u"Page"));
    }
    for (int i = 0; i < body.size(); ++i) {
        std::set<int> pages;
        for (const QString &word : body[i].split(QLatin1Char(' '))) {
            QVERIFY2(pageOfWord.count(word), qPrintable(word + " missing"));
            pages.insert(pageOfWord[word]);
        }
        QVERIFY2(pages.size() == 1, qPrintable(QStringLiteral("row %1 split over pages").arg(i)));
    }
}

void TestPreviewDocument::gridStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");

    // A heading and three rows: four rows, three columns.
    QTest::newRow("0 none") << 0 << 0 << 0;
    QTest::newRow("8 lines between rows") << 8 << 3 << 0;
    QTest::newRow("3 top and bottom") << 3 << 2 << 0;
    QTest::newRow("7 all lines") << 7 << 5 << 4;
}

void TestPreviewDocument::gridStyles()
{
    QFETCH(int, style);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);

    m_surface->TableGridStyle(style);
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("3000|>2000|>2000;"), QStringLiteral("Name|Size|Date;"),
                           QStringLiteral(";a|1|3/7/2001;b|2|3/7/2001;c|3|3/7/2001;"));
    m_surface->FinishDocument();

    const PreviewDocument &doc = m_surface->document();
    const qreal scale = 0.1;    // 144 dpi
    QImage image((doc.pageSizeTwips() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        doc.renderPage(painter, 1, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    const int tableWidth = int(7000 * scale);
    const MeasuredFont font({QStringLiteral("Arial"), 8, false});
    const int tableHeight = int(4 * (font.lineHeight() + 2 * PreviewDocument::CellPaddingY) * scale);
    const LineCount found = findLines(image, tableWidth * 9 / 10, tableHeight * 9 / 10);
    QCOMPARE(found.horizontal, horizontal);
    QCOMPARE(found.vertical, vertical);
}

void TestPreviewDocument::headerAndFooter()
{
    QStringList body;
    for (int i = 0; i < 150; ++i)
        body << QStringLiteral("file %1").arg(i);
    m_surface->BeginDocument();
    m_surface->PageHeaderText(QStringLiteral("C:\\DOCS|Centre %d|3/7/2001"));
    m_surface->AppendTable(QStringLiteral("4000;"), QStringLiteral("Name;"), rowsText(body));
    m_surface->PageFooterText(QStringLiteral("||Page %d"));
    m_surface->FinishDocument();
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(m_surface->PageTotal() >= 2);
    const MeasuredFont font({QStringLiteral("Arial"), PreviewDocument::PageTextPointSize, false});
    const qreal width = doc.pageSizeTwips().width();
    const qreal height = doc.pageSizeTwips().height();

    for (int page = 1; page <= 2; ++page) {
        std::unique_ptr<RecordingDevice> device(record(doc, page));
        std::map<QString, QPointF> at;
        for (const auto &t : device->engine().texts) {
            if (t.at.y() < Margin || t.at.y() > height - Margin)
                at[t.text] = t.at;
        }
        const QString centre = QStringLiteral("Centre %1").arg(page);
        const QString footer = QStringLiteral("Page %1").arg(page);
        QVERIFY(at.count(QStringLiteral("C:\\DOCS")));
        QVERIFY(at.count(centre));
        QVERIFY(at.count(QStringLiteral("3/7/2001")));
        QVERIFY(at.count(footer));
        QCOMPARE(at[QStringLiteral("C:\\DOCS")].x(), qreal(Margin));
        QVERIFY(qAbs(at[centre].x() + font.advance(centre) / 2 - width / 2) < 1);
        QVERIFY(qAbs(at[QStringLiteral("3/7/2001")].x() + font.advance(u"3/7/2001") - (width - Margin)) < 1);
        QVERIFY(qAbs(at[footer].x() + font.advance(footer) - (width - Margin)) < 1);
        QVERIFY(at[QStringLiteral("C:\\DOCS")].y() < Margin);
        QVERIFY(at[footer].y() > height - Margin);
    }
}

void TestPreviewDocument::longNameWraps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("joiner");

    QTest::newRow("words wrap at blanks")
        << "a rather long file name that cannot possibly fit into one narrow column.txt" << " ";
    QTest::newRow("one long word breaks inside")
        << "averyveryverylongfilenamewithoutanyblanksthatmustbreakinsidetheword.txt" << "";
}

void TestPreviewDocument::longNameWraps()
{
    QFETCH(QString, name);
    QFETCH(QString, joiner);

    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("1500|>1000;"), QStringLiteral("N|S;"), QStringLiteral(";%1|12;").arg(name));
    m_surface->FinishDocument();
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(doc.lineCountOfCell(0, 0, 0) > 2);
    QCOMPARE(doc.lineCountOfCell(0, 0, 1), 1);

    std::unique_ptr<RecordingDevice> device(record(doc, 1));
    QStringList lines;
    for (const auto &t : bodyTexts(*device, doc)) {
        if (t.text != u"N" && t.text != u"S" && t.text != u"12") {
            QVERIFY(t.at.x() >= Margin);
            lines << t.text;
        }
    }
    QCOMPARE(lines.size(), doc.lineCountOfCell(0, 0, 0));
    QCOMPARE(lines.join(joiner), name);
}

void TestPreviewDocument::oddWidthsStillLayOut_data()
{
    QTest::addColumn<QString>("format");

    QTest::newRow("zero width") << "0;";
    QTest::newRow("all zero") << "0|>0|0;";
    QTest::newRow("negative") << "-100|>-5;";
    QTest::newRow("absurdly large") << "99999999999999999|>99999999999;";
    QTest::newRow("one twip") << "1|>1;";
    QTest::newRow("empty format") << "";
    QTest::newRow("garbage") << ">>|;;|";
}

void TestPreviewDocument::oddWidthsStillLayOut()
{
    QFETCH(QString, format);
    QStringList body;
    for (int i = 0; i < 200; ++i)
        body << QStringLiteral("name %1 with words|%2").arg(i).arg(i);
    m_surface->BeginDocument();
    m_surface->AppendTable(format, QStringLiteral("Name|Size;"), rowsText(body));
    m_surface->FinishDocument();
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(m_surface->PageTotal() >= 1);
    qsizetype rows = 0;
    for (int page = 1; page <= m_surface->PageTotal(); ++page)
        rows += qsizetype(doc.bodyRowsOnPage(page).size());
    QCOMPARE(rows, qsizetype(200));
    std::unique_ptr<RecordingDevice> device(record(doc, m_surface->PageTotal()));
    QVERIFY(!device->engine().texts.empty());
}

void TestPreviewDocument::beforeTableTextOncePerRow()
{
    QSignalSpy spy(m_surface, &PreviewSurface::BeforeTableText);
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("4000|>1000;"), QStringLiteral("Name|Size;"),
                           QStringLiteral(";+ Docs|12;-  a.txt|1;"));
    QCOMPARE(spy.size(), 3);
    QCOMPARE(spy.at(0), (QVariantList{0, 0, QStringLiteral("Name|Size")}));
    QCOMPARE(spy.at(1), (QVariantList{1, 0, QStringLiteral("+ Docs|12")}));
    QCOMPARE(spy.at(2), (QVariantList{2, 0, QStringLiteral("-  a.txt|1")}));
}

void TestPreviewDocument::pointSizeSetInHandlerAppliesToThatRow()
{
    connect(m_surface, &PreviewSurface::BeforeTableText, this, [this](int, int, const QString &text) {
        m_surface->TextPointSize(text.startsWith(u'+') ? 10 : 8);
    });
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("4000;"), QStringLiteral("Name;"),
                           QStringLiteral(";+ Docs;-  a.txt;+ Old;"));
    const PreviewDocument &doc = m_surface->document();
    QCOMPARE(doc.rowStyle(0, 0).pointSize, 10);
    QCOMPARE(doc.rowStyle(0, 1).pointSize, 8);
    QCOMPARE(doc.rowStyle(0, 2).pointSize, 10);
}

void TestPreviewDocument::structuredRowsKeepSeparatorsInCells()
{
    const ListingText listing = makeListing({{"+ a|b", "1", "3/7/2001"}, {"-  c;d.txt", "2", "3/8/2001"}});
    QSignalSpy spy(m_surface, &PreviewSurface::BeforeTableText);
    m_surface->BeginDocument();
    m_surface->AppendTable(listing);
    m_surface->FinishDocument();
    const TableText::Rows &body = m_surface->document().tableBody(0);
    QCOMPARE(body.rowCount(), qsizetype(2));
    QCOMPARE(body.cell(0, 0).toString(), QStringLiteral("+ a|b"));
    QCOMPARE(body.cell(1, 0).toString(), QStringLiteral("-  c;d.txt"));
    QCOMPARE(body.cell(1, 2).toString(), QStringLiteral("3/8/2001"));
    QCOMPARE(spy.size(), 3);
    QCOMPARE(spy.at(0).at(2).toString(), QStringLiteral("Sub-Directories|Size (KB)|Date"));
}

void TestPreviewDocument::shownPageClamps_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("shown");

    QTest::newRow("page 2 of 3") << 2 << 2;
    QTest::newRow("last page") << 3 << 3;
    QTest::newRow("past the end stays on the last") << 4 << 3;
    QTest::newRow("far past the end") << 100000 << 3;
    QTest::newRow("0 goes to the first") << 0 << 1;
    QTest::newRow("negative goes to the first") << -32769 << 1;
}

void TestPreviewDocument::shownPageClamps()
{
    QFETCH(int, request);
    QFETCH(int, shown);

    QStringList body;
    for (int i = 0; i < 120; ++i)
        body << QStringLiteral("file %1").arg(i);
    m_surface->TextPointSize(10);
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("4000;"), QStringLiteral("Name;"), rowsText(body));
    m_surface->FinishDocument();
    QCOMPARE(m_surface->PageTotal(), 3);
    QCOMPARE(m_surface->ShownPage(), 1);

    QSignalSpy spy(m_surface, &PreviewSurface::shownPageChanged);
    m_surface->ShownPage(request);
    QCOMPARE(m_surface->ShownPage(), shown);
    QCOMPARE(spy.size(), shown == 1 ? 0 : 1);
}

void TestPreviewDocument::fortyThousandPages()
{
    // Large type keeps the row count down: find how many rows a page holds.
    m_surface->TextPointSize(100);
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("9000;"), QStringLiteral("H;"),
                           QStringLiteral(";88888;88888;88888;88888;88888;88888;88888;88888;88888;88888;"));
    m_surface->FinishDocument();
    const int perPage = int(m_surface->document().bodyRowsOnPage(1).size());
    QVERIFY(perPage >= 1 && perPage < 10);

    const int pages = 40000;
    const int rows = pages * perPage;
    QString body = QStringLiteral(";");
    body.reserve(rows * 8);
    for (int i = 0; i < rows; ++i)
        body += QString::number(i) + QLatin1Char(';');
    m_surface->BeginDocument();
    m_surface->PageFooterText(QStringLiteral("||Page %d"));
    m_surface->AppendTable(QStringLiteral("9000;"), QStringLiteral("H;"), body);
    m_surface->FinishDocument();

    QCOMPARE(m_surface->PageTotal(), pages);
    m_surface->ShownPage(pages);
    QCOMPARE(m_surface->ShownPage(), pages);
    m_surface->ShownPage(32768);
    QCOMPARE(m_surface->ShownPage(), 32768);
    const auto last = m_surface->document().bodyRowsOnPage(pages);
    QCOMPARE(int(last.size()), perPage);
    QCOMPARE(last.back().second, qsizetype(rows - 1));
    const auto page32768 = m_surface->document().bodyRowsOnPage(32768);
    QCOMPARE(page32768.front().second, qsizetype(32767) * perPage);

    std::unique_ptr<RecordingDevice> device(record(m_surface->document(), pages));
    QVERIFY(device->allText().contains(QStringLiteral("Page 40000")));
    QVERIFY(device->allText().contains(QString::number(rows - 1)));
}

void TestPreviewDocument::viewShowsPageOnGreyBackdrop()
{
    m_surface->BeginDocument();
    m_surface->AppendParagraph(QStringLiteral("Title"));
    m_surface->FinishDocument();
    m_surface->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_surface));

    // Fit width: the page spans the width but for the backdrop's border.
    QImage shot = m_surface->grab().toImage();
    QCOMPARE(QColor(shot.pixel(2, shot.height() / 2)), QColor(128, 128, 128));
    QCOMPARE(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)), QColor(Qt::white));
    QCOMPARE(QColor(shot.pixel(20, 20)), QColor(Qt::white));

    // At 50 % the page is narrower than the view: backdrop on both sides.
    m_surface->setZoom(PreviewSurface::ZoomMode::Percent, 50);
    shot = m_surface->grab().toImage();
    QCOMPARE(QColor(shot.pixel(20, 20)), QColor(128, 128, 128));
    QCOMPARE(QColor(shot.pixel(shot.width() - 20, 20)), QColor(128, 128, 128));
    QCOMPARE(QColor(shot.pixel(shot.width() / 2, 60)), QColor(Qt::white));
}

void TestPreviewDocument::paperFromLocaleWithoutPrinter_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QPageSize::PageSizeId>("paper");

    QTest::newRow("US English is Letter") << QLocale(QLocale::English, QLocale::UnitedStates) << QPageSize::Letter;
    QTest::newRow("British English is A4") << QLocale(QLocale::English, QLocale::UnitedKingdom) << QPageSize::A4;
    QTest::newRow("German is A4") << QLocale(QLocale::German, QLocale::Germany) << QPageSize::A4;
}

void TestPreviewDocument::paperFromLocaleWithoutPrinter()
{
    QFETCH(QLocale, locale);
    QFETCH(QPageSize::PageSizeId, paper);

    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer, whose paper wins");
    const QLocale saved;
    QLocale::setDefault(locale);
    m_surface->setPageSize(std::nullopt);
    m_surface->BeginDocument();
    m_surface->FinishDocument();
    QLocale::setDefault(saved);
    QCOMPARE(m_surface->document().pageSize().id(), paper);
}

QTEST_MAIN(TestPreviewDocument)
#include "tst_previewdocument.moc"
