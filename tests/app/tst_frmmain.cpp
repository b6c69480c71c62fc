#include "app/DriveList.h"
#include "app/PrintTitle.h"
#include "Twips.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

QString captionOf(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QString();
}

const QStringList LayoutControls{
    "Label2", "cmdHelp", "Label1_0", "Drive1", "Dir1", "chkFiles", "chkSize", "chkDate",
    "Label1_4", "cboGrid", "Label1_3", "cboLevel", "Label1_1", "lblPath", "Label1_5", "txtDirI",
    "Label1_2", "txtTitle", "Label1_6", "txtFileI", "Label1_7", "Label1_8", "Label1_9",
    "txtDirCol", "txtSizeCol", "txtDateCol"};

} // namespace

class TestFrmMain : public QObject, public WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captions_data();
    void captions();
    void placedInTwips_data();
    void placedInTwips();
    void typedListTextAddsNoItem_data();
    void typedListTextAddsNoItem();
    void helpMenuIsPopupOnly();
    void tabOrder();
    void pickersFlowToPathAndTitle();
    void unreadableDriveLeavesPickersAndReports();
    void vanishedFolderInListReports();
    void resizeRule_data();
    void resizeRule();
    void tinyAndMinimizedWindows();
    void captionComparisonIsExact();
};

void TestFrmMain::initTestCase()
{
    setUpCase();
}

void TestFrmMain::init()
{
    VERIFY_STEP(setUp());
    QVERIFY(QDir(m_root->path()).mkpath(QStringLiteral("sub/inner")));
    openWindow();
}

void TestFrmMain::cleanup()
{
    tearDown();
}

void TestFrmMain::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    const QList<QPair<QString, QString>> table{
        {"cmdHelp", "Help"},
        {"Label1_0", "Select Drive or Directory:"},
        {"chkFiles", "Print File Names"},
        {"chkSize", "Print Size"},
        {"chkDate", "Print Date"},
        {"Label1_4", "Grid Lines:"},
        {"Label1_3", "Sub-Directory Level:"},
        {"Label1_1", "Currently Selected Path:"},
        {"Label1_5", "Directory Indicator:"},
        {"Label1_2", "Print Title:"},
        {"Label1_6", "File Indicator:"},
        {"Label1_7", "Directory Column Width:"},
        {"Label1_8", "Size Column Width:"},
        {"Label1_9", "Date Column Width:"},
        {"cmdCopy", "Copy"},
        {"cmdHide", "Hide Print Preview"},
        {"cmdCancel", "Exit"},
        {"lblPrnt", "Page:"},
        {"cmdPrevPage", "<"},
        {"cmdNextPage", ">"},
    };
    for (const auto &[name, caption] : table)
        QTest::newRow(qPrintable(name)) << name << caption;
}

void TestFrmMain::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QWidget *widget = control(qPrintable(name));
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(captionOf(widget), caption);
}

void TestFrmMain::placedInTwips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("Drive1") << "Drive1" << QRect(2040, 1080, 7695, 315);
    QTest::newRow("cboGrid") << "cboGrid" << QRect(120, 3000, 1455, 315);
    QTest::newRow("txtDateCol") << "txtDateCol" << QRect(5640, 5640, 1575, 285);
    QTest::newRow("cmdPrint in the bar") << "cmdPrint" << QRect(120, 120, 2055, 495);
    QTest::newRow("cmdNextPage in the bar") << "cmdNextPage" << QRect(9240, 360, 615, 255);
}

void TestFrmMain::placedInTwips()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QWidget *widget = control(qPrintable(name));
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), twipsToPixels(twips, m_window.get()));
}

void TestFrmMain::typedListTextAddsNoItem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("items");

    QTest::newRow("depth 7 typed") << "cboLevel" << "7" << 5;
    QTest::newRow("grid text in another case") << "cboGrid" << "rows" << 4;
}

void TestFrmMain::typedListTextAddsNoItem()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(int, items);

    auto *combo = control<QComboBox>(qPrintable(name));
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), typed);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);

    QCOMPARE(combo->currentText(), typed);
    QCOMPARE(combo->count(), items);
}

void TestFrmMain::helpMenuIsPopupOnly()
{
    auto *menu = control<QMenu>("helpbar");
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("Help"));
    const QList<QAction *> items = menu->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0)->text(), QStringLiteral("Help Contents"));
    QCOMPARE(items.at(1)->text(), QStringLiteral("Help About"));
    QVERIFY(!m_window->findChild<QMenuBar *>());
}

void TestFrmMain::tabOrder()
{
    const QStringList expected{"Drive1", "Dir1", "txtTitle", "chkSize", "chkDate", "cmdHide",
                               "cmdCancel", "cmdPrint", "cboLevel", "cmdPrevPage", "cmdNextPage",
                               "cboGrid", "cmdHelp", "chkFiles", "cmdCopy", "txtDirI", "txtFileI",
                               "txtDirCol", "txtSizeCol", "txtDateCol"};
    QStringList seen;
    QWidget *widget = control("Drive1");
    do {
        if (expected.contains(widget->objectName()) && !seen.contains(widget->objectName()))
            seen.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != control("Drive1"));
    QCOMPARE(seen, expected);
}

void TestFrmMain::pickersFlowToPathAndTitle()
{
    auto *drives = control<DriveList>("Drive1");
    auto *folders = control<FolderList>("Dir1");
    auto *title = control<QLineEdit>("txtTitle");
    const QString start = folders->Path();
    const auto verifyShown = [this, title](const QString &path) {
        QCOMPARE(control<QLabel>("lblPath")->text(), path);
        QCOMPARE(title->text(), printTitle(path, QDate::currentDate()));
    };

    // A folder change replaces a title the user typed.
    title->setText(QStringLiteral("my own title"));
    folders->setPath(start + QStringLiteral("/sub"));
    VERIFY_STEP(verifyShown(start + QStringLiteral("/sub")));

    QTemporaryDir stick;
    const QString stickRoot = QDir(stick.path()).canonicalPath();
    drives->setVolumes({{QByteArray("/"), QString(), QByteArray("ext4")},
                        {QFile::encodeName(stickRoot), QStringLiteral("STICK"), QByteArray("vfat")}});
    QVERIFY(drives->setDrive(stickRoot));
    QCOMPARE(folders->Path(), stickRoot);
    VERIFY_STEP(verifyShown(stickRoot));
    // Back on the root volume: its last folder opened.
    QVERIFY(drives->setDrive(QStringLiteral("/")));
    QCOMPARE(folders->Path(), start + QStringLiteral("/sub"));
}

void TestFrmMain::unreadableDriveLeavesPickersAndReports()
{
    auto stick = std::make_unique<QTemporaryDir>();
    const QString gone = QDir(stick->path()).canonicalPath();
    auto *drives = control<DriveList>("Drive1");
    auto *folders = control<FolderList>("Dir1");
    drives->setVolumes({{QByteArray("/"), QString(), QByteArray("ext4")},
                        {QFile::encodeName(gone), QStringLiteral("GONE"), QByteArray("vfat")}});
    stick.reset();
    const QString before = folders->Path();
    const QString title = control<QLineEdit>("txtTitle")->text();

    drives->setDrive(gone + QStringLiteral("  [GONE]"));

    const QString message = dismissMessage();
    QVERIFY2(message.contains(gone), qPrintable(message));
    QCOMPARE(folders->Path(), before);
    QCOMPARE(drives->mountPoint(), QByteArray("/"));
    QCOMPARE(control<QLabel>("lblPath")->text(), before);
    QCOMPARE(control<QLineEdit>("txtTitle")->text(), title);
}

void TestFrmMain::vanishedFolderInListReports()
{
    auto *folders = control<FolderList>("Dir1");
    const QString before = folders->Path();
    QVERIFY(QDir(before + QStringLiteral("/sub")).removeRecursively());

    VERIFY_STEP(enterFolder(QStringLiteral("sub")));

    const QString message = dismissMessage();
    QVERIFY(message.contains(QStringLiteral("/sub")));
    QCOMPARE(folders->Path(), before);
    QCOMPARE(control<QLabel>("lblPath")->text(), before);
}

void TestFrmMain::resizeRule_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("inPreview");

    QTest::newRow("larger, preview shown") << QSize(1000, 700) << true;
    QTest::newRow("narrower and lower, preview shown") << QSize(420, 260) << true;
}

void TestFrmMain::resizeRule()
{
    QFETCH(QSize, size);
    QFETCH(bool, inPreview);

    QHash<QString, QRect> before;
    for (const QString &name : LayoutControls)
        before.insert(name, control(qPrintable(name))->geometry());
    if (inPreview)
        QTest::mouseClick(control<QAbstractButton>("cmdPrint"), Qt::LeftButton);

    m_window->resize(size);
    QTRY_COMPARE(m_window->size(), size);

    for (const QString &name : LayoutControls)
        QCOMPARE(control(qPrintable(name))->geometry(), before.value(name));

    QWidget *bar = control("pic1");
    const int barHeight = twipsToPixels(735, m_window->logicalDpiY());
    QCOMPARE(bar->geometry(), QRect(0, size.height() - barHeight, size.width(), barHeight));

    QWidget *surface = control("vsp1");
    QCOMPARE(surface->isVisible(), inPreview);
    const qreal dpiX = m_window->logicalDpiX();
    const qreal dpiY = m_window->logicalDpiY();
    QCOMPARE(surface->x(), twipsToPixels(50, dpiX));
    QCOMPARE(surface->y(), twipsToPixels(50, dpiY));
    // Outer width less 200 twips, down to 30 twips into the bar; a pixel of
    // rounding either way.
    const int expectedRight = m_window->frameGeometry().width() - twipsToPixels(150, dpiX);
    QVERIFY(qAbs(surface->x() + surface->width() - expectedRight) <= 1);
    const int expectedBottom = bar->y() + twipsToPixels(30, dpiY);
    QVERIFY(qAbs(surface->y() + surface->height() - expectedBottom) <= 1);
}

void TestFrmMain::tinyAndMinimizedWindows()
{
    QTest::mouseClick(control<QAbstractButton>("cmdPrint"), Qt::LeftButton);
    m_window->resize(900, 600);
    QTRY_COMPARE(m_window->size(), QSize(900, 600));
    const QRect placed = control("vsp1")->geometry();

    m_window->resize(8, 8);
    QTRY_COMPARE(m_window->size().width() <= 200, true);
    QCOMPARE(control("vsp1")->geometry(), placed);
    QCOMPARE(control("pic1")->width(), m_window->width());

    m_window->showMinimized();
    QCoreApplication::processEvents();
    m_window->showNormal();
    QCoreApplication::processEvents();
    QVERIFY(!m_window->findChild<QMessageBox *>());
}

void TestFrmMain::captionComparisonIsExact()
{
    auto *print = control<QAbstractButton>("cmdPrint");
    print->setText(QStringLiteral("print preview"));

    QTest::mouseClick(print, Qt::LeftButton);

    // Not the exact caption, so the click counts as "Print"; with nothing
    // composed yet that is refused, and nothing is shown.
    const QString message = dismissMessage();
    QVERIFY2(message.contains(QStringLiteral("no document")), qPrintable(message));
    QVERIFY(!control("vsp1")->isVisible());
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
