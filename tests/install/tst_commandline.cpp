#include "app/CommandLine.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <csignal>

#include <fcntl.h>
#include <netinet/in.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using Action = CommandLine::Request::Action;

Q_DECLARE_METATYPE(mode_t)

static bool matchesWhole(const QString &pattern, const QString &text)
{
    const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern),
                                   QRegularExpression::DotMatchesEverythingOption);
    return whole.match(text).hasMatch();
}

// What stands at path: its node and kind, and a regular file's text.
static QByteArray snapshot(const QString &path)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    QFile file(path);
    const QByteArray text = S_ISREG(info.st_mode) && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return QByteArray::number(quint64(info.st_ino)) + ' ' + QByteArray::number(info.st_mode) + '\n' + text;
}

static QByteArray currentFolder()
{
    char path[PATH_MAX];
    return ::getcwd(path, sizeof path) ? QByteArray(path) : QByteArray();
}

// A run as a script's: no display, the settings under config.
static QProcessEnvironment scriptEnvironment(const QString &config)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    return environment;
}

static void runShell(const QString &folder, const QString &commands)
{
    QProcess shell;
    shell.setWorkingDirectory(folder);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-ec"), commands});
    QVERIFY(shell.waitForFinished());
    QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
}

static QByteArray readAll(int fd)
{
    QByteArray bytes;
    char block[4096];
    for (ssize_t got; (got = ::read(fd, block, sizeof block)) > 0;)
        bytes.append(block, got);
    return bytes;
}

// What main() does before any window: the request, then the folder entered.
class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_root;

    inline static const QStringList kCsv{"--export", "-", "--format", "csv", "--no-date", "plain"};
    inline static const QString kHeader = "Level,Kind,Name,Path,Size \\(bytes\\),Size \\(KB\\),Modified,Note\r\n";
    inline static const QString kListed = kHeader + "0,file,a\\.txt,a\\.txt,3,0,,\r\n";

    static void row(const char *name, const QStringList &arguments, const QString &stored, int status,
                    const QString &output, const QString &error = {}, const QString &job = {})
    {
        QTest::newRow(name) << arguments << stored << status << output << error << job;
    }
    static void outputRows()
    {
        row("CSV to standard output", kCsv, "", 0, kListed);
        row("stored options apply", kCsv, "Print Size=0", 0, kHeader + "0,file,a\\.txt,a\\.txt,,,,\r\n");
        row("given ones win, not stored", QStringList{"--size", "--depth", "2"} + kCsv, "Print Size=0", 0, kListed);
        const QString skipped = QStringLiteral("[Listing%20Options]\nSkip=a.txt\n");
        row("a stored choice applies", kCsv, skipped, 0, kHeader);
        row("an empty pattern given wins over a stored one", QStringList{"--skip", ""} + kCsv, skipped, 0, kListed);
        row("patterns take either case", QStringList{"--include", "*.TXT"} + kCsv, "", 0, kListed);
        row("every choice's word reaches the listing", {"--export", "-", "--format", "json", "--match-case", "--no-hidden",
            "--prune-empty", "-x", "--disk-usage", "--links-once", "--sort", "date", "plain"}, "", 0,
            ".*\"match_case\": true, \"hidden\": false, \"prune_empty\": true, \"one_file_system\": true, \"sizes\": "
            "\"disk\", \"links_once\": true, \"order\": \"date\".*");
        row("unless case is matched", QStringList{"--include", "*.TXT", "--match-case"} + kCsv, "", 0, kHeader);
        row("a stored pattern that is none: its default, told", kCsv, "[Listing%20Options]\nInclude%20Files=[a\n", 0,
            kListed, "foliotrace: the stored option \"Include Files\" held \"\\[a\"; \"\" is used instead\n");
        row("JSON names the grid given", {"--export", "-", "--format", "json", "--grid", "rows", "plain"}, "", 0,
            ".*\"grid\": \"Rows\".*");
        row("PDF without a display", {"--export", "out.pdf", "plain"}, "", 0, "");
        row("PDF with a platform named but no display", {"-platform", "xcb", "--export", "out.pdf", "plain"}, "", 0, "");
        row("to the default printer", {"--print", "plain"}, "", 0, "", "", "copies=1");
        row("the stored page setup and the given job", {"--print", "--copies", "2", "--pages", "1", "plain"},
            "[Page Setup]\nPaper=A5\nFit Width=7\n", 0, "",
            "foliotrace: the stored option \"Page Setup/Fit Width\" held \"7\"; \"0\" is used instead\n",
            "copies=2 page-ranges=1 media=iso_a5_148x210mm");
        row("the listing as a person reads it, its totals under it", {"--export", "-", "--no-date", "plain"}, "", 0,
            "\\S+/plain  - On: \\S+\n\nSub-Directories  Size \\(KB\\)\n-  a\\.txt {17}0\n\n0 KB\n");
        row("more columns in their order; no totals given wins over stored", {"--export", "-", "--no-date", "--columns",
            "path,files", "--no-totals", "plain"}, "[Listing%20Options]\nTotals%20Line=1\n", 0,
            "\\S+/plain  - On: \\S+\n\nSub-Directories  Size \\(KB\\)  Files  Path\n-  a\\.txt {17}0 {9}a\\.txt\n");
        row("CSV: a column each, its header in English", QStringList{"--columns", "owner,folders"} + kCsv, "", 0,
            "Level,Kind,Name,Path,Size \\(bytes\\),Size \\(KB\\),Modified,Folders,Owner,Note\r\n"
            "0,file,a\\.txt,a\\.txt,3,0,,,\\w+,\r\n");
        row("missing folder", {"--export", "-", "nowhere"}, "", 2, "", "foliotrace: \"nowhere\" does not exist\n");
        row("a file as the folder", {"--print", "file.txt"}, "", 2, "", "foliotrace: \"file\\.txt\" is not a folder\n");
        row("unwritable output", {"--export", "/nonexistent/x.csv", "plain"}, "", 1, "",
            "foliotrace: Cannot write the file /nonexistent/x\\.csv: No such file or directory\\.\n");
        row("a file to compare with that is no listing: why, and status 2", {"--export", "-", "--compare", "file.txt",
            "plain"}, "", 2, "", "foliotrace: \"file\\.txt\" is not a Foliotrace listing: .*\n");
        row("--changes-only without --compare", {"--export", "-", "--changes-only", "plain"}, "", 2, "",
            "foliotrace: --changes-only needs --compare\nUsage: .*");
        row("unknown option", {"--frobnicate", "plain"}, "", 2, "",
            "foliotrace: Unknown option 'frobnicate'\\.\nUsage: .*");
    }
    // The settings file is read when it can be, told once when it cannot, and never moved.
    static void settingsRows()
    {
        const QString unread = "foliotrace: cannot read the settings file \\S+/Foliotrace/Foliotrace\\.conf: ";
        row("a FIFO as the settings file", kCsv, "<fifo>", 0, kListed,
            unread + "it is a named pipe \\(FIFO\\), not a regular file; the defaults are used\n");
        row("a folder as the settings file", kCsv, "<folder>", 0, kListed,
            unread + "it is a folder, not a regular file; the defaults are used\n");
        row("a symbolic-link loop as the settings file", kCsv, "<loop>", 0, kListed,
            unread + "Too many levels of symbolic links; the defaults are used\n");
        row("junk settings: what can be read is used", kCsv, "[Settings\nPrint%20Size=0\n", 0,
            kHeader + "0,file,a\\.txt,a\\.txt,,,,\r\n",
            "foliotrace: cannot read all of the settings file \\S+; what could be read of it is used\n");
        const QStringList json{"--export", "-", "--format", "json", "plain"};
        row("a stored depth past 65535 lists 65535", json, "Directory Levels=4294967295", 0, ".*\"depth\": 65535,.*");
        row("an overlong or junk stored width: its default", json,
            "DirectoryColWidth=" + QString(1001, u'1') + "\nSizeColWidth=0x10", 0,
            ".*\"widths\": \\[4000, 1000, 1000\\].*",
            "foliotrace: the stored option \"DirectoryColWidth\" held 1,?001 characters, more than any option takes; "
            "\"4000\" is used instead\n"
            "foliotrace: the stored option \"SizeColWidth\" held \"0x10\"; \"1000\" is used instead\n");
    }


private slots:
    // QTemporaryDir cannot remove a name that is no valid text.
    void cleanupTestCase() { QVERIFY(::rmdir(m_root + "/caf\xe9") == 0); }
    void cleanup() { QFile::remove(m_root + "/out.pdf"); }
    void init() { QVERIFY(::chdir(m_root.constData()) == 0); }

    void initTestCase()
    {
        QVERIFY(::chdir(QFile::encodeName(m_dir.path()).constData()) == 0);
        m_root = currentFolder();
        ::umask(022);
        for (const QByteArray name : {"plain", "caf\xe9", "-x", "ctl", "ctl/\x1b]0;PWNED\x07"})
            QVERIFY(::mkdir(m_root + '/' + name, 0700) == 0);
        QVERIFY(QFile(QFile::decodeName(m_root + "/ctl/\x1b]0;PWNED\x07/bell\x07\xc2\x9b")).open(QIODevice::WriteOnly));
        QFile file(QStringLiteral("file.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QFile listed(QStringLiteral("plain/a.txt"));
        QVERIFY(listed.open(QIODevice::WriteOnly) && listed.write("abc") == 3);
    }

    void startsAsAsked_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("text");       // a pattern for the whole text
        QTest::addColumn<QByteArray>("entered"); // the current folder after, under the root
        const auto row = [](const char *name, const QByteArrayList &arguments, Action action, const QString &text,
                            const QByteArray &entered = {}) {
            QTest::newRow(name) << arguments << action << text << entered;
        };
        const Action start = Action::StartWindow;
        row("no folder: stays in the current one", {}, start, "");
        row("a folder is entered", {"plain"}, start, "", "/plain");
        row("a name that is no valid UTF-8 keeps its bytes", {"caf\xe9"}, start, "", "/caf\xe9");
        row("after --, a folder named like an option", {"--", "-x"}, start, "", "/-x");
        row("Qt's own options pass on to Qt", {"-style", "fusion", "-reverse", "plain"}, start, "", "/plain");
        row("missing folder", {"nowhere"}, start, "foliotrace: \"nowhere\" does not exist\n");
        row("a file as the folder", {"file.txt"}, start, "foliotrace: \"file\\.txt\" is not a folder\n");
        row("-h lists the options", {"-h"}, Action::Answer, "Usage: \\S+ \\[options\\] \\[FOLDER\\]\n.*--version.*");
        row("unknown option, with the usage", {"--frobnicate", "plain"}, Action::Refuse,
            "foliotrace: Unknown option 'frobnicate'\\.\nUsage: \\S+ \\[options\\] \\[FOLDER\\]\n.*--export FILE.*");
        row("two folders", {"plain", "nowhere"}, Action::Refuse, "foliotrace: give one folder at most\nUsage: .*\n");
        const QList<std::pair<QByteArrayList, const char *>> refused{
            {{"--depth", "2", "plain"}, "--depth needs --export or --print"},
            {{"--export", "x.csv", "--print", "plain"}, "give --export or --print, not both"},
            {{"--export", "x.csv"}, "give the folder to list"},
            {{"--export", "x.doc", "plain"}, "cannot tell the format of \"x\\.doc\" by its name; give --format"},
            {{"--export", "x", "--format", "xls", "plain"}, "--format takes pdf, xlsx, csv, html, json, txt or tsv, not \"xls\""},
            {{"--export", "x.csv", "--landscape", "plain"}, "--landscape shapes pages, which only --print and a PDF have"},
            {{"--export", "x.pdf", "--copies", "2", "plain"}, "--copies needs --print"},
            {{"--print", "--landscape", "--portrait", "plain"}, "--landscape and --portrait contradict each other"},
            {{"--print", "--paper", "A99", "plain"}, "--paper takes a paper's name, as A4, Letter or Legal, not \"A99\""},
            {{"--print", "--text-size", "200", "plain"}, "--text-size takes a whole number from 80 to 150, not \"200\""},
            {{"--print", "--copies", "0", "plain"}, "--copies takes a whole number from 1 to 999, not \"0\""},
            {{"--print", "--pages", "3-1", "plain"}, "--pages takes pages as lp -P does, as 1-3,7 or 9-, not \"3-1\""},
            {{"--export", "-", "--format", "pdf", "plain"}, "a PDF cannot go to standard output; give a file name"},
            {{"--print", "--files", "--no-files", "plain"}, "--files and --no-files contradict each other"},
            {{"--export", "x.csv", "--depth", "0", "plain"}, "--depth takes a whole number from 1 to 65535, not \"0\""},
            {{"--export", "x.csv", "--depth", "65536", "plain"}, "--depth takes a whole number from 1 to 65535, not \"65536\""},
            {{"--export", "x.csv", "--grid", "x", "plain"}, "--grid takes none, rows, top-bottom or all, not \"x\""},
            {{"--export", "x.csv", "--widths", "4000,1000", "plain"}, "--widths takes three widths in twips, .*"},
            {{"--skip", "*.o", "plain"}, "--skip needs --export or --print"},
            {{"--print", "-x", "--no-one-file-system", "plain"},
             "--one-file-system and --no-one-file-system contradict each other"},
            {{"--print", "--include", "*.jpg;*.[ch", "plain"},
             "--include: \"\\*\\.\\[ch\" has a \"\\[\" with no \"\\]\" to close it"},
            {{"--print", "--skip", "a/b", "plain"}, "--skip: \"a/b\" holds a \"/\": a pattern matches names, not paths"},
            {{"--export", "x.csv", "--sort", "colour", "plain"}, "--sort takes name, size, date or extension, not \"colour\""},
            {{"--export", "x.csv", "--columns", "files,colour", "plain"},
             "--columns takes files, folders, time, owner, permissions, created and path, not \"colour\""},
        };
        for (const auto &[arguments, problem] : refused)
            row(problem, arguments, Action::Refuse, QStringLiteral("foliotrace: %1\nUsage: .*").arg(problem));
    }

    void startsAsAsked()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, text);
        QFETCH(QByteArray, entered);

        const CommandLine::Request request = CommandLine::parse(QByteArrayList{"foliotrace"} + arguments);
        QCOMPARE(request.action, action);
        QString said = request.text;
        if (request.folder)
            said = CommandLine::enterFolder(*request.folder);
        QVERIFY2(matchesWhole(text, said), qPrintable(said));
        QCOMPARE(currentFolder(), m_root + entered);
    }

    // The program itself, as a script runs it: no display, its own settings.
    void runsWithoutWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("stored"); // the settings file's [Settings], its whole text, a FIFO, ...; or none
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output"); // patterns for standard output and error
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("job");   // options the print job has
        outputRows();
        settingsRows();
    }
    void runsWithoutWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, stored);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, error);
        QFETCH(QString, job);

        QTemporaryDir config;
        const QString settings = config.filePath(QStringLiteral("Foliotrace/Foliotrace.conf"));
        const QByteArray path = QFile::encodeName(settings);
        const QByteArray settingsText = stored.startsWith(u'[') ? stored.toLatin1() : "[Settings]\n" + stored.toUtf8() + '\n';
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Foliotrace")));
        if (stored == u"<fifo>")
            QVERIFY(::mkfifo(path, 0600) == 0);
        else if (stored == u"<folder>")
            QVERIFY(::mkdir(path, 0700) == 0);
        else if (stored == u"<loop>")
            QVERIFY(::symlink("Foliotrace.conf", path) == 0);
        else if (!stored.isEmpty()) {
            QFile file(settings);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(settingsText) == settingsText.size());
        }
        const QByteArray before = snapshot(settings);
        QProcessEnvironment environment = scriptEnvironment(config.path());
        QDir jobs(qEnvironmentVariable("FOLIOTRACE_TEST_PRINT_DIR"));
        for (const QString &earlier : jobs.entryList({QStringLiteral("job-*")}))
            jobs.remove(earlier);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(FOLIOTRACE_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(60000));

        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == status, qPrintable(said));
        QVERIFY2(matchesWhole(error, said), qPrintable(said));
        const QString written = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(matchesWhole(output, written), qPrintable(written));
        if (arguments.contains(u"--print") && status == 0) {   // the private scheduler keeps the job as a PDF
            QTRY_VERIFY_WITH_TIMEOUT(!jobs.entryList({QStringLiteral("job-*.pdf")}).isEmpty(), 30000);
            QFile options(jobs.filePath(jobs.entryList({QStringLiteral("job-*.options")}).value(0)));
            const QStringList sent = options.open(QIODevice::ReadOnly) ? QString::fromUtf8(options.readAll()).split(u' ')
                                                                       : QStringList();
            for (const QString &option : job.split(u' '))
                QVERIFY2(sent.contains(option), qPrintable(sent.join(u' ')));
        }
        QFile pdf(QStringLiteral("out.pdf"));
        QCOMPARE(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", arguments.contains(u"out.pdf"));
        // The command line never stores anything, nor moves the file.
        QCOMPARE(snapshot(settings), before);
        QVERIFY(!QFileInfo::exists(settings + ".bad"));
    }

    // What --export does to what its name stands for.
    // Saved as JSON, the tree changed, listed compared with it; a listing saved compared reads back without what was gone.
    void comparesWithSavedListing()
    {
        QTemporaryDir config;
        const auto run = [&config](const QStringList &arguments) {
            QProcess program;
            program.setProcessEnvironment(scriptEnvironment(config.path()));
            program.start(QStringLiteral(FOLIOTRACE_PROGRAM), arguments + QStringList{"tree"});
            return program.waitForFinished(60000) && program.exitCode() == 0 ? program.readAllStandardOutput() : "failed";
        };
        runShell(m_root, "mkdir -p tree/Docs && printf 1234 > tree/a.txt && printf x > tree/Docs/gone.txt");
        QCOMPARE(run({"--export", "old.json", "--depth", "2"}), "");
        runShell(m_root, "rm tree/Docs/gone.txt && printf 123456 > tree/a.txt && printf n > tree/new.txt");
        const QStringList csv{"--export", "-", "--format", "csv", "--no-date", "--depth", "2", "--compare"};
        QCOMPARE(run(csv + QStringList{"old.json"}), "Level,Kind,Name,Change,Path,Size (bytes),Size (KB),Modified,Note,change_bytes\r\n"
                 "0,file,a.txt,changed,a.txt,6,0 (+0),,,2\r\n0,file,new.txt,added,new.txt,1,0,,,1\r\n"
                 "1,folder,Docs,changed,Docs,0,0 (+0),,,-1\r\n1,file,gone.txt,removed,Docs/gone.txt,1,0,,,-1\r\n");
        QCOMPARE(run({"--export", "compared.json", "--depth", "2", "--compare", "old.json"}), "");
        QCOMPARE(run(csv + QStringList{"compared.json", "--changes-only"}),
                 "Level,Kind,Name,Change,Path,Size (bytes),Size (KB),Modified,Note,change_bytes\r\n");
    }

    void exportTargets_data()
    {
        QTest::addColumn<QString>("setup");   // shell commands in a folder of its own
        QTest::addColumn<QString>("output");  // the --export argument
        QTest::addColumn<mode_t>("type");     // of out.csv afterwards, not following a link; 0: none
        QTest::addColumn<QString>("listed");  // names that read as the listing afterwards
        QTest::addColumn<uint>("mode");       // permission bits and owner of what out.csv names
        QTest::addColumn<uint>("owner");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        const auto row = [](const char *name, const char *setup, mode_t type, const QString &listed, uint mode,
                            uint owner, int status = 0, const QString &error = {}) {
            QTest::newRow(name) << setup << "out.csv" << type << listed << mode << owner << status << error;
        };
        const QString full = "foliotrace: Cannot write %1: No space left on device\\.\n";
        row("a new file", "", S_IFREG, "out.csv", 0644, 0);
        row("a read-only file of another owner keeps mode and owner",
            "echo earlier >out.csv; chmod 444 out.csv; chown 12345:12345 out.csv", S_IFREG, "out.csv", 0444, 12345);
        row("a hard-linked file: both names see the listing", "echo earlier >out.csv; ln out.csv other", S_IFREG,
            "out.csv other", 0644, 0);
        row("a link to a file: the file is replaced, the link kept", "echo earlier >file.csv; ln -s file.csv out.csv",
            S_IFLNK, "out.csv file.csv", 0644, 0);
        row("a FIFO is written into", "mkfifo out.csv", S_IFIFO, "out.csv", 0644, 0);
        row("a device node like /dev/null stays one", "mknod -m 666 out.csv c 1 3", S_IFCHR, "", 0666, 0);
        row("a link to a device node keeps both", "mknod -m 666 null c 1 3; ln -s null out.csv", S_IFLNK, "", 0666, 0);
        row("a full device: the reason and status 1", "mknod -m 666 out.csv c 1 7", S_IFCHR, "", 0666, 0, 1,
            full.arg("the file out\\.csv"));
        QTest::newRow("standard output on a full device: the reason and status 1")
            << "mknod -m 666 full c 1 7" << "-" << mode_t(0) << "" << 0u << 0u << 1 << full.arg("to standard output");
    }

    void exportTargets()
    {
        QFETCH(QString, setup);
        QFETCH(QString, output);
        QFETCH(mode_t, type);
        QFETCH(QString, listed);
        QFETCH(uint, mode);
        QFETCH(uint, owner);
        QFETCH(int, status);
        QFETCH(QString, error);

        QTemporaryDir dir;
        runShell(dir.path(), setup);
        const QByteArray out = QFile::encodeName(dir.filePath(QStringLiteral("out.csv")));
        struct stat before = {};
        const bool fifo = ::stat(out.constData(), &before) == 0 && S_ISFIFO(before.st_mode);
        // A reader there already, so that the program's open does not wait.
        const int reader = fifo ? ::open(out.constData(), O_RDONLY | O_NONBLOCK) : -1;
        const auto closeReader = qScopeGuard([reader] { ::close(reader); });
        QStringList names = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        if (type && !names.contains(u"out.csv")) {
            names.append(QStringLiteral("out.csv"));
            names.sort();
        }
        QTemporaryDir config;
        QProcess program;
        program.setProcessEnvironment(scriptEnvironment(config.path()));
        program.setWorkingDirectory(dir.path());
        if (output == u"-")
            program.setStandardOutputFile(dir.filePath(QStringLiteral("full")), QIODevice::Append);
        program.start(QStringLiteral(FOLIOTRACE_PROGRAM),
                      {"--export", output, "--format", "csv", "--no-date", QFile::decodeName(m_root + "/plain")});
        QVERIFY(program.waitForFinished(60000));
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == status, qPrintable(said));
        QVERIFY2(matchesWhole(error, said), qPrintable(said));

        // Nothing left beside it, nothing taken away.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), names);
        struct stat after = {};
        QCOMPARE(::lstat(out.constData(), &after) == 0 ? after.st_mode & S_IFMT : 0, type);
        if (type) {
            QVERIFY(::stat(out.constData(), &after) == 0);
            QCOMPARE(after.st_mode & 07777, mode);
            QCOMPARE(after.st_uid, owner);
            if (S_ISCHR(after.st_mode))
                QCOMPARE(after.st_rdev, before.st_rdev);
        }
        const QByteArray listing = "Level,Kind,Name,Path,Size (bytes),Size (KB),Modified,Note\r\n"
                                   "0,file,a.txt,a.txt,3,0,,\r\n";
        for (const QString &name : listed.split(u' ', Qt::SkipEmptyParts)) {
            QFile file(dir.filePath(name));
            QVERIFY(fifo || file.open(QIODevice::ReadOnly));
            QCOMPARE(fifo ? readAll(reader) : file.readAll(), listing);
        }
    }

    // A stop signal ends the run where it waits, with the signal's status,
    // and leaves the folder as it was.
    void endsOnSignal_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment"); // NAME=value, FOLDER for the run's folder
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("temporary"); // sent once a temporary file has appeared
        const QString plain = QFile::decodeName(m_root + "/plain");
        const QStringList pdf{"--export", "out.pdf", plain};
        // Fontconfig reads this FIFO when the first page is composed, after the output is open.
        const QString fonts = "FONTCONFIG_FILE=FOLDER/fonts.conf";
        QTest::newRow("SIGTERM waiting for a FIFO's reader")
            << "mkfifo out.csv" << QStringList{"--export", "out.csv", plain} << "" << SIGTERM << false;
        QTest::newRow("SIGTERM composing a PDF: the earlier file stays")
            << "echo earlier >out.pdf; mkfifo fonts.conf" << pdf << fonts << SIGTERM << true;
        QTest::newRow("SIGINT with a hard-linked file: both names keep it")
            << "echo earlier >out.pdf; ln out.pdf other; mkfifo fonts.conf" << pdf << fonts << SIGINT << true;
        QTest::newRow("SIGTERM waiting for a silent print server")
            << "" << QStringList{"--print", plain} << "TMPDIR=FOLDER" << SIGTERM << false;
    }

    void endsOnSignal()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(int, signal);
        QFETCH(bool, temporary);

        QTemporaryDir dir;
        runShell(dir.path(), setup);
        QDir folder(dir.path());
        const auto entries = [&folder] { return folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System); };
        const QStringList names = entries();
        QTemporaryDir config;
        QProcessEnvironment variables = scriptEnvironment(config.path());
        if (!environment.isEmpty()) {
            const QString setting = QString(environment).replace(QStringLiteral("FOLDER"), dir.path());
            variables.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        }
        // Takes connections (the system does, unasked) and never answers.
        const int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const auto closeSilent = qScopeGuard([silent] { ::close(silent); });
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        QVERIFY(::bind(silent, reinterpret_cast<sockaddr *>(&address), length) == 0 && ::listen(silent, 8) == 0);
        QVERIFY(::getsockname(silent, reinterpret_cast<sockaddr *>(&address), &length) == 0);
        variables.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:%1").arg(ntohs(address.sin_port)));
        variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), config.path());
        QProcess program;
        program.setProcessEnvironment(variables);
        program.setWorkingDirectory(dir.path());
        program.start(QStringLiteral(FOLIOTRACE_PROGRAM), arguments);
        QVERIFY(program.waitForStarted());
        if (temporary)
            QTRY_COMPARE_WITH_TIMEOUT(entries().size(), names.size() + 1, 30000);
        else
            QTest::qWait(500);
        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QCOMPARE(program.exitCode(), signal);
        QCOMPARE(entries(), names);
        for (const QString &name : names.filter(QRegularExpression(QStringLiteral("^(out.pdf|other)$")))) {
            QFile kept(folder.filePath(name));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), QByteArray("earlier\n"));
        }
    }

    // Names that hold control characters: shown as escapes on a terminal,
    // kept as they are in a pipe.
    void controlCharacters_data()
    {
        QTest::addColumn<bool>("outputTerminal");
        QTest::addColumn<bool>("progressTerminal"); // standard error a terminal, a FIFO as the output
        QTest::addColumn<QByteArray>("expected");   // part of what the terminal or the pipe got
        QTest::newRow("--export - on a terminal") << true << false << QByteArray("\\e]0;PWNED\\x07/bell\\x07\\u009b");
        QTest::newRow("--export - into a pipe") << false << false << QByteArray("\x1b]0;PWNED\x07/bell\x07\xc2\x9b");
        QTest::newRow("the progress line") << false << true << QByteArray("reading " + m_root + "/ctl/\\e]0;PWNED\\x07");
    }

    void controlCharacters()
    {
        QFETCH(bool, outputTerminal);
        QFETCH(bool, progressTerminal);
        QFETCH(QByteArray, expected);

        int terminal = -1;
        int terminalSide = -1;
        QVERIFY(::openpty(&terminal, &terminalSide, nullptr, nullptr, nullptr) == 0);
        const auto closeTerminal = qScopeGuard([&] {
            ::close(terminal);
            ::close(terminalSide);
        });
        termios raw = {};
        QVERIFY(::tcgetattr(terminalSide, &raw) == 0);
        ::cfmakeraw(&raw);
        QVERIFY(::tcsetattr(terminalSide, TCSANOW, &raw) == 0);
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(!progressTerminal || ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QTemporaryDir config;
        QProcess program;
        program.setProcessEnvironment(scriptEnvironment(config.path()));
        const int onto = progressTerminal ? STDERR_FILENO : outputTerminal ? STDOUT_FILENO : -1;
        program.setChildProcessModifier([terminalSide, onto] {
            if (onto >= 0)
                ::dup2(terminalSide, onto);
        });
        program.start(QStringLiteral(FOLIOTRACE_PROGRAM), {"--export", progressTerminal ? fifo : "-", "--format",
                                                           "csv", "--no-date", QFile::decodeName(m_root + "/ctl")});
        QByteArray fromFifo;
        if (progressTerminal) {
            // The progress line shows once the run has taken half a second.
            QTest::qWait(700);
            QFile reader(fifo);
            QVERIFY(reader.open(QIODevice::ReadOnly));
            fromFifo = reader.readAll();
        }
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(::fcntl(terminal, F_SETFL, O_NONBLOCK) == 0);
        const QByteArray shown = readAll(terminal);
        const QByteArray got = onto >= 0 ? shown : program.readAllStandardOutput();
        QVERIFY2(got.contains(expected), got.constData());
        // On the terminal no control character but the line ends and the progress line's own.
        QVERIFY(!QByteArray(shown).replace("\r\x1b[K", "").contains('\x1b'));
        QVERIFY(!shown.contains('\x07') && !shown.contains("\xc2\x9b"));
        QVERIFY(!progressTerminal || fromFifo.contains("\x1b]0;PWNED\x07"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
