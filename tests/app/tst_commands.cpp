// The main window's commands as a user meets them: clicks and keys in, and
// what the window, clipboard, stored options and printer queue show.

#include "app/PrintTitle.h"
#include "print/PreviewSurface.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString Sentinel = QStringLiteral("clipboard before the command");

// Stamps a file or folder with a last-modified time at local noon, so the
// listed date is the same whatever the time zone.
bool setModified(const QString &path, QDate date)
{
    const qint64 seconds = QDateTime(date, QTime(12, 0)).toSecsSinceEpoch();
    const timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

bool writeFile(const QString &path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'x')) == size;
}

QString storedValue(const QString &key)
{
    QSettings store(settingsFileName(), QSettings::NativeFormat);
    return store.value(QStringLiteral("Settings/") + key).toString();
}

QString output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Compositions of a preview: the surface raises its event for the heading
// row (row 0) once per table it lays out.
int compositions(const QSignalSpy &tableText)
{
    int tables = 0;
    for (const QList<QVariant> &arguments : tableText) {
        if (arguments.at(0).toInt() == 0)
            ++tables;
    }
    return tables;
}

} // namespace

class TestCommands : public QObject, public WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstRunDefaults();
    void unusableStoredValueReportedOnce_data();
    void unusableStoredValueReportedOnce();
    void optionsStoredOnlyByPreviewAndCopy_data();
    void optionsStoredOnlyByPreviewAndCopy();
    void previewPagesThroughDocument();
    void printSendsOneJobAndReturnsToOptions();
    void copyPutsWorkedExampleOnClipboard();
    void copyKeepsEachNameInOneCell_data();
    void copyKeepsEachNameInOneCell();
    void vanishedFolderIsReported_data();
    void vanishedFolderIsReported();
    void secondBuildRequestStartsNothing_data();
    void secondBuildRequestStartsNothing();
    void escapeCancelsBuild_data();
    void escapeCancelsBuild();
    // Last: "Exit" leaves the application's event loops for good.
    void exitStoresNothing();

private:
    QString pageLabel() const { return control<QLabel>("lblPrnt")->text(); }
    void openFolder(const QString &name);
    void typeText(QLineEdit *edit, const QString &text);
    void chooseDepth(const QString &depth);
    void makeEntries(const QString &prefix, int count, bool folders = false);
    void verifyState(bool preview);

    QDir m_jobs;
};

void TestCommands::initTestCase()
{
    VERIFY_STEP(setUpCase());
    // Sizes and dates as a US English user sees them.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_jobs.setPath(qEnvironmentVariable("FOLIOTRACE_TEST_PRINT_DIR"));
}

void TestCommands::init()
{
    VERIFY_STEP(setUp());
    QGuiApplication::clipboard()->setText(Sentinel);
}

void TestCommands::cleanup()
{
    tearDown();
}

void TestCommands::openFolder(const QString &name)
{
    VERIFY_STEP(enterFolder(name));
    QVERIFY2(control<QLabel>("lblPath")->text().endsWith(u'/' + name),
             qPrintable(control<QLabel>("lblPath")->text()));
}

void TestCommands::typeText(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void TestCommands::chooseDepth(const QString &depth)
{
    auto *level = control<QComboBox>("cboLevel");
    VERIFY_STEP(typeText(level->lineEdit(), depth));
    QTest::keyClick(level->lineEdit(), Qt::Key_Return);
    QCOMPARE(level->currentText(), depth);
}

void TestCommands::makeEntries(const QString &prefix, int count, bool folders)
{
    QDir dir(m_root->path());
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1 %2").arg(prefix).arg(i, 3, 10, QLatin1Char('0'));
        QVERIFY(folders ? dir.mkdir(name) : writeFile(dir.filePath(name + QStringLiteral(".txt")), 100));
    }
}

// Options state: "Print Preview" caption, no preview, both build commands
// on. Preview state: "Print" caption, the preview and its hide button shown.
void TestCommands::verifyState(bool preview)
{
    QCOMPARE(button("cmdPrint")->text(), preview ? QStringLiteral("Print") : QStringLiteral("Print Preview"));
    QCOMPARE(button("cmdHide")->isVisible(), preview);
    QCOMPARE(control("vsp1")->isVisible(), preview);
    QVERIFY(button("cmdPrint")->isEnabled() && button("cmdCopy")->isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestCommands::firstRunDefaults()
{
    VERIFY_STEP(openWindow());
    for (const char *box : {"chkFiles", "chkSize", "chkDate"})
        QVERIFY2(control<QCheckBox>(box)->isChecked(), box);
    auto *level = control<QComboBox>("cboLevel");
    auto *grid = control<QComboBox>("cboGrid");
    const QStringList shown{level->currentText(), grid->currentText(),
                            control<QLineEdit>("txtDirI")->text(), control<QLineEdit>("txtFileI")->text(),
                            control<QLineEdit>("txtDirCol")->text(), control<QLineEdit>("txtSizeCol")->text(),
                            control<QLineEdit>("txtDateCol")->text()};
    QCOMPARE(shown, (QStringList{"1", "None", "+", "-", "4000", "1000", "1000"}));
    QCOMPARE(level->count(), 5);
    QCOMPARE(level->itemText(4), QStringLiteral("5"));
    QCOMPARE(grid->count(), 4);
    QCOMPARE(grid->itemText(2), QStringLiteral("Top & Bottom"));

    const QString start = QDir(m_root->path()).canonicalPath();
    QCOMPARE(control<QLabel>("lblPath")->text(), start);
    QCOMPARE(control<QLineEdit>("txtTitle")->text(), printTitle(start, QDate::currentDate()));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Foliotrace"));
    QCOMPARE(control<QLabel>("lblPath")->palette().color(QPalette::Window), QColor(255, 255, 192));
    VERIFY_STEP(verifyState(false));
    QCOMPARE(pageLabel(), QStringLiteral("Page:"));
    // Nothing stored, nothing to report.
    QTest::qWait(20);
    QVERIFY(!shownMessage());
}

void TestCommands::unusableStoredValueReportedOnce_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");

    QTest::newRow("Print Files 7") << "Print Files" << "7" << "chkFiles" << "ticked";
    QTest::newRow("Grid Lines past the list") << "Grid Lines" << "4" << "cboGrid" << "None";
}

void TestCommands::unusableStoredValueReportedOnce()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, name);
    QFETCH(QString, shown);

    {
        QSettings store(settingsFileName(), QSettings::NativeFormat);
        store.setValue(QStringLiteral("Settings/Print Size"), QStringLiteral("0"));
        store.setValue(QStringLiteral("Settings/") + key, stored);
    }
    VERIFY_STEP(openWindow(false));
    // Not before the window is there to show it over.
    QTest::qWait(20);
    QVERIFY(!shownMessage());

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_COMPARE(m_window->findChildren<QMessageBox *>().size(), 1);
    const QString text = dismissMessage();
    QVERIFY2(text.contains(key) && text.contains(stored), qPrintable(text));

    // The default stands in for the value; the good values around it load.
    QWidget *widget = control(qPrintable(name));
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        QCOMPARE(box->checkState() == Qt::Checked ? QStringLiteral("ticked") : QStringLiteral("not ticked"), shown);
    else
        QCOMPARE(qobject_cast<QComboBox *>(widget)->currentText(), shown);
    QVERIFY(!control<QCheckBox>("chkSize")->isChecked());

    // Once: hiding and showing the window again brings no second report.
    m_window->hide();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::qWait(50);
    QVERIFY(!shownMessage());
}

void TestCommands::optionsStoredOnlyByPreviewAndCopy_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("stores");

    QTest::newRow("Print Preview stores") << "Print Preview" << true;
    QTest::newRow("Copy stores") << "Copy" << true;
    QTest::newRow("Print stores nothing") << "Print" << false;
    QTest::newRow("close box stores nothing") << "close box" << false;
}

void TestCommands::optionsStoredOnlyByPreviewAndCopy()
{
    QFETCH(QString, command);
    QFETCH(bool, stores);

    VERIFY_STEP(openWindow());
    // A first preview stores the options as they start.
    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    VERIFY_STEP(verifyState(true));
    QCOMPARE(storedValue(QStringLiteral("Print Size")), QStringLiteral("1"));
    if (command != QLatin1String("Print"))
        QTest::mouseClick(button("cmdHide"), Qt::LeftButton);

    // The user changes three options.
    auto *size = control<QCheckBox>("chkSize");
    QTest::mouseClick(size, Qt::LeftButton);
    QVERIFY(!size->isChecked());
    VERIFY_STEP(chooseDepth(QStringLiteral("3")));
    VERIFY_STEP(typeText(control<QLineEdit>("txtDirI"), QStringLiteral("[D]")));

    if (command == QLatin1String("Print Preview") || command == QLatin1String("Print"))
        QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    else if (command == QLatin1String("Copy"))
        QTest::mouseClick(button("cmdCopy"), Qt::LeftButton);
    else
        QVERIFY(m_window->close());
    QVERIFY(!shownMessage());

    QCOMPARE(storedValue(QStringLiteral("Print Size")), stores ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(storedValue(QStringLiteral("Directory Levels")), stores ? QStringLiteral("3") : QStringLiteral("1"));
    QCOMPARE(storedValue(QStringLiteral("Directory Indicator")), stores ? QStringLiteral("[D]") : QStringLiteral("+"));
}

void TestCommands::previewPagesThroughDocument()
{
    VERIFY_STEP(makeEntries(QStringLiteral("entry"), 300));
    VERIFY_STEP(openWindow());
    auto *surface = m_window->previewSurface();

    // Before any document the paging buttons leave the label alone.
    QTest::mouseClick(button("cmdNextPage"), Qt::LeftButton);
    QCOMPARE(pageLabel(), QStringLiteral("Page:"));

    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    VERIFY_STEP(verifyState(true));
    const int total = surface->PageTotal();
    QVERIFY2(total >= 3, qPrintable(QString::number(total)));
    QCOMPARE(pageLabel(), QStringLiteral("Page 1 of %1").arg(total));

    QTest::mouseClick(button("cmdPrevPage"), Qt::LeftButton);
    QCOMPARE(pageLabel(), QStringLiteral("Page 1 of %1").arg(total));

    for (int page = 2; page <= total; ++page) {
        QTest::mouseClick(button("cmdNextPage"), Qt::LeftButton);
        QCOMPARE(pageLabel(), QStringLiteral("Page %1 of %2").arg(page).arg(total));
        QCOMPARE(surface->ShownPage(), page);
    }
    QTest::mouseClick(button("cmdNextPage"), Qt::LeftButton);
    QCOMPARE(surface->ShownPage(), total);

    // Hiding keeps the label; paging the hidden document moves it.
    QTest::mouseClick(button("cmdHide"), Qt::LeftButton);
    VERIFY_STEP(verifyState(false));
    QCOMPARE(pageLabel(), QStringLiteral("Page %1 of %1").arg(total));
    QTest::mouseClick(button("cmdPrevPage"), Qt::LeftButton);
    QCOMPARE(pageLabel(), QStringLiteral("Page %1 of %2").arg(total - 1).arg(total));
    QVERIFY(!control("vsp1")->isVisible());

    // More entries, previewed again: a new document, counted anew.
    VERIFY_STEP(makeEntries(QStringLiteral("more"), 300));
    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    VERIFY_STEP(verifyState(true));
    const int newTotal = surface->PageTotal();
    QVERIFY2(newTotal > total, qPrintable(QStringLiteral("%1 then %2").arg(total).arg(newTotal)));
    QCOMPARE(pageLabel(), QStringLiteral("Page 1 of %1").arg(newTotal));
    QCOMPARE(surface->ShownPage(), 1);
}

void TestCommands::printSendsOneJobAndReturnsToOptions()
{
    QVERIFY2(!m_jobs.path().isEmpty() && m_jobs.exists() && qEnvironmentVariableIsSet("CUPS_SERVER"),
             "run through ctest: the foliotrace_cups fixture provides the printer");
    for (const QString &job : m_jobs.entryList({QStringLiteral("job-*")}, QDir::Files))
        QVERIFY(m_jobs.remove(job));
    VERIFY_STEP(makeEntries(QStringLiteral("entry"), 250));
    VERIFY_STEP(openWindow());
    VERIFY_STEP(typeText(control<QLineEdit>("txtTitle"), QStringLiteral("Listing for the printer")));

    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    VERIFY_STEP(verifyState(true));
    const int total = m_window->previewSurface()->PageTotal();
    QVERIFY(total >= 3);
    QTest::mouseClick(button("cmdNextPage"), Qt::LeftButton);
    const QString label = pageLabel();

    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    QVERIFY(!shownMessage());
    VERIFY_STEP(verifyState(false));
    QCOMPARE(pageLabel(), label);

    const auto jobs = [this] { return m_jobs.entryList({QStringLiteral("job-*.pdf")}, QDir::Files); };
    QTRY_COMPARE_WITH_TIMEOUT(jobs().size(), 1, 30000);
    const QString job = m_jobs.filePath(jobs().constFirst());
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    QCOMPARE(pages.match(output(QStringLiteral("pdfinfo"), {job})).captured(1).toInt(), total);
    QFile title(QString(job).replace(QStringLiteral(".pdf"), QStringLiteral(".title")));
    QVERIFY(title.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(title.readAll()), QStringLiteral("Listing for the printer"));
    const QString text = output(QStringLiteral("pdftotext"), {job, QStringLiteral("-")});
    const QString upperPath = QDir(m_root->path()).canonicalPath().toUpper();
    QVERIFY2(text.contains(upperPath), qPrintable(upperPath));
    QVERIFY(text.contains(QStringLiteral("entry 249.txt")));
    // Exactly one job, also a moment later.
    QTest::qWait(500);
    QCOMPARE(jobs().size(), 1);
}

void TestCommands::copyPutsWorkedExampleOnClipboard()
{
    // notes.txt 1,536 bytes; Docs with report.doc 10,240 bytes and Old,
    // which holds x.txt of 2,048 bytes.
    const QString example = m_root->filePath(QStringLiteral("example"));
    QVERIFY(QDir().mkpath(example + QStringLiteral("/Docs/Old")));
    QVERIFY(writeFile(example + QStringLiteral("/notes.txt"), 1536));
    QVERIFY(writeFile(example + QStringLiteral("/Docs/report.doc"), 10240));
    QVERIFY(writeFile(example + QStringLiteral("/Docs/Old/x.txt"), 2048));
    QVERIFY(setModified(example + QStringLiteral("/notes.txt"), QDate(2001, 3, 7)));
    QVERIFY(setModified(example + QStringLiteral("/Docs/report.doc"), QDate(2001, 2, 5)));
    QVERIFY(setModified(example + QStringLiteral("/Docs/Old/x.txt"), QDate(2000, 12, 1)));
    // Folders last: writing into a folder stamps it anew.
    QVERIFY(setModified(example + QStringLiteral("/Docs/Old"), QDate(2000, 12, 1)));
    QVERIFY(setModified(example + QStringLiteral("/Docs"), QDate(2001, 1, 2)));

    VERIFY_STEP(openWindow());
    VERIFY_STEP(openFolder(QStringLiteral("example")));
    VERIFY_STEP(chooseDepth(QStringLiteral("2")));
    VERIFY_STEP(typeText(control<QLineEdit>("txtTitle"), QStringLiteral("Worked example")));

    QTest::mouseClick(button("cmdCopy"), Qt::LeftButton);

    QVERIFY(!shownMessage());
    const QString expected = QStringLiteral("Worked example\r\n"
                                            "Sub-Directories\tSize (KB)\tDate\r\n"
                                            "\r\n"
                                            "'-  notes.txt\t2\t3/7/2001\r\n"
                                            "'+ Docs\t12\t1/2/2001\r\n"
                                            "    '+ Old\t2\t12/1/2000\r\n"
                                            "     '-  x.txt\t2\t12/1/2000\r\n"
                                            "  '-  report.doc\t10\t2/5/2001\r\n");
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    VERIFY_STEP(verifyState(false));
    // The boxes keep the marks as typed, and a preview takes them so.
    QCOMPARE(control<QLineEdit>("txtDirI")->text(), QStringLiteral("+"));
    QCOMPARE(control<QLineEdit>("txtFileI")->text(), QStringLiteral("-"));
    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    QCOMPARE(m_window->DirIndicator, QStringLiteral("+"));
    QCOMPARE(m_window->FileIndicator, QStringLiteral("-"));
}

void TestCommands::copyKeepsEachNameInOneCell_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("line");

    QTest::newRow("tab inside quotes") << "tab\there.txt" << "-" << "\"'-  tab\there.txt\"";
    QTest::newRow("only a lone - gets the apostrophe") << "plain.txt" << "--" << "--  plain.txt";
}

void TestCommands::copyKeepsEachNameInOneCell()
{
    QFETCH(QString, name);
    QFETCH(QString, mark);
    QFETCH(QString, line);

    const QString folder = m_root->filePath(QStringLiteral("cells"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeFile(folder + u'/' + name, 10));
    VERIFY_STEP(openWindow());
    VERIFY_STEP(openFolder(QStringLiteral("cells")));
    // Names only: the first cell is the whole line.
    QTest::mouseClick(control<QCheckBox>("chkSize"), Qt::LeftButton);
    QTest::mouseClick(control<QCheckBox>("chkDate"), Qt::LeftButton);
    QVERIFY(!control<QCheckBox>("chkSize")->isChecked() && !control<QCheckBox>("chkDate")->isChecked());
    VERIFY_STEP(typeText(control<QLineEdit>("txtTitle"), QStringLiteral("Cells")));
    VERIFY_STEP(typeText(control<QLineEdit>("txtFileI"), mark));

    QTest::mouseClick(button("cmdCopy"), Qt::LeftButton);

    QVERIFY(!shownMessage());
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("Cells\r\nSub-Directories\r\n\r\n") + line + QStringLiteral("\r\n"));
}

void TestCommands::vanishedFolderIsReported_data()
{
    QTest::addColumn<QString>("command");

    QTest::newRow("Print Preview") << "Print Preview";
    QTest::newRow("Copy") << "Copy";
}

void TestCommands::vanishedFolderIsReported()
{
    QFETCH(QString, command);

    const QString doomed = m_root->filePath(QStringLiteral("doomed"));
    QVERIFY(QDir().mkpath(doomed));
    VERIFY_STEP(openWindow());
    // An earlier preview gives the page label something to keep.
    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    QTest::mouseClick(button("cmdHide"), Qt::LeftButton);
    const QString label = pageLabel();
    QCOMPARE(label, QStringLiteral("Page 1 of 1"));

    VERIFY_STEP(openFolder(QStringLiteral("doomed")));
    const QString path = control<QLabel>("lblPath")->text();
    QVERIFY(QDir(doomed).removeRecursively());
    QGuiApplication::clipboard()->setText(Sentinel);

    QAbstractButton *clicked = button(command == QLatin1String("Copy") ? "cmdCopy" : "cmdPrint");
    QTest::mouseClick(clicked, Qt::LeftButton);

    const QString text = dismissMessage();
    QVERIFY2(text.contains(path), qPrintable(text));

    VERIFY_STEP(verifyState(false));
    QCOMPARE(QGuiApplication::clipboard()->text(), Sentinel);
    QCOMPARE(pageLabel(), label);

    // Still usable: the folder back, the same command goes through.
    QVERIFY(QDir().mkpath(doomed));
    QVERIFY(writeFile(doomed + QStringLiteral("/back.txt"), 10));
    QTest::mouseClick(clicked, Qt::LeftButton);
    QVERIFY(!shownMessage());
    if (command == QLatin1String("Copy")) {
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("'-  back.txt\t")));
    } else {
        VERIFY_STEP(verifyState(true));
        QCOMPARE(pageLabel(), QStringLiteral("Page 1 of 1"));
    }
}

void TestCommands::secondBuildRequestStartsNothing_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<QString>("requested");

    QTest::newRow("Copy during a preview's build") << "Print Preview" << "Copy";
    QTest::newRow("Print Preview during a copy's build") << "Copy" << "Print Preview";
}

void TestCommands::secondBuildRequestStartsNothing()
{
    QFETCH(QString, running);
    QFETCH(QString, requested);

    VERIFY_STEP(makeEntries(QStringLiteral("folder"), 300, true));
    VERIFY_STEP(openWindow());
    m_window->buildSession()->setYieldInterval(0);
    QSignalSpy tableText(m_window->previewSurface(), &PreviewSurface::BeforeTableText);
    QAbstractButton *print = button("cmdPrint");
    QAbstractButton *copy = button("cmdCopy");
    const bool requestCopy = requested == QLatin1String("Copy");

    bool sawBuilding = false;
    bool printEnabled = true;
    bool copyEnabled = true;
    QTimer::singleShot(0, m_window.get(), [&] {
        sawBuilding = m_window->buildSession()->isRunning();
        printEnabled = print->isEnabled();
        copyEnabled = copy->isEnabled();
        QTest::mouseClick(requestCopy ? copy : print, Qt::LeftButton);
        // A click that reached the handler before the button went off.
        if (requestCopy)
            m_window->cmdCopy_Click();
        else
            m_window->cmdPrint_Click();
    });
    QTest::mouseClick(running == QLatin1String("Copy") ? copy : print, Qt::LeftButton);

    QVERIFY2(sawBuilding, "the request came after the build");
    QVERIFY(!printEnabled);
    QVERIFY(!copyEnabled);
    QTest::qWait(20);
    QVERIFY(!shownMessage());
    if (running == QLatin1String("Copy")) {
        VERIFY_STEP(verifyState(false));
        QCOMPARE(compositions(tableText), 0);
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("'+ folder 299\t")));
    } else {
        VERIFY_STEP(verifyState(true));
        QCOMPARE(compositions(tableText), 1);
        QCOMPARE(QGuiApplication::clipboard()->text(), Sentinel);
        QCOMPARE(pageLabel(), QStringLiteral("Page 1 of %1").arg(m_window->previewSurface()->PageTotal()));
    }
    QVERIFY(print->isEnabled() && copy->isEnabled());
}

void TestCommands::escapeCancelsBuild_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("pageDuringBuild");

    QTest::newRow("Copy") << "Copy" << false;
    QTest::newRow("Print Preview") << "Print Preview" << false;
    QTest::newRow("Print Preview, paged during the build") << "Print Preview" << true;
}

void TestCommands::escapeCancelsBuild()
{
    QFETCH(QString, command);
    QFETCH(bool, pageDuringBuild);

    VERIFY_STEP(makeEntries(QStringLiteral("folder"), 300, true));
    VERIFY_STEP(openWindow());
    // A finished preview first, hidden again: the cancelled build must leave
    // it as it was.
    QTest::mouseClick(button("cmdPrint"), Qt::LeftButton);
    const int total = m_window->previewSurface()->PageTotal();
    QVERIFY(total >= 2);
    QTest::mouseClick(button("cmdHide"), Qt::LeftButton);
    const QString label = pageLabel();
    QCOMPARE(label, QStringLiteral("Page 1 of %1").arg(total));
    QGuiApplication::clipboard()->setText(Sentinel);
    m_window->buildSession()->setYieldInterval(0);

    bool sawBuilding = false;
    QTimer::singleShot(0, m_window.get(), [&] {
        sawBuilding = m_window->buildSession()->isRunning();
        if (pageDuringBuild)
            QTest::mouseClick(button("cmdNextPage"), Qt::LeftButton);
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
    });
    QTest::mouseClick(button(command == QLatin1String("Copy") ? "cmdCopy" : "cmdPrint"), Qt::LeftButton);

    QVERIFY2(sawBuilding, "Escape came after the build");
    QVERIFY(!m_window->buildSession()->isRunning());
    QTest::qWait(20);
    QVERIFY(!shownMessage());
    VERIFY_STEP(verifyState(false));
    QCOMPARE(QGuiApplication::clipboard()->text(), Sentinel);
    QCOMPARE(pageLabel(), label);
    // The earlier document is still the one the paging buttons move through.
    QTest::mouseClick(button("cmdNextPage"), Qt::LeftButton);
    QCOMPARE(pageLabel(), QStringLiteral("Page 2 of %1").arg(total));
}

void TestCommands::exitStoresNothing()
{
    VERIFY_STEP(openWindow());
    QTest::mouseClick(button("cmdCopy"), Qt::LeftButton);
    QCOMPARE(storedValue(QStringLiteral("Print Size")), QStringLiteral("1"));
    QTest::mouseClick(control<QCheckBox>("chkSize"), Qt::LeftButton);
    VERIFY_STEP(chooseDepth(QStringLiteral("3")));

    // "Exit" ends the running event loop at once.
    QEventLoop loop;
    QTimer::singleShot(0, m_window.get(), [this] { QTest::mouseClick(button("cmdCancel"), Qt::LeftButton); });
    QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
    QCOMPARE(loop.exec(), 0);

    QCOMPARE(storedValue(QStringLiteral("Print Size")), QStringLiteral("1"));
    QCOMPARE(storedValue(QStringLiteral("Directory Levels")), QStringLiteral("1"));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
