// The help module with its viewer, the start-up window and the web link.

#include "help/Help.h"
#include "help/FormChecks.h"
#include "help/WebLink.h"
#include "help/HelpViewer.h"
#include "help/frmIntro.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include <stdexcept>

class TestHelp : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmIntro> m_intro;

private slots:
    void init()
    {
        m_intro = std::make_unique<frmIntro>();
        m_intro->setWindowModality(Qt::ApplicationModal); // as exec() shows it
        m_intro->show();
        QVERIFY(QTest::qWaitForWindowActive(m_intro.get()));
        // The help file the build placed beside the tests.
        Help::registerHelpFile(m_intro.get(), QFileInfo(QStringLiteral(FOLIOTRACE_BUILD_HELP_FILE)).path());
    }
    void cleanup()
    {
        Help::closeViewer();
        QTRY_VERIFY(!Help::helpViewer());
        m_intro.reset();
        WebLink::setWebPageOpener({});
    }

    void viewerShowsEachTopic_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QKeySequence>("closeKey"); // closes the viewer at the end
        QTest::newRow("contents, closed by Escape") << 0 << "Foliotrace Help" << QKeySequence(Qt::Key_Escape);
        QTest::newRow("topic 10, main window, closed by Ctrl+W") << 10 << "The Foliotrace window"
                                                                << QKeySequence(Qt::CTRL | Qt::Key_W);
        QTest::newRow("F1 in the start-up window: topic 20") << 20 << "The start-up window" << QKeySequence();
    }
    void viewerShowsEachTopic()
    {
        QFETCH(int, topic);
        QFETCH(QString, heading);
        QFETCH(QKeySequence, closeKey);
        if (topic == 20)
            QTest::keyClick(m_intro->cmdOK(1), Qt::Key_F1);
        else
            topic == 0 ? Help::showContents() : Help::showTopic(topic);
        HelpViewer *viewer = Help::helpViewer();
        QVERIFY(viewer && viewer->isVisible() && m_intro->isVisible());
        QCOMPARE(viewer->currentTopic(), topic);
        // Its heading on screen, at the top unless the text ends first.
        QTextBrowser *browser = viewer->browser();
        QTextBlock block = browser->document()->begin();
        while (block.isValid() && (block.text() != heading || block.blockFormat().headingLevel() == 0))
            block = block.next();
        const QRect where = browser->cursorRect(QTextCursor(block));
        QVERIFY(block.isValid() && browser->viewport()->rect().contains(where));
        QScrollBar *scroll = browser->verticalScrollBar();
        if (scroll->value() < scroll->maximum())
            QVERIFY(where.top() < browser->viewport()->height() / 4);

        // The start-up window is modal; its help still takes input: a click
        // above the scroll handle, sent as the window system would, pages up.
        scroll->setValue(scroll->maximum());
        QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {},
                          scroll->mapTo(viewer, QPoint(scroll->width() / 2, scroll->width() + 2)));
        QVERIFY(scroll->value() < scroll->maximum());
        Help::showContents();
        QCOMPARE(Help::helpViewer(), viewer); // one viewer, reused
        // A link from the keyboard: Tab reaches it, Enter follows it.
        QSignalSpy followed(browser, &QTextBrowser::anchorClicked);
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(followed.size(), 1);
        if (!closeKey.isEmpty()) {
            QTest::keySequence(viewer, closeKey);
            QTRY_VERIFY(!Help::helpViewer());
        }
    }

    void startUpWindowLooksAsDesigned()
    {
        QCOMPARE(m_intro->windowTitle(), QStringLiteral("Brambleworks: Utilities"));
        QCOMPARE(m_intro->minimumSize(), m_intro->maximumSize()); // a fixed dialog
        const QPoint screenCentre = m_intro->screen()->availableGeometry().center();
        QVERIFY((m_intro->frameGeometry().center() - screenCentre).manhattanLength() <= 8);
        FormChecks::verifyLayout(m_intro.get());

        // The build's own version, "1.5.1": minor 5, not 05.
        QLabel *version = m_intro->lblVersion();
        QCOMPARE(version->text(), QStringLiteral(FOLIOTRACE_VERSION));
        QVERIFY(version->font().bold() && version->font().italic());
        // Red, a shade darker than pure red so that it reads on white at 4.5:1.
        const QColor red = version->palette().color(version->foregroundRole());
        QVERIFY(red.hue() == 0 && red.red() >= 200 && red.green() == 0 && red.blue() == 0);
        QCOMPARE(QApplication::focusWidget(), m_intro->cmdOK(0)); // Enter agrees
    }

    void startUpWindowChoices_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");    // 0: the close box; -1: cmdOK_Click(button) itself
        QTest::addColumn<int>("result"); // -1: the window stays
        QTest::newRow("Enter acts as I Agree") << 0 << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Enter on Exit") << 1 << int(Qt::Key_Enter) << frmIntro::ExitChosen;
        QTest::newRow("Escape does nothing") << 0 << int(Qt::Key_Escape) << -1;
        QTest::newRow("Alt+X from I Agree exits") << 0 << (Qt::ALT | Qt::Key_X).toCombined() << frmIntro::ExitChosen;
        QTest::newRow("close box goes on as I Agree does") << 0 << 0 << int(QDialog::Rejected);
        QTest::newRow("cmdOK_Click(2) does nothing") << 2 << -1 << -1;
    }
    void startUpWindowChoices()
    {
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(int, result);
        QSignalSpy finished(m_intro.get(), &QDialog::finished);
        if (key < 0) {
            m_intro->cmdOK_Click(button);
        } else if (key == 0) {
            QVERIFY(m_intro->close());
        } else {
            m_intro->cmdOK(button)->setFocus();
            QTest::keySequence(m_intro->cmdOK(button), QKeySequence(key));
        }
        QTRY_COMPARE(finished, result < 0 ? QList<QVariantList>() : QList<QVariantList>{{result}});
        QCOMPARE(m_intro->isVisible(), result < 0);
    }

    void webLinkOpensTheMakersSite()
    {
        // Whatever goes wrong on the way to a browser is ignored.
        QList<QUrl> opened;
        WebLink::setWebPageOpener([&opened](const QUrl &url) -> bool {
            opened.append(url);
            throw std::runtime_error("no browser");
        });
        QLabel *link = m_intro->Label2();
        QCOMPARE(link->cursor().shape(), Qt::WhatsThisCursor);
        QTest::mouseClick(link, Qt::LeftButton);
        // A press that ends off the label is no click.
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
        // Enter and Space open it too, but not with Ctrl; so does a screen reader's press.
        for (const char *key : {"Return", "Space", "Ctrl+Return"})
            QTest::keySequence(link, QKeySequence(key));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(accessible->role(), QAccessible::Link);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(opened, QList<QUrl>(4, QUrl(QStringLiteral("https://www.brambleworks.example/"))));
        QVERIFY(m_intro->isVisible());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
