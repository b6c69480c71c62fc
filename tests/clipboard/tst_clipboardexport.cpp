#include "clipboard/ClipboardExport.h"

#include <QtTest>

class TestClipboardExport : public QObject
{
    Q_OBJECT

private slots:
    void marks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("file");
        QTest::newRow("lone plus: only the folder mark is protected") << "+" << "'+" << "+";
        QTest::newRow("lone minus: only the file mark is protected") << "-" << "-" << "'-";
        QTest::newRow("two plus signs pass unchanged") << "++" << "++" << "++";
        QTest::newRow("blank and plus pass unchanged") << " +" << " +" << " +";
        QTest::newRow("empty stays empty") << "" << "" << "";
    }
    void marks()
    {
        QFETCH(QString, typed);
        QFETCH(QString, dir);
        QFETCH(QString, file);
        QCOMPARE(clipboardDirMark(typed), dir);
        QCOMPARE(clipboardFileMark(typed), file);
    }

    void cells_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("unread");      // a path the build could not read, if any
        QTest::newRow("apostrophe, comma and pipe: no quotes") << "'+ it's, a|b;c" << "'+ it's, a|b;c" << QByteArray();
        QTest::newRow("a quote is doubled inside quotes") << "a\"b" << "\"a\"\"b\"" << QByteArray();
        QTest::newRow("tab") << "a\tb" << "\"a\tb\"" << QByteArray();
        QTest::newRow("line feed; an unread folder after an empty line") << "a\nb" << "\"a\nb\"" << QByteArray("/r/x");
        QTest::newRow("unread path holding a tab") << "a" << "a" << QByteArray("/r/a\tb");
        // Formulas: whatever mark or name puts one of = + - @ tab CR first.
        QTest::newRow("mark \"- \"") << "-   1+1" << "'-   1+1" << QByteArray();
        QTest::newRow("mark \"=\" before a command") << "= cmd|' C calc'!A0" << "'= cmd|' C calc'!A0" << QByteArray();
        QTest::newRow("empty mark, name \"@x\", blanks first") << "  @x" << "'  @x" << QByteArray();
        QTest::newRow("name starting with a tab, quoted too") << " \tx" << "\"' \tx\"" << QByteArray();
        QTest::newRow("carriage return") << "\r" << "\"'\r\"" << QByteArray();
        QTest::newRow("line feed, then \"=\"") << "\n=1" << "\"'\n=1\"" << QByteArray();
        QTest::newRow("ideographic space, then \"=\"") << "\u3000=1" << "'\u3000=1" << QByteArray();
        QTest::newRow("indented lone mark kept as rewritten") << "    '-  x" << "    '-  x" << QByteArray();
        QTest::newRow("a formula sign later in the cell") << "a=1" << "a=1" << QByteArray();
    }
    void cells()
    {
        QFETCH(QString, cell);
        QFETCH(QString, written);
        QFETCH(QByteArray, unread);
        QCOMPARE(clipboardCell(cell), written);
        if (!written.startsWith(u'"')) // the rule other exports share
            QCOMPARE(formulaSafeCell(cell), written);
        // Within the clipboard text: as the title and as a row's first cell.
        ListingText listing;
        listing.columnSeparator = QStringLiteral("\t");
        listing.rowSeparator = QStringLiteral("\r\n");
        listing.headings = QStringList{QStringLiteral("Sub-Directories"), QStringLiteral("Size (KB)")};
        listing.ListHeader = listing.headings.join(u'\t') + listing.rowSeparator;
        listing.ListBody = QStringLiteral("\r\n") + cell + QStringLiteral("\t2\r\n");
        listing.rows = {ListingRow{2, {qint32(cell.size()), 1, 0}, 0, ListingRowKind::File}};
        QString report;
        if (!unread.isEmpty()) {
            listing.problems.append({unread, QStringLiteral("Permission denied")});
            report = "\r\n" + clipboardCell(QString::fromUtf8(unread) + QStringLiteral(": Permission denied"))
                     + QStringLiteral("\r\n");
        }
        QCOMPARE(clipboardText(cell, listing),
                 written + QStringLiteral("\r\nSub-Directories\tSize (KB)\r\n\r\n") + written
                     + QStringLiteral("\t2\r\n") + report);
    }
};

QTEST_GUILESS_MAIN(TestClipboardExport)
#include "tst_clipboardexport.moc"
