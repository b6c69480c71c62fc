#include "print/TableText.h"

#include <QTest>

using namespace TableText;

class TestTableText : public QObject
{
    Q_OBJECT

private slots:
    void columnFormat_data();
    void columnFormat();
    void rows_data();
    void rows();
    void pageText_data();
    void pageText();
    void pageNumber_data();
    void pageNumber();
};

void TestTableText::columnFormat_data()
{
    // Expected columns as "width" or ">width" (right-aligned), blank-separated.
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("columns");

    QTest::newRow("three columns, two right-aligned") << "4000|>1000|>1000;" << "4000 >1000 >1000";
    QTest::newRow("missing terminator still reads") << "2000|>500" << "2000 >500";
    QTest::newRow("text after the terminator is ignored") << "100;|>200" << "100";
    QTest::newRow("empty format has no columns") << "" << "";
    QTest::newRow("letters and empty entries read as 0") << "abc||>x;" << "0 0 >0";
    QTest::newRow("negative width becomes 0") << "-500|>-1;" << "0 >0";
    QTest::newRow("absurd width is capped") << "999999999999999999999;" << QString::number(MaxColumnWidth);
    QTest::newRow("blanks inside a number are skipped") << "12 00|> 3\t4;" << "1200 >34";
    QTest::newRow("fraction rounds") << "4000.5|>999.4;" << "4001 >999";
    QTest::newRow("reading stops at a comma") << "1,000;" << "1";
}

void TestTableText::columnFormat()
{
    QFETCH(QString, format);
    QFETCH(QString, columns);

    QStringList got;
    for (const ColumnSpec &c : parseColumnFormat(format))
        got << (c.rightAligned ? QStringLiteral(">") : QString()) + QString::number(c.width);
    QCOMPARE(got.join(QLatin1Char(' ')), columns);
}

void TestTableText::rows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("skipOpening");
    QTest::addColumn<QList<QStringList>>("expected");

    QTest::newRow("body opens with an empty row that is not a row")
        << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;" << 3 << true
        << QList<QStringList>{{"-  notes.txt", "2", "3/7/2001"}, {"+ Docs", "12", "1/2/2001"}};
    QTest::newRow("body of the row separator alone has no rows") << ";" << 3 << true << QList<QStringList>{};
    QTest::newRow("only the opening empty row is dropped") << ";;x;" << 1 << true << QList<QStringList>{{""}, {"x"}};
    QTest::newRow("heading keeps a leading empty row") << ";a;" << 1 << false << QList<QStringList>{{""}, {"a"}};
    QTest::newRow("surplus separators stay in the last cell") << "a|b|c|d;" << 3 << false
                                                              << QList<QStringList>{{"a", "b", "c|d"}};
    QTest::newRow("short row has fewer cells") << "a;b|c;" << 2 << false << QList<QStringList>{{"a"}, {"b", "c"}};
    QTest::newRow("last row without terminator") << "a|1;b|2" << 2 << false
                                                 << QList<QStringList>{{"a", "1"}, {"b", "2"}};
    QTest::newRow("no columns counts as one") << "a|b;" << 0 << false << QList<QStringList>{{"a|b"}};
}

void TestTableText::rows()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(bool, skipOpening);
    QFETCH(QList<QStringList>, expected);

    const Rows rows = parseRows(text, columns, skipOpening);
    QList<QStringList> got;
    for (qsizetype r = 0; r < rows.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < rows.cellCount(r); ++c)
            cells << rows.cell(r, c).toString();
        got << cells;
        QCOMPARE(rows.rowText(r).toString(), cells.join(QLatin1Char('|')));
    }
    QCOMPARE(got, expected);
}

void TestTableText::pageText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");

    QTest::newRow("path left, date right") << "C:\\DOCS||3/7/2001" << QStringList{"C:\\DOCS", "", "3/7/2001"};
    QTest::newRow("no bar is all left") << "Title" << QStringList{"Title", "", ""};
    QTest::newRow("one bar gives a centre") << "a|b" << QStringList{"a", "b", ""};
    QTest::newRow("a fourth part stays on the right") << "a|b|c|d" << QStringList{"a", "b", "c|d"};
}

void TestTableText::pageText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    const PageTextParts got = splitPageText(text);
    QCOMPARE((QStringList{got.left, got.centre, got.right}), parts);
}

void TestTableText::pageNumber_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");

    QTest::newRow("beyond 16 bits") << "Page %d" << 40000 << "Page 40000";
    QTest::newRow("twice") << "%d/%d" << 7 << "7/7";
    QTest::newRow("percent alone stays") << "100% %" << 2 << "100% %";
}

void TestTableText::pageNumber()
{
    QFETCH(QString, part);
    QFETCH(int, page);
    QFETCH(QString, expected);
    QCOMPARE(withPageNumber(part, page), expected);
}

QTEST_GUILESS_MAIN(TestTableText)
#include "tst_tabletext.moc"
