#include "FakeWindow.h"
#include "ListingFixtures.h"
#include "RecordingDevice.h"

#include "print/PreviewSurface.h"
#include "print/PrintComposer.h"

#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QTest>

#include <optional>
#include <stdexcept>

class TestPrintComposer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void composesInOrder();
    void gridStyleByExactText_data();
    void gridStyleByExactText();
    void rowStyling_data();
    void rowStyling();
    void emptyTitleStillAddsParagraph();
    void newCompositionReplacesOld();
    void failedBuildRestoresCursor();
    void pageLabelBeyond16Bits();

private:
    PreviewSurface *m_vsp1 = nullptr;
    FakeWindow *m_window = nullptr;
    PrintComposer *m_composer = nullptr;
};

void TestPrintComposer::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_vsp1 = new PreviewSurface;
    m_vsp1->setPageSize(QPageSize(QPageSize::Letter));
    m_window = new FakeWindow;
    m_window->nextListing = makeListing({{"-  notes|draft;1.txt", "2", "3/7/2001"},
                                         {"+ Docs", "12", "1/2/2001"},
                                         {"    + Old", "2", "12/1/2000"},
                                         {"     -  x.txt", "2", "12/1/2000"},
                                         {"  -  report.doc", "10", "2/5/2001"}});
    m_composer = new PrintComposer(m_vsp1, m_window);
}

void TestPrintComposer::cleanup()
{
    delete m_composer;
    delete m_vsp1;
    delete m_window;
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestPrintComposer::composesInOrder()
{
    m_composer->SendPrintData();

    QCOMPARE(m_window->separators, (QStringList{"|", ";"}));
    QCOMPARE(m_window->cursorDuringBuild, std::optional<Qt::CursorShape>(Qt::WaitCursor));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    QVERIFY(m_vsp1->PreviewMode());
    QCOMPARE(m_vsp1->TextFontFace(), QStringLiteral("Arial"));
    // The header's date has the title's four-digit year.
    const QDate today = QDate::currentDate();
    QCOMPARE(m_vsp1->PageHeaderText(), QStringLiteral("/HOME/ANN/DOCS||%1/%2/%3")
                                           .arg(today.month()).arg(today.day()).arg(today.year()));
    QCOMPARE(m_vsp1->PageFooterText(), QStringLiteral("||Page %d"));
    QCOMPARE(m_vsp1->TableSetupTarget(), qint32(PreviewDocument::Margin));
    QCOMPARE(m_vsp1->TableSetupValue(), 1200);
    QCOMPARE(m_vsp1->documentTitle(), QStringLiteral("Listing of Docs"));
    QCOMPARE(m_vsp1->TextBold(), false);

    const PreviewDocument &doc = m_vsp1->document();
    QCOMPARE(doc.tableCount(), 1);
    QCOMPARE(doc.tableBody(0).rowCount(), qsizetype(5));
    // Structured rows: a name holding both separators stays one cell of one row.
    QCOMPARE(doc.tableBody(0).cell(0, 0).toString(), QStringLiteral("-  notes|draft;1.txt"));
    QCOMPARE(doc.tableBody(0).cell(0, 2).toString(), QStringLiteral("3/7/2001"));
    QCOMPARE(m_vsp1->PageTotal(), 1);
    QCOMPARE(m_window->pageLabel, QStringLiteral("Page 1 of 1"));
}

void TestPrintComposer::gridStyleByExactText_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("style");

    QTest::newRow("None") << 7 << "None" << 0;
    QTest::newRow("Rows") << 0 << "Rows" << 8;
    QTest::newRow("Top & Bottom") << 0 << "Top & Bottom" << 3;
    QTest::newRow("All") << 0 << "All" << 7;
    QTest::newRow("other letter case keeps the previous style") << 8 << "all" << 8;
    QTest::newRow("trailing blank keeps the previous style") << 8 << "None " << 8;
}

void TestPrintComposer::gridStyleByExactText()
{
    QFETCH(int, before);
    QFETCH(QString, grid);
    QFETCH(int, style);

    m_vsp1->TableGridStyle(before);
    m_window->grid = grid;
    m_composer->SendPrintData();
    QCOMPARE(m_vsp1->TableGridStyle(), style);
}

void TestPrintComposer::rowStyling_data()
{
    QTest::addColumn<QString>("dirIndicator");
    QTest::addColumn<QString>("firstCell");
    QTest::addColumn<bool>("namesOnly");
    QTest::addColumn<int>("points");

    // The row text is the whole row, separators included: only a row of
    // names alone can be blank after trimming.
    QTest::newRow("indented folder row is 10 pt") << "+" << "    + Old" << false << 10;
    QTest::newRow("file row is 8 pt") << "+" << "-  notes.txt" << false << 8;
    QTest::newRow("several characters never match") << "[D]" << "[D] Docs" << false << 8;
    QTest::newRow("empty indicator: blank name alone is 10 pt") << "" << "   " << true << 10;
    QTest::newRow("empty indicator: blank name with a size is 8 pt") << "" << "   " << false << 8;
    QTest::newRow("empty indicator: folder row is 8 pt") << "" << " Docs" << true << 8;
    QTest::newRow("other mark") << ">" << "  > Docs" << false << 10;
    // Only spaces are trimmed: a mark that is some other white space still matches.
    QTest::newRow("tab mark is 10 pt") << "\t" << "    \t Docs" << false << 10;
    QTest::newRow("no-break space mark is 10 pt") << "\u00a0" << "\u00a0 Docs" << false << 10;
}

void TestPrintComposer::rowStyling()
{
    QFETCH(QString, dirIndicator);
    QFETCH(QString, firstCell);
    QFETCH(bool, namesOnly);
    QFETCH(int, points);

    m_window->indicator = dirIndicator;
    m_window->nextListing = makeListing({{firstCell, "1", "3/7/2001"}}, !namesOnly, !namesOnly);
    m_composer->SendPrintData();
    QCOMPARE(m_vsp1->document().rowStyle(0, 0).pointSize, points);
}

void TestPrintComposer::emptyTitleStillAddsParagraph()
{
    // The empty title's line still takes its room: the heading stands where
    // it stands below a one-line title.
    auto headingY = [this] {
        for (const auto &t : drawnTexts(m_vsp1->document(), 1)) {
            if (t.text == u"Sub-Directories")
                return t.at.y();
        }
        return -1.0;
    };
    m_window->nextListing = numberedListing(0);
    m_composer->SendPrintData();
    const qreal belowTitle = headingY();
    QVERIFY(belowTitle > PreviewDocument::Margin + 200);

    m_window->title.clear();
    m_composer->SendPrintData();
    QCOMPARE(m_vsp1->document().title(), QString());
    QCOMPARE(headingY(), belowTitle);
    QCOMPARE(m_vsp1->documentTitle(), QStringLiteral("Foliotrace"));
}

void TestPrintComposer::newCompositionReplacesOld()
{
    m_window->nextListing = numberedListing(600);
    m_composer->SendPrintData();
    const int bigTotal = m_vsp1->PageTotal();
    QVERIFY(bigTotal > 5);
    QCOMPARE(m_window->pageLabel, QStringLiteral("Page 1 of %1").arg(bigTotal));
    m_vsp1->ShownPage(4);

    m_window->nextListing = numberedListing(3);
    m_composer->SendPrintData();
    QCOMPARE(m_vsp1->PageTotal(), 1);
    QCOMPARE(m_vsp1->ShownPage(), 1);
    QCOMPARE(m_vsp1->document().tableCount(), 1);
    QCOMPARE(m_vsp1->document().tableBody(0).rowCount(), qsizetype(3));
    QCOMPARE(m_window->pageLabel, QStringLiteral("Page 1 of 1"));
}

void TestPrintComposer::failedBuildRestoresCursor()
{
    m_window->failBuild = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, m_composer->SendPrintData());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    // Steps done before the failure stay done.
    QCOMPARE(m_vsp1->documentTitle(), QStringLiteral("Listing of Docs"));
    QCOMPARE(m_window->pageLabel, QStringLiteral("Page:"));
}

void TestPrintComposer::pageLabelBeyond16Bits()
{
    QCOMPARE(PrintComposer::pageLabel(40000, 40000), QStringLiteral("Page 40000 of 40000"));
}

QTEST_MAIN(TestPrintComposer)
#include "tst_printcomposer.moc"
