#include "Twips.h"

#include <QtTest>

class TestTwips : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("an inch square at 96 dpi") << QRect(0, 0, 1440, 1440) << 96.0 << QRect(0, 0, 96, 96);
        QTest::newRow("23 twips round up, 22 down") << QRect(23, 22, 22, 23) << 96.0 << QRect(2, 1, 1, 2);
        QTest::newRow("edges rounded, so touching boxes still touch")
            << QRect(2040, 5640, 1575, 285) << 110.0 << QRect(156, 431, 120, 22);
        QTest::newRow("negative places too") << QRect(-200, 0, 100, 0) << 96.0 << QRect(-13, 0, 6, 0);
    }
    void placement()
    {
        QFETCH(QRect, twips);
        QFETCH(qreal, dpi);
        QFETCH(QRect, pixels);
        QCOMPARE(twipsToPixels(twips, dpi, dpi), pixels);
        QCOMPARE(twipsToPixels(twips.right() + 1, dpi), pixels.right() + 1);
    }
};

QTEST_GUILESS_MAIN(TestTwips)
#include "tst_twips.moc"
