#include "ListingChecks.h"
#include "listing/ListingBuilder.h"
#include "listing/PosixFileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
bool makeFile(const QByteArray &path, qint64 size, int at = AT_FDCWD)
{
    const int fd = openat(at, path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool sized = fd >= 0 && ftruncate(fd, off_t(size)) == 0;
    if (fd >= 0)
        close(fd);
    return sized;
}

bool makeFolders(const QByteArray &top, const QList<QByteArray> &names)
{
    return std::all_of(names.begin(), names.end(), [&](const QByteArray &n) { return mkdir(top + n, 0755) == 0; });
}

ListingText build(const QByteArray &path, const char *depth, bool columns = true, int budget = 1000, int readers = -1,
                  const ListingChoices &choices = {})
{
    ListingOptions options{.path = {}, .nativePath = path, .sizes = columns, .dates = false,
                           .depth = ListingFormat::depthLevels(QString::fromLatin1(depth))};
    options.choices = choices;
    options.keepDetails = true;
    PosixFileSystem fs;
    fs.setHandleBudget(budget);
    if (readers >= 0)
        fs.setReaderThreads(readers);
    ListingText listing;
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fs, listing);
    return listing;
}

} // namespace

Q_DECLARE_METATYPE(SizeMeasure)

class TestPosixFileSystem : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray root() const { return QFile::encodeName(m_dir->path()); }

private slots:
    void init()
    {
        // Memory-backed where there is one: a deep tree on a busy disk takes seconds to remove.
        m_dir = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                    ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/tst_posixfilesystem-XXXXXX"))
                    : std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanup()
    {
        // GNU rm walks relative to descriptors: it removes what is past PATH_MAX.
        QCOMPARE(QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), m_dir->path()}), 0);
    }

    void deepTrees_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<int>("budget");

        QTest::newRow("3,000 folders deep") << 3000 << 1 << 1000;
        QTest::newRow("40 levels of 255-byte names, each opened again from the top") << 40 << 255 << 0;
    }

    void deepTrees()
    {
        QFETCH(int, depth);
        QFETCH(int, nameLength);
        QFETCH(int, budget);

        const QByteArray name(nameLength, 'd');
        int at = open(root().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int level = 0; level < depth && at >= 0; ++level) {
            const int next = mkdirat(at, name.constData(), 0755) == 0 ? openat(at, name.constData(), O_RDONLY) : -1;
            close(at);
            at = next;
        }
        QVERIFY(at >= 0 && makeFile("f", 2048, at));
        close(at);

        const ListingText listing = build(root(), "99999", true, budget);
        QCOMPARE(listing.rows.size(), depth + 1);
        QVERIFY(listing.cell(listing.rows.last(), 0).endsWith(QLatin1String("-  f")));
        QCOMPARE(listing.cell(listing.rows.first(), 1), QLatin1String("2"));
        QVERIFY(listing.problems.isEmpty());
    }

    // As nobody the kernel refuses a folder without permissions, and the details in one that cannot
    // be searched. A link is a file of its own length, a hidden file is listed, and a name not UTF-8
    // is shown replaced, yet opened.
    void kernelRefusals()
    {
        const QByteArray sel = root();
        QVERIFY(makeFolders(sel, {"/locked", "/no\xff", "/no\xff/sub"}) && makeFile(sel + "/ok.txt", 1024)
                && makeFile(sel + "/.h", 0) && makeFile(sel + "/no\xff/f", 1) && symlink("..", sel + "/up") == 0);
        QVERIFY(chmod(sel, 0755) == 0 && chmod(sel + "/locked", 0) == 0 && chmod(sel + "/no\xff", 0644) == 0);
        int channel[2];
        QCOMPARE(pipe(channel), 0);
        const pid_t child = fork();
        if (child == 0) {
            const passwd *nobody = getpwnam("nobody");
            if (geteuid() == 0
                && (!nobody || setgroups(0, nullptr) != 0 || setresgid(nobody->pw_gid, nobody->pw_gid, nobody->pw_gid)
                    || setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid)))
                _exit(3);
#ifdef __SANITIZE_THREAD__
            const int readers = 0;   // ThreadSanitizer cannot follow threads started after a fork
#else
            const int readers = -1;
#endif
            const ListingText listing = build(sel, "2", true, 1000, readers);
            const QByteArray text = (shownRows(listing) + ListingFormat::problemLines(listing)).join(u'\n').toUtf8();
            _exit(write(channel[1], text.constData(), size_t(text.size())) == text.size() ? 0 : 4);
        }
        close(channel[1]);
        QFile reader;
        QVERIFY(reader.open(channel[0], QIODevice::ReadOnly, QFile::AutoCloseHandle));
        const QStringList lines = QString::fromUtf8(reader.readAll()).split(u'\n');
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(chmod(sel + "/locked", 0755) == 0 && chmod(sel + "/no\xff", 0755) == 0);
        QCOMPARE(status, 0);
        const QString top = QFile::decodeName(sel), denied = QStringLiteral(": Permission denied");
        QCOMPARE(lines, QStringList({"-  .h|0", "-  ok.txt|1", "-  up|0", "+ locked|? (unreadable)",
                                     "+ no\ufffd|0+ (incomplete)", "    + sub|? (unreadable)", "  -  f|? (unreadable)",
                                     top + "/locked" + denied, top + "/no\ufffd/sub" + denied,
                                     top + "/no\ufffd/f" + denied}));
    }

    // A file of 1 MiB, a second name for it and a sparse file of 100 MiB: the folder's total against the
    // sums du -sb and du -sk take, made here from each entry's own details.
    void sizesAsDuCounts_data()
    {
        QTest::addColumn<SizeMeasure>("sizes");
        QTest::addColumn<bool>("linksOnce");
        QTest::newRow("lengths, each name") << SizeMeasure::Length << false;
        QTest::newRow("lengths, links once: du -sb's files") << SizeMeasure::Length << true;
        QTest::newRow("space on disk, each name") << SizeMeasure::DiskUsage << false;
        QTest::newRow("space on disk, links once: du -sk") << SizeMeasure::DiskUsage << true;
    }
    void sizesAsDuCounts()
    {
        QFETCH(SizeMeasure, sizes);
        QFETCH(bool, linksOnce);
        const QByteArray folder = root() + "/d";
        const int fd = (mkdir(folder, 0755), open(folder + "/big", O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        const QByteArray block(1 << 20, 'x');
        QVERIFY(fd >= 0 && write(fd, block.constData(), size_t(block.size())) == block.size() && fsync(fd) == 0);
        close(fd);
        QVERIFY(link(folder + "/big", folder + "/big-link") == 0 && makeFile(folder + "/sparse", 100 << 20));
        qint64 expected = 0;
        QList<ino_t> counted;
        for (const char *name : {"", "/big", "/big-link", "/sparse"}) {
            struct stat st;
            QVERIFY(lstat(folder + name, &st) == 0);
            const bool once = linksOnce && counted.contains(st.st_ino);
            counted << st.st_ino;
            if (sizes == SizeMeasure::DiskUsage && !once)
                expected += qint64(st.st_blocks) * 512;
            else if (!once && S_ISREG(st.st_mode))
                expected += st.st_size;
        }
        const ListingText listing = build(root(), "1", true, 1000, -1, {.sizes = sizes, .linksOnce = linksOnce});
        QCOMPARE(shownRows(listing).first().section(u'|', 0, 0), QStringLiteral("+ d"));
        QCOMPARE(listing.details.first().bytes, expected);
    }

    void mounts()
    {
        // A proc file system is listed, not entered: its files would follow its row.
        struct statfs info;
        if (statfs("/proc", &info) == 0 && virtualFileSystem(info.f_type) == VirtualFileSystem::Proc) {
            const ListingText all = build("/", "1", false);
            const qsizetype proc = shownRows(all).indexOf(QStringLiteral("+ proc (not entered)"));
            QVERIFY(proc >= 0 && (proc + 1 == all.rows.size() || all.rows[proc + 1].kind == ListingRowKind::Folder));
            QVERIFY(ListingFormat::problemLines(all).contains(QLatin1String("/proc: proc file system, not entered")));
        }
        // A folder mounted below itself is not walked forever.
        const QByteArray sel = root();
        QVERIFY(makeFolders(sel, {"/a", "/a/b"}) && makeFile(sel + "/a/f", 1024));
        if (mount(sel.constData(), (sel + "/a/b").constData(), nullptr, MS_BIND, nullptr) != 0)
            QSKIP("bind mounts are not permitted here");
        const ListingText listing = build(sel, "99");
        umount((sel + "/a/b").constData());
        QCOMPARE(shownRows(listing), QStringList({"+ a|1+ (incomplete)", "    + b|? (unreadable)", "  -  f|1"}));
        QCOMPARE(ListingFormat::problemLines(listing),
                 QStringList({QFile::decodeName(sel) + "/a/b: The same folder as one that holds it"}));
        // Staying on this file system: another one mounted below is listed, not entered, and told.
        QVERIFY(mount("tmpfs", sel + "/a/b", "tmpfs", 0, "size=1m") == 0 && makeFile(sel + "/a/b/g", 2048));
        const auto unmount = qScopeGuard([sel] { umount((sel + "/a/b").constData()); });
        QCOMPARE(shownRows(build(sel, "99")), QStringList({"+ a|3", "    + b|2", "     -  g|2", "  -  f|1"}));
        const ListingText staying = build(sel, "99", true, 1000, -1, {.oneFileSystem = true});
        QCOMPARE(shownRows(staying), QStringList({"+ a|1", "    + b|0 (not entered)", "  -  f|1"}));
        QCOMPARE(ListingFormat::problemLines(staying),
                 QStringList({QFile::decodeName(sel) + "/a/b: not entered: another file system"}));
    }
};

QTEST_GUILESS_MAIN(TestPosixFileSystem)
#include "tst_posixfilesystem.moc"
