// The main window as a user meets it: clicks and keys in; the window, the
// clipboard, the stored options and the help requests out.

#include "app/FolderList.h"
#include "app/frmMain.h"
#include "help/ContextIDs.h"
#include "help/FormChecks.h"
#include "help/frmIntro.h"
#include "print/DocumentOutput.h"
#include "settings/OptionStore.h"
#include "Twips.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
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
    std::unique_ptr<frmIntro> m_intro;
    RecordingHelp m_help;

    // The real window loaded in the test's folder, its start-up window
    // answered with one of its buttons as a user would.
    bool openWindow(int introButton = 0, const QByteArray &start = {})
    {
        QDir::setCurrent(m_root->path());
        if (!start.isEmpty() && ::chdir(start.constData()) != 0)
            return false;
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
    QWidget *openForm(const QString &form, bool preview)
    {
        if (form == QLatin1String("intro")) {
            m_intro = std::make_unique<frmIntro>();
            m_intro->show();
            return QTest::qWaitForWindowActive(m_intro.get()) ? m_intro.get() : nullptr;
        }
        if (!openWindow())
            return nullptr;
        if (preview)
            click("cmdPrint");
        return m_window.get();
    }
    template<typename T = QWidget>
    T *control(const QString &name) const { return m_window->findChild<T *>(name); }
    void click(const QString &name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    QString text(const QString &name) const { return control(name)->property("text").toString(); }
    // What a screen reader reads: a button's caption without its "&".
    QString accessibleName(QWidget *widget) const
    {
        const QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(QAccessible::Name) : QString();
    }
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
        QCOMPARE(accessibleName(control("cmdPrint")), preview ? QStringLiteral("Print") : QStringLiteral("Print Preview"));
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
        m_intro.reset();
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

    void startsInAFolderNamedInAnotherEncoding()
    {
        const QByteArray odd = QFile::encodeName(m_root->path()) + "/odd-\xff";
        QVERIFY(::mkdir(odd.constData(), 0755) == 0 && ::mkdir(odd + "/sub", 0755) == 0);
        QVERIFY(openWindow(0, odd));
        click("cmdCopy");
        QVERIFY(message().isEmpty());
        QVERIFY(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("\r\n'+ sub\t0\t")
                                                               + QDate::currentDate().toString("M/d/yyyy") + "\r\n"));
        m_window.reset();
        QDir::setCurrent(QDir::tempPath()); // QTemporaryDir cannot remove a name it cannot decode
        QVERIFY(::rmdir(odd + "/sub") == 0 && ::rmdir(odd.constData()) == 0);
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

    // Each window from the keyboard: Tab goes round every control in the
    // designed order, each with a name for a screen reader; each text box and
    // list has a label whose Alt key moves the focus to it, each button a key
    // that clicks it, and no key serves twice in a window.
    void keyboard_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("preview");       // opened in the Preview state
        QTest::addColumn<QString>("press");      // a button, by its key, first
        QTest::addColumn<QString>("focusAfter"); // where that leaves the focus
        QTest::addColumn<QStringList>("order");
        QStringList options{"Drive1", "Dir1", "txtTitle", "chkSize", "chkDate", "cmdCancel", "cmdPrint",
                            "cboLevel", "cmdPrevPage", "cmdNextPage", "cboGrid", "cmdHelp", "Label2", "chkFiles",
                            "cmdCopy", "txtDirI", "txtFileI", "txtDirCol", "txtSizeCol", "txtDateCol", "cmdSaveAs"};
        QTest::newRow("Hide Print Preview: back to Print Preview, not on to Exit")
            << "main" << true << "cmdHide" << "cmdPrint" << options;
        options.insert(5, QStringLiteral("cmdHide"));
        options.insert(5, QStringLiteral("vsp1"));
        QTest::newRow("Print Preview: into the preview") << "main" << false << "cmdPrint" << "vsp1" << options;
        QTest::newRow("start-up window") << "intro" << false << "" << "" << QStringList{"Label2", "cmdOK_0", "cmdOK_1"};
    }
    void keyboard()
    {
        QFETCH(QString, form);
        QFETCH(bool, preview);
        QFETCH(QString, press);
        QFETCH(QString, focusAfter);
        QFETCH(QStringList, order);
        QWidget *window = openForm(form, preview);
        QVERIFY(window);
        if (auto *button = window->findChild<QAbstractButton *>(press); !press.isEmpty()) {
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            QTest::keySequence(window, button->shortcut());
            QTRY_COMPARE(clicked.size(), 1);
            QTRY_VERIFY(window->findChild<QWidget *>(focusAfter)->hasFocus());
        }

        window->findChild<QWidget *>(order.first())->setFocus();
        QStringList reached;
        QList<QKeySequence> keys;
        for (qsizetype step = 0; step <= order.size(); ++step) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus && !accessibleName(focus).isEmpty());
            QTest::keyClick(focus, Qt::Key_Tab);
            while (focus->objectName().isEmpty()) // in a part of a composite control (the preview)
                focus = focus->parentWidget();
            reached << focus->objectName();
            if (auto *button = qobject_cast<QAbstractButton *>(focus))
                QVERIFY2(!button->shortcut().isEmpty(), qPrintable(reached.last()));
        }
        QCOMPARE(reached, order << order.first());

        QStringList named;
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->buddy())
                continue;
            keys << QKeySequence::mnemonic(label->text());
            QTest::keySequence(window, keys.last());
            QVERIFY2(label->buddy()->hasFocus(), qPrintable(label->objectName()));
            named << label->objectName() + u'>' + label->buddy()->objectName();
        }
        const QStringList mainLabels{"Label1_0>Drive1",    "Label1_1>Dir1",     "Label1_2>txtTitle",
                                     "Label1_3>cboLevel",  "Label1_4>cboGrid",  "Label1_5>txtDirI",
                                     "Label1_6>txtFileI",  "Label1_7>txtDirCol", "Label1_8>txtSizeCol",
                                     "Label1_9>txtDateCol"};
        named.sort();
        QCOMPARE(named, form == QLatin1String("main") ? mainLabels : QStringList());
        for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
            keys << button->shortcut();
        for (const QKeySequence &key : std::as_const(keys))
            QVERIFY2(key.isEmpty() || keys.count(key) == 1, qPrintable(key.toString()));
    }

    void exitAtStartLoadsNothing()
    {
        QSettings(settingsFileName(), QSettings::NativeFormat).setValue("Settings/Directory Levels", "4");
        QVERIFY(!openWindow(1));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(control<QComboBox>("cboLevel")->count(), 0);
        QCOMPARE(text("lblPath"), QString());
    }

    void unusableStoredValueIsReported_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("row"); // the folder's row as copied
        QTest::newRow("check state 7: its default")
            << "Print Files" << "7" << "\"Print Files\" held \"7\"" << "'+ sub\t";
        QTest::newRow("a 100,000-character mark: its first 1,000")
            << "Directory Indicator" << QString(100000, u'x') << "held 100,000 characters; the first 1,000 are used"
            << QString(1000, u'x') + " sub\t";
    }
    void unusableStoredValueIsReported()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, told);
        QFETCH(QString, row);
        QVERIFY(make(m_root->filePath(QStringLiteral("sub")), -1));
        QSettings(settingsFileName(), QSettings::NativeFormat).setValue("Settings/" + key, stored);
        QVERIFY(openWindow());
        QString shown;
        QVERIFY(QTest::qWaitFor([&] { return !(shown = message()).isEmpty(); }));
        QVERIFY2(shown.contains(told), qPrintable(shown));
        QVERIFY(control<QAbstractButton>("chkFiles")->isChecked());
        click("cmdCopy");
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.contains(QStringLiteral("\r\n") + row) && !copied.contains(u'x' + row));
    }

    // A settings file turned against the program: the copy still happens,
    // one message names the file, and a file that cannot be read is kept.
    void brokenSettingsNeverStopACopy_data()
    {
        QTest::addColumn<QString>("broken");
        QTest::addColumn<QString>("told");
        QTest::newRow("read-only file") << "file" << "will not be remembered";
        QTest::newRow("read-only folder") << "folder" << "will not be remembered";
        QTest::newRow("a file in place of the folder") << "in place" << "is not a folder";
        QTest::newRow("junk, beside an earlier copy") << "junk" << "It is kept as";
    }
    void brokenSettingsNeverStopACopy()
    {
        QFETCH(QString, broken);
        QFETCH(QString, told);
        const QString file = settingsFileName();
        const QString folder = QFileInfo(file).path();
        const QByteArray junk("[Settings\nPrint%20Files=0\n\xff");
        const auto write = [](const QString &path, const QByteArray &bytes) {
            QFile out(path);
            return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
        };
        QVERIFY(QDir(folder).removeRecursively());
        const auto restore = qScopeGuard([folder] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::remove(folder);
            QDir(folder).removeRecursively();
        });
        if (broken == QLatin1String("in place"))
            QVERIFY(write(folder, "a file"));
        else
            QVERIFY(QDir().mkpath(folder));
        if (broken == QLatin1String("junk"))
            QVERIFY(write(file + ".bad", "earlier") && write(file, junk));
        if (broken == QLatin1String("file"))
            QVERIFY(write(file, "[Settings]\n") && QFile::setPermissions(file, QFile::ReadOwner));
        if (broken == QLatin1String("folder"))
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const ReadLikeAUser user;
        QVERIFY(openWindow());
        for (int copy = 1; copy <= 2; ++copy) {
            click("cmdCopy");
            QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("Sub-Directories\t")));
            QGuiApplication::clipboard()->setText(Sentinel);
            // One message, at the load or at the first copy; none after.
            QString shown;
            if (copy == 1) {
                QVERIFY(QTest::qWaitFor([&] { return !(shown = message()).isEmpty(); }));
                QVERIFY2(shown.contains(file) && shown.contains(told), qPrintable(shown));
            }
            QVERIFY(message().isEmpty());
        }
        if (broken == QLatin1String("junk")) {
            QFile earlier(file + ".bad"), kept(file + ".bad.2");
            QVERIFY(earlier.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
            QCOMPARE(earlier.readAll() + kept.readAll(), "earlier" + junk);
            // What could be read of it was used, and is stored afresh.
            QCOMPARE(QSettings(file, QSettings::NativeFormat).value("Settings/Print Files"), "0");
        }
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

    // Neither "Print Preview" nor "Print" freezes the window on a print
    // server that never answers, and "Print" says which server it is.
    void silentPrintServer()
    {
        QTcpServer server; // takes connections, never answers
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString silent = QStringLiteral("127.0.0.1:%1").arg(server.serverPort());
        const QByteArray printer = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", silent.toLatin1());
        DocumentOutput::setServerSilenceLimit(std::chrono::seconds(1));
        const auto restore = qScopeGuard([printer] {
            printer.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", printer);
            DocumentOutput::setServerSilenceLimit(std::chrono::seconds(15));
        });
        QVERIFY(openWindow());
        m_window->buildSession()->setProgressDelay(0);
        QElapsedTimer clock;
        qint64 live = -1;
        bool stripShown = false;
        QTimer::singleShot(0, m_window.get(), [&] { live = clock.elapsed(); });
        clock.start();
        click("cmdPrint");
        QVERIFY2(live >= 0 && live < 2000, qPrintable(QString::number(live)));
        verifyState(true);
        const QString paper = control("lblPrnt")->toolTip();
        QVERIFY2(paper.startsWith("Letter paper") && paper.contains(silent + " does not answer"), qPrintable(paper));
        QTimer::singleShot(0, m_window.get(), [&] { stripShown = control("buildProgress")->isVisible(); });
        click("cmdPrint");
        QVERIFY(stripShown);
        QCOMPARE(message(), QStringLiteral("The print server %1 does not answer.").arg(silent));
        verifyState(true);
    }

    // Columns wider than the paper are told, every one of them by name.
    void widthsPastThePaperAreTold_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told"); // the end of the message
        QTest::newRow("1e400: the others beyond the edge")
            << "txtDirCol" << "1e400"
            << "Sub-Directories 10000000000\u2026, Size (KB) 1000, Date 1000 twips, where there is room for 9,360 "
               "between the margins. Cut at the paper's edge: Sub-Directories. Beyond it, and not shown: Size (KB), "
               "Date. Narrower widths bring them onto the page.";
        QTest::newRow("99999999 for the date")
            << "txtDateCol" << "99999999" << "Cut at the paper's edge: Date. Narrower widths bring them onto the page.";
    }
    void widthsPastThePaperAreTold()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, told);
        QVERIFY(openWindow());
        control<QLineEdit>(box)->setText(typed);
        click("cmdPrint");
        verifyState(true);
        const QString shown = message();
        QVERIFY2(shown.endsWith(told), qPrintable(shown));
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
        QTest::newRow("Cancel in the layout keeps the earlier preview") << "cmdPrint" << "layoutCancel" << true;
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
        // Cancelled once the strip tells that every row is listed and the pages are being laid out.
        connect(session, &BuildSession::progress, m_window.get(), [&] {
            if (during == u"layoutCancel" && text("buildProgressText") == u"300 entries listed. Laying out pages")
                click("buildCancel");
        });
        QTimer::singleShot(0, m_window.get(), [&] {
            sawBuilding = session->isRunning() && !control("cmdPrint")->isEnabled()
                          && !control("cmdCopy")->isEnabled() && control("buildProgress")->isVisible();
            if (during == QLatin1String("layoutCancel"))
                return;
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
