#include "FakeFileSystem.h"

#include "ListingChecks.h"
#include "listing/ListingBuilder.h"
#include "listing/NamePattern.h"

#include <QDateTime>
#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <ctime>

namespace {

using Failure = FakeFileSystem::Failure;

FileTime at(const QDateTime &local)
{
    return FileTime(std::chrono::seconds(local.toSecsSinceEpoch()));
}

FileTime noon(int year, int month, int day)
{
    return at(QDateTime(QDate(year, month, day), QTime(12, 0)));
}

// The worked example: notes.txt beside Docs (Old with x.txt, report.doc), added out of name order.
void addWorkedExample(FakeFileSystem &fs)
{
    fs.addFolder("/sel", noon(2001, 1, 1));
    fs.addFolder("/sel/Docs", noon(2001, 1, 2));
    fs.addFile("/sel/Docs/report.doc", 10240, noon(2001, 2, 5));
    fs.addFolder("/sel/Docs/Old", noon(2000, 12, 1));
    fs.addFile("/sel/Docs/Old/x.txt", 2048, noon(2000, 12, 1));
    fs.addFile("/sel/notes.txt", 1536, noon(2001, 3, 7));
}

// r.txt beside A > B > C ..., each folder holding one file named after it; sizes in KB, r.txt's first.
void addChain(FakeFileSystem &fs, const QByteArray &top, const QByteArray &folders, QList<int> sizes = {},
              FileTime when = {}, const QByteArray &mounted = {})
{
    fs.addFolder(top, when);
    fs.addFile(top + "/r.txt", 1024 * sizes.value(0), when);
    QByteArray path = top;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        path += '/' + folders.mid(i, 1);
        fs.addFolder(path, when, path == mounted ? VirtualFileSystem::Proc : VirtualFileSystem::None);
        fs.addFile(path + '/' + folders.mid(i, 1).toLower() + ".txt", 1024 * sizes.value(i + 1), when);
    }
}

// Hidden entries, names of every case, a folder that cannot be opened, a sparse file and a file with two names.
void addChoicesTree(FakeFileSystem &fs)
{
    fs.addFolder("/c");
    for (const auto &[name, kb, day] : {std::tuple{".hidden.txt", 1, 1}, {"a.JPG", 4, 1}, {"b.jpg", 4, 3},
                                        {"c.png", 8, 3}, {"notes", 16, 2}})
        fs.addFile(QByteArray("/c/") + name, kb * 1024, noon(2001, 1, day));
    fs.setDisk("/c/.hidden.txt", 4096);
    fs.setDisk("/c/a.JPG", 4096);
    fs.setDisk("/c/b.jpg", 4096);
    fs.setDisk("/c/notes", 16384);   // c.png is sparse: no blocks at all
    fs.addFolder("/c/.git", noon(2001, 1, 1));
    fs.addFile("/c/.git/config", 32 * 1024);
    fs.addFolder("/c/Empty", noon(2001, 1, 5));
    fs.addFile("/c/Empty/readme.md", 64 * 1024);
    fs.addFolder("/c/node_modules");
    fs.addFile("/c/node_modules/x.js", 1);
    fs.failOn("/c/node_modules", Failure::Open);
    fs.addFolder("/c/Photos", noon(2001, 1, 4));
    fs.addFolder("/c/Photos/.thumbs");
    for (const QByteArray path : {"/c/Photos/d.jpg", "/c/Photos/.thumbs/t.jpg"}) {
        fs.addFile(path, 128 * 1024);
        fs.setDisk(path, 128 * 1024, 7, 2);
    }
    fs.setDisk("/c/Photos", 4096);
    fs.setDisk("/c/Photos/.thumbs", 4096);
}

ListingOptions optionsFor(const QString &path, const QString &depth = QStringLiteral("2"))
{
    ListingOptions options;
    options.path = path;
    options.depth = ListingFormat::depthLevels(depth);
    return options;
}

ListingText build(FakeFileSystem &fs, const ListingOptions &options)
{
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);
    return listing;
}

} // namespace

Q_DECLARE_METATYPE(ListingChoices)

class TestListingBuilder : public QObject
{
    Q_OBJECT

private slots:
    // Dates are local: a zone away from UTC, with daylight saving, shows mix-ups.
    void initTestCase() { qputenv("TZ", "America/New_York"); tzset(); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void depthAndMarks_data()
    {
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QString>("dirMark");
        QTest::addColumn<QString>("fileMark");
        QTest::addColumn<QStringList>("expected");

        // In name order as read, ties by bytes, whatever order they came in.
        QTest::newRow("10 lists whatever there is, four blanks a level")
            << "10" << "+" << "-"
            << QStringList{"-  Q.txt", "-  q.txt", "-  R.txt", "-  r.txt", "+ A", "    + B", "        + C",
                           "            + D", "                + E", "                      -  e.txt",
                           "                  -  d.txt", "              -  c.txt", "     -  b.txt", "  -  a.txt",
                           "+ Z", "  -  b", "  -  \u00e4a", "  -  \u00c4b"};
        QTest::newRow("long marks are copied whole")
            << "2" << "[D]" << "(file)"
            << QStringList{"(file)  Q.txt", "(file)  q.txt", "(file)  R.txt", "(file)  r.txt", "[D] A",
                           "    [D] B", "     (file)  b.txt", "  (file)  a.txt", "[D] Z", "  (file)  b",
                           "  (file)  \u00e4a", "  (file)  \u00c4b"};
    }

    void depthAndMarks()
    {
        QFETCH(QString, depth);
        QFETCH(QString, dirMark);
        QFETCH(QString, fileMark);
        QFETCH(QStringList, expected);

        FakeFileSystem fs;
        addChain(fs, "/r", "ABCDE");
        for (const char *name : {"q.txt", "R.txt", "Q.txt"})
            fs.addFile(QByteArray("/r/") + name, 0);
        fs.addFolder("/r/Z");
        for (const char *name : {"\xc3\x84" "b", "b", "\xc3\xa4" "a"})
            fs.addFile(QByteArray("/r/Z/") + name, 0);
        ListingOptions options = optionsFor(QStringLiteral("/r"), depth);
        options.sizes = options.dates = false;
        options.dirMark = dirMark;
        options.fileMark = fileMark;
        QCOMPARE(shownRows(build(fs, options)), expected);
    }

    void deepTrees_data()
    {
        QTest::addColumn<QString>("depth");
        QTest::addColumn<int>("listed");     // folders listed of the 300 in the chain

        QTest::newRow("300 deep, all listed: levels go on past 255") << "300" << 300;
        QTest::newRow("300 deep, 260 listed: the deepest holds the rest in its size") << "260" << 260;
    }

    void deepTrees()
    {
        QFETCH(QString, depth);
        QFETCH(int, listed);

        FakeFileSystem fs;
        QByteArray path = "/deep";
        fs.addFolder(path);
        for (int level = 1; level <= 300; ++level)
            fs.addFolder(path += "/f");
        fs.addFile(path + "/x", 2048);
        ListingOptions options = optionsFor(QStringLiteral("/deep"), depth);
        options.files = options.dates = false;
        const ListingText listing = build(fs, options);
        QCOMPARE(listing.rows.size(), listed);
        for (int i = 0; i < listed; ++i) {
            QCOMPARE(listing.rows[i].level, i + 1);
            QCOMPARE(listing.cell(listing.rows[i], 0), QString(4 * i, u' ') + "+ f");
            QCOMPARE(listing.cell(listing.rows[i], 1), u"2");
        }
    }

    void workedExample_data()
    {
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QList<bool>>("switches");   // files, size, date
        QTest::addColumn<QString>("width");          // typed for the first column
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("body");

        const QList<bool> on{true, true, true};
        const QString all = QStringLiteral("Sub-Directories|Size (KB)|Date;");
        QTest::newRow("depth 2") << "2" << on << "4000" << "4000|>1000|>1000;" << all
                                 << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;    + Old|2|12/1/2000;"
                                    "     -  x.txt|2|12/1/2000;  -  report.doc|10|2/5/2001;";
        QTest::newRow("depth 1: Old counted, not listed")
            << "1" << on << "4000" << "4000|>1000|>1000;" << all
            << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;  -  report.doc|10|2/5/2001;";
        QTest::newRow("files off keeps the first heading; a width read past blanks, then to a comma")
            << "1" << QList<bool>{false, true, true} << " 12 00,5" << "1200|>1000|>1000;" << all
            << ";+ Docs|12|1/2/2001;";
        QTest::newRow("all off; 4000.50 is 4000.5")
            << "1" << QList<bool>{false, false, false} << "4000.50" << "4000.5;" << "Sub-Directories;" << ";+ Docs;";
    }

    void workedExample()
    {
        QFETCH(QString, depth);
        QFETCH(QList<bool>, switches);
        QFETCH(QString, width);
        QFETCH(QString, format);
        QFETCH(QString, header);
        QFETCH(QString, body);

        FakeFileSystem fs;
        addWorkedExample(fs);
        ListingOptions options = optionsFor(QStringLiteral("/sel"), depth);
        options.files = switches[0];
        options.sizes = switches[1];
        options.dates = switches[2];
        options.widths[0] = ListingFormat::readWidth(width);
        const ListingText listing = build(fs, options);

        QCOMPARE(listing.ListFormat, format);
        QCOMPARE(listing.ListHeader, header);
        QCOMPARE(listing.ListBody, body);
        QVERIFY(listing.problems.isEmpty());
    }

    void choices_data()
    {
        QTest::addColumn<ListingChoices>("choices");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QStringList>("rows");   // "name|KB"
        QTest::addColumn<QString>("line");       // the line under the title

        const QString unreadable = QStringLiteral("+ node_modules|? (unreadable)");
        const QStringList photos{"+ Photos|256", "    + .thumbs|128", "     -  t.jpg|128", "  -  d.jpg|128"};
        const QStringList away{"node_modules", ".git", "Empty"};
        const QStringList onDisk{"-  .hidden.txt|4", "-  a.JPG|4", "-  b.jpg|4", "-  c.png|0", "-  notes|16"};
        QTest::newRow("include *.jpg, case folded; folders walked, counting what is listed")
            << ListingChoices{.include = {"*.jpg"}} << 2
            << QStringList{"-  a.JPG|4", "-  b.jpg|4", "+ .git|0", "+ Empty|0", unreadable} + photos << "Only *.jpg";
        QTest::newRow("case matched; a skipped folder is never opened")
            << ListingChoices{.include = {"*.JPG", "*.png"}, .skip = {"node_modules"}, .matchCase = true} << 2
            << QStringList{"-  a.JPG|4", "-  c.png|8", "+ .git|0", "+ Empty|0", "+ Photos|0", "    + .thumbs|0"}
            << "Only *.JPG; *.png \u00b7 skipping node_modules \u00b7 matching case";
        QTest::newRow("skip files and folders by name and by set")
            << ListingChoices{.skip = {".git", "*.md", "[a-b].*"}} << 2
            << QStringList{"-  .hidden.txt|1", "-  c.png|8", "-  notes|16", "+ Empty|0", unreadable} + photos
            << "Skipping .git; *.md; [a-b].*";
        QTest::newRow("hidden entries left out with what they hold")
            << ListingChoices{.skip = {"node_modules"}, .hidden = false} << 2
            << QStringList{"-  a.JPG|4", "-  b.jpg|4", "-  c.png|8", "-  notes|16", "+ Empty|64", "  -  readme.md|64",
                           "+ Photos|128", "  -  d.jpg|128"}
            << "Skipping node_modules \u00b7 hidden entries left out";
        QTest::newRow("folders with nothing listed left out, one not read kept")
            << ListingChoices{.include = {"*.jpg"}, .pruneEmpty = true} << 2
            << QStringList{"-  a.JPG|4", "-  b.jpg|4", unreadable} + photos
            << "Only *.jpg \u00b7 folders with nothing listed left out";
        QTest::newRow("space on disk: blocks, none for a sparse file, a folder's own")
            << ListingChoices{.skip = away, .sizes = SizeMeasure::DiskUsage} << 2
            << onDisk + QStringList{"+ Photos|264", "    + .thumbs|132", "     -  t.jpg|128", "  -  d.jpg|128"}
            << "Skipping node_modules; .git; Empty \u00b7 sizes on disk";
        QTest::newRow("space on disk, a file of two names counted once in a folder")
            << ListingChoices{.skip = away, .sizes = SizeMeasure::DiskUsage, .linksOnce = true} << 2
            << onDisk + QStringList{"+ Photos|136", "    + .thumbs|132", "     -  t.jpg|128", "  -  d.jpg|128"}
            << "Skipping node_modules; .git; Empty \u00b7 sizes on disk \u00b7 hard links counted once";
        QTest::newRow("links once below the listed depth")
            << ListingChoices{.skip = away, .linksOnce = true} << 1
            << QStringList{"-  .hidden.txt|1", "-  a.JPG|4", "-  b.jpg|4", "-  c.png|8", "-  notes|16", "+ Photos|128",
                           "  -  d.jpg|128"}
            << "Skipping node_modules; .git; Empty \u00b7 hard links counted once";
        const QStringList empty{"+ Empty|64", "  -  readme.md|64"}, photo{"+ Photos|128", "  -  d.jpg|128"};
        const auto sorted = [](ListingOrder order) {
            return ListingChoices{.skip = {"node_modules"}, .hidden = false, .order = order};
        };
        const QString line = QStringLiteral("Skipping node_modules \u00b7 hidden entries left out");
        QTest::newRow("largest first; ties in name order") << sorted(ListingOrder::Size) << 2
            << QStringList{"-  notes|16", "-  c.png|8", "-  a.JPG|4", "-  b.jpg|4"} + photo + empty << line;
        QTest::newRow("newest first; ties in name order") << sorted(ListingOrder::Date) << 2
            << QStringList{"-  b.jpg|4", "-  c.png|8", "-  notes|16", "-  a.JPG|4"} + empty + photo << line;
        QTest::newRow("by extension, none first, JPG and jpg as one") << sorted(ListingOrder::Extension) << 2
            << QStringList{"-  notes|16", "-  a.JPG|4", "-  b.jpg|4", "-  c.png|8"} + empty + photo << line;
    }

    void choices()
    {
        QFETCH(ListingChoices, choices);
        QFETCH(int, depth);
        QFETCH(QStringList, rows);
        QFETCH(QString, line);

        for (const int readers : {0, 3}) {
            FakeFileSystem fs;
            fs.setReaderThreads(readers);
            addChoicesTree(fs);
            ListingOptions options = optionsFor(QStringLiteral("/c"), QString::number(depth));
            options.dates = false;
            options.choices = choices;
            const ListingText listing = build(fs, options);
            QCOMPARE(shownRows(listing), rows);
            QCOMPARE(listing.choicesLine, line);
            const QStringList problems = ListingFormat::problemLines(listing);
            QCOMPARE(problems, rows.contains(u"+ node_modules|? (unreadable)")
                                   ? QStringList{"/c/node_modules: Permission denied"} : QStringList());
        }
    }

    // The columns the dialog adds, and the totals line, over the choices tree (dates off).
    void moreColumns_data()
    {
        QTest::addColumn<ListingChoices>("choices");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("totals");
        using enum ListingColumn;
        QTest::newRow("counts follow the filters and links once; none on file rows")
            << ListingChoices{.skip = {"node_modules", "*.md"}, .linksOnce = true, .columns = {Files, Folders}}
            << QStringList{"-  .hidden.txt|1||", "-  a.JPG|4||", "-  b.jpg|4||", "-  c.png|8||", "-  notes|16||",
                           "+ .git|32|1|0", "  -  config|32||", "+ Empty|0|0|0", "+ Photos|128|1|1",
                           "    + .thumbs|128|1|0", "     -  t.jpg|128||", "  -  d.jpg|128||"}
            << "4 folders, 7 files, 193 KB";
        QTest::newRow("a folder not read: its counts ?, the totals +, sizes off")
            << ListingChoices{.include = {"*.md"}, .hidden = false, .columns = {Files, Folders}}
            << QStringList{"+ Empty|1|0", "  -  readme.md||", "+ node_modules|?|? (unreadable)", "+ Photos|0|0"}
            << "3+ folders, 1+ files";
        QTest::newRow("details; an owner with no name, a birth time not kept: ?")
            << ListingChoices{.include = {"notes", "d.jpg"}, .skip = {".*", "node_modules", "Empty"},
                              .columns = {Time, Owner, Permissions, Created, Path}}
            << QStringList{"-  notes|16|12:00 PM|4000000|-rwsr-x--T|6/1/2000|notes",
                           "+ Photos|128|12:00 PM|root|drwxr-xr-x|?|Photos", "  -  d.jpg|128|7:00 PM|root|-rw-r--r--|?|Photos/d.jpg"}
            << "144 KB";
    }
    void moreColumns()
    {
        QFETCH(ListingChoices, choices);
        QFETCH(QStringList, rows);
        QFETCH(QString, totals);
        FakeFileSystem fs;
        addChoicesTree(fs);
        fs.setOwner("/c/notes", 4000000, 0105750, at(QDateTime(QDate(2000, 6, 1), QTime(9, 0))).time_since_epoch().count());
        ListingOptions options = optionsFor(QStringLiteral("/c"), QStringLiteral("2"));
        options.dates = false;
        options.sizes = !choices.include.contains("*.md");
        options.choices = choices;
        const ListingText listing = build(fs, options);
        QCOMPARE(shownRows(listing), rows);
        QCOMPARE(listing.totals.line, totals);
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QStringList>("matched");   // of the names below; or the problem
        QTest::newRow("a star takes a leading dot; case folded") << "*.txt" << false
            << QStringList{"a.TXT", "b.txt", ".txt"};
        QTest::newRow("case matched") << "*.txt" << true << QStringList{"b.txt", ".txt"};
        QTest::newRow("sets, ranges, negation and one character")
            << "[!a-b]?[x1]*" << false << QStringList{".txt", "x[1]"};
        QTest::newRow("a literal ] first in a set, an escaped [") << "[]x]\\[1*" << false << QStringList{"x[1]"};
        QTest::newRow("\\* takes only a star") << "\\*" << false << QStringList{"*"};
        QTest::newRow("Unicode folded") << "\u00e9T\u00c9.*" << false << QStringList{"\u00c9t\u00e9.doc"};
        QTest::newRow("a name not UTF-8 still matches") << "?.doc" << false << QStringList{"\ufffd.doc"};
        QTest::newRow("unclosed set") << "*.[ch" << false << QStringList{"\"*.[ch\" has a \"[\" with no \"]\" to close it"};
        QTest::newRow("lone backslash at the end") << "a\\" << false << QStringList{"\"a\\\" ends in a \"\\\" with nothing after it"};
        QTest::newRow("a path") << "src/*.o" << false
            << QStringList{"\"src/*.o\" holds a \"/\": a pattern matches names, not paths"};
        QTest::newRow("a range backwards") << "[z-a]" << false << QStringList{"\"[z-a]\" has a range that runs backwards: \"z-a\""};
    }

    void patterns()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, matchCase);
        QFETCH(QStringList, matched);
        if (const QString problem = NamePattern::problem(pattern); !problem.isEmpty()) {
            QCOMPARE(QStringList{problem}, matched);
            return;
        }
        const NameFilter filter(ListingChoices{.include = {pattern}, .matchCase = matchCase});
        QStringList found;
        for (const QByteArray name : {"a.TXT", "b.txt", ".txt", "x[1]", "\xc3\x89t\xc3\xa9.doc", "\xff.doc", "*"}) {
            if (filter.keeps(name, false))
                found << QString::fromUtf8(name);
        }
        QCOMPARE(found, matched);
    }

    void cells_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QDateTime>("modified");
        QTest::addColumn<QString>("row");

        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QDateTime march7(QDate(2001, 3, 7), QTime(12, 0));
        QTest::newRow("512 bytes rounds half up to 1; year before 1970")
            << us << qint64(512) << QDateTime(QDate(1969, 7, 20), QTime(20, 17)) << "-  f|1|7/20/1969";
        // The worked example's dates in each locale's short date, with four-digit years.
        QTest::newRow("German: groups with a point, day first")
            << QLocale(QLocale::German, QLocale::Germany) << qint64(1264128) << march7 << "-  f|1.235|07.03.2001";
        QTest::newRow("British English: day first")
            << QLocale(QLocale::English, QLocale::UnitedKingdom) << qint64(10240)
            << QDateTime(QDate(2001, 2, 5), QTime(12, 0)) << "-  f|10|05/02/2001";
        QTest::newRow("Japanese: year first")
            << QLocale(QLocale::Japanese, QLocale::Japan) << qint64(2048)
            << QDateTime(QDate(2000, 12, 1), QTime(12, 0)) << "-  f|2|2000/12/01";
        QTest::newRow("US English: month first")
            << us << qint64(0) << QDateTime(QDate(2001, 1, 2), QTime(12, 0)) << "-  f|0|1/2/2001";
        // 14 March 2021 lasted 23 hours: a day taken as 24 hours would put 00:30 on the 15th on the 14th.
        QTest::newRow("day after a 23-hour day")
            << us << qint64(0) << QDateTime(QDate(2021, 3, 15), QTime(0, 30)) << "-  f|0|3/15/2021";
    }

    void cells()
    {
        QFETCH(QLocale, locale);
        QFETCH(qint64, bytes);
        QFETCH(QDateTime, modified);
        QFETCH(QString, row);

        QLocale::setDefault(locale);
        FakeFileSystem fs;
        fs.addFolder("/d");
        // A neighbour on the day before first, so a remembered day cannot answer.
        fs.addFile("/d/a", 0, at(modified.addSecs(-23 * 3600)));
        fs.addFile("/d/" + row.section(u'|', 0, -3).mid(3).toUtf8(), bytes, at(modified));
        QCOMPARE(shownRows(build(fs, optionsFor(QStringLiteral("/d")))).last(), row);
    }

    void unreadableParts_data()
    {
        QTest::addColumn<QStringList>("failures");   // "kind path", or "depth N" for other than 3
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("problems");

        // /t holds r.txt and A > B > C > D, one file each; listed 3 deep, D and d.txt count only in sizes.
        const QString d = QStringLiteral("|3/7/2001"), inc = d + " (incomplete)", unr = QStringLiteral(" (unreadable)");
        const QString denied = QStringLiteral(": Permission denied");
        QTest::newRow("nothing fails") << QStringList()
            << QStringList{"-  r.txt|1" + d, "+ A|5" + d, "    + B|3" + d, "        + C|2" + d,
                           "              -  c.txt|1" + d, "     -  b.txt|1" + d, "  -  a.txt|2" + d} << QStringList();
        QTest::newRow("details of a top file") << QStringList{"details /t/r.txt"} << QStringList{"-  r.txt|?|?" + unr}
                                               << QStringList{"/t/r.txt" + denied};
        QTest::newRow("details of a level-1 file") << QStringList{"details /t/A/a.txt"}
            << QStringList{"-  r.txt|1" + d, "+ A|3+" + inc, "    + B|3" + d} << QStringList{"/t/A/a.txt" + denied};
        QTest::newRow("level-2 folder cannot be opened") << QStringList{"open /t/A/B"}
            << QStringList{"-  r.txt|1" + d, "+ A|2+" + inc, "    + B|?" + d + unr, "  -  a.txt|2" + d}
            << QStringList{"/t/A/B" + denied};
        QTest::newRow("level-3 folder cannot be read, nor a level-1 file")
            << QStringList{"read /t/A/B/C", "details /t/A/a.txt"}
            << QStringList{"-  r.txt|1" + d, "+ A|1+" + inc, "    + B|1+" + inc, "        + C|?" + d + unr,
                           "     -  b.txt|1" + d, "  -  a.txt|?|?" + unr}
            << QStringList{"/t/A/B/C" + denied, "/t/A/a.txt" + denied};
        QTest::newRow("below the listed depth: reported with its listed ancestor")
            << QStringList{"open /t/A/B/C/D", "details /t/A/B/b.txt"}
            << QStringList{"-  r.txt|1" + d, "+ A|3+" + inc, "    + B|1+" + inc, "        + C|1+" + inc,
                           "              -  c.txt|1" + d, "     -  b.txt|?|?" + unr}
            << QStringList{"/t/A/B/C/D" + denied, "/t/A/B/b.txt" + denied};
        // An unlisted subtree is read in one go, its deeper folders handed on past a reader's handles.
        QTest::newRow("two below the listed depth") << QStringList{"depth 2", "open /t/A/B/C/D"}
            << QStringList{"-  r.txt|1" + d, "+ A|4+" + inc, "    + B|2+" + inc} << QStringList{"/t/A/B/C/D" + denied};
        QTest::newRow("three below the listed depth") << QStringList{"depth 1", "read /t/A/B/C/D"}
            << QStringList{"-  r.txt|1" + d, "+ A|4+" + inc, "  -  a.txt|2" + d} << QStringList{"/t/A/B/C/D" + denied};
        QTest::newRow("details of a listed folder: date unknown, size whole") << QStringList{"details /t/A/B"}
            << QStringList{"-  r.txt|1" + d, "+ A|5" + d, "    + B|3|?" + unr} << QStringList{"/t/A/B" + denied};
        QTest::newRow("vanished entries are left out, not reported")
            << QStringList{"vanish /t/A/B/C", "vanish /t/A/a.txt"}
            << QStringList{"-  r.txt|1" + d, "+ A|1" + d, "    + B|1" + d, "     -  b.txt|1" + d} << QStringList();
        QTest::newRow("proc mounted on a listed folder") << QStringList{"proc /t/A/B"}
            << QStringList{"-  r.txt|1" + d, "+ A|2" + d, "    + B|0" + d + " (not entered)", "  -  a.txt|2" + d}
            << QStringList{"/t/A/B: proc file system, not entered"};
    }

    void unreadableParts()
    {
        QFETCH(QStringList, failures);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, problems);

        // In the build's own order, and by readers ahead of it reopening each folder from the top: one listing.
        for (const int readers : {0, 3}) {
            FakeFileSystem fs;
            fs.setReaderThreads(readers);
            fs.setHandleBudget(readers ? 0 : 100);
            const QStringList mounted = failures.filter(QStringLiteral("proc "));
            addChain(fs, "/t", "ABCD", {1, 2, 1, 1, 1}, noon(2001, 3, 7),
                     mounted.value(0).mid(5).toUtf8());
            static const QStringList kinds{"open", "read", "details", "vanish"};
            for (const QString &failure : failures) {
                if (const qsizetype kind = kinds.indexOf(failure.section(u' ', 0, 0)); kind >= 0)
                    fs.failOn(failure.section(u' ', 1).toUtf8(), Failure(kind));
            }
            const QString depth = failures.filter(QStringLiteral("depth ")).value(0, QStringLiteral("depth 3")).mid(6);
            const ListingText listing = build(fs, optionsFor(QStringLiteral("/t"), depth));

            QCOMPARE(shownRows(listing).mid(0, rows.size()), rows);
            QCOMPARE(ListingFormat::problemLines(listing), problems);
            if (problems.size() > 1)
                QCOMPARE(ListingFormat::problemLines(listing, 1).last(), QStringLiteral("\u2026 and 1 more"));
            QCOMPARE(fs.openNow(), 0);
        }
    }

    // Readers racing over one tree, with handles so few that folders are opened again from the top, and
    // failures scattered through it: every count of readers, chunk size and call latency (folders' calls side
    // by side or in turn, entries' types listed or not) gives the listing the build alone gives.
    void manyReaders_data()
    {
        QTest::addColumn<int>("readers");
        QTest::addColumn<int>("budget");
        QTest::addColumn<QString>("depth");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<int>("latency");       // microseconds a call takes
        QTest::addColumn<bool>("serialised");   // a folder's calls one at a time
        QTest::addColumn<bool>("untyped");      // the listing tells no folder from a file
        QTest::addColumn<ListingChoices>("choices");
        QTest::newRow("64 readers, one handle, all listed") << 64 << 1 << QStringLiteral("9") << 64 << 0 << false << false << ListingChoices();
        QTest::newRow("16 readers, two handles, most of it below the listed depth") << 16 << 2 << QStringLiteral("2") << 64 << 0 << false << false << ListingChoices();
        QTest::newRow("3 readers, no handle kept, one level listed") << 3 << 0 << QStringLiteral("1") << 64 << 0 << false << false << ListingChoices();
        QTest::newRow("64 readers, chunks of 1, 300 us calls side by side") << 64 << 8 << QStringLiteral("9") << 1 << 300 << false << false << ListingChoices();
        QTest::newRow("16 readers, chunks of 3, 1 ms calls in turn, untyped") << 16 << 1 << QStringLiteral("3") << 3 << 1000 << true << true << ListingChoices();
        QTest::newRow("8 readers, chunks of 2, 1 ms calls, below the listed depth") << 8 << 0 << QStringLiteral("1") << 2 << 1000 << false << false << ListingChoices();
        QTest::newRow("8 readers, skipping, leaving out, largest first")
            << 8 << 2 << QStringLiteral("3") << 64 << 0 << false << false << ListingChoices{.skip = {"?1"}, .pruneEmpty = true, .order = ListingOrder::Size};
        QTest::newRow("8 readers, chunks of 2, untyped, skipping, only f2, newest first")
            << 8 << 2 << QStringLiteral("3") << 2 << 300 << false << true << ListingChoices{.include = {"f2"}, .skip = {"?1"}, .order = ListingOrder::Date};
    }

    void manyReaders()
    {
        QFETCH(int, readers);
        QFETCH(int, budget);
        QFETCH(QString, depth);
        QFETCH(int, chunk);
        QFETCH(int, latency);
        QFETCH(bool, serialised);
        QFETCH(bool, untyped);
        QFETCH(ListingChoices, choices);

        for (const quint32 seed : {1u, 2u, 3u}) {
            QRandomGenerator random(seed);
            FakeFileSystem fs;
            fs.addFolder("/w");
            // Wide near the top, deep below: the queue hands folders on at every level.
            QByteArrayList folders{"/w"};
            for (int i = 0; i < 600; ++i) {
                const QByteArray parent = folders.at(random.bounded(std::max<int>(0, int(folders.size()) - 40), int(folders.size())));
                const QByteArray path = parent + '/' + QByteArray::number(i, 36);
                fs.addFolder(path);
                folders.append(path);
                for (int f = random.bounded(1, 4); f > 0; --f)
                    fs.addFile(path + "/f" + QByteArray::number(f), random.bounded(5000));
                static const Failure kinds[] = {Failure::Open, Failure::Read, Failure::Details, Failure::Vanish};
                if (random.bounded(9) == 0)
                    fs.failOn(random.bounded(2) ? path : path + "/f1", kinds[random.bounded(4)]);
            }
            ListingOptions options = optionsFor(QStringLiteral("/w"), depth);
            options.choices = choices;
            fs.setReaderThreads(0);
            fs.setLatency({}, false, untyped);
            const ListingText alone = build(fs, options);
            fs.setReaderThreads(readers);
            fs.setHandleBudget(budget);
            fs.setChunkSize(chunk);
            fs.setLatency(std::chrono::microseconds(latency), serialised, untyped);
            for (int run = 0; run < 3; ++run) {
                const ListingText raced = build(fs, options);
                QCOMPARE(shownRows(raced), shownRows(alone));
                QCOMPARE(ListingFormat::problemLines(raced, 1 << 20), ListingFormat::problemLines(alone, 1 << 20));
                QCOMPARE(fs.openNow(), 0);
            }
        }
    }

    void cancelThenNextBuild()
    {
        struct Cancelled {};
        FakeFileSystem fs;
        addChain(fs, "/r", "ABCDE");
        fs.setReaderThreads(2);
        fs.setHeartbeatInterval(std::chrono::hours(1));
        ListingText listing;
        QList<qsizetype> rowsAtYield;
        const auto cancelInB = [&](const ListingProgress &progress) {
            rowsAtYield.append(progress.entriesListed);
            if (progress.currentFolder == u"/r/A/B")
                throw Cancelled{};
        };
        QVERIFY_THROWS_EXCEPTION(Cancelled, buildListing(optionsFor("/r", "5"), "|", ";", fs, listing, cancelInB));
        // A yield after each folder row, none after a file row.
        QCOMPARE(rowsAtYield, QList<qsizetype>({2, 3}));
        QCOMPARE(shownRows(listing),
                 QStringList({"-  r.txt|0|12/31/1969", "+ A|0|12/31/1969", "    + B|0|12/31/1969"}));
        QCOMPARE(fs.openNow(), 0);
        // Once the first build is over, the next one runs.
        QCOMPARE(build(fs, optionsFor(QStringLiteral("/r"))).rows.size(), 5);
        // One that outgrows its bound stops and lets go of what it held.
        ListingOptions small = optionsFor(QStringLiteral("/r"), QStringLiteral("5"));
        small.maxBytes = 300;
        QVERIFY_THROWS_EXCEPTION(ListingTooLarge, buildListing(small, "|", ";", fs, listing));
        QVERIFY(listing.ListBody == ";" && listing.rows.isEmpty() && fs.openNow() == 0);
    }
};

QTEST_GUILESS_MAIN(TestListingBuilder)

#include "tst_listingbuilder.moc"
