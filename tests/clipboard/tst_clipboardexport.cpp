#include "clipboard/ClipboardExport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
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
        QCOMPARE(clipboardDirIndicator(typed), dir);
        QCOMPARE(clipboardFileIndicator(typed), file);
    }

    void cells_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("written");
        QTest::newRow("apostrophe, comma and pipe need no quotes") << "'+ it's, a|b;c" << "'+ it's, a|b;c";
        QTest::newRow("a quote is doubled inside quotes") << "a\"b" << "\"a\"\"b\"";
        QTest::newRow("tab") << "a\tb" << "\"a\tb\"";
        QTest::newRow("line feed") << "a\nb" << "\"a\nb\"";
    }
    void cells()
    {
        QFETCH(QString, cell);
        QFETCH(QString, written);
        QCOMPARE(clipboardCell(cell), written);

        // In a listing, only that cell is quoted; the title goes as typed.
        ListingText listing;
        listing.columnSeparator = QStringLiteral("\t");
        listing.rowSeparator = QStringLiteral("\r\n");
        listing.headings = QStringList{QStringLiteral("Sub-Directories"), QStringLiteral("Size (KB)")};
        listing.ListHeader = QStringLiteral("Sub-Directories\tSize (KB)\r\n");
        listing.ListBody = QStringLiteral("\r\n") + cell + QStringLiteral("\t2\r\n");
        ListingRow row;
        row.offset = 2;
        row.cellLength[0] = qint32(cell.size());
        row.cellLength[1] = 1;
        listing.rows = {row};
        QCOMPARE(clipboardText(QStringLiteral("a\tb"), listing),
                 QStringLiteral("a\tb\r\nSub-Directories\tSize (KB)\r\n\r\n") + written + QStringLiteral("\t2\r\n"));
    }

    void clipboardHoldsPlainTextOnly()
    {
        auto *rich = new QMimeData;
        rich->setHtml(QStringLiteral("<b>old</b>"));
        QGuiApplication::clipboard()->setMimeData(rich);
        putOnClipboard(QStringLiteral("title\r\n"), QGuiApplication::clipboard());
        const QMimeData *now = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(now->text(), QStringLiteral("title\r\n"));
        QVERIFY(!now->hasHtml());
    }
};

QTEST_MAIN(TestClipboardExport)
#include "tst_clipboardexport.moc"
