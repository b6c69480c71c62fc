#include "help/ContextIDs.h"
#include "help/Global.h"
#include "app/Twips.h"
#include "help/frmIntro.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

class TestFrmIntro : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captionAndFixedSize();
    void controlsStandAtTheirTwipPositions_data();
    void controlsStandAtTheirTwipPositions();
    void longCaptionsAreNotCut_data();
    void longCaptionsAreNotCut();
    void texts_data();
    void texts();
    void fonts_data();
    void fonts();
    void colouredTextIsPainted_data();
    void colouredTextIsPainted();
    void versionLabelShowsTheBuildVersion();
    void onlyTheButtonsTakeTheFocus();
    void enterActsAsIAgree();
    void enterOnExitEnds();
    void escapeDoesNothing();
    void closeBoxContinues();
    void cmdOKByIndex_data();
    void cmdOKByIndex();
    void exitEndsTheProcess();
    void webLinkOpensTheMakersSite();
    void webLinkIgnoresFailures_data();
    void webLinkIgnoresFailures();
    void webLinkShowsWhatsThisPointer();
    void helpContextIs20();

private:
    std::unique_ptr<frmIntro> makeIntro();
    QList<int> m_exits;
    QList<QUrl> m_opened;
};

std::unique_ptr<frmIntro> TestFrmIntro::makeIntro()
{
    auto intro = std::make_unique<frmIntro>();
    intro->setExitAction([this](int code) { m_exits.append(code); });
    return intro;
}

void TestFrmIntro::init()
{
    m_exits.clear();
    m_opened.clear();
    Global::setWebPageOpener([this](const QUrl &url) {
        m_opened.append(url);
        return true;
    });
}

void TestFrmIntro::cleanup()
{
    Global::setWebPageOpener({});
}

void TestFrmIntro::captionAndFixedSize()
{
    const auto intro = makeIntro();
    QCOMPARE(intro->windowTitle(), QStringLiteral("Brambleworks: Utilities"));
    const QSize client = twipsToPixels(QRect(0, 0, 7875, 4830), intro.get()).size();
    QCOMPARE(intro->size(), client);
    QCOMPARE(intro->minimumSize(), client);
    QCOMPARE(intro->maximumSize(), client);
    QVERIFY(!(intro->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(intro->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(intro->windowFlags() & Qt::WindowCloseButtonHint);

    const QPoint screenCentre = intro->screen()->availableGeometry().center();
    QVERIFY((intro->geometry().center() - screenCentre).manhattanLength() <= 2);
}

void TestFrmIntro::controlsStandAtTheirTwipPositions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("postal address") << "Label1_0" << QRect(3960, 240, 3135, 735);
    QTest::newRow("telephone and fax") << "Label1_1" << QRect(3240, 840, 4575, 375);
    QTest::newRow("e-mail") << "Label1_2" << QRect(3240, 1200, 4575, 375);
    QTest::newRow("I Agree") << "cmdOK_0" << QRect(720, 4200, 1335, 375);
    QTest::newRow("maker line") << "Label1_3" << QRect(840, 2040, 4575, 375);
    QTest::newRow("notice") << "Label1_4" << QRect(360, 2520, 7095, 1215);
    QTest::newRow("Exit") << "cmdOK_1" << QRect(5280, 4200, 1335, 375);
    QTest::newRow("product name") << "Label1_5" << QRect(120, 1200, 1695, 255);
    QTest::newRow("Version:") << "Label1_6" << QRect(120, 1440, 735, 255);
}

void TestFrmIntro::controlsStandAtTheirTwipPositions()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    const auto intro = makeIntro();
    auto *control = intro->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(),
             twipsToPixels(twips, intro.get()));
}

void TestFrmIntro::longCaptionsAreNotCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("web link") << "Label2" << QRect(4320, 1440, 2295, 270);
    QTest::newRow("version") << "lblVersion" << QRect(960, 1440, 420, 270);
}

void TestFrmIntro::longCaptionsAreNotCut()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    const auto intro = makeIntro();
    auto *label = intro->findChild<QLabel *>(name);
    QVERIFY(label);
    const QRect designed = twipsToPixels(twips, intro.get());
    const QRect placed = label->geometry();
    // Same line, at least the designed width, wide enough for the caption,
    // and still inside the window.
    QCOMPARE(placed.top(), designed.top());
    QCOMPARE(placed.height(), designed.height());
    QVERIFY(placed.width() >= designed.width());
    QVERIFY(placed.width() >= label->fontMetrics().horizontalAdvance(label->text()));
    QVERIFY(intro->rect().contains(placed));
    if (label->alignment() & Qt::AlignHCenter)
        QVERIFY(qAbs(placed.center().x() - designed.center().x()) <= 1);
    else
        QCOMPARE(placed.left(), designed.left());
}

void TestFrmIntro::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("I Agree") << "cmdOK_0" << "I Agree";
    QTest::newRow("Exit") << "cmdOK_1" << "Exit";
    QTest::newRow("product name") << "Label1_5" << "Foliotrace";
    QTest::newRow("Version:") << "Label1_6" << "Version:";
    QTest::newRow("web link shows the host") << "Label2" << "www.brambleworks.example";
}

void TestFrmIntro::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    const auto intro = makeIntro();
    QWidget *control = intro->findChild<QWidget *>(name);
    QVERIFY(control);
    if (auto *button = qobject_cast<QPushButton *>(control))
        QCOMPARE(button->text(), text);
    else
        QCOMPARE(qobject_cast<QLabel *>(control)->text(), text);
}

void TestFrmIntro::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("colour");

    const QColor plain;  // the palette's own text colour
    for (int i = 0; i <= 6; ++i) {
        const QString name = QStringLiteral("Label1_%1").arg(i);
        QTest::newRow(qPrintable(name)) << name << "Arial" << 9.75 << false << false << false << plain;
    }
    QTest::newRow("web link") << "Label2" << "Arial" << 12.0 << false << false << true << QColor(0, 0, 255);
    QTest::newRow("version") << "lblVersion" << "Times New Roman" << 11.25 << true << true << false
                             << QColor(255, 0, 0);
}

void TestFrmIntro::fonts()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QColor, colour);

    const auto intro = makeIntro();
    auto *label = intro->findChild<QLabel *>(name);
    QVERIFY(label);
    const QFont font = label->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    QCOMPARE(font.underline(), underline);
    if (colour.isValid())
        QCOMPARE(label->palette().color(label->foregroundRole()), colour);
}

void TestFrmIntro::colouredTextIsPainted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("web link in blue") << "Label2" << QColor(0, 0, 255);
    QTest::newRow("version in red") << "lblVersion" << QColor(255, 0, 0);
}

void TestFrmIntro::colouredTextIsPainted()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    const auto intro = makeIntro();
    intro->show();
    QVERIFY(QTest::qWaitForWindowExposed(intro.get()));
    auto *label = intro->findChild<QLabel *>(name);
    QVERIFY(label);
    // The palette can hold the colour while the label paints with another
    // role; look at the pixels.
    const QImage image = label->grab().toImage();
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 0; x < image.width() && !found; ++x)
            found = image.pixelColor(x, y) == colour;
    }
    QVERIFY(found);
}

void TestFrmIntro::versionLabelShowsTheBuildVersion()
{
    const auto intro = makeIntro();
    QCOMPARE(intro->lblVersion()->text(), QStringLiteral(FOLIOTRACE_VERSION));
    QCOMPARE(intro->lblVersion()->text(), QStringLiteral("1.5.1"));  // minor 5, not 05
}

void TestFrmIntro::onlyTheButtonsTakeTheFocus()
{
    const auto intro = makeIntro();
    for (QLabel *label : intro->findChildren<QLabel *>())
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QVERIFY(!intro->cmdOK(0)->isDefault());
    QVERIFY(!intro->cmdOK(1)->isDefault());

    intro->show();
    QVERIFY(QTest::qWaitForWindowActive(intro.get()));
    QCOMPARE(QApplication::focusWidget(), intro->cmdOK(0));
    QTest::keyClick(intro->cmdOK(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), intro->cmdOK(1));
    QTest::keyClick(intro->cmdOK(1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), intro->cmdOK(0));
}

void TestFrmIntro::enterActsAsIAgree()
{
    const auto intro = makeIntro();
    QSignalSpy accepted(intro.get(), &QDialog::accepted);
    intro->show();
    QVERIFY(QTest::qWaitForWindowActive(intro.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(accepted.size(), 1);
    QVERIFY(!intro->isVisible());
    QVERIFY(m_exits.isEmpty());
}

void TestFrmIntro::enterOnExitEnds()
{
    const auto intro = makeIntro();
    intro->show();
    QVERIFY(QTest::qWaitForWindowActive(intro.get()));
    intro->cmdOK(1)->setFocus();
    QTest::keyClick(intro->cmdOK(1), Qt::Key_Enter);
    QCOMPARE(m_exits, QList<int>{0});
}

void TestFrmIntro::escapeDoesNothing()
{
    const auto intro = makeIntro();
    QSignalSpy finished(intro.get(), &QDialog::finished);
    intro->show();
    QVERIFY(QTest::qWaitForWindowActive(intro.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(intro->isVisible());
    QCOMPARE(finished.size(), 0);
    QVERIFY(m_exits.isEmpty());
}

void TestFrmIntro::closeBoxContinues()
{
    const auto intro = makeIntro();
    intro->show();
    QVERIFY(QTest::qWaitForWindowExposed(intro.get()));
    QVERIFY(intro->close());
    QVERIFY(!intro->isVisible());
    QVERIFY(m_exits.isEmpty());  // the program goes on
}

void TestFrmIntro::cmdOKByIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("stillShown");
    QTest::addColumn<QList<int>>("exits");
    QTest::newRow("0, I Agree, closes") << 0 << false << QList<int>{};
    QTest::newRow("1, Exit, ends with status 0") << 1 << true << QList<int>{0};
    QTest::newRow("2 does nothing") << 2 << true << QList<int>{};
    QTest::newRow("-1 does nothing") << -1 << true << QList<int>{};
}

void TestFrmIntro::cmdOKByIndex()
{
    QFETCH(int, index);
    QFETCH(bool, stillShown);
    QFETCH(QList<int>, exits);
    const auto intro = makeIntro();
    intro->show();
    QVERIFY(QTest::qWaitForWindowExposed(intro.get()));
    intro->cmdOK_Click(index);
    QCOMPARE(intro->isVisible(), stillShown);
    QCOMPARE(m_exits, exits);
}

void TestFrmIntro::exitEndsTheProcess()
{
    // The real exit action, in a child: clicking "Exit" inside the modal
    // loop must end the process there, with status 0.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--exit-child")});
    QVERIFY(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(output.contains("clicking Exit"), output.constData());
    QVERIFY2(!output.contains("still running"), output.constData());
}

void TestFrmIntro::webLinkOpensTheMakersSite()
{
    const auto intro = makeIntro();
    intro->show();
    QVERIFY(QTest::qWaitForWindowExposed(intro.get()));
    QTest::mouseClick(intro->Label2(), Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("https://www.brambleworks.example/"))});
    QVERIFY(intro->isVisible());  // the window stays open

    // A press that ends off the label is no click.
    QTest::mousePress(intro->Label2(), Qt::LeftButton);
    QTest::mouseRelease(intro->Label2(), Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(m_opened.size(), 1);
}

void TestFrmIntro::webLinkIgnoresFailures_data()
{
    QTest::addColumn<bool>("throws");
    QTest::newRow("nothing can open web addresses") << false;
    QTest::newRow("the opener throws") << true;
}

void TestFrmIntro::webLinkIgnoresFailures()
{
    QFETCH(bool, throws);
    int attempts = 0;
    Global::setWebPageOpener([&attempts, throws](const QUrl &) -> bool {
        ++attempts;
        if (throws)
            throw std::runtime_error("no browser");
        return false;
    });
    const auto intro = makeIntro();
    intro->Label2_Click();
    QCOMPARE(attempts, 1);
    QVERIFY(m_exits.isEmpty());
}

void TestFrmIntro::webLinkShowsWhatsThisPointer()
{
    const auto intro = makeIntro();
    QCOMPARE(intro->Label2()->cursor().shape(), Qt::WhatsThisCursor);
}

void TestFrmIntro::helpContextIs20()
{
    const auto intro = makeIntro();
    QCOMPARE(ContextIDs::helpContextId(intro.get()), 20);
}

// Child mode for exitEndsTheProcess: show the window modally and click
// "Exit" from inside its loop, as a user would.
static int runExitChild(QApplication &app)
{
    Q_UNUSED(app);
    frmIntro intro;
    QTimer::singleShot(0, &intro, [&intro] {
        std::printf("clicking Exit\n");
        std::fflush(stdout);
        QTest::mouseClick(intro.cmdOK(1), Qt::LeftButton);
        std::printf("still running after the click\n");
        intro.accept();
    });
    intro.exec();
    std::printf("still running after the window\n");
    return 3;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--exit-child")))
        return runExitChild(app);
    TestFrmIntro test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmintro.moc"
