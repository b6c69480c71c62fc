#include "settings/OptionStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Stands in for the main window's option controls: plain values, plus a log
// of the load's second step so its order can be checked.
class FakeControls : public OptionControls
{
public:
    int checks[3] = {0, 0, 0};
    QString depth = QStringLiteral("1");
    int grid = 0;
    QString texts[5] = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("4000"),
                        QStringLiteral("1000"), QStringLiteral("1000")};
    QString path;
    QStringList calls;

    int checkValue(OptionCheck check) const override { return checks[int(check)]; }
    void setCheckValue(OptionCheck check, int value) override { checks[int(check)] = value; }
    QString depthText() const override { return depth; }
    void setDepthText(const QString &text) override { depth = text; }
    int gridListIndex() const override { return grid; }
    void setGridListIndex(int index) override { grid = index; }
    QString optionText(OptionText field) const override { return texts[int(field)]; }
    void setOptionText(OptionText field, const QString &text) override { texts[int(field)] = text; }
    QString pathCaption() const override { return path; }
    void setFolderListPath(const QString &p) override { calls << QStringLiteral("Dir1.Path=") + p; }
    void setDriveListDrive(const QString &p) override { calls << QStringLiteral("Drive1.Drive=") + p; }
};

class TestOptionStore : public QObject
{
    Q_OBJECT

public:
    explicit TestOptionStore(const QString &configHome) : m_configHome(configHome) {}

private slots:
    void init();
    void cleanup();

    void storeLivesInTheConfigFolder();
    void firstRunGivesDefaults();
    void roundTripKeepsEveryValue_data();
    void roundTripKeepsEveryValue();
    void fileHoldsTheTenKeysAsText();
    void typedDepthAndUnknownGridComeBack();
    void corruptValueIsReplacedAndReported_data();
    void corruptValueIsReplacedAndReported();
    void severalCorruptValuesAreAllReported();
    void loadPointsListsAtThePath();
    void loadLeavesListsAloneWithoutPath();
    void saveThatCannotBeWrittenThrows();
    void wholeNumberReading_data();
    void wholeNumberReading();

private:
    void writeRaw(const QString &key, const QString &value);
    QString m_configHome;
};

void TestOptionStore::init()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_configHome);
    QFile::remove(m_configHome + QStringLiteral("/Foliotrace/Foliotrace.conf"));
}

void TestOptionStore::cleanup()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_configHome);
}

void TestOptionStore::writeRaw(const QString &key, const QString &value)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Foliotrace"),
                    QStringLiteral("Foliotrace"));
    store.setValue(QStringLiteral("Settings/") + key, value);
    store.sync();
    QCOMPARE(store.status(), QSettings::NoError);
}

void TestOptionStore::storeLivesInTheConfigFolder()
{
    QCOMPARE(settingsFileName(), m_configHome + QStringLiteral("/Foliotrace/Foliotrace.conf"));
}

void TestOptionStore::firstRunGivesDefaults()
{
    FakeControls controls;  // design-time state: switches off
    const SettingsLoadReport report = GetValuesFromRegistry(controls);

    QVERIFY(report.isEmpty());
    QCOMPARE(controls.checks[0], 1);
    QCOMPARE(controls.checks[1], 1);
    QCOMPARE(controls.checks[2], 1);
    QCOMPARE(controls.depth, QStringLiteral("1"));
    QCOMPARE(controls.grid, 0);
    QCOMPARE(controls.texts[0], QStringLiteral("+"));
    QCOMPARE(controls.texts[1], QStringLiteral("-"));
    QCOMPARE(controls.texts[2], QStringLiteral("4000"));
    QCOMPARE(controls.texts[3], QStringLiteral("1000"));
    QCOMPARE(controls.texts[4], QStringLiteral("1000"));
    QVERIFY(!QFile::exists(settingsFileName()));  // reading creates nothing
}

void TestOptionStore::roundTripKeepsEveryValue_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("date");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<int>("grid");
    QTest::addColumn<QString>("dirMark");
    QTest::addColumn<QString>("fileMark");
    QTest::addColumn<QString>("dirWidth");
    QTest::addColumn<QString>("sizeWidth");
    QTest::addColumn<QString>("dateWidth");

    QTest::newRow("all off, grid All") << 0 << 0 << 0 << "5" << 3 << ">" << "*" << "3000" << "800" << "900";
    QTest::newRow("grayed switches, Top & Bottom") << 2 << 1 << 2 << "2" << 2 << "+" << "-" << "4000" << "1000" << "1000";
    QTest::newRow("empty marks stay empty") << 1 << 1 << 1 << "1" << 1 << "" << "" << "4000" << "1000" << "1000";
    QTest::newRow("blanks kept, not trimmed") << 1 << 0 << 1 << " 3 " << 0 << "  " << " - " << " 4000" << "1000 " << "";
    QTest::newRow("commas and quotes survive") << 1 << 1 << 0 << "1, 2" << 0 << "a, b" << "\"x\"" << "1,000" << "=" << ";";
    QTest::newRow("leading @ is not a variant") << 1 << 1 << 1 << "@Invalid()" << 0 << "@" << "@@" << "#" << "[Settings]" << "\\";
    QTest::newRow("non-ASCII marks") << 1 << 1 << 1 << "1" << 0 << "\u25B6" << "\u00B7" << "4000" << "1000" << "1000";
    QTest::newRow("width text that is no number") << 1 << 1 << 1 << "7" << -1 << "+" << "-" << "wide" << "-5" << "1e3";
}

void TestOptionStore::roundTripKeepsEveryValue()
{
    QFETCH(int, files);
    QFETCH(int, size);
    QFETCH(int, date);
    QFETCH(QString, depth);
    QFETCH(int, grid);
    QFETCH(QString, dirMark);
    QFETCH(QString, fileMark);
    QFETCH(QString, dirWidth);
    QFETCH(QString, sizeWidth);
    QFETCH(QString, dateWidth);

    FakeControls saved;
    saved.checks[0] = files;
    saved.checks[1] = size;
    saved.checks[2] = date;
    saved.depth = depth;
    saved.grid = grid;
    saved.texts[0] = dirMark;
    saved.texts[1] = fileMark;
    saved.texts[2] = dirWidth;
    saved.texts[3] = sizeWidth;
    saved.texts[4] = dateWidth;
    SaveValuesToRegistry(saved);

    FakeControls loaded;
    loaded.grid = 99;
    const SettingsLoadReport report = GetValuesFromRegistry(loaded);
    QVERIFY(report.isEmpty());
    QCOMPARE(loaded.checks[0], files);
    QCOMPARE(loaded.checks[1], size);
    QCOMPARE(loaded.checks[2], date);
    QCOMPARE(loaded.depth, depth);
    QCOMPARE(loaded.grid, grid);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(loaded.texts[i], saved.texts[i]);
}

void TestOptionStore::fileHoldsTheTenKeysAsText()
{
    FakeControls controls;
    controls.checks[0] = 1;
    controls.checks[1] = 0;
    controls.checks[2] = 2;
    controls.depth = QStringLiteral("3");
    controls.grid = -1;
    SaveValuesToRegistry(controls);

    // Read the file as text: the key names, the group and the plain-text
    // values are what other tools (and older copies) see.
    QFile file(m_configHome + QStringLiteral("/Foliotrace/Foliotrace.conf"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList expected = {
        QStringLiteral("[Settings]"),
        QStringLiteral("DateColWidth=1000"),
        QStringLiteral("Directory%20Indicator=+"),
        QStringLiteral("Directory%20Levels=3"),
        QStringLiteral("DirectoryColWidth=4000"),
        QStringLiteral("File%20Indicator=-"),
        QStringLiteral("Grid%20Lines=-1"),
        QStringLiteral("Print%20Date=2"),
        QStringLiteral("Print%20Files=1"),
        QStringLiteral("Print%20Size=0"),
        QStringLiteral("SizeColWidth=1000"),
    };
    QCOMPARE(lines, expected);
}

void TestOptionStore::typedDepthAndUnknownGridComeBack()
{
    // The user typed 7 as depth and "rows" (no list item) as grid style.
    FakeControls typed;
    typed.depth = QStringLiteral("7");
    typed.grid = -1;
    SaveValuesToRegistry(typed);

    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Foliotrace"),
                  QStringLiteral("Foliotrace"));
    QCOMPARE(raw.value(QStringLiteral("Settings/Directory Levels")).toString(), QStringLiteral("7"));
    QCOMPARE(raw.value(QStringLiteral("Settings/Grid Lines")).toString(), QStringLiteral("-1"));

    FakeControls loaded;
    QVERIFY(GetValuesFromRegistry(loaded).isEmpty());
    QCOMPARE(loaded.depth, QStringLiteral("7"));
    QCOMPARE(loaded.grid, -1);
}

void TestOptionStore::corruptValueIsReplacedAndReported_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("defaultText");

    QTest::newRow("check state 3") << "Print Files" << "3" << "1";
    QTest::newRow("check state -1") << "Print Size" << "-1" << "1";
    QTest::newRow("check state as a word") << "Print Date" << "yes" << "1";
    QTest::newRow("check state empty") << "Print Files" << "" << "1";
    QTest::newRow("check state with a fraction") << "Print Size" << "1.0" << "1";
    QTest::newRow("check state too big for int") << "Print Date" << "99999999999" << "1";
    QTest::newRow("grid position 4") << "Grid Lines" << "4" << "0";
    QTest::newRow("grid position -2") << "Grid Lines" << "-2" << "0";
    QTest::newRow("grid as item text") << "Grid Lines" << "Rows" << "0";
    QTest::newRow("grid in hex") << "Grid Lines" << "0x1" << "0";
    QTest::newRow("grid with inner blank") << "Grid Lines" << "- 1" << "0";
}

void TestOptionStore::corruptValueIsReplacedAndReported()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, defaultText);

    // Good values everywhere else, so the load must carry on past the bad one.
    FakeControls saved;
    saved.checks[0] = saved.checks[1] = saved.checks[2] = 0;
    saved.grid = 3;
    saved.texts[4] = QStringLiteral("1500");
    SaveValuesToRegistry(saved);
    writeRaw(key, stored);

    FakeControls loaded;
    loaded.grid = 99;
    loaded.path = QStringLiteral("/tmp");
    const SettingsLoadReport report = GetValuesFromRegistry(loaded);

    QCOMPARE(report.replaced.size(), 1);
    QCOMPARE(report.replaced.first().key, key);
    QCOMPARE(report.replaced.first().storedText, stored);
    QCOMPARE(report.replaced.first().defaultText, defaultText);

    const int expectedGrid = key == QLatin1String("Grid Lines") ? 0 : 3;
    QCOMPARE(loaded.grid, expectedGrid);
    QCOMPARE(loaded.checks[0], key == QLatin1String("Print Files") ? 1 : 0);
    QCOMPARE(loaded.checks[1], key == QLatin1String("Print Size") ? 1 : 0);
    QCOMPARE(loaded.checks[2], key == QLatin1String("Print Date") ? 1 : 0);
    QCOMPARE(loaded.texts[4], QStringLiteral("1500"));  // the last key was still read
    QCOMPARE(loaded.calls.size(), 2);                   // and the second step still ran

    const QString message = settingsLoadReportMessage(report);
    QVERIFY2(message.contains(QLatin1Char('"') + key + QLatin1Char('"')), qPrintable(message));
    QVERIFY2(message.contains(QLatin1Char('"') + stored + QLatin1Char('"')), qPrintable(message));
}

void TestOptionStore::severalCorruptValuesAreAllReported()
{
    writeRaw(QStringLiteral("Print Files"), QStringLiteral("on"));
    writeRaw(QStringLiteral("Grid Lines"), QStringLiteral("9"));
    writeRaw(QStringLiteral("Print Date"), QStringLiteral(" 2 "));  // blanks are fine

    FakeControls loaded;
    const SettingsLoadReport report = GetValuesFromRegistry(loaded);
    QCOMPARE(report.replaced.size(), 2);
    QCOMPARE(report.replaced.at(0).key, QStringLiteral("Print Files"));  // in load order
    QCOMPARE(report.replaced.at(1).key, QStringLiteral("Grid Lines"));
    QCOMPARE(loaded.checks[2], 2);

    QVERIFY(settingsLoadReportMessage(SettingsLoadReport{}).isEmpty());
    const QStringList lines = settingsLoadReportMessage(report).split(u'\n');
    QCOMPARE(lines.filter(QStringLiteral("is used instead")).size(), 2);
}

void TestOptionStore::loadPointsListsAtThePath()
{
    FakeControls controls;
    controls.path = QStringLiteral("/home/user/Documents");
    GetValuesFromRegistry(controls);
    const QStringList expected = {QStringLiteral("Dir1.Path=/home/user/Documents"),
                                  QStringLiteral("Drive1.Drive=/home/user/Documents")};
    QCOMPARE(controls.calls, expected);
}

void TestOptionStore::loadLeavesListsAloneWithoutPath()
{
    FakeControls controls;
    GetValuesFromRegistry(controls);
    QVERIFY(controls.calls.isEmpty());
}

void TestOptionStore::saveThatCannotBeWrittenThrows()
{
    // Running as root ignores permissions; a plain file where the config
    // folder should be makes the write fail for anyone.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker + QStringLiteral("/config"));

    FakeControls controls;
    try {
        SaveValuesToRegistry(controls);
        QFAIL("the save reported no failure");
    } catch (const SettingsWriteError &error) {
        QCOMPARE(error.fileName(), blocker + QStringLiteral("/config/Foliotrace/Foliotrace.conf"));
        QVERIFY2(error.reason().contains(blocker), qPrintable(error.reason()));
        QVERIFY(error.message().contains(error.fileName()));
    }
    QVERIFY(QFileInfo(blocker).isFile());
}

void TestOptionStore::wholeNumberReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << "2" << true << 2;
    QTest::newRow("minus one") << "-1" << true << -1;
    QTest::newRow("plus sign") << "+3" << true << 3;
    QTest::newRow("blanks around") << "  1\t" << true << 1;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("blank inside") << "1 2" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("arabic-indic digit") << "\u0661" << false << 0;
}

void TestOptionStore::wholeNumberReading()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<int> result = parseStoredWholeNumber(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

int main(int argc, char **argv)
{
    // QSettings picks its folder up once; point it at a scratch folder
    // before anything touches it.
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    QCoreApplication app(argc, argv);
    TestOptionStore test(configHome.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_optionstore.moc"
