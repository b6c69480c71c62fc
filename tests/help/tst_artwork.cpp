#include "help/Artwork.h"

#include <QApplication>
#include <QTest>

// The images live in a static library's resources; these fail if the
// resources were not linked in (the usual static-library pitfall).
class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void bannerAndWindowIcon();
};

void TestArtwork::bannerAndWindowIcon()
{
    const QPixmap banner = bannerPixmap();
    QCOMPARE(banner.size(), QSize(240, 54));
    QVERIFY(!banner.hasAlpha());  // drawn as a solid block over the window colour
    QCOMPARE(QImage(QStringLiteral(":/images/foliotrace.png")).size(), QSize(32, 32));
    QCOMPARE(QImage(QStringLiteral(":/images/foliotrace-16.png")).size(), QSize(16, 16));
    const QList<QSize> sizes = windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
