#include "app/PreviewPlacement.h"
#include "Twips.h"

#include <QtTest>

class TestTwips : public QObject
{
    Q_OBJECT

private slots:
    void length_data();
    void length();
    void touchingControlsStayTouching();
    void backToTwips_data();
    void backToTwips();
    void previewPlacement_data();
    void previewPlacement();
};

void TestTwips::length_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<int>("pixels");

    QTest::newRow("one inch at 96 dpi") << 1440 << 96.0 << 96;
    QTest::newRow("design width at 144 dpi") << 9900 << 144.0 << 990;
    QTest::newRow("23 twips round up to 2 pixels") << 23 << 96.0 << 2;
    QTest::newRow("22 twips round down to 1 pixel") << 22 << 96.0 << 1;
    QTest::newRow("negative lengths convert too") << -200 << 96.0 << -13;
}

void TestTwips::length()
{
    QFETCH(int, twips);
    QFETCH(qreal, dpi);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips, dpi), pixels);
}

void TestTwips::touchingControlsStayTouching()
{
    for (qreal dpi : {96.0, 110.0, 120.0, 144.0}) {
        const QRect left = twipsToPixels(QRect(2040, 5640, 1575, 285), dpi, dpi);
        const QRect right = twipsToPixels(QRect(3615, 5640, 225, 285), dpi, dpi);
        QCOMPARE(left.x() + left.width(), right.x());
    }
}

void TestTwips::backToTwips_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<int>("twips");

    QTest::newRow("96 px at 96 dpi") << 96 << 96.0 << 1440;
    QTest::newRow("no screen resolution gives 0") << 10 << 0.0 << 0;
}

void TestTwips::backToTwips()
{
    QFETCH(int, pixels);
    QFETCH(qreal, dpi);
    QFETCH(int, twips);
    QCOMPARE(pixelsToTwips(pixels, dpi), twips);
}

void TestTwips::previewPlacement_data()
{
    QTest::addColumn<int>("outerWidth");
    QTest::addColumn<int>("barTop");
    QTest::addColumn<bool>("placed");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("design size") << 10140 << 6210 << true << QRect(50, 50, 9940, 6190);
    QTest::newRow("exactly the margins: empty surface") << 200 << 20 << true << QRect(50, 50, 0, 0);
    QTest::newRow("too narrow") << 199 << 6210 << false << QRect();
    QTest::newRow("too low") << 10140 << 19 << false << QRect();
    QTest::newRow("minimized: bar above the top") << 2400 << -400 << false << QRect();
}

void TestTwips::previewPlacement()
{
    QFETCH(int, outerWidth);
    QFETCH(int, barTop);
    QFETCH(bool, placed);
    QFETCH(QRect, expected);

    const auto rect = previewSurfaceTwips(outerWidth, barTop);
    QCOMPARE(rect.has_value(), placed);
    if (placed)
        QCOMPARE(*rect, expected);
}

QTEST_GUILESS_MAIN(TestTwips)
#include "tst_twips.moc"
