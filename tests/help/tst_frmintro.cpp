#include "help/Global.h"
#include "Twips.h"
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
    void onlyTheButtonsTakeTheFocus();
    void userActions_data();
    void userActions();
    void webLinkOpensTheMakersSite_data();
    void webLinkOpensTheMakersSite();

private:
    std::unique_ptr<frmIntro> makeIntro(bool show = false);
    QList<int> m_exits;
    QList<QUrl> m_opened;
};

std::unique_ptr<frmIntro> TestFrmIntro::makeIntro(bool show)
{
    auto intro = std::make_unique<frmIntro>();
    QObject::connect(intro.get(), &QDialog::finished, intro.get(), [this](int code) {
        if (code == frmIntro::ExitChosen)
            m_exits.append(0);
    });
    if (show) {
        intro->show();
        if (!QTest::qWaitForWindowActive(intro.get()))
            return nullptr;
    }
    return intro;
}

void TestFrmIntro::init()
{
    m_exits.clear();
    m_opened.clear();
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
    QCOMPARE(intro->minimumSize(), client);
    QCOMPARE(intro->maximumSize(), client);
    QVERIFY(!(intro->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(intro->windowFlags() & Qt::WindowCloseButtonHint);
    const QPoint screenCentre = intro->screen()->availableGeometry().center();
    QVERIFY((intro->geometry().center() - screenCentre).manhattanLength() <= 2);
}

void TestFrmIntro::controlsStandAtTheirTwipPositions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");  // empty: placeholder text, not checked

    QTest::newRow("postal address") << "Label1_0" << QRect(3960, 240, 3135, 735) << "";
    QTest::newRow("telephone and fax") << "Label1_1" << QRect(3240, 840, 4575, 375) << "";
    QTest::newRow("e-mail") << "Label1_2" << QRect(3240, 1200, 4575, 375) << "";
    QTest::newRow("maker line") << "Label1_3" << QRect(840, 2040, 4575, 375) << "";
    QTest::newRow("notice") << "Label1_4" << QRect(360, 2520, 7095, 1215) << "";
    QTest::newRow("product name") << "Label1_5" << QRect(120, 1200, 1695, 255) << "Foliotrace";
    QTest::newRow("Version:") << "Label1_6" << QRect(120, 1440, 735, 255) << "Version:";
    QTest::newRow("I Agree") << "cmdOK_0" << QRect(720, 4200, 1335, 375) << "I Agree";
    QTest::newRow("Exit") << "cmdOK_1" << QRect(5280, 4200, 1335, 375) << "Exit";
}

void TestFrmIntro::controlsStandAtTheirTwipPositions()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    const auto intro = makeIntro();
    auto *control = intro->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), twipsToPixels(twips, intro.get()));
    if (!text.isEmpty())
        QCOMPARE(control->property("text").toString(), text);
    if (qobject_cast<QLabel *>(control)) {
        QCOMPARE(control->font().family(), QStringLiteral("Arial"));
        QCOMPARE(control->font().pointSizeF(), 9.75);
        QVERIFY(!control->font().bold() && !control->font().italic() && !control->font().underline());
    }
}

void TestFrmIntro::longCaptionsAreNotCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<int>("style");  // 1 bold, 2 italic, 4 underline
    QTest::addColumn<QColor>("colour");
    QTest::newRow("web link shows the host, blue underlined Arial 12")
        << "Label2" << QRect(4320, 1440, 2295, 270) << "www.brambleworks.example" << "Arial" << 12.0 << 4
        << QColor(0, 0, 255);
    // The build's version, not a copy of it: "1.5.1", minor 5 and not 05.
    QTest::newRow("version, red bold italic Times 11.25")
        << "lblVersion" << QRect(960, 1440, 420, 270) << QStringLiteral(FOLIOTRACE_VERSION) << "Times New Roman"
        << 11.25 << (1 | 2) << QColor(255, 0, 0);
}

void TestFrmIntro::longCaptionsAreNotCut()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(int, style);
    QFETCH(QColor, colour);
    const auto intro = makeIntro(true);
    QVERIFY(intro);
    auto *label = intro->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    const QFont font = label->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(int(font.bold()) | int(font.italic()) << 1 | int(font.underline()) << 2, style);
    // Same line, at least the designed width, wide enough for the caption, inside the window.
    const QRect designed = twipsToPixels(twips, intro.get());
    const QRect placed = label->geometry();
    QCOMPARE(placed.top(), designed.top());
    QCOMPARE(placed.height(), designed.height());
    QVERIFY(placed.width() >= designed.width());
    QVERIFY(placed.width() >= label->fontMetrics().horizontalAdvance(label->text()));
    QVERIFY(intro->rect().contains(placed));
    if (label->alignment() & Qt::AlignHCenter)
        QVERIFY(qAbs(placed.center().x() - designed.center().x()) <= 1);
    else
        QCOMPARE(placed.left(), designed.left());

    // Painted in its colour: the palette can hold it while another role paints.
    const QImage image = label->grab().toImage();
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 0; x < image.width() && !found; ++x)
            found = image.pixelColor(x, y) == colour;
    }
    QVERIFY(found);
}

void TestFrmIntro::onlyTheButtonsTakeTheFocus()
{
    const auto intro = makeIntro(true);
    QVERIFY(intro);
    for (QLabel *label : intro->findChildren<QLabel *>())
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QCOMPARE(QApplication::focusWidget(), intro->cmdOK(0));
    QTest::keyClick(intro->cmdOK(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), intro->cmdOK(1));
    QTest::keyClick(intro->cmdOK(1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), intro->cmdOK(0));
}

void TestFrmIntro::userActions_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("key");  // 0: the close box; -1: cmdOK_Click(button) directly
    QTest::addColumn<bool>("stillShown");
    QTest::addColumn<QList<int>>("exits");
    QTest::newRow("Enter acts as I Agree") << 0 << int(Qt::Key_Return) << false << QList<int>{};
    QTest::newRow("Enter on Exit ends with 0") << 1 << int(Qt::Key_Enter) << false << QList<int>{0};
    QTest::newRow("Escape does nothing") << 0 << int(Qt::Key_Escape) << true << QList<int>{};
    QTest::newRow("close box continues") << 0 << 0 << false << QList<int>{};
    QTest::newRow("cmdOK_Click(2) does nothing") << 2 << -1 << true << QList<int>{};
    QTest::newRow("cmdOK_Click(-1) does nothing") << -1 << -1 << true << QList<int>{};
}

void TestFrmIntro::userActions()
{
    QFETCH(int, button);
    QFETCH(int, key);
    QFETCH(bool, stillShown);
    QFETCH(QList<int>, exits);
    const auto intro = makeIntro(true);
    QVERIFY(intro);
    QSignalSpy finished(intro.get(), &QDialog::finished);
    if (key < 0) {
        intro->cmdOK_Click(button);
    } else if (key == 0) {
        QVERIFY(intro->close());
    } else {
        intro->cmdOK(button)->setFocus();
        QTest::keyClick(intro->cmdOK(button), Qt::Key(key));
    }
    QCOMPARE(intro->isVisible(), stillShown);
    QCOMPARE(finished.size(), stillShown ? 0 : 1);
    QCOMPARE(m_exits, exits);
}

void TestFrmIntro::webLinkOpensTheMakersSite_data()
{
    QTest::addColumn<int>("failure");  // 0 none, 1 nothing can open it, 2 the opener throws
    QTest::newRow("opened") << 0;
    QTest::newRow("nothing can open web addresses: ignored") << 1;
    QTest::newRow("the opener throws: ignored") << 2;
}

void TestFrmIntro::webLinkOpensTheMakersSite()
{
    QFETCH(int, failure);
    Global::setWebPageOpener([this, failure](const QUrl &url) -> bool {
        m_opened.append(url);
        if (failure == 2)
            throw std::runtime_error("no browser");
        return failure == 0;
    });
    const auto intro = makeIntro(true);
    QVERIFY(intro);
    QCOMPARE(intro->Label2()->cursor().shape(), Qt::WhatsThisCursor);
    QTest::mouseClick(intro->Label2(), Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("https://www.brambleworks.example/"))});
    QVERIFY(intro->isVisible());
    QVERIFY(m_exits.isEmpty());

    // A press that ends off the label is no click.
    QTest::mousePress(intro->Label2(), Qt::LeftButton);
    QTest::mouseRelease(intro->Label2(), Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(m_opened.size(), 1);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestFrmIntro test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmintro.moc"
