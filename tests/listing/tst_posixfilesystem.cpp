#include "ListingChecks.h"
#include "listing/ListingBuilder.h"
#include "listing/PosixFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Native calls: QFile cannot round-trip a name that is not UTF-8, nor reach past PATH_MAX.
bool makeFile(int at, const QByteArray &name, qint64 size)
{
    const int fd = openat(at, name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool sized = fd >= 0 && ftruncate(fd, off_t(size)) == 0;
    if (fd >= 0)
        close(fd);
    return sized;
}

bool makeFile(const QByteArray &path, qint64 size)
{
    return makeFile(AT_FDCWD, path, size);
}

bool makeFolder(const QByteArray &path)
{
    return mkdir(path.constData(), 0755) == 0;
}

ListingOptions optionsFor(const QByteArray &path, const char *depth, bool size = true, bool date = false)
{
    ListingOptions options;
    options.path = QFile::decodeName(path);
    options.nativePath = path;
    options.depthText = QString::fromLatin1(depth);
    options.printSize = size;
    options.printDate = date;
    return options;
}

ListingText build(FileSystemObject &fs, const ListingOptions &options, const ListingYield &yield = {})
{
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing, yield);
    return listing;
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

} // namespace

class TestPosixFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void realTreeInNameOrder();
    void deepTrees_data();
    void deepTrees();
    void kernelRefusals();
    void folderVanishingDuringBuild();
    void procMountIsNotEntered();
    void folderMountedBelowItself();
    void cancelLeavesNothingOpen();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray root() const { return QFile::encodeName(m_dir->path()); }
};

void TestPosixFileSystem::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // Memory-backed where there is one: a deep tree on a busy disk takes seconds to remove.
    const bool shm = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    m_dir = shm ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/tst_posixfilesystem-XXXXXX"))
                : std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPosixFileSystem::cleanup()
{
    QLocale::setDefault(QLocale::c());
    // GNU rm walks relative to descriptors: it removes what is past PATH_MAX.
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), m_dir->path()});
    m_dir.reset();
}

void TestPosixFileSystem::realTreeInNameOrder()
{
    const QByteArray sel = root();
    for (const char *name : {"b", "A", "a", "\xc3\x84" "b", "_x", "\xc3\xa4" "a"})
        QVERIFY(makeFile(sel + "/" + name, 1024));
    QVERIFY(makeFolder(sel + "/sub"));
    QVERIFY(makeFolder(sel + "/sub/bad\xff"));
    QVERIFY(makeFile(sel + "/sub/bad\xff/inside", 4096));
    QCOMPARE(symlink("..", (sel + "/sub/up").constData()), 0);
    QCOMPARE(mkfifo((sel + "/sub/pipe").constData(), 0644), 0);

    PosixFileSystem fs;
    const ListingText listing = build(fs, optionsFor(sel, "5"));

    // Case-insensitive as read, ties by bytes; a link is a file of its own
    // length, a name that is not UTF-8 is shown replaced yet still opened.
    QCOMPARE(shownRows(listing), QStringList({"-  _x|1", "-  A|1", "-  a|1", "-  b|1", "-  \u00e4a|1",
                                              "-  \u00c4b|1", "+ sub|4", "    + bad\ufffd|4",
                                              "     -  inside|4", "  -  pipe|0", "  -  up|0"}));
    QVERIFY(listing.problems.isEmpty());
}

void TestPosixFileSystem::deepTrees_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("nameLength");
    QTest::addColumn<bool>("columns");
    QTest::addColumn<int>("budget");

    QTest::newRow("3,000 folders deep, all columns") << 3000 << 1 << true << 1000;
    QTest::newRow("3,000 folders deep, no columns") << 3000 << 1 << false << 1000;
    QTest::newRow("40 levels of 255-byte names") << 40 << 255 << true << 1000;
    QTest::newRow("300 deep, every folder opened again from the top") << 300 << 1 << true << 0;
}

void TestPosixFileSystem::deepTrees()
{
    QFETCH(int, depth);
    QFETCH(int, nameLength);
    QFETCH(bool, columns);
    QFETCH(int, budget);

    const QByteArray name(nameLength, 'd');
    int at = open(root().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < depth && at >= 0; ++level) {
        QCOMPARE(mkdirat(at, name.constData(), 0755), 0);
        const int next = openat(at, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(at);
        at = next;
    }
    QVERIFY(at >= 0 && makeFile(at, "f", 2048));
    close(at);

    PosixFileSystem fs;
    fs.setHandleBudget(budget);
    const ListingText listing = build(fs, optionsFor(root(), "99999", columns, columns));

    QCOMPARE(listing.rows.size(), depth + 1);
    QCOMPARE(listing.rows.last().kind, ListingRowKind::File);
    QVERIFY(listing.cell(listing.rows.last(), 0).endsWith(QLatin1String("-  f")));
    if (columns)
        QCOMPARE(listing.cell(listing.rows.first(), 1), QStringLiteral("2"));
    QVERIFY(listing.problems.isEmpty());
}

// Lists a tree in a child process without root's privileges, where the
// kernel refuses a folder without permissions and the details of entries
// in a folder that may be read but not searched.
void TestPosixFileSystem::kernelRefusals()
{
    const QByteArray sel = root();
    QCOMPARE(chmod(sel.constData(), 0755), 0);
    QVERIFY(makeFile(sel + "/ok.txt", 1024));
    QVERIFY(makeFolder(sel + "/locked") && makeFile(sel + "/locked/in", 1));
    QVERIFY(makeFolder(sel + "/noexec") && makeFolder(sel + "/noexec/sub") && makeFile(sel + "/noexec/f", 1));
    QCOMPARE(chmod((sel + "/locked").constData(), 0), 0);
    QCOMPARE(chmod((sel + "/noexec").constData(), 0644), 0);

    int channel[2];
    QCOMPARE(pipe(channel), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const passwd *nobody = getpwnam("nobody");
        if (geteuid() == 0 && (!nobody || setgroups(0, nullptr) != 0 || setresgid(nobody->pw_gid, nobody->pw_gid, nobody->pw_gid) != 0
                               || setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid) != 0))
            _exit(3);
        PosixFileSystem fs;
        const ListingText listing = build(fs, optionsFor(sel, "2"));
        const QByteArray text = (shownRows(listing) + ListingFormat::problemLines(listing)).join(u'\n').toUtf8();
        const bool written = write(channel[1], text.constData(), size_t(text.size())) == text.size();
        _exit(written ? 0 : 4);
    }
    close(channel[1]);
    QFile reader;
    QVERIFY(reader.open(channel[0], QIODevice::ReadOnly, QFile::AutoCloseHandle));
    const QString text = QString::fromUtf8(reader.readAll());
    int status = 0;
    waitpid(child, &status, 0);
    chmod((sel + "/locked").constData(), 0755);
    chmod((sel + "/noexec").constData(), 0755);

    QCOMPARE(status, 0);
    const QString denied = QStringLiteral(": Permission denied");
    QCOMPARE(text.split(u'\n'), QStringList({"-  ok.txt|1", "+ locked|? (unreadable)", "+ noexec|0+ (incomplete)",
                                             "    + sub|? (unreadable)", "  -  f|? (unreadable)",
                                             QFile::decodeName(sel) + "/locked" + denied,
                                             QFile::decodeName(sel) + "/noexec/sub" + denied,
                                             QFile::decodeName(sel) + "/noexec/f" + denied}));
}

void TestPosixFileSystem::folderVanishingDuringBuild()
{
    const QByteArray sel = root();
    QVERIFY(makeFolder(sel + "/a"));
    QVERIFY(makeFolder(sel + "/b"));
    QVERIFY(makeFolder(sel + "/b/inner"));

    // Read by the build itself, b is opened only when its row comes: after
    // the yield that follows a's row, which removes it.
    PosixFileSystem fs;
    fs.setReaderThreads(0);
    fs.setHeartbeatInterval(std::chrono::hours(1));
    const ListingText listing = build(fs, optionsFor(sel, "2", false), [&](const ListingProgress &) {
        QDir(QFile::decodeName(sel + "/b")).removeRecursively();
    });
    QCOMPARE(shownRows(listing), QStringList({"+ a", "+ b (unreadable)"}));
    QCOMPARE(ListingFormat::problemLines(listing),
             QStringList({QFile::decodeName(sel) + "/b: No such file or directory"}));
}

void TestPosixFileSystem::procMountIsNotEntered()
{
    struct statfs info;
    if (statfs("/proc", &info) != 0 || virtualFileSystem(info.f_type) != VirtualFileSystem::Proc)
        QSKIP("no proc file system mounted at /proc");

    PosixFileSystem fs;
    const ListingText listing = build(fs, optionsFor("/", "1", false));

    const QStringList rows = shownRows(listing);
    const qsizetype proc = rows.indexOf(QStringLiteral("+ proc (not entered)"));
    QVERIFY(proc >= 0);
    // Its files would follow its row; the next row is the next folder's.
    QVERIFY(proc + 1 == rows.size() || listing.rows.at(proc + 1).kind == ListingRowKind::Folder);
    QVERIFY(ListingFormat::problemLines(listing).contains(QStringLiteral("/proc: proc file system, not entered")));
}

void TestPosixFileSystem::folderMountedBelowItself()
{
    const QByteArray sel = root();
    QVERIFY(makeFolder(sel + "/a") && makeFolder(sel + "/a/b") && makeFile(sel + "/a/f", 1024));
    if (mount(sel.constData(), (sel + "/a/b").constData(), nullptr, MS_BIND, nullptr) != 0)
        QSKIP("bind mounts are not permitted here");
    PosixFileSystem fs;
    const ListingText listing = build(fs, optionsFor(sel, "99"));
    umount((sel + "/a/b").constData());

    QCOMPARE(shownRows(listing), QStringList({"+ a|1+ (incomplete)", "    + b|? (unreadable)", "  -  f|1"}));
    QCOMPARE(ListingFormat::problemLines(listing),
             QStringList({QFile::decodeName(sel) + "/a/b: The same folder as one that holds it"}));
}

void TestPosixFileSystem::cancelLeavesNothingOpen()
{
    struct Cancelled {};
    for (int i = 0; i < 20; ++i) {
        const QByteArray folder = root() + "/d" + QByteArray::number(i);
        QVERIFY(makeFolder(folder));
        for (int j = 0; j < 10; ++j)
            QVERIFY(makeFolder(folder + "/e" + QByteArray::number(j)));
    }
    const int before = openDescriptors();
    PosixFileSystem fs;
    int yields = 0;
    QVERIFY_THROWS_EXCEPTION(Cancelled, build(fs, optionsFor(root(), "1"), [&](const ListingProgress &) {
                                 if (++yields == 3)
                                     throw Cancelled{};
                             }));
    QCOMPARE(openDescriptors(), before);
    QCOMPARE(build(fs, optionsFor(root(), "1")).rows.size(), 20);
}

QTEST_GUILESS_MAIN(TestPosixFileSystem)
#include "tst_posixfilesystem.moc"
