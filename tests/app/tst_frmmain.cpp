// The main window as a user meets it: clicks and keys in; the window, the
// clipboard, the stored options and the help requests out.

#include "app/FolderList.h"
#include "app/frmMain.h"
#include "help/ContextIDs.h"
#include "help/FormChecks.h"
#include "help/frmIntro.h"
#include "settings/OptionStore.h"
#include "Twips.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

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

class RecordingHelp : public HelpRequestHandler
{
public:
    QList<int> topics; // 0 contents, -1 close, else the context number
    void helpRequest(QWidget *, const QString &, HelpCommand command, int data) override
    {
        topics.append(command == HelpCommand::Quit ? -1 : data);
    }
};

// Root reads every folder whatever its permissions; without these two
// capabilities (in this thread and the threads it starts) it meets them
// like any user. Nothing changes for a user who lacks them already.
class ReadLikeAUser
{
public:
    ReadLikeAUser() { set(false); }
    ~ReadLikeAUser() { set(true); }

private:
    static void set(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2] = {};
        if (syscall(SYS_capget, &header, data) != 0)
            return;
        const quint32 bits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        data[0].effective = on ? data[0].effective | (data[0].permitted & bits) : data[0].effective & ~bits;
        syscall(SYS_capset, &header, data);
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
    bool openWindow(int introButton = 0)
    {
        QDir::setCurrent(m_root->path());
        m_window = std::make_unique<frmMain>();
        answerIntro(introButton);
        if (!m_window->Form_Load())
            return false;
        m_window->show();
        return QTest::qWaitForWindowActive(m_window.get());
    }
    // Answers the next file dialog: the folder and type it opened on, then
    // the folder and the type chosen for the name it suggests (none: cancel).
    void answerSaveAs(const QString &type, const QString &folder, QStringList *opened)
    {
        QTimer::singleShot(0, m_window.get(), [=] {
            QFileDialog *dialog = nullptr;
            QTRY_VERIFY((dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())));
            *opened = QStringList{dialog->directory().path(), dialog->selectedNameFilter()};
            if (folder.isEmpty())
                return dialog->reject();
            dialog->setDirectory(folder);
            auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            // Chosen by a key, as a user would, from the type next to it.
            const int chosen = types->findText(type);
            types->setCurrentIndex(chosen == 0 ? 1 : chosen - 1);
            QTest::keyClick(types, chosen == 0 ? Qt::Key_Up : Qt::Key_Down);
            QTest::keyClick(dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
        });
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
    T *control(const QString &name) const { return m_window->findChild<T *>(name); }
    void click(const QString &name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    QString text(const QString &name) const { return control(name)->property("text").toString(); }
    void openFolder(const QString &name)
    {
        auto *folders = control<FolderList>("Dir1");
        folders->setCurrentItem(folders->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0));
        QTest::keyClick(folders, Qt::Key_Return);
    }
    QString message() const // the one shown, if any, with what its details add
    {
        for (QMessageBox *box : m_window->findChildren<QMessageBox *>()) {
            if (box->isVisible())
                return box->close(), box->text() + box->detailedText();
        }
        return QString();
    }
    // Options state: "Print Preview", no preview; Preview state: "Print", the
    // preview and its hide button shown. Either way the commands are on.
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
        QFile::remove(settingsFileName());
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

    void firstStartAndFolderChange()
    {
        QVERIFY(make(m_root->filePath(QStringLiteral("sub")), -1));
        QVERIFY(openWindow());
        // As high as designed, and wide enough for every control (Save As too).
        QCOMPARE(m_window->height(), twipsToPixels(6945, m_window->logicalDpiY()));
        FormChecks::verifyLayout(m_window.get(), {"lblPath", "lblPrnt"});
        QStringList shown;
        for (const char *name : {"chkFiles", "chkSize", "chkDate", "cboLevel", "cboGrid", "txtDirI", "txtFileI",
                                 "txtDirCol", "txtSizeCol", "txtDateCol"})
            shown << control(name)->property(name[1] == 'h' ? "checked" : name[0] == 'c' ? "currentText" : "text").toString();
        QCOMPARE(shown, QStringList({"true", "true", "true", "1", "None", "+", "-", "4000", "1000", "1000"}));
        QCOMPARE(control<QComboBox>("cboLevel")->count(), 5);
        const QString today = QStringLiteral("  - On: ") + QDate::currentDate().toString(QStringLiteral("M/d/yyyy"));
        const QString start = QDir(m_root->path()).canonicalPath();
        QCOMPARE(text("lblPath"), start);
        QCOMPARE(text("txtTitle"), start + today);
        verifyState(false);
        QVERIFY(message().isEmpty());
        // A folder opened: path and title follow, over a typed title.
        control<QLineEdit>("txtTitle")->setText(QStringLiteral("my own title"));
        openFolder(QStringLiteral("sub"));
        QCOMPARE(text("lblPath"), start + QStringLiteral("/sub"));
        QCOMPARE(text("txtTitle"), start + QStringLiteral("/sub") + today);
    }

    void layoutFollowsTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
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
        const QRect expected(twipsToPixels(QRect(50, 50, 0, 0), m_window.get()).topLeft(),
                             QPoint(m_window->frameGeometry().width() - twipsToPixels(150, m_window->logicalDpiX()),
                                    bar->y() + twipsToPixels(30, m_window->logicalDpiY())));
        const QRect placed = size.width() < 100 ? before : expected;
        QCOMPARE(surface->pos(), placed.topLeft());
        QVERIFY((surface->geometry().bottomRight() - placed.bottomRight()).manhattanLength() <= 4);
        QVERIFY(message().isEmpty());
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
        QTest::keyClick(control("txtTitle"), Qt::Key_F1);
        control<QMenu>("helpbar")->actions().at(0)->trigger(); // "Help Contents"
        click("cmdCopy");
        click("chkSize"); // not stored by any way out
        if (how == QLatin1String("close box")) {
            QVERIFY(m_window->close());
        } else {
            // The program's event loop ends at once, so main() returns.
            QTimer::singleShot(0, m_window.get(), [this, how] {
                if (how == QLatin1String("Exit"))
                    return click("cmdCancel");
                answerIntro(1);
                control<QMenu>("helpbar")->actions().at(1)->trigger();
            });
            QTimer::singleShot(10000, m_window.get(), [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
        }
        QCOMPARE(m_help.topics, unloads ? QList<int>({10, 0, -1}) : QList<int>({10, 0}));
        QCOMPARE(QSettings(settingsFileName(), QSettings::NativeFormat).value("Settings/Print Size"), "1");
    }

    void exitAtStartLoadsNothing()
    {
        QSettings(settingsFileName(), QSettings::NativeFormat).setValue("Settings/Directory Levels", "4");
        QVERIFY(!openWindow(1));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(control<QComboBox>("cboLevel")->count(), 0);
        QCOMPARE(text("lblPath"), QString());
    }

    void unusableStoredValueIsReported()
    {
        QSettings(settingsFileName(), QSettings::NativeFormat).setValue("Settings/Print Files", "7");
        QVERIFY(openWindow());
        QString shown;
        QVERIFY(QTest::qWaitFor([&] { return !(shown = message()).isEmpty(); }));
        QVERIFY(shown.contains(QStringLiteral("\"Print Files\" held \"7\"")));
        QVERIFY(control<QAbstractButton>("chkFiles")->isChecked());
    }

    void optionsStoredOnlyByPreviewAndCopy_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Print Preview stores") << "cmdPrint";
        QTest::newRow("Copy stores") << "cmdCopy";
        QTest::newRow("Print prints and stores nothing") << "Print";
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
        control<QComboBox>("cboLevel")->setEditText(QStringLiteral("7"));
        control<QComboBox>("cboGrid")->setEditText(QStringLiteral("rows")); // no item: position -1
        control<QLineEdit>("txtDirI")->clear();
        click(command == QLatin1String("Print") ? QStringLiteral("cmdPrint") : command);
        QVERIFY(message().isEmpty());
        verifyState(command == QLatin1String("cmdPrint"));
        QSettings store(settingsFileName(), QSettings::NativeFormat);
        QStringList now;
        for (const char *key : {"Print Size", "Directory Levels", "Grid Lines", "Directory Indicator"})
            now << store.value(QStringLiteral("Settings/") + QLatin1String(key)).toString();
        const bool stores = command != QLatin1String("Print");
        QCOMPARE(now, stores ? QStringList({"0", "7", "-1", ""}) : QStringList({"1", "1", "0", "+"}));
    }

    void workedExampleCopiedAndPreviewed()
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
        control<QComboBox>("cboLevel")->setEditText(QStringLiteral("2"));
        control<QLineEdit>("txtTitle")->setText(QStringLiteral("Worked example"));

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
    }

    // An unreadable folder is listed with "?", the copy goes through, and
    // the window says what could not be read once the clipboard holds it.
    void unreadFolderIsCopiedAndTold()
    {
        const QString top = m_root->filePath(QStringLiteral("top"));
        QVERIFY(make(top + QStringLiteral("/locked"), -1) && make(top + QStringLiteral("/open"), -1)
                && make(top + QStringLiteral("/open/a.txt"), 2048));
        QVERIFY(QFile::setPermissions(top + QStringLiteral("/locked"), {}));
        const ReadLikeAUser user;
        QVERIFY(openWindow());
        openFolder(QStringLiteral("top"));
        click("cmdCopy");
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.contains(QStringLiteral("'+ locked\t?\t")) && copied.contains(QStringLiteral("'+ open\t2\t")),
                 qPrintable(copied));
        QVERIFY(copied.endsWith(QStringLiteral("\r\n\r\n") + top + QStringLiteral("/locked: Permission denied\r\n")));
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = m_window->findChild<QMessageBox *>()) && box->isVisible());
        QVERIFY(box->text().startsWith(QStringLiteral("One entry could not be read")));
        QVERIFY(box->text().contains(QStringLiteral("\"+\"")) && box->text().contains(QStringLiteral("\"?\"")));
        QCOMPARE(box->detailedText(), top + QStringLiteral("/locked: Permission denied"));
        QFile::setPermissions(top + QStringLiteral("/locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void saveAsInBothStates_data()
    {
        QTest::addColumn<bool>("preview"); // from the Preview state, by Ctrl+S
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("Options state, button, CSV") << false << "CSV table (*.csv)" << QByteArray("Level,Kind,Name");
        QTest::newRow("Preview state, Ctrl+S, PDF") << true << "PDF document (*.pdf)" << QByteArray("%PDF-");
    }
    void saveAsInBothStates()
    {
        QFETCH(bool, preview);
        QFETCH(QString, type);
        QFETCH(QByteArray, starts);
        const QString top = m_root->filePath(QStringLiteral("top"));
        const QString out = m_root->filePath(QStringLiteral("out"));
        QVERIFY(make(top + QStringLiteral("/locked"), -1) && make(top + QStringLiteral("/a.txt"), 2048) && make(out, -1));
        QVERIFY(QFile::setPermissions(top + QStringLiteral("/locked"), {}));
        const ReadLikeAUser user;
        QVERIFY(openWindow());
        openFolder(QStringLiteral("top"));
        if (preview) {
            click("cmdPrint");
            QVERIFY(QTest::qWaitFor([this] { return !message().isEmpty(); })); // what it could not read
        }
        const QString page = text("lblPrnt");
        click("chkSize");
        QStringList opened;
        answerSaveAs(type, out, &opened);
        if (preview)
            QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        else
            click("cmdSaveAs");

        // Named after the folder, with the extension of the type last chosen.
        QFile saved(out + QStringLiteral("/top.") + type.section(u'.', 1, 1).chopped(1));
        QVERIFY2(saved.open(QIODevice::ReadOnly), qPrintable(saved.fileName()));
        QVERIFY(saved.readAll().startsWith(starts));
        QCOMPARE(opened.value(0), QDir::homePath()); // nothing remembered yet
        QString told;
        QVERIFY(QTest::qWaitFor([&] { return !(told = message()).isEmpty(); }));
        QVERIFY2(told.startsWith(QStringLiteral("One entry could not be read")), qPrintable(told));
        verifyState(preview);
        QCOMPARE(text("lblPrnt"), page); // the preview keeps its document
        QSettings store(settingsFileName(), QSettings::NativeFormat);
        QCOMPARE(store.value("Settings/Print Size"), "0");
        // The next Save As opens where this one saved, on its type.
        answerSaveAs(QString(), QString(), &opened);
        click("cmdSaveAs");
        QCOMPARE(opened, QStringList({out, type}));
        QFile::setPermissions(top + QStringLiteral("/locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void duringABuild_data()
    {
        QTest::addColumn<QString>("running");
        QTest::addColumn<QString>("during");
        QTest::addColumn<bool>("stopped"); // by a cancel or a failure
        QTest::newRow("Copy clicked in a preview's build: refused") << "cmdPrint" << "cmdCopy" << false;
        QTest::newRow("Print Preview clicked in a copy's build: refused") << "cmdCopy" << "cmdPrint" << false;
        QTest::newRow("Escape cancels a copy") << "cmdCopy" << "Escape" << true;
        QTest::newRow("Cancel keeps the earlier preview") << "cmdPrint" << "buildCancel" << true;
        QTest::newRow("a vanished folder fails a preview") << "cmdPrint" << "rmdir" << true;
        QTest::newRow("a vanished folder fails a copy") << "cmdCopy" << "rmdir" << true;
    }
    void duringABuild()
    {
        QFETCH(QString, running);
        QFETCH(QString, during);
        QFETCH(bool, stopped);
        const QString top = m_root->filePath(QStringLiteral("top"));
        QVERIFY(make(top, -1));
        QVERIFY(openWindow());
        click("cmdPrint"); // an earlier preview, of the empty folder
        click("cmdHide");
        for (int i = 0; i < 300; ++i)
            QVERIFY(make(top + QStringLiteral("/folder %1").arg(i, 3, 10, QChar(u'0')), -1));
        openFolder(QStringLiteral("top"));
        if (during == QLatin1String("rmdir"))
            QVERIFY(QDir(top).removeRecursively());
        BuildSession *session = m_window->buildSession();
        session->setYieldInterval(0);
        session->setProgressDelay(0);
        bool sawBuilding = during == QLatin1String("rmdir");
        QTimer::singleShot(0, m_window.get(), [&] {
            sawBuilding = session->isRunning() && !control("cmdPrint")->isEnabled()
                          && !control("cmdCopy")->isEnabled() && control("buildProgress")->isVisible();
            if (during == QLatin1String("Escape"))
                return QTest::keyClick(m_window.get(), Qt::Key_Escape);
            click(during);
            // A click that reached the handler before the button went off.
            if (during == QLatin1String("cmdCopy"))
                m_window->cmdCopy_Click();
            else if (during == QLatin1String("cmdPrint"))
                m_window->cmdPrint_Click();
        });
        click(running);

        QVERIFY(sawBuilding);
        QVERIFY(!session->isRunning() && !control("buildProgress")->isVisible());
        const QString shown = message(); // a failure is told, a cancel is not
        QVERIFY(during == QLatin1String("rmdir") ? shown.contains(top) : shown.isEmpty());
        const bool previewed = running == QLatin1String("cmdPrint") && !stopped;
        verifyState(previewed);
        QCOMPARE(text("lblPrnt") == QStringLiteral("Page 1 of 1"), !previewed);
        const bool copied = running == QLatin1String("cmdCopy") && !stopped;
        QCOMPARE(QGuiApplication::clipboard()->text().contains(QStringLiteral("'+ folder 299\t")), copied);
        QCOMPARE(QGuiApplication::clipboard()->text() == Sentinel, !copied);
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
