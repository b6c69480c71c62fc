#include "clipboard/ClipboardExport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

namespace {

const QString Tab = QStringLiteral("\t");
const QString Crlf = QStringLiteral("\r\n");

struct HandRow
{
    ListingRowKind kind;
    int level;
    QStringList cells;
};

// Lays rows out the way the listing builder does: header row, then the body
// opening with one row separator and every row ending with one.
ListingText makeListing(const QStringList &headings, const QList<HandRow> &rows,
                        const QString &c = Tab, const QString &r = Crlf)
{
    ListingText text;
    text.columnSeparator = c;
    text.rowSeparator = r;
    text.headings = headings;
    text.ListHeader = headings.join(c) + r;
    text.ListBody = r;
    for (const HandRow &hand : rows) {
        ListingRow row;
        row.offset = text.ListBody.size();
        row.kind = hand.kind;
        row.level = quint8(hand.level);
        for (int i = 0; i < hand.cells.size(); ++i)
            row.cellLength[i] = qint32(hand.cells.at(i).size());
        text.ListBody += hand.cells.join(c) + r;
        text.rows.append(row);
    }
    return text;
}

const QStringList AllHeadings{QStringLiteral("Sub-Directories"), QStringLiteral("Size (KB)"),
                              QStringLiteral("Date")};

// The worked example (depth 2, all columns) with the marks "Copy" uses.
QList<HandRow> workedExampleRows()
{
    using K = ListingRowKind;
    return {
        {K::File, 0, {QStringLiteral("'-  notes.txt"), QStringLiteral("2"), QStringLiteral("3/7/2001")}},
        {K::Folder, 1, {QStringLiteral("'+ Docs"), QStringLiteral("12"), QStringLiteral("1/2/2001")}},
        {K::Folder, 2, {QStringLiteral("    '+ Old"), QStringLiteral("2"), QStringLiteral("12/1/2000")}},
        {K::File, 2, {QStringLiteral("     '-  x.txt"), QStringLiteral("2"), QStringLiteral("12/1/2000")}},
        {K::File, 1, {QStringLiteral("  '-  report.doc"), QStringLiteral("10"), QStringLiteral("2/5/2001")}},
    };
}

} // namespace

class TestClipboardExport : public QObject
{
    Q_OBJECT

private slots:
    void indicators_data();
    void indicators();
    void text_data();
    void text();
    void plainNamesMatchListingFields_data();
    void plainNamesMatchListingFields();
    void cellQuoting_data();
    void cellQuoting();
    void clipboardHoldsPlainTextOnly();
};

void TestClipboardExport::indicators_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("file");

    QTest::newRow("lone plus: folder mark rewritten, file mark kept") << "+" << "'+" << "+";
    QTest::newRow("lone minus: file mark rewritten, folder mark kept") << "-" << "-" << "'-";
    QTest::newRow("two plus signs pass unchanged") << "++" << "++" << "++";
    QTest::newRow("plus and blank pass unchanged") << "+ " << "+ " << "+ ";
    QTest::newRow("blank and plus pass unchanged") << " +" << " +" << " +";
    QTest::newRow("two minus signs pass unchanged") << "--" << "--" << "--";
    QTest::newRow("asterisk passes unchanged") << "*" << "*" << "*";
    QTest::newRow("empty mark stays empty") << "" << "" << "";
    QTest::newRow("already quoted plus is not quoted twice") << "'+" << "'+" << "'+";
}

void TestClipboardExport::indicators()
{
    QFETCH(QString, typed);
    QFETCH(QString, dir);
    QFETCH(QString, file);
    QCOMPARE(clipboardDirIndicator(typed), dir);
    QCOMPARE(clipboardFileIndicator(typed), file);
}

void TestClipboardExport::text_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<ListingText>("listing");
    QTest::addColumn<QString>("expected");

    using K = ListingRowKind;
    const QString title = QStringLiteral("C:\\Data  - On: 8/8/2001");

    QTest::newRow("worked example")
        << title << makeListing(AllHeadings, workedExampleRows())
        << title + "\r\n"
           "Sub-Directories\tSize (KB)\tDate\r\n"
           "\r\n"
           "'-  notes.txt\t2\t3/7/2001\r\n"
           "'+ Docs\t12\t1/2/2001\r\n"
           "    '+ Old\t2\t12/1/2000\r\n"
           "     '-  x.txt\t2\t12/1/2000\r\n"
           "  '-  report.doc\t10\t2/5/2001\r\n";

    QTest::newRow("empty title starts with CRLF")
        << QString() << makeListing(AllHeadings, {})
        << QStringLiteral("\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n");

    QTest::newRow("nothing to list: title, header, one empty line")
        << title << makeListing(AllHeadings, {})
        << title + "\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n";

    QTest::newRow("size and date off: no tabs anywhere")
        << title
        << makeListing({QStringLiteral("Sub-Directories")},
                       {{K::File, 0, {QStringLiteral("'-  a.txt")}},
                        {K::Folder, 1, {QStringLiteral("'+ b")}}})
        << title + "\r\nSub-Directories\r\n\r\n'-  a.txt\r\n'+ b\r\n";

    QTest::newRow("only the date column")
        << title
        << makeListing({QStringLiteral("Sub-Directories"), QStringLiteral("Date")},
                       {{K::Folder, 1, {QStringLiteral("'+ b"), QStringLiteral("1/2/2001")}}})
        << title + "\r\nSub-Directories\tDate\r\n\r\n'+ b\t1/2/2001\r\n";

    QTest::newRow("tab in a name keeps the row at three cells")
        << title
        << makeListing(AllHeadings, {{K::File, 0, {QStringLiteral("'-  a\tb.txt"), QStringLiteral("1"),
                                                   QStringLiteral("3/7/2001")}}})
        << title + "\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n"
                   "\"'-  a\tb.txt\"\t1\t3/7/2001\r\n";

    QTest::newRow("line feed in a name keeps the row on one record")
        << title
        << makeListing(AllHeadings, {{K::Folder, 1, {QStringLiteral("'+ two\nlines"), QStringLiteral("0"),
                                                     QStringLiteral("1/1/2001")}}})
        << title + "\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n"
                   "\"'+ two\nlines\"\t0\t1/1/2001\r\n";

    QTest::newRow("carriage return in a name is quoted too")
        << title
        << makeListing(AllHeadings, {{K::File, 0, {QStringLiteral("'-  a\rb"), QStringLiteral("0"),
                                                   QStringLiteral("1/1/2001")}}})
        << title + "\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n"
                   "\"'-  a\rb\"\t0\t1/1/2001\r\n";

    QTest::newRow("double quotes in a name are doubled inside quotes")
        << title
        << makeListing(AllHeadings, {{K::File, 0, {QStringLiteral("'-  say \"hi\".txt"), QStringLiteral("3"),
                                                   QStringLiteral("1/1/2001")}}})
        << title + "\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n"
                   "\"'-  say \"\"hi\"\".txt\"\t3\t1/1/2001\r\n";

    QTest::newRow("only the odd row is quoted, its neighbours stay plain")
        << title
        << makeListing({QStringLiteral("Sub-Directories")},
                       {{K::File, 0, {QStringLiteral("'-  plain")}},
                        {K::File, 0, {QStringLiteral("'-  a\"b")}},
                        {K::File, 0, {QStringLiteral("'-  after")}}})
        << title + "\r\nSub-Directories\r\n\r\n'-  plain\r\n\"'-  a\"\"b\"\r\n'-  after\r\n";

    QTest::newRow("apostrophe, comma and pipe in names need no quotes")
        << title
        << makeListing({QStringLiteral("Sub-Directories")},
                       {{K::File, 0, {QStringLiteral("'-  it's, a|b;c")}}})
        << title + "\r\nSub-Directories\r\n\r\n'-  it's, a|b;c\r\n";

    QTest::newRow("title with a tab is written as typed")
        << QStringLiteral("a\tb") << makeListing({QStringLiteral("Sub-Directories")}, {})
        << QStringLiteral("a\tb\r\nSub-Directories\r\n\r\n");
}

void TestClipboardExport::text()
{
    QFETCH(QString, title);
    QFETCH(ListingText, listing);
    QFETCH(QString, expected);
    QCOMPARE(clipboardText(title, listing), expected);
}

void TestClipboardExport::plainNamesMatchListingFields_data()
{
    QTest::addColumn<ListingText>("listing");

    using K = ListingRowKind;
    QTest::newRow("worked example") << makeListing(AllHeadings, workedExampleRows());
    QTest::newRow("empty listing") << makeListing(AllHeadings, {});
    QTest::newRow("one column, empty marks")
        << makeListing({QStringLiteral("Sub-Directories")},
                       {{K::Folder, 1, {QStringLiteral(" Docs")}}, {K::File, 1, {QStringLiteral("    a")}}});
    QTest::newRow("non-Latin names")
        << makeListing({QStringLiteral("Sub-Directories"), QStringLiteral("Size (KB)")},
                       {{K::File, 0, {QStringLiteral("'-  \u00e9t\u00e9 \u6587\u4ef6.txt"), QStringLiteral("1,235")}}});
}

void TestClipboardExport::plainNamesMatchListingFields()
{
    QFETCH(ListingText, listing);
    const QString title = QStringLiteral("/srv/data  - On: 8/8/2001");
    QCOMPARE(clipboardText(title, listing), title + "\r\n" + listing.ListHeader + listing.ListBody);
}

void TestClipboardExport::cellQuoting_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain cell unchanged") << "+ Docs" << "+ Docs";
    QTest::newRow("empty cell unchanged") << "" << "";
    QTest::newRow("lone quote") << "\"" << "\"\"\"\"";
    QTest::newRow("quote at both ends") << "\"x\"" << "\"\"\"x\"\"\"";
    QTest::newRow("CRLF inside") << "a\r\nb" << "\"a\r\nb\"";
}

void TestClipboardExport::cellQuoting()
{
    QFETCH(QString, cell);
    QFETCH(QString, written);
    QCOMPARE(clipboardCell(cell), written);
}

void TestClipboardExport::clipboardHoldsPlainTextOnly()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    auto *rich = new QMimeData;
    rich->setHtml(QStringLiteral("<b>old</b>"));
    rich->setData(QStringLiteral("application/x-old"), QByteArray("old"));
    clipboard->setMimeData(rich);

    const QString text = QStringLiteral("title\r\nSub-Directories\r\n\r\n");
    putOnClipboard(text, clipboard);

    const QMimeData *now = clipboard->mimeData();
    QVERIFY(now);
    QCOMPARE(now->text(), text);
    QVERIFY(!now->hasHtml());
    QVERIFY(!now->hasFormat(QStringLiteral("application/x-old")));
}

QTEST_MAIN(TestClipboardExport)
#include "tst_clipboardexport.moc"
