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

// A body as the listing writes it: opened by an empty row, n rows from pattern.
QString bodyOf(int n, const QString &pattern)
{
    QString body = QStringLiteral(";");
    for (int i = 0; i < n; ++i)
        body += pattern.arg(i) + QLatin1Char(';');
    return body;
}

// Texts between the margins (no header, no footer), top to bottom, left to right.
std::vector<RecordingEngine::Text> bodyTexts(const PreviewDocument &doc, int page)
{
    std::vector<RecordingEngine::Text> out;
    for (const auto &t : drawnTexts(doc, page)) {
        if (t.at.y() > Margin && t.at.y() < doc.pageSizeTwips().height() - Margin)
            out.push_back(t);
    }
    std::stable_sort(out.begin(), out.end(), [](const auto &a, const auto &b) {
        return a.at.y() < b.at.y() || (a.at.y() == b.at.y() && a.at.x() < b.at.x());
    });
    return out;
}

// Dark runs of at least min pixels; neighbouring pixel rows of one line count once.
int countLines(const QImage &image, bool horizontal, int min)
{
    const int outer = horizontal ? image.height() : image.width();
    const int inner = horizontal ? image.width() : image.height();
    int count = 0;
    bool previous = false;
    for (int o = 0; o < outer; ++o) {
        int run = 0, best = 0;
        for (int i = 0; i < inner; ++i) {
            run = qGray(horizontal ? image.pixel(i, o) : image.pixel(o, i)) < 128 ? run + 1 : 0;
            best = std::max(best, run);
        }
        count += best >= min && !previous;
        previous = best >= min;
    }
    return count;
}

qreal rowHeight(int points)
{
    return MeasuredFont({QStringLiteral("Arial"), points, false}).lineHeight() + 2 * PreviewDocument::CellPaddingY;
}

} // namespace

class TestPreviewDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pageTotalBeforeAndAfterADocument();
    void pagination_data();
    void pagination();
    void pageBreakNeverSplitsARow();
    void gridStyles_data();
    void gridStyles();
    void headerAndFooter();
    void longNameWraps_data();
    void longNameWraps();
    void oddWidthsStillLayOut_data();
    void oddWidthsStillLayOut();
    void beforeTableTextStylesItsRow();
    void shownPageClamps_data();
    void shownPageClamps();
    void fortyThousandPages();
    void viewShowsPageOnGreyBackdrop();
    void paperFromLocaleWithoutPrinter_data();
    void paperFromLocaleWithoutPrinter();

private:
    void layOut(const QString &format, const QString &heading, const QString &body, int points = 8);

    PreviewSurface *m_surface = nullptr;
};

void TestPreviewDocument::init()
{
    m_surface = new PreviewSurface;
    m_surface->setPageSize(QPageSize(QPageSize::Letter));
    m_surface->TextFontFace(QStringLiteral("Arial"));
    m_surface->resize(600, 800);
}

void TestPreviewDocument::cleanup()
{
    delete m_surface;
    m_surface = nullptr;
}

void TestPreviewDocument::layOut(const QString &format, const QString &heading, const QString &body, int points)
{
    m_surface->TextPointSize(points);
    m_surface->BeginDocument();
    m_surface->AppendTable(format, heading, body);
    m_surface->FinishDocument();
}

void TestPreviewDocument::pageTotalBeforeAndAfterADocument()
{
    m_surface->ShownPage(3);
    QCOMPARE(m_surface->PageTotal(), 0);
    QCOMPARE(m_surface->ShownPage(), 0);
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

    layOut(QStringLiteral("4000|>1000;"), QStringLiteral("Name|Size;"), bodyOf(rows, QStringLiteral("file %1|1")),
           pointSize);
    const PreviewDocument &doc = m_surface->document();
    // The heading takes one row's room on every page.
    const int perPage = int((doc.pageSizeTwips().height() - 2 * Margin) / rowHeight(pointSize)) - 1;
    QVERIFY(perPage > 10);

    QCOMPARE(m_surface->PageTotal(), (rows + perPage - 1) / perPage);
    qsizetype next = 0;
    for (int page = 1; page <= m_surface->PageTotal(); ++page) {
        const auto onPage = doc.bodyRowsOnPage(page);
        if (page < m_surface->PageTotal())
            QCOMPARE(int(onPage.size()), perPage);
        // The heading opens every page, the page's first row right after it.
        const auto texts = bodyTexts(doc, page);
        QVERIFY(texts.size() >= 4);
        QCOMPARE(texts[0].text, QStringLiteral("Name"));
        QCOMPARE(texts[2].text, QStringLiteral("file %1").arg(next));
        for (const auto &[table, row] : onPage)
            QCOMPARE(row, next++);
    }
    QCOMPARE(next, qsizetype(rows));
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
    layOut(QStringLiteral("2000;"), QStringLiteral("Name;"), u';' + body.join(u';') + u';', 10);
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(m_surface->PageTotal() >= 3);

    std::map<QString, int> pageOfWord;
    for (int page = 1; page <= m_surface->PageTotal(); ++page) {
        for (const auto &t : drawnTexts(doc, page)) {
            QVERIFY(t.at.y() <= doc.pageSizeTwips().height() - Margin);
            for (const QString &word : t.text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QVERIFY2(word == u"Name" || pageOfWord.emplace(word, page).second, qPrintable(word + " drawn twice"));
        }
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
    layOut(QStringLiteral("3000|>2000|>2000;"), QStringLiteral("Name|Size|Date;"),
           bodyOf(3, QStringLiteral("%1|1|3/7/2001")));
    const PreviewDocument &doc = m_surface->document();
    const qreal scale = 0.1;    // 144 dpi
    QImage image((doc.pageSizeTwips() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        doc.renderPage(painter, 1, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    QCOMPARE(countLines(image, true, int(7000 * scale * 0.9)), horizontal);
    QCOMPARE(countLines(image, false, int(4 * rowHeight(8) * scale * 0.9)), vertical);
}

void TestPreviewDocument::headerAndFooter()
{
    m_surface->TextPointSize(8);
    m_surface->BeginDocument();
    m_surface->PageHeaderText(QStringLiteral("C:\\DOCS|Centre %d|3/7/2001"));
    m_surface->AppendTable(QStringLiteral("4000;"), QStringLiteral("Name;"), bodyOf(150, QStringLiteral("file %1")));
    m_surface->PageFooterText(QStringLiteral("||Page %d"));
    m_surface->FinishDocument();
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(m_surface->PageTotal() >= 2);
    const MeasuredFont font({QStringLiteral("Arial"), PreviewDocument::PageTextPointSize, false});
    const qreal width = doc.pageSizeTwips().width();
    const qreal height = doc.pageSizeTwips().height();

    for (int page = 1; page <= 2; ++page) {
        std::map<QString, QPointF> at;
        for (const auto &t : drawnTexts(doc, page)) {
            if (t.at.y() < Margin || t.at.y() > height - Margin)
                at[t.text] = t.at;
        }
        // Where a part must start: left at the margin, centre centred, right ending at the margin.
        const std::map<QString, qreal> startX{
            {QStringLiteral("C:\\DOCS"), Margin},
            {QStringLiteral("Centre %1").arg(page), (width - font.advance(QStringLiteral("Centre %1").arg(page))) / 2},
            {QStringLiteral("3/7/2001"), width - Margin - font.advance(u"3/7/2001")},
            {QStringLiteral("Page %1").arg(page), width - Margin - font.advance(QStringLiteral("Page %1").arg(page))}};
        for (const auto &[text, x] : startX) {
            QVERIFY2(at.count(text), qPrintable(text));
            QVERIFY2(qAbs(at[text].x() - x) < 1, qPrintable(text));
        }
        QVERIFY(at[QStringLiteral("C:\\DOCS")].y() < Margin);
        QVERIFY(at[QStringLiteral("Page %1").arg(page)].y() > height - Margin);
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

    layOut(QStringLiteral("1500|>1000;"), QStringLiteral("N|S;"), QStringLiteral(";%1|12;").arg(name));
    const PreviewDocument &doc = m_surface->document();
    QVERIFY(doc.lineCountOfCell(0, 0, 0) > 2);
    QCOMPARE(doc.lineCountOfCell(0, 0, 1), 1);

    QStringList lines;
    for (const auto &t : bodyTexts(doc, 1)) {
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

    QTest::newRow("zero width") << "0|>0;";
    QTest::newRow("one twip") << "1|>1;";
    QTest::newRow("absurdly large") << "99999999999999999|>99999999999;";
    QTest::newRow("empty format") << "";
}

void TestPreviewDocument::oddWidthsStillLayOut()
{
    QFETCH(QString, format);
    layOut(format, QStringLiteral("Name|Size;"), bodyOf(200, QStringLiteral("name %1 with words|%1")));
    const PreviewDocument &doc = m_surface->document();
    qsizetype rows = 0;
    for (int page = 1; page <= m_surface->PageTotal(); ++page)
        rows += qsizetype(doc.bodyRowsOnPage(page).size());
    QCOMPARE(rows, qsizetype(200));
    QVERIFY(!drawnTexts(doc, m_surface->PageTotal()).empty());
}

void TestPreviewDocument::beforeTableTextStylesItsRow()
{
    QSignalSpy spy(m_surface, &PreviewSurface::BeforeTableText);
    connect(m_surface, &PreviewSurface::BeforeTableText, this, [this](int, int, const QString &text) {
        m_surface->TextPointSize(text.startsWith(u'+') ? 10 : 8);
    });
    m_surface->BeginDocument();
    m_surface->AppendTable(QStringLiteral("4000|>1000;"), QStringLiteral("Name|Size;"),
                           QStringLiteral(";+ Docs|12;-  a.txt|1;+ Old|3;"));
    QCOMPARE(spy.size(), 4);
    QCOMPARE(spy.at(0), (QVariantList{0, 0, QStringLiteral("Name|Size")}));
    QCOMPARE(spy.at(2), (QVariantList{2, 0, QStringLiteral("-  a.txt|1")}));
    const PreviewDocument &doc = m_surface->document();
    QCOMPARE(doc.rowStyle(0, 0).pointSize, 10);
    QCOMPARE(doc.rowStyle(0, 1).pointSize, 8);
    QCOMPARE(doc.rowStyle(0, 2).pointSize, 10);
}

void TestPreviewDocument::shownPageClamps_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("shown");

    QTest::newRow("page 2 of 3") << 2 << 2;
    QTest::newRow("past the end stays on the last") << 4 << 3;
    QTest::newRow("0 goes to the first") << 0 << 1;
    QTest::newRow("below -32768 goes to the first") << -32769 << 1;
}

void TestPreviewDocument::shownPageClamps()
{
    QFETCH(int, request);
    QFETCH(int, shown);

    layOut(QStringLiteral("4000;"), QStringLiteral("Name;"), bodyOf(120, QStringLiteral("file %1")), 10);
    QCOMPARE(m_surface->PageTotal(), 3);
    QSignalSpy spy(m_surface, &PreviewSurface::shownPageChanged);
    m_surface->ShownPage(request);
    QCOMPARE(m_surface->ShownPage(), shown);
    QCOMPARE(spy.size(), shown == 1 ? 0 : 1);
}

void TestPreviewDocument::fortyThousandPages()
{
    // Large type keeps the row count down: find how many rows a page holds.
    layOut(QStringLiteral("9000;"), QStringLiteral("H;"), bodyOf(10, QStringLiteral("%1")), 100);
    const int perPage = int(m_surface->document().bodyRowsOnPage(1).size());
    QVERIFY(perPage >= 1 && perPage < 10);

    const int pages = 40000;
    const int rows = pages * perPage;
    m_surface->BeginDocument();
    m_surface->PageFooterText(QStringLiteral("||Page %d"));
    m_surface->AppendTable(QStringLiteral("9000;"), QStringLiteral("H;"), bodyOf(rows, QStringLiteral("%1")));
    m_surface->FinishDocument();

    QCOMPARE(m_surface->PageTotal(), pages);
    m_surface->ShownPage(32768);
    QCOMPARE(m_surface->ShownPage(), 32768);
    QCOMPARE(m_surface->document().bodyRowsOnPage(32768).front().second, qsizetype(32767) * perPage);
    const auto last = m_surface->document().bodyRowsOnPage(pages);
    QCOMPARE(int(last.size()), perPage);
    QCOMPARE(last.back().second, qsizetype(rows - 1));

    QStringList drawn;
    for (const auto &t : drawnTexts(m_surface->document(), pages))
        drawn << t.text;
    QVERIFY(drawn.contains(QStringLiteral("Page 40000")));
    QVERIFY(drawn.contains(QString::number(rows - 1)));
}

void TestPreviewDocument::viewShowsPageOnGreyBackdrop()
{
    m_surface->BeginDocument();
    m_surface->AppendParagraph(QStringLiteral("Title"));
    m_surface->FinishDocument();
    m_surface->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_surface));
    const QColor grey(128, 128, 128);

    // Fit width: the page spans the width but for the backdrop's border.
    QImage shot = m_surface->grab().toImage();
    QCOMPARE(QColor(shot.pixel(2, shot.height() / 2)), grey);
    QCOMPARE(QColor(shot.pixel(20, 20)), QColor(Qt::white));

    // At 50 % the page is narrower than the view: backdrop on both sides.
    m_surface->setZoom(PreviewSurface::ZoomMode::Percent, 50);
    shot = m_surface->grab().toImage();
    QCOMPARE(QColor(shot.pixel(20, 20)), grey);
    QCOMPARE(QColor(shot.pixel(shot.width() - 20, 20)), grey);
    QCOMPARE(QColor(shot.pixel(shot.width() / 2, 60)), QColor(Qt::white));
}

void TestPreviewDocument::paperFromLocaleWithoutPrinter_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QPageSize::PageSizeId>("paper");

    QTest::newRow("US English is Letter") << QLocale(QLocale::English, QLocale::UnitedStates) << QPageSize::Letter;
    QTest::newRow("British English is A4") << QLocale(QLocale::English, QLocale::UnitedKingdom) << QPageSize::A4;
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
