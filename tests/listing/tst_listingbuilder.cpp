#include "FakeFileSystem.h"

#include "ListingChecks.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingFormat.h"

#include <QDateTime>
#include <QLocale>
#include <QTest>

#include <ctime>
#include <stdexcept>

namespace {

FileTime localNoon(int year, int month, int day)
{
    return FileTime(std::chrono::seconds(QDateTime(QDate(year, month, day), QTime(12, 0)).toSecsSinceEpoch()));
}

// The worked example: notes.txt beside Docs, which holds Old (with x.txt) and report.doc.
void addWorkedExample(FakeFileSystem &fs)
{
    fs.addFolder("/sel", localNoon(2001, 1, 1));
    fs.addFile("/sel/notes.txt", 1536, localNoon(2001, 3, 7));
    fs.addFolder("/sel/Docs", localNoon(2001, 1, 2));
    fs.addFolder("/sel/Docs/Old", localNoon(2000, 12, 1));
    fs.addFile("/sel/Docs/Old/x.txt", 2048, localNoon(2000, 12, 1));
    fs.addFile("/sel/Docs/report.doc", 10240, localNoon(2001, 2, 5));
}

// r.txt beside A; A > B > C > D > E, each holding one file named after it.
void addChain(FakeFileSystem &fs)
{
    fs.addFolder("/r");
    fs.addFile("/r/r.txt", 0);
    QByteArray path = "/r";
    for (char c : QByteArray("ABCDE")) {
        path += '/';
        path += c;
        fs.addFolder(path);
        fs.addFile(path + '/' + char(c + ('a' - 'A')) + ".txt", 0);
    }
}

ListingOptions optionsFor(const QString &path)
{
    ListingOptions options;
    options.path = path;
    options.depthText = QStringLiteral("2");
    return options;
}


} // namespace

class TestListingBuilder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workedExample_data();
    void workedExample();
    void depth_data();
    void depth();
    void switches_data();
    void switches();
    void emptyFolder_data();
    void emptyFolder();
    void indicators_data();
    void indicators();
    void widthTexts_data();
    void widthTexts();
    void sizeCells_data();
    void sizeCells();
    void dateCells_data();
    void dateCells();
    void datesAcrossDaylightSavingChange();
    void enumerationOrderIsKept();
    void namesWithSeparators_data();
    void namesWithSeparators();
    void failures_data();
    void failures();
    void failedTopFolderKeepsPreviousBody();
    void yieldsAfterFolderRowsOnly();
    void heartbeatDuringSizeComesBeforeTheRow();
    void cancelFromYieldEndsBuild();
    void secondBuildDuringYieldIsRefused();
    void secondBuildIntoTheSameListingIsRefused();
    void onlyListedLevelsAreRead();
};

void TestListingBuilder::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestListingBuilder::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestListingBuilder::workedExample_data()
{
    QTest::addColumn<QString>("cSeperator");
    QTest::addColumn<QString>("rSeperator");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("body");

    QTest::newRow("document separators, depth 2")
        << "|" << ";" << "2" << "Sub-Directories|Size (KB)|Date;"
        << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;    + Old|2|12/1/2000;     -  x.txt|2|12/1/2000;"
           "  -  report.doc|10|2/5/2001;";
    QTest::newRow("clipboard separators, depth 2")
        << "\t" << "\r\n" << "2" << "Sub-Directories\tSize (KB)\tDate\r\n"
        << "\r\n-  notes.txt\t2\t3/7/2001\r\n+ Docs\t12\t1/2/2001\r\n    + Old\t2\t12/1/2000\r\n"
           "     -  x.txt\t2\t12/1/2000\r\n  -  report.doc\t10\t2/5/2001\r\n";
    QTest::newRow("depth 1 leaves out Old and its file")
        << "|" << ";" << "1" << "Sub-Directories|Size (KB)|Date;"
        << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;  -  report.doc|10|2/5/2001;";
}

void TestListingBuilder::workedExample()
{
    QFETCH(QString, cSeperator);
    QFETCH(QString, rSeperator);
    QFETCH(QString, depth);
    QFETCH(QString, header);
    QFETCH(QString, body);

    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingOptions options = optionsFor(QStringLiteral("/sel"));
    options.depthText = depth;
    ListingText listing;
    buildListing(options, cSeperator, rSeperator, fs, listing);

    QCOMPARE(listing.ListFormat, QStringLiteral("4000|>1000|>1000;"));
    QCOMPARE(listing.ListHeader, header);
    QCOMPARE(listing.ListBody, body);
    QCOMPARE(listing.headings, QStringList({"Sub-Directories", "Size (KB)", "Date"}));
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::depth_data()
{
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QStringList>("expected");

    const QStringList one{"-  r.txt", "+ A", "  -  a.txt"};
    const QStringList two{"-  r.txt", "+ A", "    + B", "     -  b.txt", "  -  a.txt"};
    const QStringList three{"-  r.txt", "+ A", "    + B", "        + C", "              -  c.txt",
                            "     -  b.txt", "  -  a.txt"};
    const QStringList four{"-  r.txt", "+ A", "    + B", "        + C", "            + D",
                           "                  -  d.txt", "              -  c.txt", "     -  b.txt", "  -  a.txt"};
    const QStringList five{"-  r.txt", "+ A", "    + B", "        + C", "            + D",
                           "                + E", "                      -  e.txt",
                           "                  -  d.txt", "              -  c.txt", "     -  b.txt", "  -  a.txt"};

    QTest::newRow("1 lists level 1 and its files") << "1" << one;
    QTest::newRow("2 adds level 2") << "2" << two;
    QTest::newRow("3 adds level 3, its files 14 blanks in") << "3" << three;
    QTest::newRow("4 goes on four blanks a level") << "4" << four;
    QTest::newRow("5 lists five levels") << "5" << five;
    QTest::newRow("10 lists whatever there is") << "10" << five;
    QTest::newRow("0 lists level 1") << "0" << one;
    QTest::newRow("empty text lists level 1") << "" << one;
    QTest::newRow("letters list level 1") << "abc" << one;
    QTest::newRow("a blank before the number lists level 1") << " 2" << one;
    QTest::newRow("a sign lists level 1") << "+2" << one;
    QTest::newRow("a fraction lists level 1") << "2.0" << one;
    QTest::newRow("huge number lists whatever there is") << "99999999999999999999" << five;
}

void TestListingBuilder::depth()
{
    QFETCH(QString, depth);
    QFETCH(QStringList, expected);

    FakeFileSystem fs;
    addChain(fs);
    ListingOptions options = optionsFor(QStringLiteral("/r"));
    options.depthText = depth;
    options.printSize = 0;
    options.printDate = 0;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    QCOMPARE(firstCells(listing), expected);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::switches_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("date");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("body");

    QTest::newRow("all on") << 1 << 1 << 1 << "4000|>1000|>1000;" << "Sub-Directories|Size (KB)|Date;"
                            << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;  -  report.doc|10|2/5/2001;";
    QTest::newRow("size only") << 1 << 1 << 0 << "4000|>1000;" << "Sub-Directories|Size (KB);"
                               << ";-  notes.txt|2;+ Docs|12;  -  report.doc|10;";
    QTest::newRow("date only") << 1 << 0 << 1 << "4000|>1000;" << "Sub-Directories|Date;"
                               << ";-  notes.txt|3/7/2001;+ Docs|1/2/2001;  -  report.doc|2/5/2001;";
    QTest::newRow("names only") << 1 << 0 << 0 << "4000;" << "Sub-Directories;"
                                << ";-  notes.txt;+ Docs;  -  report.doc;";
    QTest::newRow("files off keeps the first heading") << 0 << 1 << 1 << "4000|>1000|>1000;"
                                                       << "Sub-Directories|Size (KB)|Date;" << ";+ Docs|12|1/2/2001;";
    QTest::newRow("grayed boxes count as off") << 2 << 2 << 2 << "4000;" << "Sub-Directories;" << ";+ Docs;";
}

void TestListingBuilder::switches()
{
    QFETCH(int, files);
    QFETCH(int, size);
    QFETCH(int, date);
    QFETCH(QString, format);
    QFETCH(QString, header);
    QFETCH(QString, body);

    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingOptions options = optionsFor(QStringLiteral("/sel"));
    options.depthText = QStringLiteral("1");
    options.printFiles = files;
    options.printSize = size;
    options.printDate = date;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    QCOMPARE(listing.ListFormat, format);
    QCOMPARE(listing.ListHeader, header);
    QCOMPARE(listing.ListBody, body);
    QCOMPARE(listing.columnCount(), 1 + (size == 1) + (date == 1));
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::emptyFolder_data()
{
    QTest::addColumn<bool>("withFiles");
    QTest::addColumn<int>("printFiles");
    QTest::addColumn<QString>("body");

    QTest::newRow("nothing in it") << false << 1 << "\r\n";
    QTest::newRow("files only, files off") << true << 0 << "\r\n";
    QTest::newRow("files only, files on") << true << 1 << "\r\n-  a\t0\r\n-  b\t1\r\n";
}

void TestListingBuilder::emptyFolder()
{
    QFETCH(bool, withFiles);
    QFETCH(int, printFiles);
    QFETCH(QString, body);

    FakeFileSystem fs;
    fs.addFolder("/e");
    if (withFiles) {
        fs.addFile("/e/a", 0);
        fs.addFile("/e/b", 1024);
    }
    ListingOptions options = optionsFor(QStringLiteral("/e"));
    options.printFiles = printFiles;
    options.printDate = 0;
    ListingText listing;
    buildListing(options, QStringLiteral("\t"), QStringLiteral("\r\n"), fs, listing);

    QCOMPARE(listing.ListFormat, QStringLiteral("4000|>1000;"));
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories\tSize (KB)\r\n"));
    QCOMPARE(listing.ListBody, body);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::indicators_data()
{
    QTest::addColumn<QString>("dirMark");
    QTest::addColumn<QString>("fileMark");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty marks keep their blanks")
        << "" << ""
        << QStringList{QString(2, u' ') + "notes.txt", QString(1, u' ') + "Docs", QString(4 + 1, u' ') + "Old",
                       QString(5 + 2, u' ') + "x.txt", QString(2 + 2, u' ') + "report.doc"};
    QTest::newRow("long marks are copied whole") << "[D]" << "(file)"
                                                << QStringList{"(file)  notes.txt", "[D] Docs", "    [D] Old",
                                                               "     (file)  x.txt", "  (file)  report.doc"};
    QTest::newRow("clipboard-protected marks") << "'+" << "'-"
                                              << QStringList{"'-  notes.txt", "'+ Docs", "    '+ Old",
                                                             "     '-  x.txt", "  '-  report.doc"};
}

void TestListingBuilder::indicators()
{
    QFETCH(QString, dirMark);
    QFETCH(QString, fileMark);
    QFETCH(QStringList, expected);

    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingOptions options = optionsFor(QStringLiteral("/sel"));
    options.dirIndicator = dirMark;
    options.fileIndicator = fileMark;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    QCOMPARE(firstCells(listing), expected);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::widthTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("width");

    QTest::newRow("4000") << "4000" << "4000";
    QTest::newRow("4000.50 drops the trailing zero") << "4000.50" << "4000.5";
    QTest::newRow("blank inside is skipped") << "12 00" << "1200";
    QTest::newRow("tab and line feed are skipped") << "\t1\n5" << "15";
    QTest::newRow("reading stops at a comma") << "1,000" << "1";
    QTest::newRow("letters read as 0") << "abc" << "0";
    QTest::newRow("empty reads as 0") << "" << "0";
    QTest::newRow("number then letters") << "300px" << "300";
    QTest::newRow("leading zeros go") << "007" << "7";
    QTest::newRow("fraction only") << ".25" << "0.25";
    QTest::newRow("trailing point") << "5." << "5";
    QTest::newRow("all zeros") << "0.000" << "0";
    QTest::newRow("exponent") << "1.5e3" << "1500";
    QTest::newRow("negative exponent") << "15E-3" << "0.015";
    QTest::newRow("exponent without digits is no exponent") << "2e" << "2";
    QTest::newRow("minus sign is kept") << "-20" << "-20";
    QTest::newRow("carriage return stops reading") << "1\r2" << "1";
}

void TestListingBuilder::widthTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, width);

    FakeFileSystem fs;
    fs.addFolder("/w");
    ListingOptions options = optionsFor(QStringLiteral("/w"));
    options.dirColWidth = text;
    options.sizeColWidth = text;
    options.dateColWidth = QStringLiteral("1000");
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    QCOMPARE(listing.ListFormat, width + QLatin1String("|>") + width + QLatin1String("|>1000;"));
}

void TestListingBuilder::sizeCells_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("cell");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("0 bytes gives 0") << us << qint64(0) << "0";
    QTest::newRow("511 bytes gives 0") << us << qint64(511) << "0";
    QTest::newRow("512 bytes rounds up to 1") << us << qint64(512) << "1";
    QTest::newRow("1,536 bytes rounds up to 2") << us << qint64(1536) << "2";
    QTest::newRow("2,559 bytes gives 2") << us << qint64(2559) << "2";
    QTest::newRow("1,264,128 bytes gives 1,235") << us << qint64(1264128) << "1,235";
    QTest::newRow("one terabyte is grouped") << us << qint64(1099511627776) << "1,073,741,824";
    QTest::newRow("largest size does not overflow") << us << std::numeric_limits<qint64>::max()
                                                    << "9,007,199,254,740,992";
    QTest::newRow("German groups with a point") << QLocale(QLocale::German, QLocale::Germany) << qint64(1264128)
                                                << "1.235";
    QTest::newRow("C locale reads as US English") << QLocale::c() << qint64(1264128) << "1,235";
    QTest::newRow("Hindi groups by twos after the first three")
        << QLocale(QLocale::Hindi, QLocale::India) << qint64(1234567) * 1024
        << QLocale(QLocale::Hindi, QLocale::India).toString(qlonglong(1234567));
}

void TestListingBuilder::sizeCells()
{
    QFETCH(QLocale, locale);
    QFETCH(qint64, bytes);
    QFETCH(QString, cell);

    QLocale::setDefault(locale);
    FakeFileSystem fs;
    fs.addFolder("/s");
    fs.addFile("/s/f", bytes);
    ListingOptions options = optionsFor(QStringLiteral("/s"));
    options.printDate = 0;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    QCOMPARE(listing.rows.size(), 1);
    QCOMPARE(listing.cell(listing.rows.first(), 1).toString(), cell);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::dateCells_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<QString>("cell");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("7 March 2001 gives 3/7/2001") << us << QDateTime(QDate(2001, 3, 7), QTime(12, 0)) << "3/7/2001";
    QTest::newRow("no leading zeros") << us << QDateTime(QDate(2009, 1, 5), QTime(0, 0)) << "1/5/2009";
    QTest::newRow("last second of a day") << us << QDateTime(QDate(2020, 12, 31), QTime(23, 59, 59))
                                          << "12/31/2020";
    QTest::newRow("first second of a day") << us << QDateTime(QDate(2021, 1, 1), QTime(0, 0)) << "1/1/2021";
    QTest::newRow("four-digit year before 1970") << us << QDateTime(QDate(1969, 7, 20), QTime(20, 17))
                                                 << "7/20/1969";
    QTest::newRow("German separator") << QLocale(QLocale::German, QLocale::Germany)
                                      << QDateTime(QDate(2001, 3, 7), QTime(12, 0)) << "3.7.2001";
    QTest::newRow("C locale reads as US English") << QLocale::c() << QDateTime(QDate(2001, 3, 7), QTime(12, 0))
                                                  << "3/7/2001";
}

void TestListingBuilder::dateCells()
{
    QFETCH(QLocale, locale);
    QFETCH(QDateTime, modified);
    QFETCH(QString, cell);

    QLocale::setDefault(locale);
    FakeFileSystem fs;
    fs.addFolder("/d");
    // A neighbour on another day first, so a remembered day cannot answer.
    fs.addFile("/d/earlier", 0, FileTime(std::chrono::seconds(modified.toSecsSinceEpoch() - 86400)));
    fs.addFile("/d/f", 0, FileTime(std::chrono::seconds(modified.toSecsSinceEpoch())));
    ListingOptions options = optionsFor(QStringLiteral("/d"));
    options.printSize = 0;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    QCOMPARE(listing.rows.size(), 2);
    QCOMPARE(listing.cell(listing.rows.at(1), 1).toString(), cell);
}

void TestListingBuilder::datesAcrossDaylightSavingChange()
{
    // New York's 14 March 2021 lasted 23 hours: a day remembered as 24 hours
    // long would put the first half hour of the 15th on the 14th.
    const QByteArray savedTz = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    FakeFileSystem fs;
    fs.addFolder("/t");
    const qint64 times[] = {1615699800, 1615782600, 1615784300, 1615786200 - 86400 * 2};
    for (qint64 t : times)
        fs.addFile("/t/" + QByteArray::number(t), 0, FileTime(std::chrono::seconds(t)));
    ListingOptions options = optionsFor(QStringLiteral("/t"));
    options.printSize = 0;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);
    if (savedTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedTz);
    tzset();

    QStringList dates;
    for (const ListingRow &row : listing.rows)
        dates.append(listing.cell(row, 1).toString());
    QCOMPARE(dates, QStringList({"3/14/2021", "3/15/2021", "3/15/2021", "3/13/2021"}));
}

void TestListingBuilder::enumerationOrderIsKept()
{
    // The builder never sorts: rows follow the component's order.
    FakeFileSystem fs;
    fs.addFolder("/o");
    fs.addFile("/o/z.txt", 0);
    fs.addFile("/o/a.txt", 0);
    fs.addFolder("/o/Zeta");
    fs.addFolder("/o/Alpha");
    fs.addFile("/o/Zeta/2", 0);
    fs.addFile("/o/Zeta/1", 0);
    ListingOptions options = optionsFor(QStringLiteral("/o"));
    options.printSize = 0;
    options.printDate = 0;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    QCOMPARE(firstCells(listing),
             QStringList({"-  z.txt", "-  a.txt", "+ Zeta", "  -  2", "  -  1", "+ Alpha"}));
    QCOMPARE(listing.rows.at(2).kind, ListingRowKind::Folder);
    QCOMPARE(listing.rows.at(2).level, 1);
    QCOMPARE(listing.rows.at(3).kind, ListingRowKind::File);
    QCOMPARE(listing.rows.at(3).level, 1);
}

void TestListingBuilder::namesWithSeparators_data()
{
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("column separator") << QByteArray("a|b");
    QTest::newRow("row separator") << QByteArray("a;b");
    QTest::newRow("tab") << QByteArray("a\tb");
    QTest::newRow("line feed") << QByteArray("a\nb");
    QTest::newRow("carriage return and line feed") << QByteArray("a\r\nb");
    QTest::newRow("all of them") << QByteArray("|;\t\r\n");
}

void TestListingBuilder::namesWithSeparators()
{
    QFETCH(QByteArray, name);

    for (const auto &[c, r] : {std::pair{"|", ";"}, std::pair{"\t", "\r\n"}}) {
        FakeFileSystem fs;
        fs.addFolder("/n");
        fs.addFolder("/n/" + name);
        fs.addFile("/n/" + name + "/" + name, 2048);
        ListingOptions options = optionsFor(QStringLiteral("/n"));
        ListingText listing;
        buildListing(options, QString::fromLatin1(c), QString::fromLatin1(r), fs, listing);

        // The text holds the name untouched; the cells say where it ends.
        const QString shown = QString::fromLatin1(name);
        QCOMPARE(listing.rows.size(), 2);
        QCOMPARE(listing.cell(listing.rows.at(0), 0).toString(), QLatin1String("+ ") + shown);
        QCOMPARE(listing.cell(listing.rows.at(0), 1).toString(), QStringLiteral("2"));
        QCOMPARE(listing.cell(listing.rows.at(1), 0).toString(), QLatin1String("  -  ") + shown);
        QCOMPARE(listing.cell(listing.rows.at(1), 1).toString(), QStringLiteral("2"));
        QVERIFY(listing.ListBody.contains(QLatin1String("+ ") + shown + QString::fromLatin1(c) + QLatin1String("2")));
        verifyRowsMatchBody(listing);
    }
}

void TestListingBuilder::failures_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("rowsBefore");
    QTest::addColumn<QString>("message");

    using Op = FakeFileSystem::Operation;
    QTest::newRow("top folder cannot be opened")
        << QByteArray("/sel") << int(Op::GetFolder) << -1 << "Cannot open folder \"/sel\": Permission denied";
    QTest::newRow("top folder cannot be read")
        << QByteArray("/sel") << int(Op::Files) << 0 << "Cannot read folder \"/sel\": Permission denied";
    QTest::newRow("folder below the listed depth fails the total")
        << QByteArray("/sel/Docs/Old") << int(Op::Files) << 1
        << "Cannot read folder \"/sel/Docs/Old\": Permission denied";
    QTest::newRow("file size below the listed depth fails the total")
        << QByteArray("/sel/Docs/Old/x.txt") << int(Op::Size) << 1
        << "Cannot read \"/sel/Docs/Old/x.txt\": Permission denied";
    QTest::newRow("size of a listed file")
        << QByteArray("/sel/notes.txt") << int(Op::Size) << 0
        << "Cannot read \"/sel/notes.txt\": Permission denied";
    QTest::newRow("file size inside a listed folder fails that folder's total")
        << QByteArray("/sel/Docs/report.doc") << int(Op::Size) << 1
        << "Cannot read \"/sel/Docs/report.doc\": Permission denied";
    QTest::newRow("date of a listed folder")
        << QByteArray("/sel/Docs") << int(Op::Date) << 1 << "Cannot read \"/sel/Docs\": Permission denied";
    QTest::newRow("files of a level-1 folder")
        << QByteArray("/sel/Docs") << int(Op::Files) << 1
        << "Cannot read folder \"/sel/Docs\": Permission denied";
}

void TestListingBuilder::failures()
{
    QFETCH(QByteArray, path);
    QFETCH(int, operation);
    QFETCH(int, rowsBefore);
    QFETCH(QString, message);

    FakeFileSystem fs;
    addWorkedExample(fs);
    fs.failOn(path, FakeFileSystem::Operation(operation));
    ListingOptions options = optionsFor(QStringLiteral("/sel"));
    options.depthText = QStringLiteral("1");   // Old lies below the listed depth
    ListingText listing;

    try {
        buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);
        QFAIL("the build should have failed");
    } catch (const FileSystemError &error) {
        QCOMPARE(error.message(), message);
        QCOMPARE(error.path(), path);
    }
    QCOMPARE(fs.buildsEnded(), 1);
    // The header and format are complete; no half row and no placeholder.
    QCOMPARE(listing.ListFormat, QStringLiteral("4000|>1000|>1000;"));
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories|Size (KB)|Date;"));
    if (rowsBefore >= 0) {
        QCOMPARE(listing.rows.size(), rowsBefore);
        verifyRowsMatchBody(listing);
    }
}

void TestListingBuilder::failedTopFolderKeepsPreviousBody()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingText listing;
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, listing);
    const QString previousBody = listing.ListBody;

    ListingOptions missing = optionsFor(QStringLiteral("/gone"));
    missing.printDate = 0;
    QVERIFY_THROWS_EXCEPTION(FileSystemError,
                             buildListing(missing, QStringLiteral("\t"), QStringLiteral("\r\n"), fs, listing));
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories\tSize (KB)\r\n"));
    QCOMPARE(listing.ListBody, previousBody);
    // The cells still describe the body they belong to.
    QCOMPARE(listing.columnCount(), 3);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::yieldsAfterFolderRowsOnly()
{
    FakeFileSystem fs;
    addChain(fs);
    ListingOptions options = optionsFor(QStringLiteral("/r"));
    options.depthText = QStringLiteral("3");
    ListingText listing;
    QStringList seen;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &progress) {
                     QCOMPARE(progress.entriesListed, listing.rows.size());
                     QVERIFY(listing.ListBody.endsWith(QLatin1Char(';')));
                     seen.append(listing.cell(listing.rows.last(), 0).toString() + QLatin1String(" @ ")
                                 + progress.currentFolder);
                 });

    QCOMPARE(seen, QStringList({"+ A @ /r/A", "    + B @ /r/A/B", "        + C @ /r/A/B/C"}));
}

void TestListingBuilder::heartbeatDuringSizeComesBeforeTheRow()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    fs.setBeatDuringSize(true);
    ListingText listing;
    QList<qsizetype> rowsAtYield;
    QStringList folders;
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &progress) {
                     rowsAtYield.append(listing.rows.size());
                     folders.append(progress.currentFolder);
                     verifyRowsMatchBody(listing);
                 });

    // Docs: a beat while totalling (one row so far), then the yield after its row; same for Old.
    QCOMPARE(rowsAtYield, QList<qsizetype>({1, 2, 2, 3}));
    QCOMPARE(folders, QStringList({"/sel/Docs", "/sel/Docs", "/sel/Docs/Old", "/sel/Docs/Old"}));
}

void TestListingBuilder::cancelFromYieldEndsBuild()
{
    struct Cancelled {};
    FakeFileSystem fs;
    addChain(fs);
    ListingOptions options = optionsFor(QStringLiteral("/r"));
    options.depthText = QStringLiteral("5");
    ListingText listing;
    int yields = 0;
    bool cancelled = false;
    try {
        buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                     [&](const ListingProgress &) {
                         if (++yields == 2)
                             throw Cancelled{};
                     });
    } catch (const Cancelled &) {
        cancelled = true;
    }
    QVERIFY(cancelled);
    QCOMPARE(yields, 2);
    QCOMPARE(fs.buildsBegun(), 1);
    QCOMPARE(fs.buildsEnded(), 1);
    QCOMPARE(firstCells(listing), QStringList({"-  r.txt", "+ A", "    + B"}));
}

void TestListingBuilder::secondBuildDuringYieldIsRefused()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingText listing;
    ListingText second;
    bool refused = false;
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &) {
                     try {
                         buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"),
                                      QStringLiteral(";"), fs, second);
                     } catch (const std::logic_error &) {
                         refused = true;
                     }
                 });
    QVERIFY(refused);
    QVERIFY(second.ListHeader.isEmpty());
    QCOMPARE(listing.rows.size(), 5);
    // Once the first build is over, the next one runs.
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, second);
    QCOMPARE(second.ListBody, listing.ListBody);
}

void TestListingBuilder::secondBuildIntoTheSameListingIsRefused()
{
    FakeFileSystem fs;
    FakeFileSystem other;
    addWorkedExample(fs);
    addWorkedExample(other);
    ListingText listing;
    int refusals = 0;
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &) {
                     try {
                         buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("\t"),
                                      QStringLiteral("\r\n"), other, listing);
                     } catch (const std::logic_error &) {
                         ++refusals;
                     }
                 });
    QCOMPARE(refusals, 2);
    QCOMPARE(other.buildsBegun(), 0);
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories|Size (KB)|Date;"));
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::onlyListedLevelsAreRead()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingOptions options = optionsFor(QStringLiteral("/sel"));
    options.depthText = QStringLiteral("1");
    options.printSize = 0;
    options.printDate = 0;
    options.printFiles = 0;
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);

    // No sizes, no dates, no files: only the top folder's sub-folders are asked for.
    QCOMPARE(fs.calls(), QStringList({"GetFolder /sel", "SubFolders /sel"}));
    QCOMPARE(firstCells(listing), QStringList({"+ Docs"}));
}

QTEST_GUILESS_MAIN(TestListingBuilder)
#include "tst_listingbuilder.moc"
