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
    void gridField_data();
    void gridField();
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

void TestOptionWidgets::gridField_data()
{
    QTest::addColumn<QString>("typed");  // null: the position is set by a load instead
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("readBack");
    QTest::newRow("typed Top & Bottom") << "Top & Bottom" << 0 << "Top & Bottom" << 2;
    QTest::newRow("typed rows in lower case is no item") << "rows" << 0 << "rows" << -1;
    QTest::newRow("typed trailing blank is no item") << "Rows " << 0 << "Rows " << -1;
    QTest::newRow("typed empty field") << "" << 0 << "" << -1;
    QTest::newRow("loaded 0 shows None") << QString() << 0 << "None" << 0;
    QTest::newRow("loaded 3 shows All") << QString() << 3 << "All" << 3;
    QTest::newRow("loaded -1 empties the field") << QString() << -1 << "" << -1;
    QTest::newRow("loaded 4 is past the list: empty") << QString() << 4 << "" << -1;
}

void TestOptionWidgets::gridField()
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
    combo.setEditText(QStringLiteral("typed"));  // whatever the user left there
    if (typed.isNull()) {
        setComboListIndex(&combo, position);
    } else {
        combo.lineEdit()->clear();
        QTest::keyClicks(combo.lineEdit(), typed);
    }
    QCOMPARE(combo.currentText(), shown);
    QCOMPARE(comboListIndex(&combo), readBack);
}

QTEST_MAIN(TestOptionWidgets)
#include "tst_optionwidgets.moc"
