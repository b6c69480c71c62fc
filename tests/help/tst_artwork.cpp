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
    void buttonIconsFallBackToOurs_data();
    void buttonIconsFallBackToOurs();
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
    const QIcon icon = which == 0 ? helpButtonIcon() : which == 1 ? printPreviewButtonIcon() : copyButtonIcon();
    QIcon::setThemeName(theme);
    QIcon::setFallbackThemeName(fallbackTheme);

    // Compared premultiplied: a QPixmap keeps its pixels that way.
    const QImage ours = QImage(fallback).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(ours.size(), QSize(16, 16));
    QCOMPARE(icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), ours);
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
