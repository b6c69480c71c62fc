#include "help/Artwork.h"

#include <QApplication>
#include <QTest>

// The images live in a static library's resources; these fail if the
// resources were not linked in (the usual static-library pitfall).
class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void resourceImagesLoad_data();
    void resourceImagesLoad();
    void bannerIs240By54();
    void windowIconHasBothSizes();
    void buttonIconsFallBackToOurs_data();
    void buttonIconsFallBackToOurs();
};

void TestArtwork::resourceImagesLoad_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("banner") << ":/images/banner.png" << QSize(240, 54);
    QTest::newRow("window icon") << ":/images/foliotrace.png" << QSize(32, 32);
    QTest::newRow("small window icon") << ":/images/foliotrace-16.png" << QSize(16, 16);
    QTest::newRow("help button") << ":/images/help.png" << QSize(16, 16);
    QTest::newRow("print preview button") << ":/images/print-preview.png" << QSize(16, 16);
    QTest::newRow("copy button") << ":/images/copy.png" << QSize(16, 16);
}

void TestArtwork::resourceImagesLoad()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
}

void TestArtwork::bannerIs240By54()
{
    const QPixmap banner = bannerPixmap();
    QCOMPARE(banner.size(), QSize(240, 54));
    QVERIFY(!banner.hasAlpha());  // drawn as a solid block over the window colour
}

void TestArtwork::windowIconHasBothSizes()
{
    const QList<QSize> sizes = windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(sizes.contains(QSize(16, 16)));
}

void TestArtwork::buttonIconsFallBackToOurs_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("fallback");
    QTest::newRow("help") << 0 << ":/images/help.png";
    QTest::newRow("print preview") << 1 << ":/images/print-preview.png";
    QTest::newRow("copy") << 2 << ":/images/copy.png";
}

void TestArtwork::buttonIconsFallBackToOurs()
{
    QFETCH(int, which);
    QFETCH(QString, fallback);

    // A theme that has nothing: the icon must come from our resources.
    const QString theme = QIcon::themeName();
    const QString fallbackTheme = QIcon::fallbackThemeName();
    QIcon::setThemeName(QStringLiteral("foliotrace-test-no-such-theme"));
    QIcon::setFallbackThemeName(QStringLiteral("foliotrace-test-no-such-theme"));
    const QIcon icon = which == 0 ? helpButtonIcon() : which == 1 ? printPreviewButtonIcon()
                                                                  : copyButtonIcon();
    QIcon::setThemeName(theme);
    QIcon::setFallbackThemeName(fallbackTheme);

    QVERIFY(!icon.isNull());
    // Compared premultiplied: a QPixmap keeps its pixels that way.
    const QImage shown = icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage ours = QImage(fallback).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(shown, ours);
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
