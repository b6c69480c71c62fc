#include "help/Twips.h"

#include <QTest>
#include <QWidget>

class TestTwips : public QObject
{
    Q_OBJECT

private slots:
    void oneInchIsTheScreenResolution();
    void convertsAtTheWidgetsResolution_data();
    void convertsAtTheWidgetsResolution();
    void touchingControlsStillTouch();
};

void TestTwips::oneInchIsTheScreenResolution()
{
    QWidget widget;
    QCOMPARE(twipsToPixels(1440, &widget, Qt::Horizontal), widget.logicalDpiX());
    QCOMPARE(twipsToPixels(1440, &widget, Qt::Vertical), widget.logicalDpiY());
    QCOMPARE(twipsToPixels(1440, nullptr), qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()));
}

void TestTwips::convertsAtTheWidgetsResolution_data()
{
    QTest::addColumn<int>("twips");
    QTest::newRow("15 twips") << 15;
    QTest::newRow("main window width") << 9900;
    QTest::newRow("7 twips") << 7;
    QTest::newRow("8 twips") << 8;
    QTest::newRow("negative") << -50;
    QTest::newRow("zero") << 0;
}

void TestTwips::convertsAtTheWidgetsResolution()
{
    QFETCH(int, twips);
    QWidget widget;
    // Whatever resolution the test screen has, the result is twips scaled
    // by it and rounded to the nearest pixel.
    const double dpi = widget.logicalDpiX();
    const double exact = twips * dpi / 1440.0;
    const int pixels = twipsToPixels(twips, &widget);
    QVERIFY2(qAbs(pixels - exact) <= 0.5, qPrintable(QStringLiteral("%1 vs %2").arg(pixels).arg(exact)));
}

void TestTwips::touchingControlsStillTouch()
{
    // Boxes that touch in twips must touch in pixels, wherever they stand:
    // converting sizes separately would open or close one-pixel gaps.
    QWidget widget;
    for (int left = 0; left < 400; left += 7) {
        const QRect a = twipsToPixels(left, 100, 1333, 255, &widget);
        const QRect b = twipsToPixels(left + 1333, 100, 1000, 255, &widget);
        QCOMPARE(a.right() + 1, b.left());
    }
}

QTEST_MAIN(TestTwips)
#include "tst_twips.moc"
