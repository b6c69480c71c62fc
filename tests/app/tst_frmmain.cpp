// The main window as a user meets it: clicks and keys in; window, clipboard, stored options and help out.

#include "app/DriveList.h"
#include "app/FolderChoice.h"
#include "app/FolderList.h"
#include "app/PathField.h"
#include "app/PreviewSurface.h"
#include "app/frmMain.h"
#include "help/Help.h"
#include "help/FormChecks.h"
#include "help/frmIntro.h"
#include "print/DocumentOutput.h"
#include "print/ListingComposer.h"
#include "settings/OptionStore.h"
#include "Twips.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMimeData>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
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

QString storedValue(const QString &key, const QString &group = QStringLiteral("Settings"))
{
    // A key naming its group ("Listing Options/Skip") is read as it stands.
    const QString path = key.contains(u'/') ? key : group + u'/' + key;
    return QSettings(settingsFileName(), QSettings::NativeFormat).value(path).toString();
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

// Root reads every folder whatever its permissions; without these two capabilities (in this
// thread and those it starts) it meets them like any user, as a user who lacks them does already.
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

    // The real window in the test's folder, its start-up window answered as a user would.
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
    // Answers the next file dialog: where it opened, then the folder and type chosen (none: cancel).
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
    // Answers the next modal window of type T as answer says.
    template<typename T>
    void answerModal(const std::function<void(T *)> &answer)
    {
        auto *timer = new QTimer(m_window.get());
        connect(timer, &QTimer::timeout, timer, [timer, answer] {
            if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
                delete timer;
                answer(dialog);
            }
        });
        timer->start(5);
    }
    void answerIntro(int button)
    {
        answerModal<frmIntro>([button](frmIntro *intro) { QTest::mouseClick(intro->cmdOK(button), Qt::LeftButton); });
    }
    template<typename T = QWidget>
    T *control(const QString &name) const { return m_window->findChild<T *>(name); }
    void click(const QString &name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    QString text(const QString &name) const { return control(name)->property("text").toString(); }
    // What a screen reader reads: a button's caption without its "&".
    static QString accessibleName(QWidget *widget)
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
    QString awaitMessage() const
    {
        QString shown;
        return QTest::qWaitFor([&] { return !(shown = message()).isEmpty(); }) ? shown : QString();
    }
    // Options state: "Print Preview", no preview; Preview state: "Print", preview and Hide; commands on.
    void verifyState(bool preview)
    {
        QCOMPARE(accessibleName(control("cmdPrint")), preview ? u"Print" : u"Print Preview");
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
        Help::setHelpRequestHandler(&m_help);
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

    // Started, as "Open with" may start it, in a folder whose name is no valid UTF-8.
    void firstStartAndFolderChange()
    {
        const QByteArray start = QFile::encodeName(QDir(m_root->path()).canonicalPath()) + "/odd-\xff";
        QVERIFY(::mkdir(start.constData(), 0755) == 0 && ::mkdir(start + "/sub", 0755) == 0);
        const auto remove = qScopeGuard([start] { // QTemporaryDir cannot remove a name it cannot decode
            QDir::setCurrent(QDir::tempPath());
            ::rmdir(start + "/sub");
            ::rmdir(start.constData());
        });
        QVERIFY(openWindow(0, start));
        // Room for every control, Save As too, none cut off or running into another.
        FormChecks::verifyLayout(m_window.get(), {"lblPath", "lblPrnt"});
        QStringList shown;
        for (const char *name : {"chkFiles", "chkSize", "chkDate", "cboLevel", "cboGrid", "txtDirI", "txtFileI",
                                 "txtDirCol", "txtSizeCol", "txtDateCol"})
            shown << control(name)->property(name[1] == 'h' ? "checked" : name[0] == 'c' ? "currentText" : "text")
                         .toString();
        QCOMPARE(shown, QStringList({"true", "true", "true", "1", "None", "+", "-", "4000", "1000", "1000"}));
        QCOMPARE(control<QComboBox>("cboLevel")->count(), 5);
        QStringList grids;
        for (int i = 0; i < control<QComboBox>("cboGrid")->count(); ++i)
            grids << control<QComboBox>("cboGrid")->itemText(i);
        QCOMPARE(grids, QStringList({"None", "Rows", "Top & Bottom", "All"}));
        const QString date = QDate::currentDate().toString(QStringLiteral("M/d/yyyy"));
        const QString path = QFile::decodeName(start);
        QCOMPARE(text("lblPath"), path);
        QCOMPARE(text("txtTitle"), path + "  - On: " + date);
        verifyState(false);
        QVERIFY(message().isEmpty());
        click("cmdCopy"); // the folder itself, by its bytes
        QVERIFY(message().isEmpty());
        QVERIFY(QGuiApplication::clipboard()->text().endsWith("\r\n'+ sub\t0\t" + date + "\r\n"));
        // A folder opened: path and title follow, over a typed title.
        control<QLineEdit>("txtTitle")->setText(QStringLiteral("my own title"));
        openFolder(QStringLiteral("sub"));
        QCOMPARE(text("lblPath"), path + "/sub");
        QCOMPARE(text("txtTitle"), path + "/sub  - On: " + date);
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
        // 50 twips in at left and top, outer width less 200, 30 twips into the bar; a tiny window leaves it.
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
        if (how == u"close box") {
            QVERIFY(m_window->close());
        } else {
            // The program's event loop ends at once, so main() returns.
            QTimer::singleShot(0, m_window.get(), [this, how] {
                if (how == u"Exit")
                    return click("cmdCancel");
                answerIntro(1);
                control<QMenu>("helpbar")->actions().at(1)->trigger();
            });
            QTimer::singleShot(10000, m_window.get(), [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
        }
        QCOMPARE(m_help.topics, unloads ? QList<int>({10, 0, -1}) : QList<int>({10, 0}));
        QCOMPARE(storedValue("Print Size"), "1");
    }

    // Each window from the keyboard: Tab goes round every control in the designed order, each with a
    // name for a screen reader; each text box and list has a label whose Alt key moves the focus to it,
    // each button a key that clicks it, and no key serves twice in a window.
    // The main window, or else the start-up window, open and active for the keyboard.
    QWidget *openForKeys(bool main)
    {
        if (main)
            return openWindow() ? m_window.get() : nullptr;
        m_intro = std::make_unique<frmIntro>();
        m_intro->show();
        return QTest::qWaitForWindowActive(m_intro.get()) ? m_intro.get() : nullptr;
    }

    void tabOrder_data()
    {
        QTest::addColumn<bool>("main");
        QTest::addColumn<bool>("preview");       // opened in the Preview state
        QTest::addColumn<QString>("press");      // a button, by its key, first
        QTest::addColumn<QString>("focusAfter"); // where that leaves the focus
        QTest::addColumn<QStringList>("order");
        QStringList options{"Drive1", "cmdBrowse", "Dir1", "txtTitle", "chkSize", "chkDate", "cmdCancel", "cmdPrint",
                            "cboLevel", "cmdPrevPage", "cmdNextPage", "cboGrid", "cmdHelp", "Label2", "chkFiles",
                            "cmdCopy", "txtDirI", "txtFileI", "txtDirCol", "txtSizeCol", "txtDateCol", "cmdMore",
                            "cmdCompare", "cmdSaveAs"};
        QTest::newRow("Hide Print Preview: back to Print Preview, not on to Exit")
            << true << true << "cmdHide" << "cmdPrint" << options;
        options.insert(6, QStringLiteral("cmdHide"));
        options.insert(6, QStringLiteral("vsp1"));
        options.removeOne(QStringLiteral("cmdMore")); // the Options state's only
        options.removeOne(QStringLiteral("cmdCompare"));
        options.insert(options.indexOf(u"cmdNextPage") + 1, QStringLiteral("cmdPageSetup"));
        QTest::newRow("Print Preview: into the preview") << true << false << "cmdPrint" << "vsp1" << options;
        QTest::newRow("start-up window") << false << false << "" << "" << QStringList{"Label2", "cmdOK_0", "cmdOK_1"};
    }
    // A button's key does what a click does; Tab visits every control in order, each named for a screen
    // reader, each button with a key of its own.
    void tabOrder()
    {
        QFETCH(bool, main);
        QFETCH(bool, preview);
        QFETCH(QString, press);
        QFETCH(QString, focusAfter);
        QFETCH(QStringList, order);
        QWidget *window = openForKeys(main);
        QVERIFY(window);
        if (preview)
            click("cmdPrint");
        if (auto *button = window->findChild<QAbstractButton *>(press); !press.isEmpty()) {
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            QTest::keySequence(window, button->shortcut());
            QTRY_COMPARE(clicked.size(), 1);
            QTRY_VERIFY(window->findChild<QWidget *>(focusAfter)->hasFocus());
        }
        window->findChild<QWidget *>(order.first())->setFocus();
        QStringList reached;
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
    }

    void mnemonics_data()
    {
        QTest::addColumn<bool>("main");
        QTest::newRow("main window") << true;
        QTest::newRow("start-up window") << false;
    }
    // Each label's key reaches the control it names, and no key stands for two things.
    void mnemonics()
    {
        QFETCH(bool, main);
        QWidget *window = openForKeys(main);
        QVERIFY(window);
        QStringList named;
        QList<QKeySequence> keys;
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->buddy())
                continue;
            keys << QKeySequence::mnemonic(label->text());
            QTest::keySequence(window, keys.last());
            QVERIFY2(label->buddy()->hasFocus(), qPrintable(label->objectName()));
            named << label->objectName() + u'>' + label->buddy()->objectName();
        }
        const QStringList mainLabels{"Label1_0>Drive1",   "Label1_1>Dir1",      "Label1_2>txtTitle",
                                     "Label1_3>cboLevel", "Label1_4>cboGrid",   "Label1_5>txtDirI",
                                     "Label1_6>txtFileI", "Label1_7>txtDirCol", "Label1_8>txtSizeCol",
                                     "Label1_9>txtDateCol"};
        named.sort();
        QCOMPARE(named, main ? mainLabels : QStringList());
        for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
            keys << button->shortcut();
        for (const QKeySequence &key : std::as_const(keys))
            QVERIFY2(key.isEmpty() || keys.count(key) == 1, qPrintable(key.toString()));
    }

    // "More Options…" from its key: a pattern that is none is named and OK refused; what OK takes lists, and is
    // stored with the options; Restore Defaults then Cancel changes nothing.
    void moreOptions()
    {
        const QString top = m_root->filePath(QStringLiteral("top"));
        QVERIFY(make(top + "/node_modules", -1) && make(top + "/node_modules/x.js") && make(top + "/a.jpg") && make(top + "/b.txt") && make(top + "/.h.jpg"));
        QVERIFY(openWindow());
        openFolder(QStringLiteral("top"));
        bool answered = false;
        const auto answer = [&](const std::function<void(QWidget *)> &steps) { // once the dialog is up
            auto *timer = new QTimer(m_window.get());
            connect(timer, &QTimer::timeout, timer, [timer, steps, &answered] {
                if (QWidget *dialog = QApplication::activeModalWidget()) {
                    delete timer;
                    QTRY_VERIFY(dialog->isActiveWindow()); // for its keys
                    steps(dialog);
                    answered = true;
                }
            });
            timer->start(5);
        };
        answer([this](QWidget *dialog) {
            const auto field = [dialog](const char *name) { return dialog->findChild<QLineEdit *>(name); };
            QTest::keyClicks(field("txtSkip"), "[a");
            QAbstractButton *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            QCOMPARE(dialog->findChild<QLabel *>("lblPatternProblem")->text(),
                     "Skip: \"[a\" has a \"[\" with no \"]\" to close it");
            QVERIFY(!ok->isEnabled());
            QTest::keyClick(field("txtSkip"), Qt::Key_F1);
            field("txtSkip")->setText("node_modules; .*");
            field("txtInclude")->setText("*.JPG");
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QTest::keySequence(m_window.get(), QKeySequence(Qt::ALT | Qt::Key_M));
        QTRY_VERIFY(answered);
        QCOMPARE(m_help.topics, QList<int>{30});
        click("cmdCopy");
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.contains("'-  a.jpg") && !copied.contains("b.txt") && !copied.contains("h.jpg")
                     && !copied.contains("node_modules") && copied.startsWith(text("txtTitle") + "\r\nSub-Directories"),
                 qPrintable(copied));
        QCOMPARE(storedValue("Listing Options/Skip"), "node_modules; .*");
        answer([](QWidget *dialog) {
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            QTest::mouseClick(buttons->button(QDialogButtonBox::RestoreDefaults), Qt::LeftButton);
            QVERIFY(dialog->findChild<QLineEdit *>("txtSkip")->text().isEmpty());
            QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        });
        click("cmdMore");
        click("cmdCopy");
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    void exitAtStartLoadsNothing()
    {
        QVERIFY(!openWindow(1));
        QVERIFY(!m_window->isVisible() && control<QComboBox>("cboLevel")->count() == 0 && text("lblPath").isEmpty());
    }

    // Settings turned against the program: the command happens, one message tells, an unreadable file is kept.
    void unusableSettingsNeverStopACopy_data()
    {
        QTest::addColumn<QString>("broken"); // the key whose value is stored, or how the file is broken
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("first"); // the first command; a copy follows
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("row"); // the folder's row as listed
        const QString sub = QStringLiteral("'+ sub\t"), copy = QStringLiteral("cmdCopy");
        QTest::newRow("check state 7: its default") << "Print Files" << "7" << copy << "\"Print Files\" held \"7\""
                                                    << sub;
        QTest::newRow("a 100,000-character mark: its first 1,000")
            << "Directory Indicator" << QString(100000, u'x') << copy
            << "held 100,000 characters; the first 1,000 are used" << QString(1000, u'x') + " sub\t";
        QTest::newRow("a 100,000-character width: its default")
            << "DirectoryColWidth" << QString(100000, u'1') << copy
            << "\"DirectoryColWidth\" held 100,000 characters, more than any option takes; \"4000\" is used" << sub;
        QTest::newRow("read-only file") << "file" << "" << copy << "will not be remembered" << sub;
        QTest::newRow("read-only folder") << "folder" << "" << copy << "will not be remembered" << sub;
        QTest::newRow("a file in place of the folder") << "in place" << "" << copy << "is not a folder" << sub;
        QTest::newRow("junk, beside an earlier copy") << "junk" << "" << copy << "It is kept as" << sub;
        QTest::newRow("junk made after the start, then Save As") << "later junk" << "" << "cmdSaveAs"
                                                                 << "It is kept as" << sub;
        QTest::newRow("a FIFO in its place, then Save As: left alone")
            << "fifo" << "" << "cmdSaveAs" << "cannot be read: it is a named pipe (FIFO), not a regular file" << sub;
        QTest::newRow("a folder in its place: left alone") << "folder in place" << "" << copy
                                                           << "cannot be read: it is a folder, not a regular" << sub;
        QTest::newRow("a symbolic-link loop in its place: left alone")
            << "loop" << "" << copy << "cannot be read: Too many levels of symbolic links" << sub;
    }
    static bool writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile out(name);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    }
    static QByteArray contents(const QString &name)
    {
        QFile in(name);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // The settings file broken as a row of unusableSettingsNeverStopACopy says, before the window starts.
    static bool breakSettings(const QString &broken, const QString &stored, const QByteArray &junk)
    {
        const QString file = settingsFileName();
        const QByteArray path = QFile::encodeName(file);
        const QString folder = QFileInfo(file).path();
        if (!(broken == u"in place" ? writeFile(folder, "a file") : QDir().mkpath(folder)))
            return false;
        if (!stored.isEmpty())
            QSettings(file, QSettings::NativeFormat).setValue("Settings/" + broken, stored);
        if (broken == u"junk")
            return writeFile(file + ".bad", "earlier") && writeFile(file, junk);
        if (broken == u"file")
            return writeFile(file, "[Settings]\n") && QFile::setPermissions(file, QFile::ReadOwner);
        if (broken == u"folder")
            return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (broken == u"fifo")
            return ::mkfifo(path, 0600) == 0;
        if (broken == u"folder in place")
            return ::mkdir(path, 0700) == 0;
        return broken != u"loop" || ::symlink("Foliotrace.conf", path) == 0;
    }
    // What a command listed: the file Save As wrote, or the clipboard's text.
    QString listedBy(const QString &command)
    {
        if (command != u"cmdSaveAs") {
            click(command);
            const QString listed = QGuiApplication::clipboard()->text();
            QGuiApplication::clipboard()->setText(Sentinel);
            return listed;
        }
        QStringList opened;
        answerSaveAs(QStringLiteral("Tab-separated text (*.tsv)"), m_root->path(), &opened);
        click(command);
        return QString::fromUtf8(contents(m_root->filePath(QFileInfo(m_root->path()).fileName() + ".tsv")));
    }

    void unusableSettingsNeverStopACopy()
    {
        QFETCH(QString, broken);
        QFETCH(QString, stored);
        QFETCH(QString, first);
        QFETCH(QString, told);
        QFETCH(QString, row);
        const QString file = settingsFileName();
        const QByteArray path = QFile::encodeName(file);
        const QString folder = QFileInfo(file).path();
        const QByteArray junk("[Settings\nPrint%20Files=0\n\xff");
        QVERIFY(make(m_root->filePath(QStringLiteral("sub")), -1) && QDir(folder).removeRecursively());
        const auto restore = qScopeGuard([folder] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::remove(folder);
            QDir(folder).removeRecursively();
        });
        QVERIFY(breakSettings(broken, stored, junk));
        struct stat before = {};
        const bool other = ::lstat(path, &before) == 0 && !S_ISREG(before.st_mode);
        const ReadLikeAUser user;
        QVERIFY(openWindow());
        QCOMPARE(control<QAbstractButton>("chkFiles")->isChecked(), broken != u"junk");
        QVERIFY(broken != u"later junk" || writeFile(file, junk));
        QCoreApplication::processEvents(); // the load's message, if it has one
        QString shown = message();
        for (const QString &command : {first, QStringLiteral("cmdCopy")}) {
            const QString listed = listedBy(command);
            QVERIFY2(listed.contains("\r\n" + row) && !listed.contains(u'x' + row), qPrintable(listed.left(200)));
            // One message, at the load or at the first command; none after.
            const QString now = shown.isEmpty() ? awaitMessage() : message();
            QVERIFY2(shown.isEmpty() || now.isEmpty(), qPrintable(now));
            shown += now;
        }
        QVERIFY2(shown.contains(told) && (!stored.isEmpty() || shown.contains(file)), qPrintable(shown));
        if (broken.endsWith(u"junk")) {
            QCOMPARE(contents(file + ".bad") + contents(file + ".bad.2"), (broken == u"junk" ? "earlier" : "") + junk);
            // What could be read of it was used, and is stored afresh.
            QCOMPARE(storedValue("Print Files"), broken == u"junk" ? "0" : "1");
        }
        if (other) { // not a file: never read, written over nor moved
            struct stat after = {};
            QVERIFY(::lstat(path, &after) == 0 && after.st_ino == before.st_ino && after.st_mode == before.st_mode);
            QVERIFY(!QFileInfo::exists(file + ".bad"));
        }
    }

    void optionsStoredOnlyByPreviewAndCopy_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Print Preview stores") << "cmdPrint";
        QTest::newRow("Print prints and stores nothing") << "Print";
    }
    void optionsStoredOnlyByPreviewAndCopy()
    {
        QFETCH(QString, command);
        QVERIFY(openWindow());
        click("cmdPrint");
        verifyState(true);
        if (command != u"Print")
            click("cmdHide");
        click("chkSize");
        control<QComboBox>("cboLevel")->setEditText(QStringLiteral("7"));
        control<QComboBox>("cboGrid")->setEditText(QStringLiteral("rows")); // no item: position -1
        control<QLineEdit>("txtDirI")->clear();
        click(command == u"Print" ? QStringLiteral("cmdPrint") : command);
        QVERIFY(message().isEmpty());
        verifyState(command == u"cmdPrint");
        const QStringList now{storedValue("Print Size"), storedValue("Directory Levels"), storedValue("Grid Lines"),
                              storedValue("Directory Indicator")};
        QCOMPARE(now, command == u"Print" ? QStringList({"1", "1", "0", "+"}) : QStringList({"0", "7", "-1", ""}));
    }

    // Neither Print Preview nor Print freezes on a print server that never answers; Print names it.
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
        // Page Setup asks it no longer than the preview does, and offers the common sizes.
        int sizes = 0;
        answerModal<QPageSetupDialog>([&sizes](QPageSetupDialog *dialog) {
            sizes = dialog->findChild<QComboBox *>(QStringLiteral("pageSizeCombo"))->count();
            dialog->reject();
        });
        clock.restart();
        click("cmdPageSetup");
        QVERIFY2(clock.elapsed() < 5000 && sizes > 20, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
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
        QTest::addColumn<bool>("fit");     // its remedy taken: the columns fitted to the page width
        const QString remedy = QStringLiteral("Narrower widths bring them onto the page, as does fitting the columns "
                                              "to the page width.");
        QTest::newRow("1e400: the others beyond the edge")
            << "txtDirCol" << "1e400"
            << "Sub-Directories 10000000000\u2026, Size (KB) 1000, Date 1000 twips, where there is room for 9,360 "
               "between the margins. Cut at the paper's edge: Sub-Directories. Beyond it, and not shown: Size (KB), "
               "Date. " + remedy << false;
        QTest::newRow("99999999 for the date")
            << "txtDateCol" << "99999999" << "Cut at the paper's edge: Date. " + remedy << false;
        QTest::newRow("a half past the largest whole number: the widest, not wrapped round to 0")
            << "txtDateCol" << "9223372036854775807.5" << "Cut at the paper's edge: Date. " + remedy << false;
        QTest::newRow("fitted to the page width, from the message") << "txtDirCol" << "20000" << remedy << true;
    }
    void widthsPastThePaperAreTold()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, told);
        QFETCH(bool, fit);
        QVERIFY(openWindow());
        control<QLineEdit>(box)->setText(typed);
        click("cmdPrint");
        verifyState(true);
        if (fit) {
            QMessageBox *shown = nullptr;
            QTRY_VERIFY((shown = m_window->findChild<QMessageBox *>()) && shown->isVisible());
            QVERIFY2(shown->text().endsWith(told), qPrintable(shown->text()));
            shown->findChild<QPushButton *>(QStringLiteral("fitWidth"))->click();
            const auto fitted = [this] {   // the document laid out again, a new one
                const PreviewDocument &document = m_window->previewSurface()->document();
                return qAbs(document.tablesReach() - document.contentWidth()) < 1;
            };
            QTRY_VERIFY(fitted());
            QCOMPARE(storedValue("Fit Width", "Page Setup"), "1");
        }
        const QString shown = message();
        QVERIFY2(fit ? shown.isEmpty() : shown.endsWith(told), qPrintable(shown));
    }

    // Print goes at once, but asks first before more than 100 pages; Print… (Ctrl+P, in either state) sends the
    // dialog's copies and pages. The private scheduler keeps each job's options.
    void printing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("files");       // each about a page long, its name wrapped in a narrow column
        QTest::addColumn<QString>("answer");  // to the question; Print…: copies, first and last page
        QTest::addColumn<QString>("options"); // the job's; none: nothing was printed
        QTest::newRow("Print, a few pages: no question") << "Print" << 3 << "" << "copies=1";
        QTest::newRow("Print, over 100 pages: No prints nothing") << "Print" << 110 << "No" << "";
        QTest::newRow("Print, over 100 pages: Yes prints them") << "Print" << 110 << "Yes" << "copies=1";
        QTest::newRow("Ctrl+P from the options: 2 copies of pages 2 to 3")
            << "Ctrl+P" << 3 << "2 2 3" << "copies=2 page-ranges=2-3";
    }
    void printing()
    {
        QFETCH(QString, command);
        QFETCH(int, files);
        QFETCH(QString, answer);
        QFETCH(QString, options);
        const QString top = m_root->filePath(QStringLiteral("top"));
        QVERIFY(make(top, -1));
        for (int i = 0; i < files; ++i)
            QVERIFY(make(top + QStringLiteral("/%1 ").arg(i, 3, 10, QChar(u'0')) + QString(150, u'x')));
        QDir jobs(qEnvironmentVariable("FOLIOTRACE_TEST_PRINT_DIR"));
        for (const QString &job : jobs.entryList({QStringLiteral("job-*")}))
            jobs.remove(job);
        QVERIFY(openWindow());
        openFolder(QStringLiteral("top"));
        control<QLineEdit>("txtDirCol")->setText(QStringLiteral("300"));
        QString asked;
        if (command == u"Print") {
            click("cmdPrint");
            if (!answer.isEmpty()) {
                answerModal<QMessageBox>([&](QMessageBox *box) {
                    asked = box->text();
                    box->button(answer == u"Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
                });
            }
            click("cmdPrint");
        } else {
            const QStringList numbers = answer.split(u' ');
            answerModal<QPrintDialog>([&](QPrintDialog *dialog) {
                dialog->findChild<QSpinBox *>(QStringLiteral("copies"))->setValue(numbers[0].toInt());
                dialog->findChild<QRadioButton *>(QStringLiteral("printRange"))->click();
                dialog->findChild<QSpinBox *>(QStringLiteral("from"))->setValue(numbers[1].toInt());
                dialog->findChild<QSpinBox *>(QStringLiteral("to"))->setValue(numbers[2].toInt());
                dialog->accept();
            });
            QTest::keyClick(m_window.get(), Qt::Key_P, Qt::ControlModifier);
        }
        QVERIFY2(asked.isEmpty() == (command != u"Print" || answer.isEmpty())
                     && (asked.isEmpty() || QRegularExpression("^Print 1\\d\\d pages on foliotrace-test\\?$").match(asked).hasMatch()),
                 qPrintable(asked));
        verifyState(options.isEmpty());
        if (!options.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(jobs.entryList({QStringLiteral("job-*.pdf")}).size(), 1, 30000);
            const QString sent = QString::fromUtf8(contents(jobs.filePath(jobs.entryList({"job-*.options"}).value(0))));
            for (const QString &option : options.split(u' '))
                QVERIFY2(sent.split(u' ').contains(option), qPrintable(sent));
        }
        QCOMPARE(jobs.entryList({QStringLiteral("job-*.pdf")}).isEmpty(), options.isEmpty());
        QVERIFY(message().isEmpty());
    }

    // Page Setup… lays the document out again at once (across the paper, fitted, its text larger) and stores
    // the choice; the paper stays the printer's.
    void pageSetupLaysOutAgain()
    {
        QVERIFY(openWindow());
        click("cmdPrint");
        answerModal<QPageSetupDialog>([](QPageSetupDialog *dialog) {
            dialog->findChild<QRadioButton *>(QStringLiteral("landscape"))->click();
            dialog->findChild<QCheckBox *>(QStringLiteral("fitWidth"))->click();
            dialog->findChild<QSpinBox *>(QStringLiteral("textSize"))->setValue(120);
            dialog->accept();
        });
        click("cmdPageSetup");
        const PreviewDocument &document = m_window->previewSurface()->document();
        QVERIFY(document.pageSizeTwips().width() > document.pageSizeTwips().height());
        QVERIFY(qAbs(document.tablesReach() - document.contentWidth()) < 1);
        QStringList stored;
        for (const char *key : {"Paper", "Orientation", "Fit Width", "Text Size"})
            stored << storedValue(QString::fromLatin1(key), QStringLiteral("Page Setup"));
        QCOMPARE(stored, QStringList({"Default", "Landscape", "1", "120"}));
        verifyState(true);
        QVERIFY(message().isEmpty());
    }

    void workedExampleCopiedAndPreviewed()
    {
        // Folders stamped last: writing into one stamps it anew.
        const QString example = m_root->filePath(QStringLiteral("example"));
        QVERIFY(make(example + "/Docs/Old", -1) && make(example + "/notes.txt", 1536, QDate(2001, 3, 7))
                && make(example + "/Docs/report.doc", 10240, QDate(2001, 2, 5))
                && make(example + "/Docs/Old/x.txt", 2048, QDate(2000, 12, 1))
                && make(example + "/Docs/Old", -1, QDate(2000, 12, 1))
                && make(example + "/Docs", -1, QDate(2001, 1, 2)));
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
        QVERIFY(m_window->listing().ListBody.contains(QStringLiteral(";+ Docs|12|1/2/2001;")));
    }

    // An unreadable folder is listed with "?", the command goes through, and one message then says so.
    void unreadFolderIsListedAndTold_data()
    {
        QTest::addColumn<QString>("command"); // Ctrl+S: Save As from the Preview state
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("Copy") << "cmdCopy" << "" << QByteArray();
        QTest::newRow("Save As, CSV") << "cmdSaveAs" << "CSV table (*.csv)" << QByteArray("Level,Kind,Name");
        QTest::newRow("Ctrl+S in the preview, PDF") << "Ctrl+S" << "PDF document (*.pdf)" << QByteArray("%PDF-");
    }
    void unreadFolderIsListedAndTold()
    {
        QFETCH(QString, command);
        QFETCH(QString, type);
        QFETCH(QByteArray, starts);
        const QString top = m_root->filePath(QStringLiteral("top")), out = m_root->filePath(QStringLiteral("out"));
        const QString locked = top + "/locked";
        QVERIFY(make(locked, -1) && make(top + "/open", -1) && make(top + "/open/a.txt", 2048) && make(out, -1));
        QVERIFY(QFile::setPermissions(locked, {}));
        const auto restore = qScopeGuard([locked] { QFile::setPermissions(locked, QFile::ReadUser | QFile::ExeUser); });
        const ReadLikeAUser user;
        QVERIFY(openWindow());
        openFolder(QStringLiteral("top"));
        const bool preview = command == u"Ctrl+S";
        if (preview) {
            click("cmdPrint");
            QVERIFY(!awaitMessage().isEmpty()); // what the preview could not read
        }
        const QString page = text("lblPrnt");
        QStringList opened;
        if (type.isEmpty()) {
            click(command);
            const QString copied = QGuiApplication::clipboard()->text();
            QVERIFY2(copied.contains("'+ locked\t?\t") && copied.contains("'+ open\t2\t"), qPrintable(copied));
            QVERIFY(copied.endsWith("\r\n\r\n" + locked + ": Permission denied\r\n"));
        } else {
            click("chkSize");
            answerSaveAs(type, out, &opened);
            preview ? QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier) : click(command);
            // Named after the folder, with the extension of the type chosen.
            QFile saved(out + "/top." + type.section(u'.', 1, 1).chopped(1));
            QVERIFY2(saved.open(QIODevice::ReadOnly) && saved.readAll().startsWith(starts), qPrintable(out));
            QCOMPARE(opened.value(0), QDir::homePath()); // nothing remembered yet
            QCOMPARE(storedValue("Print Size"), "0");
        }
        const QString told = awaitMessage();
        QVERIFY2(told.startsWith("One entry could not be read") && told.contains("\"+\"") && told.contains("\"?\"")
                     && told.endsWith(locked + ": Permission denied"),
                 qPrintable(told));
        verifyState(preview);
        QCOMPARE(text("lblPrnt"), page); // the preview keeps its document
        if (!type.isEmpty()) { // the next Save As opens where this one saved, on its type
            answerSaveAs(QString(), QString(), &opened);
            click("cmdSaveAs");
            QCOMPARE(opened, QStringList({out, type}));
        }
    }

    // The Preview state's keys over a listing of 300 folders on several pages; -1 stands for the last page.
    void previewKeys_data()
    {
        QTest::addColumn<QList<int>>("keys"); // Ctrl+G answers 3; 0 clicks ">"; a letter is typed
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("label");
        QTest::newRow("End, then Home") << QList<int>{Qt::Key_End, Qt::Key_Home} << 1 << "Page 1 of %1";
        QTest::newRow("Ctrl+End: the last page") << QList<int>{(Qt::CTRL | Qt::Key_End).toCombined()} << -1 << "Page %1 of %1";
        QTest::newRow("Ctrl+G asks for a page") << QList<int>{(Qt::CTRL | Qt::Key_G).toCombined()} << 3 << "Page 3 of %1";
        QTest::newRow("Ctrl+F, then typing finds a name")
            << QList<int>{(Qt::CTRL | Qt::Key_F).toCombined(), Qt::Key_2, Qt::Key_9, Qt::Key_9} << -1 << "Page %1 of %1";
        QTest::newRow("Escape hides the preview; > then turns no page")
            << QList<int>{Qt::Key_End, Qt::Key_Escape, 0} << -1 << "Page:";
    }
    void previewKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, page);
        QFETCH(QString, label);
        for (int i = 0; i < 300; ++i)
            QVERIFY(make(m_root->filePath(QStringLiteral("top/folder %1").arg(i, 3, 10, QChar(u'0'))), -1));
        QVERIFY(openWindow());
        openFolder(QStringLiteral("top"));
        click("cmdPrint");
        const PreviewSurface *surface = m_window->previewSurface();
        const int total = surface->pageTotal();
        QVERIFY(total > 3);
        for (int key : keys) {
            if (key == (Qt::CTRL | Qt::Key_G).toCombined()) {
                QTimer::singleShot(0, m_window.get(), [] {
                    auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
                    QVERIFY(dialog);
                    dialog->setIntValue(3);
                    dialog->accept();
                });
            }
            if (key == 0)
                click("cmdNextPage");
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                                Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        }
        QCOMPARE(surface->shownPage(), page < 0 ? total : page);
        QCOMPARE(text("lblPrnt"), label.arg(total));
        verifyState(label != u"Page:");
    }

    // Browse…, a typed path (Ctrl+L), a dropped folder: each a selection as if picked in the list.
    void quickWaysToAFolder_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("input");    // under the test folder
        QTest::addColumn<QByteArray>("selected"); // under the test folder; empty: stays
        QTest::addColumn<QString>("problem");     // the line under the typed path
        QTest::newRow("Browse…") << "browse" << QByteArray("/top/sub") << QByteArray("/top/sub") << "";
        QTest::newRow("typed") << "typed" << QByteArray("/top/sub/") << QByteArray("/top/sub") << "";
        QTest::newRow("typed, missing") << "typed" << QByteArray("/nope") << QByteArray() << "\"%1/nope\" does not exist.";
        QTest::newRow("typed, a file") << "typed" << QByteArray("/top/a.txt") << QByteArray()
                                       << "\"%1/top/a.txt\" is a file, not a folder.";
        QTest::newRow("typed as shown, a name that is no UTF-8") << "typed" << QByteArray("/top/odd-\xff")
                                                                  << QByteArray("/top/odd-\xff") << "";
        QTest::newRow("typed, then Escape") << "escape" << QByteArray("/top/sub") << QByteArray() << "";
        QTest::newRow("dropped from a file manager") << "drop" << QByteArray("/top/odd-\xff")
                                                      << QByteArray("/top/odd-\xff") << "";
    }
    void quickWaysToAFolder()
    {
        QFETCH(QString, how);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, selected);
        QFETCH(QString, problem);
        const QByteArray root = QFile::encodeName(QDir(m_root->path()).canonicalPath());
        QVERIFY(make(m_root->filePath("top/sub"), -1) && make(m_root->filePath("top/a.txt")));
        QVERIFY(::mkdir(root + "/top/odd-\xff", 0755) == 0);
        const auto remove = qScopeGuard([root] { ::rmdir(root + "/top/odd-\xff"); });
        QVERIFY(openWindow());
        const QString before = text("lblPath");
        const QString shown = QFile::decodeName(root + input);
        if (how == u"browse") {
            QTimer::singleShot(0, m_window.get(), [shown] { // the dialog chooses where it stands
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                dialog->setDirectory(shown);
                QTest::keyClick(dialog, Qt::Key_Return);
            });
            click("cmdBrowse");
        } else if (how == u"drop") {
            QMimeData data;
            data.setData("text/uri-list", "file://" + QByteArray(root + input).toPercentEncoding("/") + "\r\n");
            // Over a text box, which takes it as a folder too.
            QDragEnterEvent enter(QPoint(20, 5), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(control("txtTitle"), &enter);
            QDropEvent drop(QPointF(20, 5), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(control("txtTitle"), &drop);
        } else {
            QTest::keyClick(m_window.get(), Qt::Key_L, Qt::ControlModifier);
            QLineEdit *field = m_window->folderChoice()->pathField()->field();
            QVERIFY(field->hasFocus() && field->selectedText() == before);
            QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, shown); // as pasted: beyond ASCII too
            QApplication::sendEvent(field, &typed);
            QTest::keyClick(field, how == u"escape" ? Qt::Key_Escape : Qt::Key_Return);
        }
        QCOMPARE(text("lblPath"), selected.isEmpty() ? before : QFile::decodeName(root + selected));
        QCOMPARE(control<FolderList>("Dir1")->nativePath(), selected.isEmpty() ? QFile::encodeName(before) : root + selected);
        const QLabel *line = m_window->folderChoice()->pathField()->problemLine();
        QCOMPARE(line->isVisible() ? line->text() : QString(), problem.arg(QFile::decodeName(root)));
        QVERIFY(message().isEmpty());
    }

    // The last ten selections follow the volumes in the drive list, and come back in the next run.
    void recentFolders()
    {
        QVERIFY(openWindow());
        const QByteArray root = QFile::encodeName(QDir(m_root->path()).canonicalPath());
        for (int i = 0; i < 12; ++i) {
            QVERIFY(make(m_root->filePath(QStringLiteral("f%1").arg(i)), -1));
            QVERIFY(m_window->folderChoice()->select(root + "/f" + QByteArray::number(i)));
        }
        QList<QByteArray> newest;
        for (int i = 11; i >= 2; --i)
            newest << root + "/f" + QByteArray::number(i);
        QTRY_COMPARE(control<DriveList>("Drive1")->recentFolders(), newest);
        m_window.reset();
        QVERIFY(openWindow());
        auto *drives = control<DriveList>("Drive1");
        QCOMPARE(drives->recentFolders(), newest);
        QCOMPARE(drives->itemText(drives->count() - 1), QFile::decodeName(newest.last()));
        drives->setCurrentIndex(drives->count() - 1); // picked: the folder opens
        QCOMPARE(control<FolderList>("Dir1")->nativePath(), newest.last());
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
        if (during == u"rmdir")
            QVERIFY(QDir(top).removeRecursively());
        BuildSession *session = m_window->buildSession();
        session->setYieldInterval(0);
        session->setProgressDelay(0);
        bool sawBuilding = during == u"rmdir";
        // Cancelled once the strip tells that every row is listed and the pages are being laid out.
        connect(session, &BuildSession::progress, m_window.get(), [&] {
            if (during == u"layoutCancel" && text("buildProgressText") == u"300 entries listed. Laying out pages")
                click("buildCancel");
        });
        QTimer::singleShot(0, m_window.get(), [&] {
            const QCursor *pointer = QGuiApplication::overrideCursor();
            sawBuilding = session->isRunning() && !control("cmdPrint")->isEnabled()
                          && !control("cmdCopy")->isEnabled() && control("buildProgress")->isVisible()
                          && pointer && pointer->shape() == Qt::WaitCursor;
            if (during == u"Escape")
                QTest::keyClick(m_window.get(), Qt::Key_Escape);
            else if (during == u"buildCancel")
                click(during);
            // A click that reached the handler before the button went off.
            else if (during == u"cmdCopy")
                m_window->cmdCopy_Click();
            else if (during == u"cmdPrint")
                m_window->cmdPrint_Click();
        });
        click(running);

        QVERIFY(sawBuilding);
        QVERIFY(!session->isRunning() && !control("buildProgress")->isVisible());
        const QString shown = message(); // a failure is told, a cancel is not
        QVERIFY(during == u"rmdir" ? shown.contains(top) : shown.isEmpty());
        const bool previewed = running == u"cmdPrint" && !stopped;
        verifyState(previewed);
        QCOMPARE(text("lblPrnt") == u"Page:", !previewed); // no page while the preview is hidden
        const bool copied = running == u"cmdCopy" && !stopped;
        QCOMPARE(QGuiApplication::clipboard()->text().contains("'+ folder 299\t"), copied);
        QCOMPARE(QGuiApplication::clipboard()->text() == Sentinel, !copied);
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
