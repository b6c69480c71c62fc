#include "settings/OptionWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// Qt's check numbering and its editable combo box differ from what the
// stored values mean.
class TestOptionWidgets : public QObject
{
    Q_OBJECT

private slots:
    void checkValueRoundTrip_data();
    void checkValueRoundTrip();
    void grayedLeavesTheClickCycle();
    void gridPositionOfShownText_data();
    void gridPositionOfShownText();
    void settingGridPosition_data();
    void settingGridPosition();

private:
    static void fillGrid(QComboBox &combo);
};

void TestOptionWidgets::checkValueRoundTrip_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<Qt::CheckState>("state");
    QTest::newRow("0 off") << 0 << Qt::Unchecked;
    QTest::newRow("1 on") << 1 << Qt::Checked;
    QTest::newRow("2 grayed") << 2 << Qt::PartiallyChecked;
}

void TestOptionWidgets::checkValueRoundTrip()
{
    QFETCH(int, value);
    QFETCH(Qt::CheckState, state);
    QCheckBox box;
    setCheckValue(&box, value);
    QCOMPARE(box.checkState(), state);
    QCOMPARE(checkValue(&box), value);
}

void TestOptionWidgets::grayedLeavesTheClickCycle()
{
    // Grayed only comes from a load; clicks toggle on/off and never return to it.
    QCheckBox box;
    setCheckValue(&box, 2);
    for (int click = 0; click < 4; ++click) {
        box.click();
        QVERIFY2(checkValue(&box) != 2, qPrintable(QString::number(click)));
    }
    setCheckValue(&box, 0);
    box.click();
    box.click();
    QCOMPARE(checkValue(&box), 0);
}

void TestOptionWidgets::fillGrid(QComboBox &combo)
{
    combo.setEditable(true);
    combo.addItems({QStringLiteral("None"), QStringLiteral("Rows"), QStringLiteral("Top & Bottom"),
                    QStringLiteral("All")});
}

void TestOptionWidgets::gridPositionOfShownText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("position");
    QTest::newRow("Top & Bottom") << "Top & Bottom" << 2;
    QTest::newRow("rows in lower case is no item") << "rows" << -1;
    QTest::newRow("trailing blank is no item") << "Rows " << -1;
    QTest::newRow("empty field") << "" << -1;
}

void TestOptionWidgets::gridPositionOfShownText()
{
    QFETCH(QString, typed);
    QFETCH(int, position);
    QComboBox combo;
    fillGrid(combo);
    combo.setCurrentIndex(1);  // "Rows" chosen, then typed over
    combo.lineEdit()->clear();
    QTest::keyClicks(combo.lineEdit(), typed);
    QCOMPARE(comboListIndex(&combo), position);
}

void TestOptionWidgets::settingGridPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("readBack");
    QTest::newRow("0 shows None") << 0 << "None" << 0;
    QTest::newRow("3 shows All") << 3 << "All" << 3;
    QTest::newRow("-1 empties the field") << -1 << "" << -1;
    QTest::newRow("4 is past the list: empty") << 4 << "" << -1;
}

void TestOptionWidgets::settingGridPosition()
{
    QFETCH(int, position);
    QFETCH(QString, shown);
    QFETCH(int, readBack);
    QComboBox combo;
    fillGrid(combo);
    combo.setCurrentIndex(2);
    combo.setEditText(QStringLiteral("typed"));  // whatever the user left there
    setComboListIndex(&combo, position);
    QCOMPARE(combo.currentText(), shown);
    QCOMPARE(comboListIndex(&combo), readBack);
}

QTEST_MAIN(TestOptionWidgets)
#include "tst_optionwidgets.moc"
