// Folder selection (the drive list and the folder list), and the option controls' own readings.

#include "app/DriveList.h"
#include "app/FolderList.h"
#include "app/OptionWidgets.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestPickers : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tree;
    QByteArray m_open; // <tmp>/top/open

private slots:
    void initTestCase()
    {
        QDir root(m_tree.path());
        QVERIFY(root.mkpath(QStringLiteral("top/open/beta")) && root.mkpath(QStringLiteral("top/open/.hidden")));
        QVERIFY(root.mkpath(QStringLiteral("top/away")) && QFile::link("../away", root.filePath("top/open/link")));
        m_open = QFile::encodeName(QDir(root.filePath(QStringLiteral("top/open"))).canonicalPath());
    }

    void folderListOpens_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("opened"); // relative to top/open; empty: stays
        QTest::newRow("double-click a sub-folder") << "beta" << "double-click" << QByteArray("/beta");
        QTest::newRow("Enter on a link to a folder") << "link" << "Enter" << QByteArray("/link");
        QTest::newRow("double-click the parent") << "top" << "double-click" << QByteArray("/..");
        QTest::newRow("a plain click only highlights") << "beta" << "click" << QByteArray();
        QTest::newRow("a missing folder") << "" << "/missing" << QByteArray();
        QTest::newRow("a name that is not UTF-8, by its bytes") << "odd-" << "Enter" << QByteArray("/odd-\xff");
    }
    void folderListOpens()
    {
        QFETCH(QString, entry);
        QFETCH(QString, action);
        QFETCH(QByteArray, opened);
        const QByteArray odd = m_open + "/odd-\xff";
        QCOMPARE(::mkdir(odd.constData(), 0755), 0); // QTemporaryDir cannot name it: removed below
        FolderList list;
        list.resize(400, 600);
        list.setNativePath(m_open);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(list.findItems(QStringLiteral(".hidden"), Qt::MatchRecursive).isEmpty());
        QSignalSpy changed(&list, &FolderList::pathChanged);
        if (entry.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(FileSystemError, list.setNativePath(m_open + action.toUtf8()));
        } else {
            QTreeWidgetItem *item = list.findItems(entry, Qt::MatchStartsWith | Qt::MatchRecursive).value(0);
            const QPoint centre = list.visualItemRect(item).center();
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
            if (action == QLatin1String("double-click"))
                QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
            else if (action == QLatin1String("Enter"))
                QTest::keyClick(&list, Qt::Key_Return);
        }
        QCOMPARE(::rmdir(odd.constData()), 0);
        QCOMPARE(list.nativePath(), FolderPaths::clean(m_open + opened));
        QCOMPARE(changed.size(), opened.isEmpty() ? 0 : 1);
    }

    void driveListLeadsBackToTheLastFolder()
    {
        const QList<Volume> volumes{{"/", {}, "ext4"}, {"/home", {}, "ext4"}, {"/home/ann/usb", {}, "vfat"}};
        QCOMPARE(Volumes::holding(volumes, "/home/ann/usb/x"), 2); // the longest mount wins
        QCOMPARE(Volumes::holding(volumes, "/homework"), 0);
        QVERIFY(Volumes::isUserVolume("overlay", "/")); // a container's root
        QVERIFY(!Volumes::isUserVolume("tmpfs", "/tmp") && !Volumes::isUserVolume("ext4", "/dev/shm/x"));
        const QList<Volume> mounted = Volumes::userVolumes(); // this machine's, root first
        QVERIFY(!mounted.isEmpty() && mounted.first().mountPoint == "/");
        DriveList drives;
        drives.setVolumes({volumes.at(0), {QFile::encodeName(m_tree.path()), QStringLiteral("STICK"), "vfat"}});
        drives.setDrive(QStringLiteral("/"));
        QSignalSpy changed(&drives, &DriveList::driveChanged);
        drives.noteFolderOpened(m_open); // the folder list moved: followed quietly
        QCOMPARE(drives.drive(), m_tree.path() + QStringLiteral("  [STICK]"));
        QVERIFY(drives.setDrive(QStringLiteral("/usr/share"))); // a path picks its volume
        QCOMPARE(drives.currentFolder(), QStringLiteral("/"));
        QVERIFY(drives.setDrive(drives.itemText(1)));
        QCOMPARE(drives.currentNativeFolder(), m_open);
        QCOMPARE(changed.size(), 2);
    }

    void checkBoxesUseTheStoredNumbering()
    {
        QCheckBox box;
        setCheckValue(&box, 2);
        QCOMPARE(box.checkState(), Qt::PartiallyChecked);
        // Grayed comes only from a load: clicks go on and off, never back.
        for (int click = 0; click < 4; ++click) {
            box.click();
            QCOMPARE(checkValue(&box), click % 2 == 0 ? 1 : 0);
        }
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
