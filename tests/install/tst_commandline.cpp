#include "app/CommandLine.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

#include <sys/stat.h>
#include <unistd.h>

using Action = CommandLine::Request::Action;

static QByteArray currentFolder()
{
    char path[PATH_MAX];
    return ::getcwd(path, sizeof path) ? QByteArray(path) : QByteArray();
}

// What main() does before any window: the request, then the folder entered.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // QTemporaryDir cannot remove a name that is no valid text.
    void cleanupTestCase() { QVERIFY(::rmdir(m_root + "/caf\xe9") == 0); }
    void init() { QVERIFY(::chdir(m_root.constData()) == 0); }
    void startsAsAsked_data();
    void startsAsAsked();

private:
    QTemporaryDir m_dir;
    QByteArray m_root;
};

void TestCommandLine::initTestCase()
{
    QVERIFY(::chdir(QFile::encodeName(m_dir.path()).constData()) == 0);
    m_root = currentFolder();
    for (const QByteArray name : {"plain", "caf\xe9", "-x"})
        QVERIFY(::mkdir(m_root + '/' + name, 0700) == 0);
    QFile file(QStringLiteral("file.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void TestCommandLine::startsAsAsked_data()
{
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("text");  // a pattern for the whole text
    QTest::addColumn<QByteArray>("entered");  // the current folder after, under the root

    QTest::newRow("no folder: stays in the current one") << QByteArrayList{} << Action::StartWindow << "" << QByteArray();
    QTest::newRow("a folder is entered") << QByteArrayList{"plain"} << Action::StartWindow << "" << QByteArray("/plain");
    QTest::newRow("a name that is no valid UTF-8 keeps its bytes")
        << QByteArrayList{"caf\xe9"} << Action::StartWindow << "" << QByteArray("/caf\xe9");
    QTest::newRow("after --, a folder named like an option")
        << QByteArrayList{"--", "-x"} << Action::StartWindow << "" << QByteArray("/-x");
    QTest::newRow("Qt's own options pass on to Qt")
        << QByteArrayList{"-style", "fusion", "-reverse", "plain"} << Action::StartWindow << "" << QByteArray("/plain");
    QTest::newRow("missing folder") << QByteArrayList{"nowhere"} << Action::StartWindow
                                    << "foliotrace: \"nowhere\" does not exist\n" << QByteArray();
    QTest::newRow("a file as the folder") << QByteArrayList{"file.txt"} << Action::StartWindow
                                          << "foliotrace: \"file\\.txt\" is not a folder\n" << QByteArray();
    QTest::newRow("--version") << QByteArrayList{"--version", "plain"} << Action::Answer
                               << "Foliotrace 1\\.5\\.1\n" << QByteArray();
    QTest::newRow("-h lists the options") << QByteArrayList{"-h"} << Action::Answer
                                          << "Usage: \\S+ \\[options\\] \\[FOLDER\\]\n.*--version.*" << QByteArray();
    QTest::newRow("unknown option, with the usage")
        << QByteArrayList{"--frobnicate", "plain"} << Action::Refuse
        << "foliotrace: Unknown option 'frobnicate'\\.\nUsage: \\S+ \\[options\\] \\[FOLDER\\]\n" << QByteArray();
    QTest::newRow("two folders") << QByteArrayList{"plain", "nowhere"} << Action::Refuse
                                 << "foliotrace: give one folder at most\nUsage: .*\n" << QByteArray();
}

void TestCommandLine::startsAsAsked()
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
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(text),
                                     QRegularExpression::DotMatchesEverythingOption);
    QVERIFY2(pattern.match(said).hasMatch(), qPrintable(said));
    QCOMPARE(currentFolder(), m_root + entered);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
