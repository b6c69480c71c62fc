#include "help/ContextIDs.h"
#include "help/HelpViewer.h"
#include "help/frmIntro.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

struct HelpRequest
{
    QWidget *owner;
    QString helpFile;
    HelpCommand command;
    int data;
};

class RecordingHandler : public HelpRequestHandler
{
public:
    QList<HelpRequest> requests;
    void helpRequest(QWidget *owner, const QString &helpFile, HelpCommand command, int data) override
    {
        requests.append({owner, helpFile, command, data});
    }
};

// The block holding a named anchor: the heading a topic starts with.
static QTextBlock blockWithAnchor(const QTextDocument *document, const QString &anchor)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return block;
        }
    }
    return {};
}

class TestContextIDs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void helpFilePath_data();
    void helpFilePath();
    void requestsReachTheViewer_data();
    void requestsReachTheViewer();
    void f1InAWindowAsksForItsTopic_data();
    void f1InAWindowAsksForItsTopic();

    void viewerShowsEachTopic_data();
    void viewerShowsEachTopic();
    void viewerExplainsWhatItCannotShow();
    void f1InTheModalStartUpWindowOpensAUsableViewer();
    void everyLinkInTheHelpFileLeadsSomewhere();

private:
    void useBuiltHelpFile();
    RecordingHandler m_recorder;
    QWidget m_owner;
};

void TestContextIDs::initTestCase()
{
    // Before the help file is registered, F1 has nothing to open.
    QVERIFY(ContextIDs::HelpFile().isEmpty());
    ContextIDs::setHelpRequestHandler(&m_recorder);
    ContextIDs::ShowHelpContext(10);
    QVERIFY(m_recorder.requests.isEmpty());
    ContextIDs::RegisterHelpFile(&m_owner);
    QCOMPARE(ContextIDs::HelpFile(), QCoreApplication::applicationDirPath() + QStringLiteral("/Foliotrace.HLP"));
}

void TestContextIDs::init()
{
    m_recorder.requests.clear();
    ContextIDs::setHelpRequestHandler(&m_recorder);
    ContextIDs::RegisterHelpFile(&m_owner, QStringLiteral("/opt/foliotrace"));
}

void TestContextIDs::cleanup()
{
    ContextIDs::setHelpRequestHandler(nullptr);
    ContextIDs::CloseHelp();
    QTRY_VERIFY(!ContextIDs::helpViewer());
}

// The real viewer on the help file the build placed.
void TestContextIDs::useBuiltHelpFile()
{
    ContextIDs::setHelpRequestHandler(nullptr);
    ContextIDs::RegisterHelpFile(&m_owner, QFileInfo(QStringLiteral(FOLIOTRACE_BUILD_HELP_FILE)).path());
}

void TestContextIDs::helpFilePath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("normal folder") << "/opt/tools" << "/opt/tools/Foliotrace.HLP";
    QTest::newRow("root, no doubled separator") << "/" << "/Foliotrace.HLP";
    QTest::newRow("trailing separator kept single") << "/opt/tools/" << "/opt/tools/Foliotrace.HLP";
    QTest::newRow("blank after separator: folder untrimmed") << "/opt/tools/ " << "/opt/tools/ Foliotrace.HLP";
}

void TestContextIDs::helpFilePath()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(ContextIDs::helpFilePath(folder), path);
}

void TestContextIDs::requestsReachTheViewer_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<HelpCommand>("command");
    QTest::addColumn<int>("data");
    QTest::newRow("contents") << 0 << HelpCommand::Contents << 0;
    QTest::newRow("main window topic") << 10 << HelpCommand::Context << 10;
    QTest::newRow("start-up window topic") << 20 << HelpCommand::Context << 20;
    QTest::newRow("close") << -1 << HelpCommand::Quit << 0;
}

void TestContextIDs::requestsReachTheViewer()
{
    QFETCH(int, request);
    QFETCH(HelpCommand, command);
    QFETCH(int, data);

    if (request == 0)
        ContextIDs::ShowHelpContents();
    else if (request < 0)
        ContextIDs::CloseHelp();
    else
        ContextIDs::ShowHelpContext(request);

    QCOMPARE(m_recorder.requests.size(), 1);
    const HelpRequest &sent = m_recorder.requests.first();
    QCOMPARE(sent.owner, &m_owner);
    QCOMPARE(sent.helpFile, QStringLiteral("/opt/foliotrace/Foliotrace.HLP"));
    QCOMPARE(sent.command, command);
    QCOMPARE(sent.data, data);
}

void TestContextIDs::f1InAWindowAsksForItsTopic_data()
{
    QTest::addColumn<int>("focusIndex");
    QTest::newRow("focus in a text box") << 0;
    QTest::newRow("focus on the window itself") << 1;
}

void TestContextIDs::f1InAWindowAsksForItsTopic()
{
    QFETCH(int, focusIndex);

    // Stands in for the main window.
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    QWidget *targets[] = {new QLineEdit(&window), &window};
    layout->addWidget(targets[0]);
    layout->addWidget(new QPushButton(QStringLiteral("Copy"), &window));
    window.setFocusPolicy(Qt::StrongFocus);
    ContextIDs::setHelpContextId(&window, ContextIDs::MainWindowContextId);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *target = targets[focusIndex];
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    QTest::keyClick(target, Qt::Key_F1);
    QCOMPARE(m_recorder.requests.size(), 1);
    QCOMPARE(m_recorder.requests.first().command, HelpCommand::Context);
    QCOMPARE(m_recorder.requests.first().data, 10);

    // Setting the number again must not add a second F1 handler.
    ContextIDs::setHelpContextId(&window, ContextIDs::MainWindowContextId);
    QTest::keyClick(target, Qt::Key_F1);
    QCOMPARE(m_recorder.requests.size(), 2);
}

void TestContextIDs::viewerShowsEachTopic_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("heading");
    QTest::newRow("contents") << 0 << "Foliotrace Help";
    QTest::newRow("topic 10, main window") << 10 << "The Foliotrace window";
    QTest::newRow("topic 20, start-up window") << 20 << "The start-up window";
}

void TestContextIDs::viewerShowsEachTopic()
{
    QFETCH(int, topic);
    QFETCH(QString, heading);

    useBuiltHelpFile();
    if (topic == 0)
        ContextIDs::ShowHelpContents();
    else
        ContextIDs::ShowHelpContext(topic);

    HelpViewer *viewer = ContextIDs::helpViewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->parentWidget(), &m_owner);
    QCOMPARE(viewer->currentTopic(), topic);

    // The topic's heading is on screen, at the top unless the text ends first.
    QTextBrowser *browser = viewer->browser();
    const QTextBlock block = blockWithAnchor(browser->document(), HelpViewer::topicAnchor(topic));
    QVERIFY(block.isValid());
    QCOMPARE(block.text(), heading);
    const QRect where = browser->cursorRect(QTextCursor(block));
    QVERIFY(browser->viewport()->rect().contains(where));
    const QScrollBar *scroll = browser->verticalScrollBar();
    if (scroll->value() < scroll->maximum())
        QVERIFY2(where.top() < browser->viewport()->height() / 4, qPrintable(QString::number(where.top())));

    // A second request reuses the one viewer.
    QSignalSpy shown(viewer, &HelpViewer::topicShown);
    ContextIDs::ShowHelpContents();
    QCOMPARE(ContextIDs::helpViewer(), viewer);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().first().toInt(), 0);

    QPointer<HelpViewer> closed = viewer;
    ContextIDs::CloseHelp();
    QVERIFY(!closed->isVisible());
    QTRY_VERIFY(closed.isNull());  // deleted, not just hidden
}

void TestContextIDs::viewerExplainsWhatItCannotShow()
{
    QTemporaryDir empty;
    ContextIDs::setHelpRequestHandler(nullptr);
    ContextIDs::RegisterHelpFile(&m_owner, empty.path());
    ContextIDs::ShowHelpContext(10);
    HelpViewer *viewer = ContextIDs::helpViewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->currentTopic(), -1);
    const QString text = viewer->browser()->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("Help is not available")), qPrintable(text));
    QVERIFY2(text.contains(empty.path() + QStringLiteral("/Foliotrace.HLP")), qPrintable(text));

    viewer->showTopic(QStringLiteral(FOLIOTRACE_BUILD_HELP_FILE), 99);
    QCOMPARE(viewer->currentTopic(), -1);
    QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("no topic number 99")));
}

void TestContextIDs::f1InTheModalStartUpWindowOpensAUsableViewer()
{
    // The start-up window is modal while the main window loads: its help
    // must open on topic 20 and take input, not sit blocked behind it.
    useBuiltHelpFile();
    frmIntro intro;
    intro.setWindowModality(Qt::ApplicationModal);
    intro.show();
    QVERIFY(QTest::qWaitForWindowActive(&intro));
    QTest::keyClick(intro.cmdOK(1), Qt::Key_F1);
    QVERIFY(intro.isVisible());  // F1 is neither "Exit" nor "I Agree"

    HelpViewer *viewer = ContextIDs::helpViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->currentTopic(), 20);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QScrollBar *scroll = viewer->browser()->verticalScrollBar();
    const int before = scroll->value();
    QVERIFY(before > 0);
    // A click above the handle pages up. Sent to the window, as the window
    // system would, so modal blocking applies.
    const QPoint above = scroll->mapTo(viewer, QPoint(scroll->width() / 2, scroll->width() + 2));
    QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {}, above);
    QVERIFY(scroll->value() < before);
}

void TestContextIDs::everyLinkInTheHelpFileLeadsSomewhere()
{
    QFile file(QStringLiteral(FOLIOTRACE_BUILD_HELP_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    int links = 0;
    for (const QRegularExpressionMatch &match :
         QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html)) {
        ++links;
        QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(match.captured(1))), qPrintable(match.captured(1)));
    }
    QVERIFY(links >= 3);  // the contents links its topics
}

QTEST_MAIN(TestContextIDs)
#include "tst_contextids.moc"
