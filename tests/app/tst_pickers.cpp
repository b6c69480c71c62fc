// Folder selection and path display: the drive list, the folder list and
// the print title built from the path.

#include "app/DriveList.h"
#include "app/FolderList.h"
#include "app/PrintTitle.h"

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
        QVERIFY(root.mkpath(QStringLiteral("top/open/beta/deeper")) && root.mkpath(QStringLiteral("top/open/.hidden")));
        QVERIFY(root.mkpath(QStringLiteral("top/elsewhere")));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("top/elsewhere")), root.filePath(QStringLiteral("top/open/linked"))));
        QFile file(root.filePath(QStringLiteral("top/open/file.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        m_open = FolderPaths::clean(QFile::encodeName(root.filePath(QStringLiteral("top/open"))));
    }

    void cleanPaths_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("clean");
        QTest::newRow("dot and dot-dot resolved") << QByteArray("/a/./b/../c") << QByteArray("/a/c");
        QTest::newRow("doubled and trailing slashes dropped") << QByteArray("//a//b/") << QByteArray("/a/b");
        QTest::newRow("no climbing above root") << QByteArray("/../..") << QByteArray("/");
        QTest::newRow("bytes outside UTF-8 kept") << QByteArray("/x/\xff\xfe") << QByteArray("/x/\xff\xfe");
    }
    void cleanPaths()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, clean);
        QCOMPARE(FolderPaths::clean(path), clean);
    }

    void folderListOpens_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("opened"); // relative to top/open; empty: stays
        QTest::newRow("double-click a sub-folder") << "beta" << "double-click" << QByteArray("/beta");
        QTest::newRow("Enter on a link to a folder") << "linked" << "Enter" << QByteArray("/linked");
        QTest::newRow("double-click the parent") << "top" << "double-click" << QByteArray("/..");
        QTest::newRow("a plain click only highlights") << "beta" << "click" << QByteArray();
        QTest::newRow("hidden folders are not offered") << ".hidden" << "Enter" << QByteArray();
    }
    void folderListOpens()
    {
        QFETCH(QString, entry);
        QFETCH(QString, action);
        QFETCH(QByteArray, opened);
        FolderList list;
        list.resize(400, 600);
        list.setNativePath(m_open);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy changed(&list, &FolderList::pathChanged);
        QTreeWidgetItem *item = list.findItems(entry, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QCOMPARE(item != nullptr, !(entry.startsWith(u'.')));
        if (!item)
            return;
        const QPoint centre = list.visualItemRect(item).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
        if (action == QLatin1String("double-click"))
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
        else if (action == QLatin1String("Enter"))
            QTest::keyClick(&list, Qt::Key_Return);
        const QByteArray expected = FolderPaths::clean(m_open + opened);
        QCOMPARE(list.nativePath(), expected);
        QCOMPARE(changed.size(), opened.isEmpty() ? 0 : 1);
    }

    void unreadableFolderLeavesTheList()
    {
        FolderList list;
        list.setNativePath(m_open);
        QSignalSpy changed(&list, &FolderList::pathChanged);
        for (const char *bad : {"/missing", "/file.txt"}) {
            QVERIFY_THROWS_EXCEPTION(FileSystemError, list.setNativePath(m_open + bad));
            QCOMPARE(list.nativePath(), m_open);
        }
        QCOMPARE(changed.size(), 0);
        // A name that is not UTF-8 opens by its exact bytes.
        const QByteArray odd = m_open + "/odd-\xff\xfe";
        QCOMPARE(::mkdir(odd.constData(), 0755), 0);
        list.setNativePath(m_open);
        list.setNativePath(list.findItems(QStringLiteral("odd-"), Qt::MatchStartsWith | Qt::MatchRecursive)
                               .value(0)->data(0, FolderList::NativePathRole).toByteArray());
        QCOMPARE(list.nativePath(), odd);
        QCOMPARE(::rmdir(odd.constData()), 0); // QTemporaryDir cannot name it
    }

    void userVolumes_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("mountPoint");
        QTest::addColumn<bool>("offered");
        QTest::newRow("overlay root of a container") << QByteArray("overlay") << QByteArray("/") << true;
        QTest::newRow("USB stick") << QByteArray("vfat") << QByteArray("/media/ann/STICK") << true;
        QTest::newRow("tmpfs") << QByteArray("tmpfs") << QByteArray("/tmp") << false;
        QTest::newRow("real type mounted under /dev") << QByteArray("ext4") << QByteArray("/dev/shm/x") << false;
    }
    void userVolumes()
    {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, mountPoint);
        QFETCH(bool, offered);
        QCOMPARE(Volumes::isUserVolume(type, mountPoint), offered);
    }

    void driveListLeadsBackToTheLastFolder()
    {
        const QList<Volume> volumes{{"/", {}, "ext4"}, {"/home", {}, "ext4"}, {"/home/ann/usb", {}, "vfat"}};
        QCOMPARE(Volumes::holding(volumes, "/home/ann/usb/x"), 2); // the longest mount wins
        QCOMPARE(Volumes::holding(volumes, "/homework"), 0);
        DriveList drives;
        drives.setVolumes({volumes.at(0), {QFile::encodeName(m_tree.path()), QStringLiteral("STICK"), "vfat"}});
        drives.setDrive(QStringLiteral("/"));
        QSignalSpy changed(&drives, &DriveList::driveChanged);
        drives.noteFolderOpened(m_open); // the folder list moved: quietly followed
        QCOMPARE(drives.Drive(), m_tree.path() + QStringLiteral("  [STICK]"));
        QVERIFY(drives.setDrive(QStringLiteral("/usr/share"))); // a path picks its volume
        QCOMPARE(drives.currentFolder(), QStringLiteral("/"));
        QVERIFY(drives.setDrive(drives.itemText(1)));
        QCOMPARE(drives.currentNativeFolder(), m_open);
        QCOMPARE(changed.size(), 2);
    }

    void printTitle_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("US English, month/day/four-digit year") << "en_US" << "/srv  - On: 8/8/2001";
        QTest::newRow("German two-digit year widened") << "de_DE" << "/srv  - On: 08.08.2001";
        QTest::newRow("Hungarian keeps its dots and blanks") << "hu_HU" << "/srv  - On: 2001. 08. 08.";
        QTest::newRow("no regional settings read as US English") << "C" << "/srv  - On: 8/8/2001";
    }
    void printTitle()
    {
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(::printTitle(QStringLiteral("/srv"), QDate(2001, 8, 8), QLocale(locale)), expected);
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
