#include "app/CommandLine.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

#include <sys/stat.h>
#include <unistd.h>

using Action = CommandLine::Request::Action;

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

// What main() does before any window: the request, then the folder entered.
class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_root;

private slots:
    // QTemporaryDir cannot remove a name that is no valid text.
    void cleanupTestCase() { QVERIFY(::rmdir(m_root + "/caf\xe9") == 0); }
    void cleanup() { QFile::remove(m_root + "/out.pdf"); }
    void init() { QVERIFY(::chdir(m_root.constData()) == 0); }

    void initTestCase()
    {
        QVERIFY(::chdir(QFile::encodeName(m_dir.path()).constData()) == 0);
        m_root = currentFolder();
        for (const QByteArray name : {"plain", "caf\xe9", "-x"})
            QVERIFY(::mkdir(m_root + '/' + name, 0700) == 0);
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
            {{"--export", "x", "--format", "xls", "plain"}, "--format takes pdf, csv, html, json or txt, not \"xls\""},
            {{"--export", "-", "--format", "pdf", "plain"}, "a PDF cannot go to standard output; give a file name"},
            {{"--print", "--files", "--no-files", "plain"}, "--files and --no-files contradict each other"},
            {{"--export", "x.csv", "--depth", "0", "plain"}, "--depth takes a whole number from 1 to 65535, not \"0\""},
            {{"--export", "x.csv", "--depth", "65536", "plain"}, "--depth takes a whole number from 1 to 65535, not \"65536\""},
            {{"--export", "x.csv", "--grid", "x", "plain"}, "--grid takes none, rows, top-bottom or all, not \"x\""},
            {{"--export", "x.csv", "--widths", "4000,1000", "plain"}, "--widths takes three widths in twips, .*"},
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
        const auto row = [](const char *name, const QStringList &arguments, const QString &stored, int status,
                            const QString &output, const QString &error = {}) {
            QTest::newRow(name) << arguments << stored << status << output << error;
        };
        const QStringList csv{"--export", "-", "--format", "csv", "--no-date", "plain"};
        const QString header = "Level,Kind,Name,Path,Size \\(bytes\\),Size \\(KB\\),Modified,Note\r\n";
        const QString listed = header + "0,file,a\\.txt,a\\.txt,3,0,,\r\n";
        row("CSV to standard output", csv, "", 0, listed);
        row("stored options apply", csv, "Print Size=0", 0, header + "0,file,a\\.txt,a\\.txt,,,,\r\n");
        row("given ones win, not stored", QStringList{"--size", "--depth", "2"} + csv, "Print Size=0", 0, listed);
        row("JSON names the grid given", {"--export", "-", "--format", "json", "--grid", "rows", "plain"}, "", 0,
            ".*\"grid\": \"Rows\".*");
        row("PDF without a display", {"--export", "out.pdf", "plain"}, "", 0, "");
        row("to the default printer", {"--print", "plain"}, "", 0, "");
        row("missing folder", {"--export", "-", "nowhere"}, "", 2, "", "foliotrace: \"nowhere\" does not exist\n");
        row("a file as the folder", {"--print", "file.txt"}, "", 2, "", "foliotrace: \"file\\.txt\" is not a folder\n");
        row("unwritable output", {"--export", "/nonexistent/x.csv", "plain"}, "", 1, "",
            "foliotrace: Cannot write the file /nonexistent/x\\.csv: No such file or directory\\.\n");
        row("unknown option", {"--frobnicate", "plain"}, "", 2, "",
            "foliotrace: Unknown option 'frobnicate'\\.\nUsage: .*");
        // The settings file is read when it can be, told once when it cannot, and never moved.
        const QString unread = "foliotrace: cannot read the settings file \\S+/Foliotrace/Foliotrace\\.conf: ";
        row("a FIFO as the settings file", csv, "<fifo>", 0, listed,
            unread + "it is a named pipe \\(FIFO\\), not a regular file; the defaults are used\n");
        row("a folder as the settings file", csv, "<folder>", 0, listed,
            unread + "it is a folder, not a regular file; the defaults are used\n");
        row("a symbolic-link loop as the settings file", csv, "<loop>", 0, listed,
            unread + "Too many levels of symbolic links; the defaults are used\n");
        row("junk settings: what can be read is used", csv, "[Settings\nPrint%20Size=0\n", 0,
            header + "0,file,a\\.txt,a\\.txt,,,,\r\n",
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

    void runsWithoutWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, stored);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, error);

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
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        QDir jobs(qEnvironmentVariable("FOLIOTRACE_TEST_PRINT_DIR"));
        for (const QString &job : jobs.entryList({QStringLiteral("job-*")}))
            jobs.remove(job);
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
        if (arguments.contains(u"--print") && status == 0)   // the private scheduler keeps the job as a PDF
            QTRY_VERIFY_WITH_TIMEOUT(!jobs.entryList({QStringLiteral("job-*.pdf")}).isEmpty(), 30000);
        QFile pdf(QStringLiteral("out.pdf"));
        QCOMPARE(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", arguments.contains(u"out.pdf"));
        // The command line never stores anything, nor moves the file.
        QCOMPARE(snapshot(settings), before);
        QVERIFY(!QFileInfo::exists(settings + ".bad"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
