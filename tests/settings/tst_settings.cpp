// The ten remembered options: the store, and the controls' readings of them.

#include "settings/OptionStore.h"
#include "settings/OptionWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The window's option controls: the ten values in the store's order.
class FakeControls : public OptionControls
{
public:
    QStringList values{"0", "0", "0", "1", "0", "+", "-", "4000", "1000", "1000"}; // as designed
    QString path;
    QStringList calls;

    int checkValue(OptionCheck check) const override { return values.at(int(check)).toInt(); }
    void setCheckValue(OptionCheck check, int value) override { values[int(check)] = QString::number(value); }
    QString depthText() const override { return values.at(3); }
    void setDepthText(const QString &text) override { values[3] = text; }
    int gridListIndex() const override { return values.at(4).toInt(); }
    void setGridListIndex(int index) override { values[4] = QString::number(index); }
    QString optionText(OptionText field) const override { return values.at(5 + int(field)); }
    void setOptionText(OptionText field, const QString &text) override { values[5 + int(field)] = text; }
    QString pathCaption() const override { return path; }
    void setFolderListPath(const QString &to) override { calls << QStringLiteral("Dir1.Path=") + to; }
    void setDriveListDrive(const QString &to) override { calls << QStringLiteral("Drive1.Drive=") + to; }
};

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

    static QStringList saveAndLoad(const QStringList &values, const QString &path = {})
    {
        FakeControls saved;
        saved.values = values;
        SaveValuesToRegistry(saved);
        FakeControls loaded;
        loaded.path = path;
        if (!GetValuesFromRegistry(loaded).isEmpty() || loaded.calls.size() != (path.isEmpty() ? 0 : 2))
            return {};
        return loaded.values;
    }

private slots:
    void init()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        QFile::remove(settingsFileName());
    }

    void firstRunGivesDefaults()
    {
        FakeControls controls;
        controls.path = QStringLiteral("/srv/data");
        QVERIFY(GetValuesFromRegistry(controls).isEmpty());
        QCOMPARE(controls.values, QStringList({"1", "1", "1", "1", "0", "+", "-", "4000", "1000", "1000"}));
        // Then the lists are pointed at the path, folder list first.
        QCOMPARE(controls.calls, QStringList({"Dir1.Path=/srv/data", "Drive1.Drive=/srv/data"}));
        QVERIFY(!QFile::exists(settingsFileName())); // reading creates nothing
    }

    void everyValueComesBack_data()
    {
        QTest::addColumn<QStringList>("values"); // files, size, date, depth, grid, marks, widths
        QTest::newRow("all off, grid All") << QStringList{"0", "0", "0", "5", "3", ">", "*", "3000", "800", "900"};
        QTest::newRow("grayed switches, typed depth, grid no item")
            << QStringList{"2", "1", "2", "7", "-1", "+", "-", "4000", "1000", "1000"};
        QTest::newRow("empty and blank texts kept untrimmed")
            << QStringList{"1", "1", "1", " 3 ", "1", "", "  ", " 4000", "1000 ", ""};
        QTest::newRow("commas, quotes and a leading @ survive")
            << QStringList{"1", "1", "0", "1, 2", "0", "@Invalid()", "\"x\"", "1,000", "[Settings]", "\\"};
    }
    void everyValueComesBack()
    {
        QFETCH(QStringList, values);
        QCOMPARE(saveAndLoad(values, QStringLiteral("/srv")), values);
    }

    void storedAsTextUnderTheirKeys()
    {
        // What other tools and older copies read.
        FakeControls typed;
        typed.values = QStringList{"1", "0", "2", "7", "-1", "+", "-", "4000", "1000", "1000"};
        SaveValuesToRegistry(typed);
        QFile file(settingsFileName());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts),
                 QStringList({"[Settings]", "DateColWidth=1000", "Directory%20Indicator=+", "Directory%20Levels=7",
                              "DirectoryColWidth=4000", "File%20Indicator=-", "Grid%20Lines=-1", "Print%20Date=2",
                              "Print%20Files=1", "Print%20Size=0", "SizeColWidth=1000"}));
    }

    void unusableValueGivesItsDefault_data()
    {
        QTest::addColumn<QStringList>("keys"); // in load order
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("loaded");
        const QStringList saved{"0", "0", "2", "1", "3", "+", "-", "4000", "1000", "1500"};
        QTest::newRow("check state 3") << QStringList{"Print Files"} << QStringList{"3"}
                                       << QStringList{"1", "0", "2", "1", "3", "+", "-", "4000", "1000", "1500"};
        QTest::newRow("check state as a word") << QStringList{"Print Date"} << QStringList{"yes"}
                                               << QStringList{"0", "0", "1", "1", "3", "+", "-", "4000", "1000", "1500"};
        QTest::newRow("grid past the list") << QStringList{"Grid Lines"} << QStringList{"4"}
                                            << QStringList{"0", "0", "2", "1", "0", "+", "-", "4000", "1000", "1500"};
        QTest::newRow("two bad keys, both reported")
            << QStringList{"Print Size", "Grid Lines"} << QStringList{"-1", "Rows"}
            << QStringList{"0", "1", "2", "1", "0", "+", "-", "4000", "1000", "1500"};
        QTest::newRow("blanks around and a plus sign are whole numbers")
            << QStringList{} << QStringList{} << saved;
    }
    void unusableValueGivesItsDefault()
    {
        QFETCH(QStringList, keys);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, loaded);
        FakeControls saved;
        saved.values = QStringList{"0", "0", "2", "1", "3", "+", "-", "4000", "1000", "1500"};
        SaveValuesToRegistry(saved);
        {
            QSettings store(settingsFileName(), QSettings::NativeFormat);
            store.setValue(QStringLiteral("Settings/Print Date"), QStringLiteral(" 2\t"));
            store.setValue(QStringLiteral("Settings/Grid Lines"), QStringLiteral("+3"));
            for (int i = 0; i < keys.size(); ++i)
                store.setValue(QStringLiteral("Settings/") + keys.at(i), stored.at(i));
        }
        FakeControls controls;
        const SettingsLoadReport report = GetValuesFromRegistry(controls);
        QCOMPARE(controls.values, loaded);
        QCOMPARE(report.replaced.size(), keys.size());
        const QString message = settingsLoadReportMessage(report);
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(report.replaced.at(i).key, keys.at(i));
            QVERIFY(message.contains(u'"' + keys.at(i) + QStringLiteral("\" held \"") + stored.at(i) + u'"'));
        }
    }

    void saveThatCannotBeWrittenThrows()
    {
        // A plain file where the folder should be stops anyone, root too.
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName() + QStringLiteral("/c"));
        QVERIFY_THROWS_EXCEPTION(SettingsWriteError, SaveValuesToRegistry(FakeControls()));
    }

    void checkBoxesUseTheStoredNumbering()
    {
        QCheckBox box;
        for (int value : {0, 1, 2}) {
            setCheckValue(&box, value);
            QCOMPARE(checkValue(&box), value);
        }
        QCOMPARE(box.checkState(), Qt::PartiallyChecked);
        // Grayed comes only from a load: clicks go on and off, never back.
        for (int click = 0; click < 4; ++click) {
            box.click();
            QCOMPARE(checkValue(&box), click % 2 == 0 ? 1 : 0);
        }
    }

    void gridField_data()
    {
        QTest::addColumn<QString>("typed"); // null: the position is set by a load instead
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("readBack");
        QTest::newRow("typed Top & Bottom is an item") << "Top & Bottom" << 0 << "Top & Bottom" << 2;
        QTest::newRow("typed rows in lower case is no item") << "rows" << 0 << "rows" << -1;
        QTest::newRow("loaded 3 shows All") << QString() << 3 << "All" << 3;
        QTest::newRow("loaded -1 empties the field") << QString() << -1 << "" << -1;
    }
    void gridField()
    {
        QFETCH(QString, typed);
        QFETCH(int, position);
        QFETCH(QString, shown);
        QFETCH(int, readBack);
        QComboBox combo;
        combo.setEditable(true);
        combo.addItems({QStringLiteral("None"), QStringLiteral("Rows"), QStringLiteral("Top & Bottom"),
                        QStringLiteral("All")});
        combo.setCurrentIndex(1);
        combo.setEditText(QStringLiteral("typed"));
        if (typed.isNull()) {
            setComboListIndex(&combo, position);
        } else {
            combo.lineEdit()->clear();
            QTest::keyClicks(combo.lineEdit(), typed);
        }
        QCOMPARE(combo.currentText(), shown);
        QCOMPARE(comboListIndex(&combo), readBack);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
