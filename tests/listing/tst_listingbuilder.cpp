#include "FakeFileSystem.h"

#include "ListingChecks.h"
#include "listing/ListingBuilder.h"

#include <QDateTime>
#include <QLocale>
#include <QTest>

#include <ctime>
#include <stdexcept>

namespace {

FileTime at(const QDateTime &local)
{
    return FileTime(std::chrono::seconds(local.toSecsSinceEpoch()));
}

FileTime localNoon(int year, int month, int day)
{
    return at(QDateTime(QDate(year, month, day), QTime(12, 0)));
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

// r.txt and q.txt beside A and 0; A > B > C > D > E, each holding one file
// named after it. Siblings are added out of name order: the builder never sorts.
void addChain(FakeFileSystem &fs)
{
    fs.addFolder("/r");
    fs.addFile("/r/r.txt", 0);
    fs.addFile("/r/q.txt", 0);
    QByteArray path = "/r";
    for (char c : QByteArray("ABCDE")) {
        path += QByteArray("/") + c;
        fs.addFolder(path);
        fs.addFile(path + '/' + char(c + ('a' - 'A')) + ".txt", 0);
    }
    fs.addFolder("/r/0");
}

ListingOptions optionsFor(const QString &path, const QString &depth = QStringLiteral("2"))
{
    ListingOptions options;
    options.path = path;
    options.depthText = depth;
    return options;
}

ListingText build(FakeFileSystem &fs, const ListingOptions &options, const ListingYield &yield = {},
                  const QString &c = QStringLiteral("|"), const QString &r = QStringLiteral(";"))
{
    ListingText listing;
    buildListing(options, c, r, fs, listing, yield);
    return listing;
}

} // namespace

class TestListingBuilder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void depthAndMarks_data();
    void depthAndMarks();
    void switches_data();
    void switches();
    void emptyFolder_data();
    void emptyFolder();
    void widthTexts_data();
    void widthTexts();
    void cells_data();
    void cells();
    void namesWithSeparators_data();
    void namesWithSeparators();
    void failures_data();
    void failures();
    void yieldsAfterFolderRowsOnly();
    void cancelFromYieldEndsBuild();
    void secondBuildDuringYieldIsRefused();
    void onlyListedLevelsAreRead();

private:
    QByteArray m_savedTz;
};

// Dates are local: a zone away from UTC, with daylight saving, shows mix-ups.
void TestListingBuilder::initTestCase()
{
    m_savedTz = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
}

void TestListingBuilder::cleanupTestCase()
{
    if (m_savedTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", m_savedTz);
    tzset();
}

void TestListingBuilder::depthAndMarks_data()
{
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("dirMark");
    QTest::addColumn<QString>("fileMark");
    QTest::addColumn<QStringList>("expected");

    const QStringList one{"-  r.txt", "-  q.txt", "+ A", "  -  a.txt", "+ 0"};
    const QStringList two{"-  r.txt", "-  q.txt", "+ A", "    + B", "     -  b.txt", "  -  a.txt", "+ 0"};
    const QStringList three{"-  r.txt", "-  q.txt", "+ A", "    + B", "        + C", "              -  c.txt",
                            "     -  b.txt", "  -  a.txt", "+ 0"};
    const QStringList four{"-  r.txt", "-  q.txt", "+ A", "    + B", "        + C", "            + D",
                           "                  -  d.txt", "              -  c.txt", "     -  b.txt", "  -  a.txt",
                           "+ 0"};
    QStringList all = four;
    all.insert(6, "                + E");
    all.insert(7, "                      -  e.txt");

    QTest::newRow("1 lists level 1 and its files") << "1" << "+" << "-" << one;
    QTest::newRow("2 adds level 2") << "2" << "+" << "-" << two;
    QTest::newRow("3 adds level 3, its files 14 blanks in") << "3" << "+" << "-" << three;
    QTest::newRow("4 goes on four blanks a level") << "4" << "+" << "-" << four;
    QTest::newRow("10 lists whatever there is") << "10" << "+" << "-" << all;
    QTest::newRow("huge number lists whatever there is") << "99999999999999999999" << "+" << "-" << all;
    QTest::newRow("0 lists level 1") << "0" << "+" << "-" << one;
    QTest::newRow("empty text lists level 1") << "" << "+" << "-" << one;
    QTest::newRow("a blank before the number lists level 1") << " 2" << "+" << "-" << one;
    QTest::newRow("a sign lists level 1") << "+2" << "+" << "-" << one;
    QTest::newRow("a fraction lists level 1") << "2.0" << "+" << "-" << one;
    QTest::newRow("empty marks keep their blanks")
        << "2" << "" << "" << QStringList{"  r.txt", "  q.txt", " A", "     B", "       b.txt", "    a.txt", " 0"};
    QTest::newRow("long marks are copied whole")
        << "2" << "[D]" << "(file)"
        << QStringList{"(file)  r.txt", "(file)  q.txt", "[D] A", "    [D] B", "     (file)  b.txt",
                       "  (file)  a.txt", "[D] 0"};
}

void TestListingBuilder::depthAndMarks()
{
    QFETCH(QString, depth);
    QFETCH(QString, dirMark);
    QFETCH(QString, fileMark);
    QFETCH(QStringList, expected);

    FakeFileSystem fs;
    addChain(fs);
    ListingOptions options = optionsFor(QStringLiteral("/r"), depth);
    options.printSize = 0;
    options.printDate = 0;
    options.dirIndicator = dirMark;
    options.fileIndicator = fileMark;
    const ListingText listing = build(fs, options);

    QCOMPARE(firstCells(listing), expected);
    verifyRowsMatchBody(listing);
    // Every table ends with a.txt, A's file, then the folder 0.
    QCOMPARE(listing.rows.at(listing.rows.size() - 2).kind, ListingRowKind::File);
    QCOMPARE(listing.rows.at(listing.rows.size() - 2).level, 1);
    QCOMPARE(listing.rows.last().kind, ListingRowKind::Folder);
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
    ListingOptions options = optionsFor(QStringLiteral("/sel"), QStringLiteral("1"));
    options.printFiles = files;
    options.printSize = size;
    options.printDate = date;
    const ListingText listing = build(fs, options);

    QCOMPARE(listing.ListFormat, format);
    QCOMPARE(listing.ListHeader, header);
    QCOMPARE(listing.ListBody, body);
    QCOMPARE(listing.headings.join(u'|') + u';', header);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::emptyFolder_data()
{
    QTest::addColumn<int>("printFiles");

    QTest::newRow("nothing in it") << 1;
    QTest::newRow("files only, files off") << 0;
}

void TestListingBuilder::emptyFolder()
{
    QFETCH(int, printFiles);

    FakeFileSystem fs;
    fs.addFolder("/e");
    if (printFiles == 0)
        fs.addFile("/e/a", 1024);
    ListingOptions options = optionsFor(QStringLiteral("/e"));
    options.printFiles = printFiles;
    options.printDate = 0;
    const ListingText listing = build(fs, options, {}, QStringLiteral("\t"), QStringLiteral("\r\n"));

    QCOMPARE(listing.ListFormat, QStringLiteral("4000|>1000;"));
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories\tSize (KB)\r\n"));
    QCOMPARE(listing.ListBody, QStringLiteral("\r\n"));
    QVERIFY(listing.rows.isEmpty());
}

void TestListingBuilder::widthTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("width");

    QTest::newRow("4000.50 drops the trailing zero") << "4000.50" << "4000.5";
    QTest::newRow("blank inside is skipped") << "12 00" << "1200";
    QTest::newRow("tab and line feed are skipped") << "\t1\n5" << "15";
    QTest::newRow("carriage return stops reading") << "1\r2" << "1";
    QTest::newRow("reading stops at a comma") << "1,000" << "1";
    QTest::newRow("letters read as 0") << "abc" << "0";
    QTest::newRow("empty reads as 0") << "" << "0";
    QTest::newRow("fraction only") << ".25" << "0.25";
    QTest::newRow("exponent") << "1.5e3" << "1500";
    QTest::newRow("negative exponent") << "15E-3" << "0.015";
    QTest::newRow("exponent without digits is no exponent") << "2e" << "2";
    QTest::newRow("minus sign is kept") << "-20" << "-20";
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
    const ListingText listing = build(fs, options);

    QCOMPARE(listing.ListFormat, width + QLatin1String("|>") + width + QLatin1String("|>1000;"));
}

void TestListingBuilder::cells_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("date");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDateTime march7(QDate(2001, 3, 7), QTime(12, 0));
    QTest::newRow("511 bytes gives 0; first second of a year")
        << us << qint64(511) << QDateTime(QDate(2021, 1, 1), QTime(0, 0)) << "0" << "1/1/2021";
    QTest::newRow("512 bytes rounds half up to 1; year before 1970")
        << us << qint64(512) << QDateTime(QDate(1969, 7, 20), QTime(20, 17)) << "1" << "7/20/1969";
    QTest::newRow("1,536 bytes rounds up to 2") << us << qint64(1536) << march7 << "2" << "3/7/2001";
    QTest::newRow("1,264,128 bytes gives 1,235") << us << qint64(1264128) << march7 << "1,235" << "3/7/2001";
    QTest::newRow("largest size does not overflow")
        << us << std::numeric_limits<qint64>::max() << march7 << "9,007,199,254,740,992" << "3/7/2001";
    QTest::newRow("German groups with a point and dates with points")
        << QLocale(QLocale::German, QLocale::Germany) << qint64(1264128) << march7 << "1.235" << "3.7.2001";
    QTest::newRow("Hindi groups by twos after the first three")
        << QLocale(QLocale::Hindi, QLocale::India) << qint64(1234567) * 1024 << march7 << "12,34,567" << "3/7/2001";
    QTest::newRow("C locale reads as US English") << QLocale::c() << qint64(1264128) << march7 << "1,235"
                                                  << "3/7/2001";
    // 14 March 2021 lasted 23 hours: a day remembered as 24 hours long
    // would put 00:30 on the 15th on the 14th.
    QTest::newRow("day after a 23-hour day")
        << us << qint64(0) << QDateTime(QDate(2021, 3, 15), QTime(0, 30)) << "0" << "3/15/2021";
}

void TestListingBuilder::cells()
{
    QFETCH(QLocale, locale);
    QFETCH(qint64, bytes);
    QFETCH(QDateTime, modified);
    QFETCH(QString, size);
    QFETCH(QString, date);

    QLocale::setDefault(locale);
    FakeFileSystem fs;
    fs.addFolder("/d");
    // A neighbour on the day before first, so a remembered day cannot answer.
    fs.addFile("/d/earlier", 0, at(modified.addSecs(-23 * 3600)));
    fs.addFile("/d/f", bytes, at(modified));
    const ListingText listing = build(fs, optionsFor(QStringLiteral("/d")));

    QCOMPARE(listing.rows.size(), 2);
    QCOMPARE(listing.cell(listing.rows.at(1), 1).toString(), size);
    QCOMPARE(listing.cell(listing.rows.at(1), 2).toString(), date);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::namesWithSeparators_data()
{
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("column separator") << QByteArray("a|b");
    QTest::newRow("row separator") << QByteArray("a;b");
    QTest::newRow("tab") << QByteArray("a\tb");
    QTest::newRow("carriage return and line feed") << QByteArray("a\r\nb");
}

void TestListingBuilder::namesWithSeparators()
{
    QFETCH(QByteArray, name);

    for (const auto &[c, r] : {std::pair{"|", ";"}, std::pair{"\t", "\r\n"}}) {
        FakeFileSystem fs;
        fs.addFolder("/n");
        fs.addFolder("/n/" + name);
        fs.addFile("/n/" + name + "/" + name, 2048);
        const ListingText listing =
            build(fs, optionsFor(QStringLiteral("/n")), {}, QString::fromLatin1(c), QString::fromLatin1(r));

        // The text holds the name untouched; the cells say where it ends.
        const QString shown = QString::fromLatin1(name);
        QCOMPARE(firstCells(listing), QStringList({"+ " + shown, "  -  " + shown}));
        QCOMPARE(listing.cell(listing.rows.at(0), 1).toString(), QStringLiteral("2"));
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
    QTest::newRow("top folder cannot be opened: the previous body stays")
        << QByteArray("/sel") << int(Op::GetFolder) << 3 << "Cannot open folder \"/sel\": Permission denied";
    QTest::newRow("top folder cannot be read")
        << QByteArray("/sel") << int(Op::Files) << 0 << "Cannot read folder \"/sel\": Permission denied";
    QTest::newRow("folder below the listed depth fails the total")
        << QByteArray("/sel/Docs/Old") << int(Op::Files) << 1
        << "Cannot read folder \"/sel/Docs/Old\": Permission denied";
    QTest::newRow("file size below the listed depth fails the total")
        << QByteArray("/sel/Docs/Old/x.txt") << int(Op::Size) << 1
        << "Cannot read \"/sel/Docs/Old/x.txt\": Permission denied";
    QTest::newRow("size of a listed file")
        << QByteArray("/sel/notes.txt") << int(Op::Size) << 0 << "Cannot read \"/sel/notes.txt\": Permission denied";
    QTest::newRow("date of a listed folder")
        << QByteArray("/sel/Docs") << int(Op::Date) << 1 << "Cannot read \"/sel/Docs\": Permission denied";
}

void TestListingBuilder::failures()
{
    QFETCH(QByteArray, path);
    QFETCH(int, operation);
    QFETCH(int, rowsBefore);
    QFETCH(QString, message);

    FakeFileSystem fs;
    addWorkedExample(fs);
    // Depth 1: Old lies below the listed depth.
    const ListingOptions options = optionsFor(QStringLiteral("/sel"), QStringLiteral("1"));
    ListingText listing = build(fs, options, {}, QStringLiteral("\t"), QStringLiteral("\r\n"));
    fs.failOn(path, FakeFileSystem::Operation(operation));
    try {
        buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);
        QFAIL("the build should have failed");
    } catch (const FileSystemError &error) {
        QCOMPARE(error.message(), message);
        QCOMPARE(error.path(), path);
    }
    QCOMPARE(fs.buildsEnded(), 2);
    // Format and header are the new ones; the rows still describe the body,
    // with no half row and no placeholder.
    QCOMPARE(listing.ListFormat, QStringLiteral("4000|>1000|>1000;"));
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories|Size (KB)|Date;"));
    QCOMPARE(listing.rows.size(), rowsBefore);
    verifyRowsMatchBody(listing);
}

void TestListingBuilder::yieldsAfterFolderRowsOnly()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    fs.setBeatDuringSize(true);
    ListingText listing;
    QList<qsizetype> rowsAtYield;
    QStringList folders;
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &progress) {
                     QCOMPARE(progress.entriesListed, listing.rows.size());
                     rowsAtYield.append(listing.rows.size());
                     folders.append(progress.currentFolder);
                     verifyRowsMatchBody(listing);
                 });

    // Docs: a beat while totalling (one row so far), then the yield after its
    // row; the same for Old; none after the file rows.
    QCOMPARE(rowsAtYield, QList<qsizetype>({1, 2, 2, 3}));
    QCOMPARE(folders, QStringList({"/sel/Docs", "/sel/Docs", "/sel/Docs/Old", "/sel/Docs/Old"}));
}

void TestListingBuilder::cancelFromYieldEndsBuild()
{
    struct Cancelled {};
    FakeFileSystem fs;
    addChain(fs);
    ListingText listing;
    int yields = 0;
    QVERIFY_THROWS_EXCEPTION(Cancelled, buildListing(optionsFor(QStringLiteral("/r"), QStringLiteral("5")),
                                                     QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                                                     [&](const ListingProgress &) {
                                                         if (++yields == 2)
                                                             throw Cancelled{};
                                                     }));
    QCOMPARE(fs.buildsEnded(), 1);
    QCOMPARE(firstCells(listing), QStringList({"-  r.txt", "-  q.txt", "+ A", "    + B"}));
}

void TestListingBuilder::secondBuildDuringYieldIsRefused()
{
    FakeFileSystem fs;
    FakeFileSystem other;
    addWorkedExample(fs);
    addWorkedExample(other);
    ListingText listing;
    ListingText second;
    int refusals = 0;
    const auto tryBuild = [&](FakeFileSystem &component, ListingText &out) {
        QVERIFY_THROWS_EXCEPTION(std::logic_error, buildListing(optionsFor(QStringLiteral("/sel")),
                                                                QStringLiteral("\t"), QStringLiteral("\r\n"),
                                                                component, out));
        ++refusals;
    };
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &) {
                     tryBuild(fs, second);
                     tryBuild(other, listing);
                 });
    QCOMPARE(refusals, 4);
    QCOMPARE(other.buildsBegun(), 0);
    QVERIFY(second.ListHeader.isEmpty());
    QCOMPARE(listing.ListBody, build(other, optionsFor(QStringLiteral("/sel"))).ListBody);
    verifyRowsMatchBody(listing);

    // Once the first build is over, the next one runs.
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, second);
    QCOMPARE(second.ListBody, listing.ListBody);
}

void TestListingBuilder::onlyListedLevelsAreRead()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingOptions options = optionsFor(QStringLiteral("/sel"), QStringLiteral("1"));
    options.printSize = 0;
    options.printDate = 0;
    options.printFiles = 0;
    const ListingText listing = build(fs, options);

    // No sizes, no dates, no files: only the top folder's sub-folders are asked for.
    QCOMPARE(fs.calls(), QStringList({"GetFolder /sel", "SubFolders /sel"}));
    QCOMPARE(firstCells(listing), QStringList({"+ Docs"}));
}

QTEST_GUILESS_MAIN(TestListingBuilder)
#include "tst_listingbuilder.moc"
