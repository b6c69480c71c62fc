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

// The contrast of a control's text as painted in its window: its commonest colour is the ground, the one
// farthest from it the text.
double paintedContrast(QWidget *window, const QWidget *control)
{
    const QImage shot = window->grab(QRect(control->mapTo(window, QPoint()), control->size())).toImage();
    QHash<QRgb, int> counts;
    for (int i = 0; i < shot.width() * shot.height(); ++i)
        ++counts[shot.pixel(i % shot.width(), i / shot.width())];
    const QRgb ground = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                         [](auto a, auto b) { return a.second < b.second; })->first;
    double best = 1;
    for (QRgb colour : counts.keys())
        best = std::max(best, DesignColours::contrast(QColor(colour), QColor(ground)));
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
        // Window text, button, light, dark, mid, text, bright text, base, window.
        const QColor grey(53, 53, 53), white(Qt::white), black(Qt::black);
        QTest::newRow("light") << QApplication::style()->standardPalette() << true;
        QTest::newRow("dark") << QPalette(white, grey, grey.lighter(), black, grey, white, white, QColor(42, 42, 42), grey)
                              << false;
        QTest::newRow("high contrast") << QPalette(white, black, white, white, white, white, white, black, black) << false;
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
