#include "clipboard/ClipboardExport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

namespace {

struct HandRow
{
    ListingRowKind kind;
    int level;
    QStringList cells;
};

// Lays rows out as the listing builder does: header row, then a body that
// opens with one row separator and ends every row with one.
ListingText makeListing(const QStringList &headings, const QList<HandRow> &rows)
{
    ListingText text;
    text.columnSeparator = QStringLiteral("\t");
    text.rowSeparator = QStringLiteral("\r\n");
    text.headings = headings;
    text.ListHeader = headings.join(u'\t') + text.rowSeparator;
    text.ListBody = text.rowSeparator;
    for (const HandRow &hand : rows) {
        ListingRow row;
        row.offset = text.ListBody.size();
        row.kind = hand.kind;
        row.level = quint8(hand.level);
        for (int i = 0; i < hand.cells.size(); ++i)
            row.cellLength[i] = qint32(hand.cells.at(i).size());
        text.ListBody += hand.cells.join(u'\t') + text.rowSeparator;
        text.rows.append(row);
    }
    return text;
}

const QStringList AllHeadings{QStringLiteral("Sub-Directories"), QStringLiteral("Size (KB)"),
                              QStringLiteral("Date")};
const QStringList NameOnly{QStringLiteral("Sub-Directories")};

} // namespace

class TestClipboardExport : public QObject
{
    Q_OBJECT

private slots:
    void indicators_data();
    void indicators();
    void text_data();
    void text();
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
    QTest::newRow("blank and plus pass unchanged") << " +" << " +" << " +";
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

    // The worked example (depth 2, all columns) with the marks "Copy" uses.
    QTest::newRow("worked example")
        << title
        << makeListing(AllHeadings,
                       {{K::File, 0, {"'-  notes.txt", "2", "3/7/2001"}},
                        {K::Folder, 1, {"'+ Docs", "12", "1/2/2001"}},
                        {K::Folder, 2, {"    '+ Old", "2", "12/1/2000"}},
                        {K::File, 2, {"     '-  x.txt", "2", "12/1/2000"}},
                        {K::File, 1, {"  '-  report.doc", "10", "2/5/2001"}}})
        << title + "\r\n"
                   "Sub-Directories\tSize (KB)\tDate\r\n"
                   "\r\n"
                   "'-  notes.txt\t2\t3/7/2001\r\n"
                   "'+ Docs\t12\t1/2/2001\r\n"
                   "    '+ Old\t2\t12/1/2000\r\n"
                   "     '-  x.txt\t2\t12/1/2000\r\n"
                   "  '-  report.doc\t10\t2/5/2001\r\n";
    QTest::newRow("empty title, nothing listed: CRLF, header, one empty line")
        << QString() << makeListing(AllHeadings, {}) << "\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n";
    QTest::newRow("size and date off: the only tab is the title's, written as typed")
        << QStringLiteral("a\tb") << makeListing(NameOnly, {{K::File, 0, {"'-  a.txt"}}, {K::Folder, 1, {"'+ b"}}})
        << "a\tb\r\nSub-Directories\r\n\r\n'-  a.txt\r\n'+ b\r\n";
    QTest::newRow("non-Latin names, no quoting")
        << title << makeListing(NameOnly, {{K::File, 0, {"'-  \u00e9t\u00e9 \u6587\u4ef6.txt"}}})
        << title + "\r\nSub-Directories\r\n\r\n'-  \u00e9t\u00e9 \u6587\u4ef6.txt\r\n";
    QTest::newRow("tab in a name keeps the row at three cells")
        << title << makeListing(AllHeadings, {{K::File, 0, {"'-  a\tb.txt", "1", "3/7/2001"}}})
        << title + "\r\nSub-Directories\tSize (KB)\tDate\r\n\r\n\"'-  a\tb.txt\"\t1\t3/7/2001\r\n";
    QTest::newRow("only the odd row is quoted, its neighbours stay plain")
        << title
        << makeListing(NameOnly, {{K::File, 0, {"'-  plain"}}, {K::File, 0, {"'-  a\"b"}},
                                  {K::File, 0, {"'-  after"}}})
        << title + "\r\nSub-Directories\r\n\r\n'-  plain\r\n\"'-  a\"\"b\"\r\n'-  after\r\n";
}

void TestClipboardExport::text()
{
    QFETCH(QString, title);
    QFETCH(ListingText, listing);
    QFETCH(QString, expected);
    QCOMPARE(clipboardText(title, listing), expected);
}

void TestClipboardExport::cellQuoting_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("written");

    QTest::newRow("apostrophe, comma and pipe need no quotes") << "'+ it's, a|b;c" << "'+ it's, a|b;c";
    QTest::newRow("empty cell unchanged") << "" << "";
    QTest::newRow("lone quote") << "\"" << "\"\"\"\"";
    QTest::newRow("quote at both ends") << "\"x\"" << "\"\"\"x\"\"\"";
    QTest::newRow("tab") << "a\tb" << "\"a\tb\"";
    QTest::newRow("line feed") << "a\nb" << "\"a\nb\"";
    QTest::newRow("carriage return") << "a\rb" << "\"a\rb\"";
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
