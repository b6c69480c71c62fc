#include "FakeFileSystem.h"

#include "ListingChecks.h"
#include "listing/ListingBuilder.h"

#include <QDateTime>
#include <QLocale>
#include <QTest>

#include <ctime>
#include <stdexcept>

namespace {

using Failure = FakeFileSystem::Failure;

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
    fs.addFolder("/sel/Docs", localNoon(2001, 1, 2));
    fs.addFile("/sel/Docs/report.doc", 10240, localNoon(2001, 2, 5));
    fs.addFolder("/sel/Docs/Old", localNoon(2000, 12, 1));
    fs.addFile("/sel/Docs/Old/x.txt", 2048, localNoon(2000, 12, 1));
    fs.addFile("/sel/notes.txt", 1536, localNoon(2001, 3, 7));
}

// r.txt and q.txt beside Z and A; A > B > C > D > E, each holding one file
// named after it. Added out of name order: the listing comes in name order.
void addChain(FakeFileSystem &fs)
{
    fs.addFolder("/r");
    fs.addFile("/r/r.txt", 0);
    fs.addFile("/r/q.txt", 0);
    fs.addFolder("/r/Z");
    QByteArray path = "/r";
    for (char c : QByteArray("ABCDE")) {
        path += QByteArray("/") + c;
        fs.addFolder(path);
        fs.addFile(path + '/' + char(c + ('a' - 'A')) + ".txt", 0);
    }
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
    void workedExample_data();
    void workedExample();
    void cells_data();
    void cells();
    void namesWithSeparators();
    void unreadableParts_data();
    void unreadableParts();
    void problemLines_data();
    void problemLines();
    void detailsForExports();
    void yieldsAfterFolderRowsOnly();
    void cancelAndSecondBuild();
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

    const QStringList one{"-  q.txt", "-  r.txt", "+ A", "  -  a.txt", "+ Z"};
    const QStringList two{"-  q.txt", "-  r.txt", "+ A", "    + B", "     -  b.txt", "  -  a.txt", "+ Z"};
    const QStringList three{"-  q.txt", "-  r.txt", "+ A", "    + B", "        + C", "              -  c.txt",
                            "     -  b.txt", "  -  a.txt", "+ Z"};
    const QStringList all{"-  q.txt", "-  r.txt", "+ A", "    + B", "        + C", "            + D",
                          "                + E", "                      -  e.txt", "                  -  d.txt",
                          "              -  c.txt", "     -  b.txt", "  -  a.txt", "+ Z"};

    QTest::newRow("1 lists level 1 and its files") << "1" << "+" << "-" << one;
    QTest::newRow("2 adds level 2") << "2" << "+" << "-" << two;
    QTest::newRow("3 adds level 3, its files 14 blanks in") << "3" << "+" << "-" << three;
    QTest::newRow("10 lists whatever there is, four blanks a level") << "10" << "+" << "-" << all;
    QTest::newRow("huge number lists whatever there is") << "99999999999999999999" << "+" << "-" << all;
    QTest::newRow("0 lists level 1") << "0" << "+" << "-" << one;
    QTest::newRow("a sign lists level 1") << "+2" << "+" << "-" << one;
    QTest::newRow("empty marks keep their blanks")
        << "2" << "" << "" << QStringList{"  q.txt", "  r.txt", " A", "     B", "       b.txt", "    a.txt", " Z"};
    QTest::newRow("long marks are copied whole")
        << "2" << "[D]" << "(file)"
        << QStringList{"(file)  q.txt", "(file)  r.txt", "[D] A", "    [D] B", "     (file)  b.txt",
                       "  (file)  a.txt", "[D] Z"};
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

    QCOMPARE(shownRows(listing), expected);
    verifyRowsMatchBody(listing);
    QCOMPARE(listing.rows.at(listing.rows.size() - 2).kind, ListingRowKind::File);
    QCOMPARE(listing.rows.at(listing.rows.size() - 2).level, 1);
}

void TestListingBuilder::workedExample_data()
{
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QList<int>>("switches");    // files, size, date
    QTest::addColumn<QString>("width");           // every column's
    QTest::addColumn<QString>("separators");      // column then row
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("body");

    const QList<int> on{1, 1, 1};
    QTest::newRow("document separators")
        << "2" << on << "1000" << "|;" << "1000|>1000|>1000;" << "Sub-Directories|Size (KB)|Date;"
        << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;    + Old|2|12/1/2000;     -  x.txt|2|12/1/2000;"
           "  -  report.doc|10|2/5/2001;";
    QTest::newRow("clipboard separators")
        << "2" << on << "1000" << "\t\r\n" << "1000|>1000|>1000;" << "Sub-Directories\tSize (KB)\tDate\r\n"
        << "\r\n-  notes.txt\t2\t3/7/2001\r\n+ Docs\t12\t1/2/2001\r\n    + Old\t2\t12/1/2000\r\n"
           "     -  x.txt\t2\t12/1/2000\r\n  -  report.doc\t10\t2/5/2001\r\n";
    QTest::newRow("depth 1 leaves Old out of the rows, not the total")
        << "1" << on << "1000" << "|;" << "1000|>1000|>1000;" << "Sub-Directories|Size (KB)|Date;"
        << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;  -  report.doc|10|2/5/2001;";
    QTest::newRow("size only, widths read as numbers") << "1" << QList<int>{1, 1, 0} << "12 00.50" << "|;"
                                                       << "1200.5|>1200.5;" << "Sub-Directories|Size (KB);"
                                                       << ";-  notes.txt|2;+ Docs|12;  -  report.doc|10;";
    QTest::newRow("date only, width stops at a comma")
        << "1" << QList<int>{1, 0, 1} << "1,000" << "|;" << "1|>1;" << "Sub-Directories|Date;"
        << ";-  notes.txt|3/7/2001;+ Docs|1/2/2001;  -  report.doc|2/5/2001;";
    QTest::newRow("files off keeps the first heading") << "1" << QList<int>{0, 1, 1} << "abc" << "|;"
                                                       << "0|>0|>0;" << "Sub-Directories|Size (KB)|Date;"
                                                       << ";+ Docs|12|1/2/2001;";
    QTest::newRow("grayed boxes count as off")
        << "1" << QList<int>{2, 2, 2} << "1000" << "|;" << "1000;" << "Sub-Directories;" << ";+ Docs;";
}

void TestListingBuilder::workedExample()
{
    QFETCH(QString, depth);
    QFETCH(QList<int>, switches);
    QFETCH(QString, width);
    QFETCH(QString, separators);
    QFETCH(QString, format);
    QFETCH(QString, header);
    QFETCH(QString, body);

    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingOptions options = optionsFor(QStringLiteral("/sel"), depth);
    options.printFiles = switches[0];
    options.printSize = switches[1];
    options.printDate = switches[2];
    options.dirColWidth = options.sizeColWidth = options.dateColWidth = width;
    const ListingText listing = build(fs, options, {}, separators.left(1), separators.mid(1));

    QCOMPARE(listing.ListFormat, format);
    QCOMPARE(listing.ListHeader, header);
    QCOMPARE(listing.ListBody, body);
    QVERIFY(listing.problems.isEmpty());
    verifyRowsMatchBody(listing);
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
    fs.addFile("/d/a", 0, at(modified.addSecs(-23 * 3600)));
    fs.addFile("/d/f", bytes, at(modified));
    const ListingText listing = build(fs, optionsFor(QStringLiteral("/d")));

    QCOMPARE(shownRows(listing).last(), QStringLiteral("-  f|%1|%2").arg(size, date));
}

void TestListingBuilder::namesWithSeparators()
{
    for (const QByteArray name : {"a|b", "a;b", "a\tb", "a\r\nb"}) {
        for (const auto &[c, r] : {std::pair{"|", ";"}, std::pair{"\t", "\r\n"}}) {
            FakeFileSystem fs;
            fs.addFolder("/n");
            fs.addFolder("/n/" + name);
            fs.addFile("/n/" + name + "/" + name, 2048);
            ListingOptions options = optionsFor(QStringLiteral("/n"));
            options.printDate = 0;
            const ListingText listing = build(fs, options, {}, QString::fromLatin1(c), QString::fromLatin1(r));

            // The text holds the name untouched; the cells say where it ends.
            const QString shown = QString::fromLatin1(name);
            QCOMPARE(shownRows(listing), QStringList({"+ " + shown + "|2", "  -  " + shown + "|2"}));
            verifyRowsMatchBody(listing);
        }
    }
}

void TestListingBuilder::unreadableParts_data()
{
    QTest::addColumn<QStringList>("failures");   // "kind path"
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("problems");

    // /t holds top.txt and A > B > C > D, each folder holding one file; the
    // listing goes 3 levels deep, so D and d.txt count only in the sizes.
    const QString denied = QStringLiteral(": Permission denied");
    QTest::newRow("nothing fails")
        << QStringList() << QStringList{"-  top.txt|1|3/7/2001", "+ A|5|3/7/2001", "    + B|3|3/7/2001",
                                        "        + C|2|3/7/2001", "              -  c.txt|1|3/7/2001",
                                        "     -  b.txt|1|3/7/2001", "  -  a.txt|2|3/7/2001"}
        << QStringList();
    QTest::newRow("details of a top file")
        << QStringList{"details /t/top.txt"} << QStringList{"-  top.txt|?|? (unreadable)", "+ A|5|3/7/2001"}
        << QStringList{"/t/top.txt" + denied};
    QTest::newRow("details of a level-1 file")
        << QStringList{"details /t/A/a.txt"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|3+|3/7/2001 (incomplete)", "    + B|3|3/7/2001"}
        << QStringList{"/t/A/a.txt" + denied};
    QTest::newRow("level-2 folder cannot be opened")
        << QStringList{"open /t/A/B"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|2+|3/7/2001 (incomplete)", "    + B|?|3/7/2001 (unreadable)",
                       "  -  a.txt|2|3/7/2001"}
        << QStringList{"/t/A/B" + denied};
    QTest::newRow("level-3 folder cannot be read, nor a level-1 file")
        << QStringList{"read /t/A/B/C", "details /t/A/a.txt"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|1+|3/7/2001 (incomplete)", "    + B|1+|3/7/2001 (incomplete)",
                       "        + C|?|3/7/2001 (unreadable)", "     -  b.txt|1|3/7/2001",
                       "  -  a.txt|?|? (unreadable)"}
        << QStringList{"/t/A/B/C" + denied, "/t/A/a.txt" + denied};
    QTest::newRow("below the listed depth: reported with its listed ancestor")
        << QStringList{"open /t/A/B/C/D", "details /t/A/B/b.txt"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|3+|3/7/2001 (incomplete)", "    + B|1+|3/7/2001 (incomplete)",
                       "        + C|1+|3/7/2001 (incomplete)", "              -  c.txt|1|3/7/2001",
                       "     -  b.txt|?|? (unreadable)"}
        << QStringList{"/t/A/B/C/D" + denied, "/t/A/B/b.txt" + denied};
    QTest::newRow("a file below the listed depth")
        << QStringList{"details /t/A/B/C/D/d.txt"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|4+|3/7/2001 (incomplete)", "    + B|2+|3/7/2001 (incomplete)",
                       "        + C|1+|3/7/2001 (incomplete)"}
        << QStringList{"/t/A/B/C/D/d.txt" + denied};
    QTest::newRow("details of a listed folder: date unknown, size whole")
        << QStringList{"details /t/A/B"} << QStringList{"-  top.txt|1|3/7/2001", "+ A|5|3/7/2001",
                                                        "    + B|3|? (unreadable)", "        + C|2|3/7/2001"}
        << QStringList{"/t/A/B" + denied};
    QTest::newRow("vanished entries are left out, not reported")
        << QStringList{"vanish /t/A/B/C", "vanish /t/A/a.txt"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|1|3/7/2001", "    + B|1|3/7/2001", "     -  b.txt|1|3/7/2001"}
        << QStringList();
    QTest::newRow("proc mounted on a listed folder")
        << QStringList{"proc /t/A/B"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|2|3/7/2001", "    + B|0|3/7/2001 (not entered)",
                       "  -  a.txt|2|3/7/2001"}
        << QStringList{"/t/A/B: proc file system, not entered"};
    QTest::newRow("proc mounted below the listed depth")
        << QStringList{"proc /t/A/B/C/D"}
        << QStringList{"-  top.txt|1|3/7/2001", "+ A|4|3/7/2001", "    + B|2|3/7/2001", "        + C|1|3/7/2001"}
        << QStringList{"/t/A/B/C/D: proc file system, not entered"};
}

void TestListingBuilder::unreadableParts()
{
    QFETCH(QStringList, failures);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, problems);

    // Read in the build's own order, and by readers ahead of it with no
    // handle kept (each folder opened again from the top): the same listing.
    for (const int readers : {0, 3}) {
        FakeFileSystem fs;
        fs.setReaderThreads(readers);
        fs.setHandleBudget(readers ? 0 : 100);
        const FileTime march7 = localNoon(2001, 3, 7);
        fs.addFolder("/t", march7);
        fs.addFile("/t/top.txt", 1024, march7);
        QByteArray path = "/t";
        for (const char *name : {"A", "B", "C", "D"}) {
            const bool mounted = failures.contains(QLatin1String("proc ") + path + '/' + name);
            path += QByteArray("/") + name;
            fs.addFolder(path, march7, mounted ? VirtualFileSystem::Proc : VirtualFileSystem::None);
            fs.addFile(path + "/" + QByteArray(name).toLower() + ".txt", name[0] == 'A' ? 2048 : 1024, march7);
        }
        for (const QString &failure : failures) {
            const QString kind = failure.section(u' ', 0, 0);
            const QByteArray where = failure.section(u' ', 1).toUtf8();
            static const QStringList kinds{"open", "read", "details", "vanish"};
            if (kinds.contains(kind))
                fs.failOn(where, Failure(kinds.indexOf(kind)));
        }
        const ListingText listing = build(fs, optionsFor(QStringLiteral("/t"), QStringLiteral("3")));

        QCOMPARE(shownRows(listing).mid(0, rows.size()), rows);
        QCOMPARE(ListingFormat::problemLines(listing), problems);
        QCOMPARE(fs.openNow(), 0);
        verifyRowsMatchBody(listing);
    }
}

void TestListingBuilder::problemLines_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("none") << 0 << 1000 << QStringList();
    QTest::newRow("up to the limit") << 2 << 2 << QStringList{"/p0: Permission denied", "/p1: Permission denied"};
    QTest::newRow("past the limit") << 1235 << 1 << QStringList{"/p0: Permission denied", "\u2026 and 1,234 more"};
}

void TestListingBuilder::problemLines()
{
    QFETCH(int, count);
    QFETCH(int, limit);
    QFETCH(QStringList, expected);

    ListingText listing;
    for (int i = 0; i < count; ++i)
        listing.problems.append({"/p" + QByteArray::number(i), QStringLiteral("Permission denied")});
    QCOMPARE(ListingFormat::problemLines(listing, limit), expected);
}

void TestListingBuilder::detailsForExports()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    fs.addFile("/sel/Docs/bad\xff", 100, localNoon(2001, 3, 7));
    fs.failOn("/sel/Docs/Old/x.txt", Failure::Details);
    ListingOptions options = optionsFor(QStringLiteral("/sel"));
    options.dirIndicator = QStringLiteral("[D]");
    QVERIFY(build(fs, options).details.isEmpty());
    options.keepDetails = true;
    const ListingText listing = build(fs, options);

    // notes.txt, Docs, Old, x.txt, bad\xff, report.doc
    using D = ListingRowDetails;
    const QList<qint64> bytes{1536, 10340, 0, D::Unknown, 100, 10240};
    const QList<qsizetype> parents{-1, -1, 1, 2, 1, 1};
    const QList<qint32> nameStarts{3, 4, 8, 8, 5, 5};
    QCOMPARE(listing.details.size(), listing.rows.size());
    for (qsizetype i = 0; i < listing.rows.size(); ++i) {
        QCOMPARE(listing.details[i].bytes, bytes[i]);
        QCOMPARE(listing.details[i].parent, parents[i]);
        QCOMPARE(listing.details[i].nameStart, nameStarts[i]);
    }
    QCOMPARE(listing.details[1].modified, localNoon(2001, 1, 2).time_since_epoch().count());
    QCOMPARE(listing.details[3].modified, D::Unknown);
    QCOMPARE(listing.nativeNames, (QHash<qsizetype, QByteArray>{{4, "bad\xff"}}));
}

void TestListingBuilder::yieldsAfterFolderRowsOnly()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    fs.setHeartbeatInterval(std::chrono::milliseconds(0));
    ListingText listing;
    QList<qsizetype> rowsAtYield;
    QStringList folders;
    buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &progress) {
                     rowsAtYield.append(progress.entriesListed);
                     folders.append(progress.currentFolder);
                     verifyRowsMatchBody(listing);
                 });

    // Beats while /sel, Docs and Old are read (before Docs' row), then the
    // yields after the rows of Docs and Old; none after a file row.
    QCOMPARE(rowsAtYield, QList<qsizetype>({0, 1, 1, 2, 3}));
    QCOMPARE(folders, QStringList({"/sel", "/sel/Docs", "/sel/Docs", "/sel/Docs", "/sel/Docs/Old"}));
}

void TestListingBuilder::cancelAndSecondBuild()
{
    struct Cancelled {};
    FakeFileSystem fs;
    FakeFileSystem other;
    addChain(fs);
    addWorkedExample(other);
    fs.setReaderThreads(2);
    fs.setHeartbeatInterval(std::chrono::hours(1));
    ListingText listing;
    ListingText second;
    int yields = 0;
    const auto refused = [&](FakeFileSystem &component, ListingText &out) {
        QVERIFY_THROWS_EXCEPTION(std::logic_error,
                                 buildListing(optionsFor(QStringLiteral("/sel")), QStringLiteral("\t"),
                                              QStringLiteral("\r\n"), component, out));
    };
    QVERIFY_THROWS_EXCEPTION(Cancelled, buildListing(optionsFor(QStringLiteral("/r"), QStringLiteral("5")),
                                                     QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                                                     [&](const ListingProgress &) {
                                                         refused(fs, second);
                                                         refused(other, listing);
                                                         if (++yields == 2)
                                                             throw Cancelled{};
                                                     }));
    QCOMPARE(shownRows(listing), QStringList({"-  q.txt|0|12/31/1969", "-  r.txt|0|12/31/1969",
                                              "+ A|0|12/31/1969", "    + B|0|12/31/1969"}));
    QVERIFY(second.ListHeader.isEmpty());
    QCOMPARE(fs.openNow(), 0);
    QCOMPARE(other.foldersRead(), QStringList());

    // Once the first build is over, the next one runs.
    QCOMPARE(build(fs, optionsFor(QStringLiteral("/r"))).rows.size(), 7);
}

void TestListingBuilder::onlyListedLevelsAreRead()
{
    FakeFileSystem fs;
    addWorkedExample(fs);
    ListingOptions options = optionsFor(QStringLiteral("/sel"), QStringLiteral("1"));
    options.printSize = 0;
    options.printFiles = 0;
    const ListingText listing = build(fs, options);

    // No sizes, no files: only the top folder is read.
    QCOMPARE(fs.foldersRead(), QStringList({"/sel"}));
    QCOMPARE(shownRows(listing), QStringList({"+ Docs|1/2/2001"}));
}

QTEST_GUILESS_MAIN(TestListingBuilder)
#include "tst_listingbuilder.moc"
