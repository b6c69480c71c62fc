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

// Native calls: QFile cannot round-trip a name that is not UTF-8.
bool makeFile(const QByteArray &path, qint64 size, qint64 modified = 0)
{
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

ListingText build(FileSystemObject &fs, const ListingOptions &options, const ListingYield &yield = {})
{
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing, yield);
    return listing;
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
    void linksAndSpecialFilesAreFiles();
    void nameThatIsNotUtf8();
    void namesAndPaths();
    void openFailures_data();
    void openFailures();
    void folderVanishingDuringBuild();
    void eachEntryStatedOnceWithOrWithoutHelper();
    void heartbeatRunsWhileReadingAndTotalling();
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
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("body");

    QTest::newRow("document separators")
        << "|" << ";" << "Sub-Directories|Size (KB)|Date;"
        << ";-  notes.txt|2|3/7/2001;+ Docs|12|1/2/2001;    + Old|2|12/1/2000;     -  x.txt|2|12/1/2000;"
           "  -  report.doc|10|2/5/2001;";
    QTest::newRow("clipboard separators")
        << "\t" << "\r\n" << "Sub-Directories\tSize (KB)\tDate\r\n"
        << "\r\n-  notes.txt\t2\t3/7/2001\r\n+ Docs\t12\t1/2/2001\r\n    + Old\t2\t12/1/2000\r\n"
           "     -  x.txt\t2\t12/1/2000\r\n  -  report.doc\t10\t2/5/2001\r\n";
}

void TestPosixFileSystem::workedExampleOnDisk()
{
    QFETCH(QString, cSeperator);
    QFETCH(QString, rSeperator);
    QFETCH(QString, header);
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
    QCOMPARE(listing.ListHeader, header);
    QCOMPARE(listing.ListBody, body);
    verifyRowsMatchBody(listing);
}

void TestPosixFileSystem::enumerationIsCaseInsensitiveByName_data()
{
    QTest::addColumn<QStringList>("created");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("ASCII names") << QStringList{"b", "A", "a", "B", "_x", "Z", "a0"}
                                 << QStringList{"_x", "A", "a", "a0", "B", "b", "Z"};
    QTest::newRow("names beyond ASCII") << QStringList{"\u00c4b", "b", "\u00e4a", "A", "a"}
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

void TestPosixFileSystem::linksAndSpecialFilesAreFiles()
{
    const QByteArray sel = root();
    QVERIFY(makeFolder(sel + "/sub"));
    QVERIFY(makeFile(sel + "/sub/data", 4096));
    QCOMPARE(symlink("..", (sel + "/sub/up").constData()), 0);
    QCOMPARE(symlink(sel.constData(), (sel + "/sub/abs").constData()), 0);
    QCOMPARE(mkfifo((sel + "/sub/pipe").constData(), 0644), 0);

    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    ListingOptions options = optionsFor(sel, "5");
    options.printDate = 0;
    const ListingText listing = build(*fs, options);

    // Listed as files under their own names; a link counts its own length, nothing is counted twice.
    QCOMPARE(firstCells(listing), QStringList({"+ sub", "  -  abs", "  -  data", "  -  pipe", "  -  up"}));
    QCOMPARE(listing.rows.at(1).kind, ListingRowKind::File);
    QCOMPARE(listing.cell(listing.rows.at(3), 1).toString(), QStringLiteral("0"));
    QCOMPARE(listing.cell(listing.rows.at(0), 1).toString(),
             QString::number((4096 + 2 + sel.size() + 512) / 1024));
}

void TestPosixFileSystem::nameThatIsNotUtf8()
{
    const QByteArray bad = root() + "/bad\xff\xfe";
    QVERIFY(makeFolder(bad));
    QVERIFY(makeFile(bad + "/inside.txt", 2048));

    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    ListingOptions options = optionsFor(root(), "2");
    options.printDate = 0;
    const ListingText listing = build(*fs, options);

    // Shown with replacement characters, yet still opened through its bytes.
    QCOMPARE(firstCells(listing), QStringList({"+ bad\ufffd\ufffd", "  -  inside.txt"}));
    QCOMPARE(listing.cell(listing.rows.at(0), 1).toString(), QStringLiteral("2"));

    // QTemporaryDir cannot remove what it cannot name.
    QCOMPARE(unlink((bad + "/inside.txt").constData()), 0);
    QCOMPARE(rmdir(bad.constData()), 0);
}

void TestPosixFileSystem::namesAndPaths()
{
    QVERIFY(makeFolder(root() + "/a"));
    QVERIFY(makeFolder(root() + "/a/x"));
    PosixFileSystem fs;

    std::shared_ptr<FileSystemFolder> folder = fs.GetFolder(root() + "/a/");
    QCOMPARE(folder->Name(), QByteArray("a"));
    QCOMPARE(folder->SubFolders().at(0)->Path(), root() + "/a/x");

    std::shared_ptr<FileSystemFolder> top = fs.GetFolder("/");
    QCOMPARE(top->Name(), QByteArray("/"));
    for (const auto &sub : top->SubFolders())
        QCOMPARE(sub->Path(), "/" + sub->Name());
}

void TestPosixFileSystem::openFailures_data()
{
    QTest::addColumn<QByteArray>("relative");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a path that is a file") << QByteArray("/plain.txt") << "Not a directory";
    QTest::newRow("a folder that does not exist") << QByteArray("/missing") << "No such file or directory";
}

void TestPosixFileSystem::openFailures()
{
    QFETCH(QByteArray, relative);
    QFETCH(QString, reason);

    QVERIFY(makeFile(root() + "/plain.txt", 10));
    const QByteArray path = root() + relative;
    std::unique_ptr<FileSystemObject> fs = createFileSystemObject();
    try {
        build(*fs, optionsFor(path, "1"));
        QFAIL("the build should have failed");
    } catch (const FileSystemError &error) {
        QCOMPARE(error.operation(), FileSystemError::Operation::OpenFolder);
        QCOMPARE(error.message(), QStringLiteral("Cannot open folder \"%1\": %2").arg(QFile::decodeName(path), reason));
    }
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
                     [&](const ListingProgress &) { QDir(QFile::decodeName(sel + "/a")).removeRecursively(); });
        QFAIL("the build should have failed");
    } catch (const FileSystemError &error) {
        QCOMPARE(error.path(), sel + "/a");
        QCOMPARE(error.errorCode(), ENOENT);
    }
    QCOMPARE(firstCells(listing), QStringList({"+ a"}));
    verifyRowsMatchBody(listing);
}

void TestPosixFileSystem::eachEntryStatedOnceWithOrWithoutHelper()
{
    // A wide and uneven tree, so that the two threads meet somewhere inside it.
    int folders = 0;
    int files = 0;
    for (int a = 0; a < 8; ++a, ++folders) {
        const QByteArray pa = root() + "/A" + QByteArray::number(a);
        QVERIFY(makeFolder(pa));
        for (int b = 0; b < a; ++b, ++folders, ++files) {
            const QByteArray pb = pa + "/b" + QByteArray::number(b);
            QVERIFY(makeFolder(pb));
            QVERIFY(makeFile(pb + "/g", 3000));
            for (int c = 0; c < 3; ++c, ++folders, ++files) {
                QVERIFY(makeFolder(pb + "/C" + QByteArray::number(c)));
                QVERIFY(makeFile(pb + "/C" + QByteArray::number(c) + "/f", 100 * a + 10 * b + c));
            }
        }
    }

    PosixFileSystem fs;
    for (const char *depth : {"1", "3"}) {
        QString expected;
        for (int run = 0; run <= 10; ++run) {
            fs.setHelperThreads(run == 0 ? 0 : 1);
            const ListingText listing = build(fs, optionsFor(root(), depth));
            if (run == 0)
                expected = listing.ListBody;
            QCOMPARE(listing.ListBody, expected);
            qsizetype folderRows = 0;
            for (const ListingRow &row : listing.rows)
                folderRows += row.kind == ListingRowKind::Folder;
            // The top folder, every file, and each listed folder for its date; every folder read once.
            QCOMPARE(fs.counters().entriesStated, 1 + files + folderRows);
            QCOMPARE(fs.counters().foldersRead, 1 + folders);
        }
    }
}

void TestPosixFileSystem::heartbeatRunsWhileReadingAndTotalling()
{
    const QByteArray sel = root();
    for (int i = 0; i < 3000; ++i)
        QVERIFY(makeFile(sel + "/file-with-a-longish-name-" + QByteArray::number(i), i));
    QVERIFY(makeFolder(sel + "/big"));
    for (int i = 0; i < 30; ++i)
        QVERIFY(makeFolder(sel + "/big/" + QByteArray::number(i)));

    PosixFileSystem fs;
    fs.setHelperThreads(0);
    fs.setHeartbeatInterval(std::chrono::milliseconds(0));
    ListingOptions options = optionsFor(sel, "1");
    options.printDate = 0;
    QList<qsizetype> rowsAtBeat;
    QString lastFolder;
    const ListingText listing = build(fs, options, [&](const ListingProgress &progress) {
        rowsAtBeat.append(progress.entriesListed);
        lastFolder = progress.currentFolder;
    });

    // Beats while the top folder is read (before its 3,000 file rows, never
    // between them), many while big is totalled, then the one after big's row.
    QCOMPARE(listing.rows.size(), 3001);
    const qsizetype whileReading = rowsAtBeat.count(0);
    const qsizetype whileTotalling = rowsAtBeat.count(3000);
    QVERIFY2(whileReading >= 2, qPrintable(QString::number(whileReading)));
    QVERIFY2(whileTotalling > 10, qPrintable(QString::number(whileTotalling)));
    QCOMPARE(rowsAtBeat.size(), whileReading + whileTotalling + 1);
    QCOMPARE(rowsAtBeat.last(), 3001);
    QCOMPARE(lastFolder, QFile::decodeName(sel + "/big"));
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
    QVERIFY_THROWS_EXCEPTION(Cancelled, buildListing(optionsFor(sel, "3"), QStringLiteral("|"), QStringLiteral(";"),
                                                     fs, listing, [&](const ListingProgress &) {
                                                         if (++beats == 3)
                                                             throw Cancelled{};
                                                     }));
    // Where the third beat falls depends on how fast the helper thread
    // totals; either way the build stopped at once with whole rows only.
    QVERIFY(listing.rows.size() <= 3);
    verifyRowsMatchBody(listing);
    if (QTest::currentTestFailed())
        return;

    // The component is ready for the next build at once.
    QCOMPARE(build(fs, optionsFor(sel, "1")).rows.size(), 20);
}

QTEST_GUILESS_MAIN(TestPosixFileSystem)
#include "tst_posixfilesystem.moc"
