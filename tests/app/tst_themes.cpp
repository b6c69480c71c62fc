// The design's fixed colours on light, dark and high-contrast desktops, measured where they are painted.

#include "app/frmMain.h"
#include "help/DesignColours.h"
#include "help/frmIntro.h"

#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QPalette darkPalette()
{
    QPalette dark;
    for (auto [role, colour] : {std::pair{QPalette::Window, QColor(53, 53, 53)}, {QPalette::Base, QColor(42, 42, 42)},
                                {QPalette::Button, QColor(53, 53, 53)}, {QPalette::WindowText, QColor(Qt::white)},
                                {QPalette::Text, QColor(Qt::white)}, {QPalette::ButtonText, QColor(Qt::white)},
                                {QPalette::Link, QColor(42, 130, 218)}})
        dark.setColor(role, colour);
    return dark;
}

QPalette highContrastPalette()
{
    QPalette contrast(Qt::white, Qt::black, Qt::white, Qt::gray, Qt::gray, Qt::white, Qt::white, Qt::black, Qt::black);
    contrast.setColor(QPalette::Link, Qt::yellow);
    return contrast;
}

// The contrast of a control's text as painted in its window: its commonest colour is the ground, the one
// farthest from it the text.
double paintedContrast(QWidget *window, const QWidget *control)
{
    const QImage shot = window->grab(QRect(control->mapTo(window, QPoint()), control->size())).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y)];
    QRgb ground = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(ground))
            ground = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, DesignColours::contrast(QColor(it.key()), QColor(ground)));
    return best;
}

} // namespace

class TestThemes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void fixedColoursRead_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("designKept"); // the caption's dark blue stays as drawn
        QTest::newRow("light") << QApplication::style()->standardPalette() << true;
        QTest::newRow("dark") << darkPalette() << false;
        QTest::newRow("high contrast") << highContrastPalette() << false;
    }
    // Captions, web links, the path bar and the version: each at 4.5:1 at least, in both windows.
    void fixedColoursRead()
    {
        QFETCH(QPalette, palette);
        QFETCH(bool, designKept);
        frmMain main;
        QTimer::singleShot(0, &main, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        QVERIFY(main.Form_Load());
        frmIntro intro;
        QApplication::setPalette(palette); // as when the desktop's theme changes under the open windows
        main.show();
        intro.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main) && QTest::qWaitForWindowExposed(&intro));
        for (auto [window, name] : {std::pair<QWidget *, const char *>{&main, "Label1_0"}, {&main, "Label2"},
                                    {&main, "lblPath"}, {&intro, "Label2"}, {&intro, "lblVersion"}}) {
            const auto *control = window->findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(control && !control->text().isEmpty(), name);
            const double measured = paintedContrast(window, control);
            QVERIFY2(measured >= 4.5, qPrintable(QStringLiteral("%1: %2:1").arg(QLatin1String(name)).arg(measured)));
        }
        const QLabel *caption = main.findChild<QLabel *>(QStringLiteral("Label1_0"));
        QCOMPARE(caption->palette().color(caption->foregroundRole()) == QColor(0, 0, 192), designKept);
    }
};

QTEST_MAIN(TestThemes)
#include "tst_themes.moc"
