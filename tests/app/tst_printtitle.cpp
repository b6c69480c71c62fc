#include "app/PrintTitle.h"
#include "listing/ListingFormat.h"

#include <QtTest>

class TestPrintTitle : public QObject
{
    Q_OBJECT

private slots:
    void title_data();
    void title();
    void formatKeepsEverythingButTheYear_data();
    void formatKeepsEverythingButTheYear();
};

void TestPrintTitle::title_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");

    QTest::newRow("US English: month/day/four-digit year")
        << "en_US" << "C:\\Data" << QDate(2001, 8, 8) << "C:\\Data  - On: 8/8/2001";
    QTest::newRow("US English, a year 2000 date keeps all four digits")
        << "en_US" << "/" << QDate(2000, 1, 1) << "/  - On: 1/1/2000";
    QTest::newRow("German two-digit year widened")
        << "de_DE" << "/srv" << QDate(2001, 8, 8) << "/srv  - On: 08.08.2001";
    QTest::newRow("British format already four digits")
        << "en_GB" << "/srv" << QDate(2001, 8, 9) << "/srv  - On: 09/08/2001";
    QTest::newRow("Japanese year first")
        << "ja_JP" << "/srv" << QDate(2001, 8, 9) << "/srv  - On: 2001/08/09";
    QTest::newRow("no regional settings read as US English")
        << "C" << "/srv" << QDate(2026, 12, 6) << "/srv  - On: 12/6/2026";
    QTest::newRow("path with blanks and non-Latin letters unchanged")
        << "en_US" << "/data/Été 文件" << QDate(2001, 8, 8) << "/data/Été 文件  - On: 8/8/2001";
}

void TestPrintTitle::title()
{
    QFETCH(QString, locale);
    QFETCH(QString, path);
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(printTitle(path, date, QLocale(locale)), expected);
}

void TestPrintTitle::formatKeepsEverythingButTheYear_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("German") << "de_DE" << "dd.MM.yyyy";
    QTest::newRow("Hungarian keeps its dots and blanks") << "hu_HU" << "yyyy. MM. dd.";
}

void TestPrintTitle::formatKeepsEverythingButTheYear()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(ListingFormat::shortDateFormatFourDigitYear(QLocale(locale)), expected);
}

QTEST_GUILESS_MAIN(TestPrintTitle)
#include "tst_printtitle.moc"
