// The main window as a user meets it: clicks and keys in; the window, the
// clipboard, the stored options, the help requests and the printer queue out.

#include "app/DriveList.h"
#include "app/FolderList.h"
#include "app/PrintTitle.h"
#include "app/frmMain.h"
#include "help/ContextIDs.h"
#include "help/FormChecks.h"
#include "help/frmIntro.h"
#include "print/PreviewSurface.h"
#include "Twips.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString Sentinel = QStringLiteral("clipboard before the command");

// A file of size bytes (a folder when size < 0) last modified at noon on date.
bool make(const QString &path, qint64 size = 0, QDate date = QDate(2001, 1, 1))
{
    QFile file(path);
    if (size < 0 ? !QDir().mkpath(path) : !file.open(QIODevice::WriteOnly) || file.write(QByteArray(size, 'x')) != size)
        return false;
    file.close();
    const timespec noon{QDateTime(date, QTime(12, 0)).toSecsSinceEpoch(), 0};
    const timespec times[2] = {noon, noon};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

std::unique_ptr<QSettings> store()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Foliotrace"),
                                       QStringLiteral("Foliotrace"));
}

class RecordingHelp : public HelpRequestHandler
{
public:
    QList<int> topics; // 0 contents, -1 close, else the context number
    void helpRequest(QWidget *, const QString &, HelpCommand command, int data) override
    {
        topics.append(command == HelpCommand::Quit ? -1 : data);
    }
};

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<frmMain> m_window;
    RecordingHelp m_help;

    // The real window loaded in the test's folder, its start-up window
    // answered with one of its buttons as a user would.
    bool openWindow(int introButton = 0, bool show = true)
    {
        QDir::setCurrent(m_root->path());
        m_window = std::make_unique<frmMain>();
        answerIntro(introButton);
        if (!m_window->Form_Load() || !show)
            return false;
        m_window->show();
        return QTest::qWaitForWindowActive(m_window.get());
    }
    void answerIntro(int button)
    {
        auto *timer = new QTimer(m_window.get());
        connect(timer, &QTimer::timeout, timer, [timer, button] {
            if (auto *intro = qobject_cast<frmIntro *>(QApplication::activeModalWidget())) {
                delete timer;
                QTest::mouseClick(intro->cmdOK(button), Qt::LeftButton);
            }
        });
        timer->start(5);
    }
    template<typename T = QWidget>
    T *control(const char *name) const { return m_window->findChild<T *>(QLatin1String(name)); }
    void click(const char *name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    QString text(const char *name) const { return control(name)->property("text").toString(); }
    void type(const char *name, const QString &typed)
    {
        auto *combo = control<QComboBox>(name);
        QLineEdit *edit = combo ? combo->lineEdit() : control<QLineEdit>(name);
        edit->clear();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void openFolder(const QString &name)
    {
        auto *folders = control<FolderList>("Dir1");
        folders->setCurrentItem(folders->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0));
        QTest::keyClick(folders, Qt::Key_Return);
    }
    QMessageBox *message() const
    {
        const QList<QMessageBox *> boxes = m_window->findChildren<QMessageBox *>();
        const auto shown = std::find_if(boxes.cbegin(), boxes.cend(), [](QWidget *box) { return box->isVisible(); });
        return shown == boxes.cend() ? nullptr : *shown;
    }
    QString dismissMessage()
    {
        if (!QTest::qWaitFor([this] { return message() != nullptr; }, 5000))
            return QString();
        const QString shown = message()->text();
        message()->close();
        return shown;
    }
    // Options state: "Print Preview", no preview; Preview state: "Print",
    // the preview and its hide button shown. Either way the commands are on.
    void verifyState(bool preview)
    {
        QCOMPARE(text("cmdPrint"), preview ? QStringLiteral("Print") : QStringLiteral("Print Preview"));
        QCOMPARE(control("cmdHide")->isVisible(), preview);
        QCOMPARE(control("vsp1")->isVisible(), preview);
        QVERIFY(control("cmdPrint")->isEnabled() && control("cmdCopy")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QGuiApplication::setQuitOnLastWindowClosed(false);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ContextIDs::setHelpRequestHandler(&m_help);
    }
    void init()
    {
        store()->clear();
        m_root = std::make_unique<QTemporaryDir>();
        QGuiApplication::clipboard()->setText(Sentinel);
        m_help.topics.clear();
    }
    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(QDir::tempPath());
        m_root.reset();
    }

    void firstStart()
    {
        QVERIFY(openWindow());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Foliotrace"));
        QCOMPARE(m_window->size(), twipsToPixels(QRect(0, 0, 9900, 6945), m_window.get()).size());
        FormChecks::verifyLayout(m_window.get(), {"lblPath", "lblPrnt"});
        for (const char *box : {"chkFiles", "chkSize", "chkDate"})
            QVERIFY2(control<QCheckBox>(box)->isChecked(), box);
        QStringList fields;
        for (const char *name : {"cboLevel", "cboGrid", "txtDirI", "txtFileI", "txtDirCol", "txtSizeCol", "txtDateCol"})
            fields << control(name)->property(control<QComboBox>(name) ? "currentText" : "text").toString();
        QCOMPARE(fields, QStringList({"1", "None", "+", "-", "4000", "1000", "1000"}));
        QCOMPARE(control<QComboBox>("cboLevel")->count(), 5);
        QCOMPARE(control<QComboBox>("cboLevel")->itemText(4), QStringLiteral("5"));
        const QString start = QDir(m_root->path()).canonicalPath();
        QCOMPARE(text("lblPath"), start);
        QCOMPARE(text("txtTitle"), printTitle(start, QDate::currentDate()));
        QCOMPARE(text("lblPrnt"), QStringLiteral("Page:"));
        verifyState(false);
        QVERIFY(!message());
    }

    void layoutFollowsTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger") << QSize(1000, 700);
        QTest::newRow("narrower and lower") << QSize(420, 260);
        QTest::newRow("smaller than the margins") << QSize(8, 8);
    }
    void layoutFollowsTheWindow()
    {
        QFETCH(QSize, size);
        QVERIFY(openWindow());
        const QRect path = control("lblPath")->geometry();
        click("cmdPrint");
        QWidget *surface = control("vsp1");
        const QRect before = surface->geometry();
        m_window->resize(size);
        QTRY_VERIFY(size.width() < 100 ? m_window->width() <= 200 : m_window->size() == size);

        QCOMPARE(control("lblPath")->geometry(), path); // option controls stay put
        QWidget *bar = control("pic1");
        const int barHeight = twipsToPixels(735, m_window->logicalDpiY());
        QCOMPARE(bar->geometry(), QRect(0, m_window->height() - barHeight, m_window->width(), barHeight));
        // 50 twips in from the left and top, outer width less 200, 30 twips
        // down into the bar; a window too small for that leaves it be.
        const int right = m_window->frameGeometry().width() - twipsToPixels(150, m_window->logicalDpiX());
        const int bottom = bar->y() + twipsToPixels(30, m_window->logicalDpiY());
        if (size.width() < 100) {
            QCOMPARE(surface->geometry(), before);
        } else {
            QCOMPARE(surface->pos(), twipsToPixels(QRect(50, 50, 0, 0), m_window.get()).topLeft());
            QVERIFY(qAbs(surface->geometry().right() + 1 - right) <= 1);
            QVERIFY(qAbs(surface->geometry().bottom() + 1 - bottom) <= 1);
        }
        QVERIFY(!message());
    }

    void pickersLeadToPathAndTitle()
    {
        QVERIFY(make(m_root->filePath(QStringLiteral("sub")), -1));
        QVERIFY(openWindow());
        const QString sub = text("lblPath") + QStringLiteral("/sub");
        control<QLineEdit>("txtTitle")->setText(QStringLiteral("my own title"));
        openFolder(QStringLiteral("sub"));
        QCOMPARE(text("lblPath"), sub);
        QCOMPARE(text("txtTitle"), printTitle(sub, QDate::currentDate()));

        // A drive that cannot be read is reported and changes nothing.
        auto *drives = control<DriveList>("Drive1");
        auto gone = std::make_unique<QTemporaryDir>();
        const QString goneRoot = gone->path();
        drives->setVolumes({{QByteArray("/"), QString(), QByteArray("ext4")},
                            {QFile::encodeName(goneRoot), QStringLiteral("GONE"), QByteArray("vfat")}});
        gone.reset();
        drives->setDrive(goneRoot);
        QVERIFY(dismissMessage().contains(goneRoot));
        QCOMPARE(text("lblPath"), sub);
        QCOMPARE(drives->mountPoint(), QByteArray("/"));
    }

    void help()
    {
        QVERIFY(openWindow());
        QVERIFY(!m_window->findChild<QMenuBar *>());
        QTest::keyClick(control("txtTitle"), Qt::Key_F1);
        const QList<QAction *> items = control<QMenu>("helpbar")->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0)->text(), QStringLiteral("Help Contents"));
        items.at(0)->trigger();
        answerIntro(0);
        items.at(1)->trigger(); // "Help About", answered "I Agree"
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_help.topics, QList<int>({10, 0}));
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("unloads"); // tells help to close on the way out
        QTest::newRow("Exit") << "Exit" << false;
        QTest::newRow("Help About, then Exit") << "Help About" << false;
        QTest::newRow("close box") << "close box" << true;
    }
    void leaving()
    {
        QFETCH(QString, how);
        QFETCH(bool, unloads);
        QVERIFY(openWindow());
        click("cmdCopy");
        click("chkSize"); // not stored by any way out
        m_help.topics.clear();
        if (how == QLatin1String("close box")) {
            QVERIFY(m_window->close());
        } else {
            // The program's event loop ends at once, so main() returns.
            QTimer::singleShot(0, m_window.get(), [this, how] {
                if (how == QLatin1String("Exit"))
                    return click("cmdCancel");
                answerIntro(1);
                m_window->helpItem_Click(1);
            });
            QTimer::singleShot(10000, m_window.get(), [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
        }
        QCOMPARE(m_help.topics, unloads ? QList<int>{-1} : QList<int>{});
        QCOMPARE(store()->value("Settings/Print Size").toString(), QStringLiteral("1"));
    }

    void exitAtStartLoadsNothing()
    {
        store()->setValue("Settings/Directory Levels", "4");
        QVERIFY(!openWindow(1));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(control<QComboBox>("cboLevel")->count(), 0);
        QCOMPARE(text("lblPath"), QString());
    }

    void unusableStoredValueReportedOnceShown()
    {
        store()->setValue("Settings/Print Files", "7");
        openWindow(0, false);
        QVERIFY(!message());
        m_window->show();
        const QString shown = dismissMessage();
        QVERIFY2(shown.contains(QStringLiteral("\"Print Files\" held \"7\"")), qPrintable(shown));
        QVERIFY(control<QCheckBox>("chkFiles")->isChecked());
        m_window->hide();
        m_window->show();
        QCoreApplication::processEvents();
        QVERIFY(!message());
    }

    void optionsStoredOnlyByPreviewAndCopy_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Print Preview stores") << "cmdPrint";
        QTest::newRow("Copy stores") << "cmdCopy";
        QTest::newRow("Print stores nothing") << "Print";
    }
    void optionsStoredOnlyByPreviewAndCopy()
    {
        QFETCH(QString, command);
        QVERIFY(openWindow());
        click("cmdPrint");
        verifyState(true);
        if (command != QLatin1String("Print"))
            click("cmdHide");
        click("chkSize");
        type("cboLevel", QStringLiteral("7"));
        type("txtDirI", QString());
        click(command == QLatin1String("Print") ? "cmdPrint" : qPrintable(command));
        const auto settings = store();
        settings->beginGroup(QStringLiteral("Settings"));
        const QStringList now{settings->value("Print Size").toString(), settings->value("Directory Levels").toString(),
                              settings->value("Directory Indicator").toString()};
        const QStringList expected = command == QLatin1String("Print") ? QStringList{"1", "1", "+"}
                                                                       : QStringList{"0", "7", ""};
        QCOMPARE(now, expected);
    }

    void workedExampleCopiedPreviewedAndPrinted()
    {
        // Folders stamped last: writing into one stamps it anew.
        const QString example = m_root->filePath(QStringLiteral("example"));
        QVERIFY(make(example + QStringLiteral("/Docs/Old"), -1));
        QVERIFY(make(example + QStringLiteral("/notes.txt"), 1536, QDate(2001, 3, 7)));
        QVERIFY(make(example + QStringLiteral("/Docs/report.doc"), 10240, QDate(2001, 2, 5)));
        QVERIFY(make(example + QStringLiteral("/Docs/Old/x.txt"), 2048, QDate(2000, 12, 1)));
        QVERIFY(make(example + QStringLiteral("/Docs/Old"), -1, QDate(2000, 12, 1)));
        QVERIFY(make(example + QStringLiteral("/Docs"), -1, QDate(2001, 1, 2)));
        QVERIFY(openWindow());
        openFolder(QStringLiteral("example"));
        type("cboLevel", QStringLiteral("2"));
        type("txtTitle", QStringLiteral("Worked example"));

        click("cmdCopy");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Worked example\r\n"
                                                                      "Sub-Directories\tSize (KB)\tDate\r\n"
                                                                      "\r\n"
                                                                      "'-  notes.txt\t2\t3/7/2001\r\n"
                                                                      "'+ Docs\t12\t1/2/2001\r\n"
                                                                      "    '+ Old\t2\t12/1/2000\r\n"
                                                                      "     '-  x.txt\t2\t12/1/2000\r\n"
                                                                      "  '-  report.doc\t10\t2/5/2001\r\n"));
        verifyState(false);

        // The preview takes the marks as typed.
        click("cmdPrint");
        verifyState(true);
        QCOMPARE(text("lblPrnt"), QStringLiteral("Page 1 of 1"));
        QVERIFY(m_window->Listing.ListBody.contains(QStringLiteral(";+ Docs|12|1/2/2001;")));

        // "Print": one job for the private printer, and the Options state.
        const QDir jobs(qEnvironmentVariable("FOLIOTRACE_TEST_PRINT_DIR"));
        QVERIFY2(jobs.exists() && qEnvironmentVariableIsSet("CUPS_SERVER"), "run through ctest for its printer");
        const qsizetype before = jobs.entryList({QStringLiteral("job-*.pdf")}).size();
        click("cmdPrint");
        QVERIFY(!message());
        verifyState(false);
        QTRY_COMPARE_WITH_TIMEOUT(jobs.entryList({QStringLiteral("job-*.pdf")}).size(), before + 1, 30000);
    }

    void failedBuildReported_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Print Preview") << "cmdPrint";
        QTest::newRow("Copy") << "cmdCopy";
    }
    void failedBuildReported()
    {
        QFETCH(QString, command);
        const QString doomed = m_root->filePath(QStringLiteral("doomed"));
        QVERIFY(make(doomed, -1));
        QVERIFY(openWindow());
        openFolder(QStringLiteral("doomed"));
        QVERIFY(QDir(doomed).removeRecursively());
        click(qPrintable(command));
        QVERIFY(dismissMessage().contains(text("lblPath")));
        verifyState(false);
        QCOMPARE(QGuiApplication::clipboard()->text(), Sentinel);
        QCOMPARE(text("lblPrnt"), QStringLiteral("Page:"));
    }

    void duringABuild_data()
    {
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("during");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("Copy clicked in a preview's build: refused") << "cmdPrint" << "cmdCopy" << false;
        QTest::newRow("Print Preview clicked in a copy's build: refused") << "cmdCopy" << "cmdPrint" << false;
        QTest::newRow("Escape cancels a copy") << "cmdCopy" << "Escape" << true;
        QTest::newRow("Cancel keeps the earlier preview") << "cmdPrint" << "buildCancel" << true;
    }
    void duringABuild()
    {
        QFETCH(QString, running);
        QFETCH(QString, during);
        QFETCH(bool, cancelled);
        QVERIFY(openWindow());
        click("cmdPrint"); // an earlier preview, of the empty folder
        click("cmdHide");
        for (int i = 0; i < 300; ++i)
            QVERIFY(make(m_root->filePath(QStringLiteral("folder %1").arg(i, 3, 10, QChar(u'0'))), -1));
        BuildSession *session = m_window->buildSession();
        session->setYieldInterval(0);
        session->setProgressDelay(0);

        bool sawBuilding = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            sawBuilding = session->isRunning() && !control("cmdPrint")->isEnabled()
                          && !control("cmdCopy")->isEnabled() && control("buildProgress")->isVisible();
            if (during == QLatin1String("Escape"))
                return QTest::keyClick(m_window.get(), Qt::Key_Escape);
            click(qPrintable(during));
            // A click that reached the handler before the button went off.
            if (during == QLatin1String("cmdCopy"))
                m_window->cmdCopy_Click();
            else if (during == QLatin1String("cmdPrint"))
                m_window->cmdPrint_Click();
        });
        click(qPrintable(running));

        QVERIFY(sawBuilding);
        QVERIFY(!session->isRunning() && !control("buildProgress")->isVisible());
        QVERIFY(!message());
        const bool previewed = running == QLatin1String("cmdPrint") && !cancelled;
        verifyState(previewed);
        QCOMPARE(text("lblPrnt") == QStringLiteral("Page 1 of 1"), !previewed);
        const bool copied = running == QLatin1String("cmdCopy") && !cancelled;
        QCOMPARE(QGuiApplication::clipboard()->text().contains(QStringLiteral("'+ folder 299\t")), copied);
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
