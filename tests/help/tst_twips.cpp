#include "help/Twips.h"

#include <QTest>
#include <QWidget>

class TestTwips : public QObject
{
    Q_OBJECT

private slots:
    void oneInchIsTheScreenResolution();
    void touchingControlsStillTouch();
};

void TestTwips::oneInchIsTheScreenResolution()
{
    QWidget widget;
    QCOMPARE(twipsToPixels(1440, &widget, Qt::Horizontal), widget.logicalDpiX());
    QCOMPARE(twipsToPixels(1440, &widget, Qt::Vertical), widget.logicalDpiY());
    QCOMPARE(twipsToPixels(1440, nullptr), qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()));
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
