// The ten remembered options in the store.

#include "settings/OptionStore.h"
#include "settings/PageSetupStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The window's option controls: the ten values in the store's order.
class FakeControls : public OptionControls
{
public:
    QStringList values{"0", "0", "0", "1", "0", "+", "-", "4000", "1000", "1000"}; // as designed

    int checkValue(OptionCheck check) const override { return values.at(int(check)).toInt(); }
    void setCheckValue(OptionCheck check, int value) override { values[int(check)] = QString::number(value); }
    QString depthText() const override { return values.at(3); }
    void setDepthText(const QString &text) override { values[3] = text; }
    int gridListIndex() const override { return values.at(4).toInt(); }
    void setGridListIndex(int index) override { values[4] = QString::number(index); }
    QString optionText(OptionText field) const override { return values.at(5 + int(field)); }
    void setOptionText(OptionText field, const QString &text) override { values[5 + int(field)] = text; }
    ListingChoices choices;
    ListingChoices listingChoices() const override { return choices; }
    void setListingChoices(const ListingChoices &chosen) override { choices = chosen; }
    QString pathCaption() const override { return {}; }
    void setFolderListPath(const QString &) override {}
    void setDriveListDrive(const QString &) override {}
};

Q_DECLARE_METATYPE(ListingChoices)

static ListingChoices savedChoices()
{
    ListingChoices saved{.include = {"*.jpg", "a b"}, .skip = {".git"}, .matchCase = true, .hidden = false,
                         .pruneEmpty = true, .oneFileSystem = true, .sizes = SizeMeasure::DiskUsage, .linksOnce = true,
                         .order = ListingOrder::Extension, .columns = {ListingColumn::Files, ListingColumn::Path},
                         .totals = false};
    saved.widths[0] = ColumnWidth::of(500);
    return saved;
}

class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void init()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QFile::remove(settingsFileName());
    }

    void savedValuesLoad_data()
    {
        QTest::addColumn<QString>("key"); // written over the saved values; empty: none
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");      // then this value...
        QTest::addColumn<QString>("loads"); // ...loads as this
        QTest::addColumn<bool>("reported");
        QTest::newRow("odd values come back as they were") << "" << "" << 0 << "2" << false;
        QTest::newRow("blanks and a plus sign around a number") << "Grid Lines" << " +3\t" << 4 << "3" << false;
        QTest::newRow("check state 3: its default, the rest loads") << "Print Files" << "3" << 0 << "1" << true;
        QTest::newRow("grid as item text: its default") << "Grid Lines" << "Rows" << 4 << "0" << true;
        QTest::newRow("a width of 0x10: its default, not 0") << "DateColWidth" << "0x10" << 9 << "1000" << true;
        QTest::newRow("a width below zero: its default") << "SizeColWidth" << "-5" << 8 << "1000" << true;
    }
    void savedValuesLoad()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, at);
        QFETCH(QString, loads);
        QFETCH(bool, reported);
        FakeControls controls;
        controls.values = QStringList{"2", "0", "1", " 7 ", "-1", "", "@Invalid() \"x\", 2 \\", "4 000", " 1e3 ", "0.5"};
        QVERIFY(saveOptions(controls).isEmpty());
        if (!key.isEmpty())
            QSettings(settingsFileName(), QSettings::NativeFormat).setValue(QStringLiteral("Settings/") + key, text);
        QStringList expected = controls.values;
        expected[at] = loads;
        controls.values.fill(QStringLiteral("?"));
        const SettingsLoadReport report = loadOptions(controls);
        QCOMPARE(controls.values, expected);
        QCOMPARE(report.replaced.size(), int(reported));
        QCOMPARE(settingsLoadReportMessage(report).contains('"' + key + "\" held \"" + text), reported);
    }

    // The "Listing Options" choices in their own group: saved ones come back; one that cannot be used gives its
    // default, and is told.
    void choicesLoad_data()
    {
        QTest::addColumn<QString>("key");   // in [Listing Options], written over the saved choices
        QTest::addColumn<QString>("text");
        QTest::addColumn<ListingChoices>("loads");
        const ListingChoices saved = savedChoices();
        QTest::newRow("as saved") << "" << "" << saved;
        const auto changed = [&saved](auto field, auto value) { ListingChoices c = saved; c.*field = value; return c; };
        QTest::newRow("an order that is none: name") << "Order" << "colour" << changed(&ListingChoices::order, ListingOrder::Name);
        QTest::newRow("a pattern that is none: no skipping") << "Skip" << "a; [b" << changed(&ListingChoices::skip, QStringList());
        QTest::newRow("a switch of 2: its default") << "List Hidden" << "2" << changed(&ListingChoices::hidden, true);
        QTest::newRow("sizes in capitals: lengths") << "Sizes" << "DISK" << changed(&ListingChoices::sizes, SizeMeasure::Length);
        QTest::newRow("a column that is none: no more columns") << "Columns" << "files,colour" << changed(&ListingChoices::columns, QList<ListingColumn>());
        QTest::newRow("a width that is none: its default") << "Files Width" << "wide" << changed(&ListingChoices::widths, ListingChoices::defaultWidths());
    }
    void choicesLoad()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(ListingChoices, loads);
        FakeControls controls;
        controls.choices = savedChoices();
        QVERIFY(saveOptions(controls).isEmpty());
        if (!key.isEmpty())
            QSettings(settingsFileName(), QSettings::NativeFormat).setValue("Listing Options/" + key, text);
        controls.choices = {};
        const SettingsLoadReport report = loadOptions(controls);
        QCOMPARE(controls.choices, loads);
        QCOMPARE(settingsLoadReportMessage(report).contains('"' + key + "\" held \"" + text), !key.isEmpty());
    }
    // Over a file that cannot be read, which is set aside first: the text
    // other tools and older copies read.
    void storedAsTextUnderTheirKeys()
    {
        QFile file(settingsFileName());
        QVERIFY(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) && file.write("[[[\n") == 4);
        file.close();
        FakeControls typed;
        typed.values = QStringList{"1", "0", "2", "7", "-1", "+", "-", "4000", "1000", "1000"};
        typed.choices = savedChoices();
        const SettingsSaveReport report = saveOptions(typed);
        QVERIFY(report.failure.isEmpty() && report.keptAside);
        QFile kept(report.keptAside->copy);
        QCOMPARE(kept.fileName(), file.fileName() + ".bad");
        QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == "[[[\n");
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts),
                 QStringList({"[Listing%20Options]", "Columns=\"files,path\"", "Created%20Width=1000", "Files%20Width=500",
                              "Folders%20Width=700", "Include%20Files=\"*.jpg; a b\"", "Leave%20Out%20Empty%20Folders=1",
                              "Links%20Once=1", "List%20Hidden=0", "Match%20Case=1", "One%20File%20System=1",
                              "Order=extension", "Owner%20Width=800", "Path%20Width=3000", "Permissions%20Width=900",
                              "Sizes=disk", "Skip=.git", "Time%20Width=800", "Totals%20Line=0", "[Settings]", "DateColWidth=1000", "Directory%20Indicator=+", "Directory%20Levels=7",
                              "DirectoryColWidth=4000", "File%20Indicator=-", "Grid%20Lines=-1", "Print%20Date=2",
                              "Print%20Files=1", "Print%20Size=0", "SizeColWidth=1000"}));
        QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList({"Foliotrace.conf", "Foliotrace.conf.bad"})); // nothing else left beside it
        // A plain file where the folder should be stops the save, for root too.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(file.fileName() + QStringLiteral("/c")));
        QVERIFY(saveOptions(typed).failure.contains(QStringLiteral(" is a file")));
    }

    // The page setup's group: what is stored is used when it can be, else its default, told; saved, it loads
    // back as it was, beside the ten options.
    void pageSetupStored_data()
    {
        QTest::addColumn<QString>("stored");   // the group's lines
        QTest::addColumn<QString>("loads");    // paper|landscape|margins|fit|percent
        QTest::addColumn<QStringList>("replaced");
        const QString defaults = QStringLiteral("Default|0|25.4 25.4 25.4 25.4|0|100");
        QTest::newRow("nothing stored: the defaults") << "" << defaults << QStringList();
        QTest::newRow("every value usable")
            << "Paper=a4\nOrientation=landscape\nLeft Margin=10\nTop Margin= 12.5\nRight Margin=0\nBottom Margin=500\n"
               "Fit Width=1\nText Size=150" << "a4|1|10 12.5 0 500|1|150" << QStringList();
        QTest::newRow("none usable: each its default, told")
            << "Paper=A99\nOrientation=sideways\nLeft Margin=-1\nTop Margin=1e9\nRight Margin=x\nFit Width=2\n"
               "Text Size=79" << defaults
            << QStringList{"Paper", "Orientation", "Left Margin", "Top Margin", "Right Margin", "Fit Width", "Text Size"};
    }
    void pageSetupStored()
    {
        QFETCH(QString, stored);
        QFETCH(QString, loads);
        QFETCH(QStringList, replaced);
        QFile file(settingsFileName());
        const QByteArray text = "[Settings]\nGrid%20Lines=2\n[Page%20Setup]\n" + stored.toUtf8() + '\n';
        QVERIFY(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly) && file.write(text) > 0);
        file.close();
        StoredPageSetup loaded;
        const auto load = [&loaded](QStringList &told) {
            QList<ReplacedSetting> replacedSettings;
            loaded = loadPageSetup([](const QString &name) { return name == u"a4"; }, replacedSettings);
            for (const ReplacedSetting &item : replacedSettings)
                told << item.key.section(u'/', 1);
            const QMarginsF m = loaded.margins;
            return QStringLiteral("%1|%2|%3 %4 %5 %6|%7|%8").arg(loaded.paper).arg(int(loaded.landscape))
                .arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom()).arg(int(loaded.fitWidth))
                .arg(loaded.textPercent);
        };
        QStringList told;
        QCOMPARE(load(told), loads);
        QCOMPARE(told, replaced);
        QVERIFY(saveSettings([&loaded](QSettings &store) { writePageSetup(store, loaded); }).isEmpty());
        told.clear();
        QCOMPARE(load(told), loads);
        QVERIFY(told.isEmpty());
        QCOMPARE(QSettings(settingsFileName(), QSettings::NativeFormat).value("Settings/Grid Lines").toString(), "2");
    }

    // What a build takes from the controls: only a ticked box is on, the depth and the widths as numbers.
    void typedForABuild_data()
    {
        QTest::addColumn<QStringList>("values");   // in the store's order
        QTest::addColumn<QString>("typed");        // files size date | depth | widths
        QTest::newRow("as designed") << QStringList{"1", "1", "1", "2", "0", "+", "-", "4000", "1000", "1000"}
                                     << "111|2|4000 1000 1000";
        QTest::newRow("grayed is off; a depth with blanks lists one level; widths read past blanks")
            << QStringList{"2", "1", "0", " 7", "0", "+", "-", " 12 00,5", "abc", "4000.50"} << "010|1|1200 0 4000.5";
        QTest::newRow("a depth past the deepest lists the deepest")
            << QStringList{"1", "1", "1", "4294967295", "0", "+", "-", "1", "2", "3"} << "111|65535|1 2 3";
    }
    void typedForABuild()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, typed);
        FakeControls controls;
        controls.values = values;
        const ListingOptions options = listingOptionsFrom(controls);
        const QString switches = QStringLiteral("%1%2%3").arg(int(options.files)).arg(int(options.sizes))
                                     .arg(int(options.dates));
        const QString widths = QStringList{options.widths[0].plain(), options.widths[1].plain(),
                                           options.widths[2].plain()}.join(u' ');
        QCOMPARE(QStringList({switches, QString::number(options.depth), widths}).join(u'|'), typed);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
