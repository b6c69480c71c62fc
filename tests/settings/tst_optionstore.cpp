#include "settings/OptionStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Stands in for the main window's option controls; logs the list moves.
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

    QStringList all() const
    {
        QStringList values;
        for (int c : checks)
            values << QString::number(c);
        values << depth << QString::number(grid);
        for (const QString &t : texts)
            values << t;
        return values;
    }
    void setAll(const QStringList &values)
    {
        for (int i = 0; i < 3; ++i)
            checks[i] = values.at(i).toInt();
        depth = values.at(3);
        grid = values.at(4).toInt();
        for (int i = 0; i < 5; ++i)
            texts[i] = values.at(5 + i);
    }
};

class TestOptionStore : public QObject
{
    Q_OBJECT

public:
    explicit TestOptionStore(const QString &configHome) : m_configHome(configHome) {}

private slots:
    void init();

    void firstRunGivesDefaults();
    void roundTripKeepsEveryValue_data();
    void roundTripKeepsEveryValue();
    void typedDepthAndGridAreStoredAsText();
    void corruptValueIsReplacedAndReported_data();
    void corruptValueIsReplacedAndReported();
    void saveThatCannotBeWrittenThrows();

private:
    static void writeRaw(const QString &key, const QString &value);
    QString m_configHome;
};

void TestOptionStore::init()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_configHome);
    QFile::remove(settingsFileName());
}

void TestOptionStore::writeRaw(const QString &key, const QString &value)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Foliotrace"),
                    QStringLiteral("Foliotrace"));
    store.setValue(QStringLiteral("Settings/") + key, value);
    store.sync();
    QCOMPARE(store.status(), QSettings::NoError);
}

void TestOptionStore::firstRunGivesDefaults()
{
    QCOMPARE(settingsFileName(), m_configHome + QStringLiteral("/Foliotrace/Foliotrace.conf"));
    FakeControls controls;  // design-time state: switches off
    const SettingsLoadReport report = GetValuesFromRegistry(controls);
    QVERIFY(report.isEmpty());
    QVERIFY(settingsLoadReportMessage(report).isEmpty());
    QCOMPARE(controls.all(), QStringList({"1", "1", "1", "1", "0", "+", "-", "4000", "1000", "1000"}));
    QVERIFY(controls.calls.isEmpty());              // no path caption: lists left alone
    QVERIFY(!QFile::exists(settingsFileName()));   // reading creates nothing
}

void TestOptionStore::roundTripKeepsEveryValue_data()
{
    QTest::addColumn<QStringList>("values");  // files, size, date, depth, grid, marks, widths
    QTest::newRow("all off, grid All") << QStringList{"0", "0", "0", "5", "3", ">", "*", "3000", "800", "900"};
    QTest::newRow("grayed switches") << QStringList{"2", "1", "2", "2", "2", "+", "-", "4000", "1000", "1000"};
    QTest::newRow("empty marks stay empty") << QStringList{"1", "1", "1", "1", "1", "", "", "4000", "1000", ""};
    QTest::newRow("blanks kept, not trimmed") << QStringList{"1", "0", "1", " 3 ", "0", "  ", " - ", " 4000", "1000 ", "wide"};
    QTest::newRow("commas, quotes and a leading @ survive")
        << QStringList{"1", "1", "0", "1, 2", "0", "@Invalid()", "\"x\"", "1,000", "[Settings]", "\\"};
}

void TestOptionStore::roundTripKeepsEveryValue()
{
    QFETCH(QStringList, values);
    FakeControls saved;
    saved.setAll(values);
    SaveValuesToRegistry(saved);

    FakeControls loaded;
    loaded.grid = 99;
    QVERIFY(GetValuesFromRegistry(loaded).isEmpty());
    QCOMPARE(loaded.all(), values);
}

void TestOptionStore::typedDepthAndGridAreStoredAsText()
{
    // Typed depth 7 and grid "rows" (no list item, so -1); switches mixed.
    FakeControls typed;
    typed.checks[0] = 1;
    typed.checks[2] = 2;
    typed.depth = QStringLiteral("7");
    typed.grid = -1;
    SaveValuesToRegistry(typed);

    // Read as text: what other tools and older copies see.
    QFile file(settingsFileName());
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList expected = {
        "[Settings]", "DateColWidth=1000", "Directory%20Indicator=+", "Directory%20Levels=7",
        "DirectoryColWidth=4000", "File%20Indicator=-", "Grid%20Lines=-1", "Print%20Date=2",
        "Print%20Files=1", "Print%20Size=0", "SizeColWidth=1000",
    };
    QCOMPARE(lines, expected);

    FakeControls loaded;
    QVERIFY(GetValuesFromRegistry(loaded).isEmpty());
    QCOMPARE(loaded.depth, QStringLiteral("7"));
    QCOMPARE(loaded.grid, -1);
}

void TestOptionStore::corruptValueIsReplacedAndReported_data()
{
    QTest::addColumn<QStringList>("keys");  // in load order
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("defaults");

    QTest::newRow("check state 3") << QStringList{"Print Files"} << QStringList{"3"} << QStringList{"1"};
    QTest::newRow("check state -1") << QStringList{"Print Size"} << QStringList{"-1"} << QStringList{"1"};
    QTest::newRow("check state as a word") << QStringList{"Print Date"} << QStringList{"yes"} << QStringList{"1"};
    QTest::newRow("check state empty") << QStringList{"Print Files"} << QStringList{""} << QStringList{"1"};
    QTest::newRow("grid position 4") << QStringList{"Grid Lines"} << QStringList{"4"} << QStringList{"0"};
    QTest::newRow("grid position -2") << QStringList{"Grid Lines"} << QStringList{"-2"} << QStringList{"0"};
    QTest::newRow("grid as item text") << QStringList{"Grid Lines"} << QStringList{"Rows"} << QStringList{"0"};
    QTest::newRow("grid with a blank inside") << QStringList{"Grid Lines"} << QStringList{"- 1"} << QStringList{"0"};
    QTest::newRow("grid as a fraction") << QStringList{"Grid Lines"} << QStringList{"1.5"} << QStringList{"0"};
    QTest::newRow("grid in hex") << QStringList{"Grid Lines"} << QStringList{"0x1"} << QStringList{"0"};
    QTest::newRow("grid past int") << QStringList{"Grid Lines"} << QStringList{"4294967297"} << QStringList{"0"};
    QTest::newRow("grid in arabic-indic digits") << QStringList{"Grid Lines"} << QStringList{"\u0661"} << QStringList{"0"};
    QTest::newRow("two bad keys, both reported")
        << QStringList{"Print Files", "Grid Lines"} << QStringList{"on", "9"} << QStringList{"1", "0"};
}

void TestOptionStore::corruptValueIsReplacedAndReported()
{
    QFETCH(QStringList, keys);
    QFETCH(QStringList, stored);
    QFETCH(QStringList, defaults);

    // Non-default values everywhere else, so the load must carry on past the bad ones.
    FakeControls saved;
    saved.setAll({"0", "0", "2", "1", "3", "+", "-", "4000", "1000", "1500"});
    SaveValuesToRegistry(saved);
    // Blanks around and a plus sign are whole numbers too.
    writeRaw(QStringLiteral("Print Date"), QStringLiteral(" 2\t"));
    writeRaw(QStringLiteral("Grid Lines"), QStringLiteral("+3"));
    for (int i = 0; i < keys.size(); ++i)
        writeRaw(keys.at(i), stored.at(i));

    FakeControls loaded;
    loaded.grid = 99;
    loaded.path = QStringLiteral("/srv/data");
    const SettingsLoadReport report = GetValuesFromRegistry(loaded);

    QCOMPARE(report.replaced.size(), keys.size());
    QStringList expected = saved.all();
    const QStringList order = {"Print Files", "Print Size", "Print Date", "Directory Levels", "Grid Lines"};
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(report.replaced.at(i).key, keys.at(i));
        QCOMPARE(report.replaced.at(i).storedText, stored.at(i));
        QCOMPARE(report.replaced.at(i).defaultText, defaults.at(i));
        expected[order.indexOf(keys.at(i))] = defaults.at(i);
    }
    QCOMPARE(loaded.all(), expected);
    // The second step still ran, folder list before drive list.
    QCOMPARE(loaded.calls, QStringList({"Dir1.Path=/srv/data", "Drive1.Drive=/srv/data"}));

    const QString message = settingsLoadReportMessage(report);
    QCOMPARE(message.split(u'\n').filter(QStringLiteral("is used instead")).size(), keys.size());
    for (int i = 0; i < keys.size(); ++i) {
        QVERIFY2(message.contains(u'"' + keys.at(i) + u'"'), qPrintable(message));
        QVERIFY2(message.contains(u'"' + stored.at(i) + u'"'), qPrintable(message));
    }
}

void TestOptionStore::saveThatCannotBeWrittenThrows()
{
    // Root ignores permissions; a plain file where the folder should be
    // makes the write fail for anyone.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
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
}

int main(int argc, char **argv)
{
    // QSettings picks its folder up once: point it at scratch first.
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    QCoreApplication app(argc, argv);
    TestOptionStore test(configHome.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_optionstore.moc"
