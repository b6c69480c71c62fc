#include "ListingChecks.h"
#include "listing/ListingBuilder.h"
#include "listing/PosixFileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 localNoon(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 0)).toSecsSinceEpoch();
}

// Sets a path's modification time without following a link.
bool touch(const QByteArray &path, qint64 seconds)
{
    const timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    return utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

bool makeFile(const QByteArray &path, qint64 size, qint64 modified = 0)
{
    // Native calls: QFile cannot round-trip a name that is not UTF-8.
    const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool sized = ftruncate(fd, off_t(size)) == 0;
    close(fd);
    return sized && (modified == 0 || touch(path, modified));
}

bool makeFolder(const QByteArray &path)
{
    return mkdir(path.constData(), 0755) == 0;
}


ListingOptions optionsFor(const QByteArray &path, const char *depth)
{
    ListingOptions options;
    options.path = QFile::decodeName(path);
    options.nativePath = path;
    options.depthText = QString::fromLatin1(depth);
    return options;
}

} // namespace

class TestPosixFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workedExampleOnDisk_data();
    void workedExampleOnDisk();
    void enumerationIsCaseInsensitiveByName_data();
    void enumerationIsCaseInsensitiveByName();
    void symlinkLoopIsAFile();
    void specialFilesAreFiles();
    void nameThatIsNotUtf8();
    void namesAndPaths_data();
    void namesAndPaths();
    void openFailures_data();
    void openFailures();
    void folderVanishingDuringBuild();
    void eachEntryStatedOnce();
    void helperThreadChangesNothing();
    void heartbeatRunsDuringTotals();
    void heartbeatRunsWhileABigFolderIsRead();
    void cancelDuringTotalStopsCleanly();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray root() const { return QFile::encodeName(m_dir->path()); }
};

void TestPosixFileSystem::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPosixFileSystem::cleanup()
{
    QLocale::setDefault(QLocale::c());
    m_dir.reset();
}

void TestPosixFileSystem::workedExampleOnDisk_data()
{
    QTest::addColumn<QString>("cSeperator");
    QTest::addColumn<QString>("rSeperator");
    QTest::addColumn<QString>("body");

    QTest::newRow("document separators")
        << "|" << ";"
        << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;    + Old|2|12/1/2000;     -  x.txt|2|12/1/2000;"
           "  -  report.doc|10|2/5/2001;";
    QTest::newRow("clipboard separators")
        << "\t" << "\r\n"
        << "\r\n-  notes.txt\t2\t3/7/2001\r\n+ Docs\t12\t1/2/2001\r\n    + Old\t2\t12/1/2000\r\n"
           "     -  x.txt\t2\t12/1/2000\r\n  -  report.doc\t10\t2/5/2001\r\n";
}

void TestPosixFileSystem::workedExampleOnDisk()
{
    QFETCH(QString, cSeperator);
    QFETCH(QString, rSeperator);
    QFETCH(QString, body);

    const QByteArray sel = root();
    QVERIFY(makeFile(sel + "/notes.txt", 1536, localNoon(2001, 3, 7)));
    QVERIFY(makeFolder(sel + "/Docs"));
    QVERIFY(makeFolder(sel + "/Docs/Old"));
    QVERIFY(makeFile(sel + "/Docs/Old/x.txt", 2048, localNoon(2000, 12, 1)));
    QVERIFY(makeFile(sel + "/Docs/report.doc", 10240, localNoon(2001, 2, 5)));
    QVERIFY(touch(sel + "/Docs/Old", localNoon(2000, 12, 1)));
    QVERIFY(touch(sel + "/Docs", localNoon(2001, 1, 2)));

    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    ListingText listing;
    buildListing(optionsFor(sel, "2"), cSeperator, rSeperator, *fs, listing);

    QCOMPARE(listing.ListFormat, QStringLiteral("4000|>1000|>1000;"));
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories") + cSeperator + QStringLiteral("Size (KB)")
                                     + cSeperator + QStringLiteral("Date") + rSeperator);
    QCOMPARE(listing.ListBody, body);
    verifyRowsMatchBody(listing);
}

void TestPosixFileSystem::enumerationIsCaseInsensitiveByName_data()
{
    QTest::addColumn<QStringList>("created");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("ASCII names")
        << QStringList{"b", "A", "a", "B", "_x", "Z", "a0"}
        << QStringList{"_x", "A", "a", "a0", "B", "b", "Z"};
    QTest::newRow("names beyond ASCII")
        << QStringList{"\u00c4b", "b", "\u00e4a", "A", "a"}
        << QStringList{"A", "a", "b", "\u00e4a", "\u00c4b"};
}

void TestPosixFileSystem::enumerationIsCaseInsensitiveByName()
{
    QFETCH(QStringList, created);
    QFETCH(QStringList, listed);

    const QByteArray sel = root();
    for (const QString &name : created) {
        QVERIFY(makeFile(sel + "/f" + QFile::encodeName(name), 0));
        QVERIFY(makeFolder(sel + "/d" + QFile::encodeName(name)));
    }
    PosixFileSystem fs;
    std::shared_ptr<FileSystemFolder> folder = fs.GetFolder(sel);
    QStringList files;
    for (const FileSystemFile file : folder->Files())
        files.append(QFile::decodeName(file.Name().toByteArray()).mid(1));
    QStringList folders;
    for (const auto &sub : folder->SubFolders())
        folders.append(QFile::decodeName(sub->Name()).mid(1));
    QCOMPARE(files, listed);
    QCOMPARE(folders, listed);
}

void TestPosixFileSystem::symlinkLoopIsAFile()
{
    const QByteArray sel = root();
    QVERIFY(makeFolder(sel + "/sub"));
    QVERIFY(makeFile(sel + "/sub/data", 4096));
    QCOMPARE(symlink("..", (sel + "/sub/up").constData()), 0);
    QCOMPARE(symlink(sel.constData(), (sel + "/sub/abs").constData()), 0);

    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    ListingText listing;
    ListingOptions options = optionsFor(sel, "5");
    options.printDate = 0;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), *fs, listing);

    // The links are listed as files under their own names; nothing is counted twice.
    QCOMPARE(firstCells(listing), QStringList({"+ sub", "  -  abs", "  -  data", "  -  up"}));
    QCOMPARE(listing.rows.at(1).kind, ListingRowKind::File);
    QCOMPARE(listing.cell(listing.rows.at(0), 1).toString(),
             QString::number((4096 + 2 + sel.size() + 512) / 1024));
}

void TestPosixFileSystem::specialFilesAreFiles()
{
    const QByteArray sel = root();
    QCOMPARE(mkfifo((sel + "/pipe").constData(), 0644), 0);
    PosixFileSystem fs;
    std::shared_ptr<FileSystemFolder> folder = fs.GetFolder(sel);
    QCOMPARE(folder->Files().size(), 1);
    QCOMPARE(folder->Files().at(0).Name(), QByteArrayView("pipe"));
    QCOMPARE(folder->Files().at(0).Size(), 0);
    QVERIFY(folder->SubFolders().isEmpty());
}

void TestPosixFileSystem::nameThatIsNotUtf8()
{
    const QByteArray sel = root();
    const QByteArray bad = sel + "/bad\xff\xfe";
    QVERIFY(makeFolder(bad));
    QVERIFY(makeFile(bad + "/inside.txt", 2048));

    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    ListingText listing;
    ListingOptions options = optionsFor(sel, "2");
    options.printDate = 0;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), *fs, listing);

    // Shown with replacement characters, yet still opened through its bytes.
    QCOMPARE(firstCells(listing), QStringList({"+ bad\ufffd\ufffd", "  -  inside.txt"}));
    QCOMPARE(listing.cell(listing.rows.at(0), 1).toString(), QStringLiteral("2"));
    std::shared_ptr<FileSystemFolder> top = fs->GetFolder(sel);
    const QByteArray path = top->SubFolders().at(0)->Path();
    QCOMPARE(path, bad);
    QCOMPARE(fs->GetFolder(path)->Files().size(), 1);

    // QTemporaryDir cannot remove what it cannot name.
    QCOMPARE(unlink((bad + "/inside.txt").constData()), 0);
    QCOMPARE(rmdir(bad.constData()), 0);
}

void TestPosixFileSystem::namesAndPaths_data()
{
    QTest::addColumn<QByteArray>("given");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("childPath");

    QTest::newRow("file-system root") << QByteArray("/") << QByteArray("/") << QByteArray("/x");
    QTest::newRow("plain folder") << QByteArray("/tmp/a") << QByteArray("a") << QByteArray("/tmp/a/x");
    QTest::newRow("trailing slash") << QByteArray("/tmp/a/") << QByteArray("a") << QByteArray("/tmp/a/x");
}

void TestPosixFileSystem::namesAndPaths()
{
    QFETCH(QByteArray, given);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, childPath);

    // The folders stand in for the real ones: the component only names them.
    const QByteArray sel = root();
    const QByteArray mapped = given == "/" ? QByteArray("/") : sel + given;
    if (given != "/") {
        QVERIFY(makeFolder(sel + "/tmp"));
        QVERIFY(makeFolder(sel + "/tmp/a"));
        QVERIFY(makeFolder(sel + "/tmp/a/x"));
    }
    PosixFileSystem fs;
    std::shared_ptr<FileSystemFolder> folder = fs.GetFolder(mapped);
    QCOMPARE(folder->Name(), name);
    QCOMPARE(folder->Path(), mapped);
    if (given != "/") {
        QCOMPARE(folder->SubFolders().size(), 1);
        QCOMPARE(folder->SubFolders().at(0)->Path(), sel + childPath);
        QCOMPARE(folder->SubFolders().at(0)->Name(), QByteArray("x"));
    } else {
        for (const auto &sub : folder->SubFolders())
            QCOMPARE(sub->Path(), "/" + sub->Name());
    }
}

void TestPosixFileSystem::openFailures_data()
{
    QTest::addColumn<QByteArray>("relative");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a path that is a file") << QByteArray("/plain.txt") << "Not a directory";
    QTest::newRow("a folder that does not exist") << QByteArray("/missing") << "No such file or directory";
    QTest::newRow("below a file") << QByteArray("/plain.txt/x") << "Not a directory";
}

void TestPosixFileSystem::openFailures()
{
    QFETCH(QByteArray, relative);
    QFETCH(QString, reason);

    QVERIFY(makeFile(root() + "/plain.txt", 10));
    const QByteArray path = root() + relative;
    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    ListingText listing;
    try {
        buildListing(optionsFor(path, "1"), QStringLiteral("|"), QStringLiteral(";"), *fs, listing);
        QFAIL("the build should have failed");
    } catch (const FileSystemError &error) {
        QCOMPARE(error.operation(), FileSystemError::Operation::OpenFolder);
        QCOMPARE(error.message(), QStringLiteral("Cannot open folder \"%1\": %2").arg(QFile::decodeName(path), reason));
    }
    QCOMPARE(listing.ListHeader, QStringLiteral("Sub-Directories|Size (KB)|Date;"));
}

void TestPosixFileSystem::folderVanishingDuringBuild()
{
    const QByteArray sel = root();
    QVERIFY(makeFolder(sel + "/a"));
    QVERIFY(makeFolder(sel + "/a/inner"));
    QVERIFY(makeFolder(sel + "/b"));

    // Without sizes a folder is read only when its turn comes; remove it first.
    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    ListingText listing;
    ListingOptions options = optionsFor(sel, "2");
    options.printSize = 0;
    try {
        buildListing(options, QStringLiteral("|"), QStringLiteral(";"), *fs, listing,
                     [&](const ListingProgress &) {
                         QDir(QFile::decodeName(sel + "/a")).removeRecursively();
                     });
        QFAIL("the build should have failed");
    } catch (const FileSystemError &error) {
        QCOMPARE(error.path(), sel + "/a");
        QCOMPARE(error.errorCode(), ENOENT);
    }
    QCOMPARE(firstCells(listing), QStringList({"+ a"}));
    verifyRowsMatchBody(listing);
}

void TestPosixFileSystem::eachEntryStatedOnce()
{
    // Three levels of two folders, each with three files: 14 folders, 45 files.
    const QByteArray sel = root();
    QList<QByteArray> level{sel};
    int folders = 0;
    int files = 0;
    for (int depth = 0; depth < 3; ++depth) {
        QList<QByteArray> next;
        for (const QByteArray &parent : level) {
            for (int f = 0; f < 3; ++f, ++files)
                QVERIFY(makeFile(parent + "/file" + QByteArray::number(f), 100 * f));
            for (int d = 0; d < 2; ++d, ++folders) {
                next.append(parent + "/dir" + QByteArray::number(d));
                QVERIFY(makeFolder(next.last()));
            }
        }
        level = next;
    }
    for (const QByteArray &leaf : level) {
        for (int f = 0; f < 3; ++f, ++files)
            QVERIFY(makeFile(leaf + "/file" + QByteArray::number(f), 1000));
    }

    PosixFileSystem fs;
    for (int helpers : {0, 1}) {
        fs.setHelperThreads(helpers);
        for (const char *depth : {"1", "3"}) {
            ListingText listing;
            buildListing(optionsFor(sel, depth), QStringLiteral("|"), QStringLiteral(";"), fs, listing);
            qsizetype folderRows = 0;
            for (const ListingRow &row : listing.rows)
                folderRows += row.kind == ListingRowKind::Folder;
            // The top folder, every file, and each listed folder for its date; every folder read once.
            QCOMPARE(fs.counters().entriesStated, 1 + files + folderRows);
            QCOMPARE(fs.counters().foldersRead, 1 + folders);
        }
    }
}

void TestPosixFileSystem::helperThreadChangesNothing()
{
    const QByteArray sel = root();
    // A wide and uneven tree, so that the two threads meet somewhere inside it.
    for (int a = 0; a < 12; ++a) {
        const QByteArray pa = sel + "/A" + QByteArray::number(a);
        QVERIFY(makeFolder(pa));
        for (int b = 0; b < a; ++b) {
            const QByteArray pb = pa + "/b" + QByteArray::number(b);
            QVERIFY(makeFolder(pb));
            for (int c = 0; c < 4; ++c) {
                const QByteArray pc = pb + "/C" + QByteArray::number(c);
                QVERIFY(makeFolder(pc));
                QVERIFY(makeFile(pc + "/f", 100 * a + 10 * b + c));
            }
            QVERIFY(makeFile(pb + "/g", 3000));
        }
    }

    PosixFileSystem single;
    single.setHelperThreads(0);
    ListingText expected;
    buildListing(optionsFor(sel, "2"), QStringLiteral("|"), QStringLiteral(";"), single, expected);

    PosixFileSystem helped;
    helped.setHelperThreads(1);
    for (int run = 0; run < 20; ++run) {
        ListingText listing;
        buildListing(optionsFor(sel, "2"), QStringLiteral("|"), QStringLiteral(";"), helped, listing);
        QCOMPARE(listing.ListBody, expected.ListBody);
    }
}

void TestPosixFileSystem::heartbeatRunsDuringTotals()
{
    const QByteArray sel = root();
    QVERIFY(makeFolder(sel + "/big"));
    for (int i = 0; i < 30; ++i)
        QVERIFY(makeFolder(sel + "/big/" + QByteArray::number(i)));

    PosixFileSystem fs;
    fs.setHelperThreads(0);
    fs.setHeartbeatInterval(std::chrono::milliseconds(0));
    ListingText listing;
    ListingOptions options = optionsFor(sel, "1");
    QStringList folders;
    qsizetype rowsDuringTotal = -1;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &progress) {
                     if (listing.rows.isEmpty())
                         rowsDuringTotal = progress.entriesListed;
                     folders.append(progress.currentFolder);
                 });

    // Many beats while big is totalled (no row yet), then the one after its row.
    QVERIFY2(folders.size() > 10, qPrintable(QString::number(folders.size())));
    QCOMPARE(rowsDuringTotal, 0);
    QCOMPARE(folders.last(), QFile::decodeName(sel + "/big"));
    QCOMPARE(firstCells(listing), QStringList({"+ big"}));
}

void TestPosixFileSystem::heartbeatRunsWhileABigFolderIsRead()
{
    const QByteArray sel = root();
    for (int i = 0; i < 3000; ++i)
        QVERIFY(makeFile(sel + "/file-with-a-longish-name-" + QByteArray::number(i), i));

    PosixFileSystem fs;
    fs.setHeartbeatInterval(std::chrono::milliseconds(0));
    ListingText listing;
    ListingOptions options = optionsFor(sel, "1");
    options.printSize = 0;
    QList<qsizetype> rowsAtBeat;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing,
                 [&](const ListingProgress &progress) { rowsAtBeat.append(progress.entriesListed); });

    // Beats come while the folder is read, before its rows, never between them.
    QVERIFY2(rowsAtBeat.size() >= 2, qPrintable(QString::number(rowsAtBeat.size())));
    QCOMPARE(rowsAtBeat, QList<qsizetype>(rowsAtBeat.size(), 0));
    QCOMPARE(listing.rows.size(), 3000);
}

void TestPosixFileSystem::cancelDuringTotalStopsCleanly()
{
    struct Cancelled {};
    const QByteArray sel = root();
    for (int i = 0; i < 20; ++i) {
        QVERIFY(makeFolder(sel + "/d" + QByteArray::number(i)));
        for (int j = 0; j < 10; ++j)
            QVERIFY(makeFolder(sel + "/d" + QByteArray::number(i) + "/e" + QByteArray::number(j)));
    }

    PosixFileSystem fs;
    fs.setHeartbeatInterval(std::chrono::milliseconds(0));
    ListingText listing;
    int beats = 0;
    QVERIFY_THROWS_EXCEPTION(Cancelled,
                             buildListing(optionsFor(sel, "3"), QStringLiteral("|"), QStringLiteral(";"), fs,
                                          listing, [&](const ListingProgress &) {
                                              if (++beats == 3)
                                                  throw Cancelled{};
                                          }));
    QVERIFY(listing.rows.isEmpty());

    // The component is ready for the next build at once.
    buildListing(optionsFor(sel, "1"), QStringLiteral("|"), QStringLiteral(";"), fs, listing);
    QCOMPARE(listing.rows.size(), 20);
}

QTEST_GUILESS_MAIN(TestPosixFileSystem)
#include "tst_posixfilesystem.moc"
