#include "app/DriveList.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestDriveList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void userVolumes_data();
    void userVolumes();
    void holdingVolume_data();
    void holdingVolume();
    void realVolumesIncludeRootAndNoPseudoSystems();
    void startsOnVolumeOfCurrentFolder();
    void pickingAVolumeSignalsOnce();
    void volumeRemembersLastFolderOpened();
    void unknownDriveKeepsSelection();

private:
    QList<Volume> fakeVolumes() const;

    std::unique_ptr<QTemporaryDir> m_mount;
};

void TestDriveList::init()
{
    m_mount = std::make_unique<QTemporaryDir>();
    QVERIFY(m_mount->isValid());
    QVERIFY(QDir(m_mount->path()).mkpath(QStringLiteral("projects/2001")));
}

QList<Volume> TestDriveList::fakeVolumes() const
{
    return {{QByteArray("/"), QString(), QByteArray("ext4")},
            {QFile::encodeName(m_mount->path()), QStringLiteral("STICK"), QByteArray("vfat")}};
}

void TestDriveList::userVolumes_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("mountPoint");
    QTest::addColumn<bool>("offered");

    QTest::newRow("overlay root of a container") << QByteArray("overlay") << QByteArray("/") << true;
    QTest::newRow("USB stick") << QByteArray("vfat") << QByteArray("/media/ann/STICK") << true;
    QTest::newRow("proc") << QByteArray("proc") << QByteArray("/proc") << false;
    QTest::newRow("cgroup2 under /sys") << QByteArray("cgroup2") << QByteArray("/sys/fs/cgroup") << false;
    QTest::newRow("tmpfs elsewhere") << QByteArray("tmpfs") << QByteArray("/tmp") << false;
    QTest::newRow("real type mounted under /dev") << QByteArray("ext4") << QByteArray("/dev/shm/x") << false;
    QTest::newRow("unknown type") << QByteArray() << QByteArray("/mnt/x") << false;
}

void TestDriveList::userVolumes()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, mountPoint);
    QFETCH(bool, offered);
    QCOMPARE(Volumes::isUserVolume(type, mountPoint), offered);
}

void TestDriveList::holdingVolume_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<int>("index");

    QTest::newRow("plain folder on root") << QByteArray("/etc") << 0;
    QTest::newRow("inside a mount") << QByteArray("/home/ann/docs") << 1;
    QTest::newRow("longest mount wins") << QByteArray("/home/ann/usb/x") << 2;
    QTest::newRow("name sharing a prefix is not inside") << QByteArray("/homework") << 0;
    QTest::newRow("relative path held by none") << QByteArray("home") << -1;
}

void TestDriveList::holdingVolume()
{
    QFETCH(QByteArray, path);
    QFETCH(int, index);
    const QList<Volume> volumes{{QByteArray("/"), {}, QByteArray("ext4")},
                                {QByteArray("/home"), {}, QByteArray("ext4")},
                                {QByteArray("/home/ann/usb"), {}, QByteArray("vfat")}};
    QCOMPARE(Volumes::holding(volumes, path), qsizetype(index));
}

void TestDriveList::realVolumesIncludeRootAndNoPseudoSystems()
{
    const QList<Volume> volumes = Volumes::userVolumes();
    QVERIFY(!volumes.isEmpty());
    QCOMPARE(volumes.first().mountPoint, QByteArray("/"));
    for (const Volume &volume : volumes) {
        QVERIFY2(!volume.mountPoint.startsWith("/proc") && !volume.mountPoint.startsWith("/sys"),
                 volume.mountPoint.constData());
        QVERIFY(volume.fileSystemType != "tmpfs" && volume.fileSystemType != "cgroup2");
    }
}

void TestDriveList::startsOnVolumeOfCurrentFolder()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_mount->path() + QStringLiteral("/projects")));
    DriveList drives;
    QSignalSpy changed(&drives, &DriveList::driveChanged);
    drives.setVolumes(fakeVolumes());
    QDir::setCurrent(previous);

    QCOMPARE(drives.Drive(), m_mount->path() + QStringLiteral("  [STICK]"));
    QCOMPARE(drives.count(), 2);
    QCOMPARE(changed.count(), 0);
}

void TestDriveList::pickingAVolumeSignalsOnce()
{
    DriveList drives;
    drives.setVolumes(fakeVolumes());
    drives.setDrive(QStringLiteral("/"));
    QSignalSpy changed(&drives, &DriveList::driveChanged);

    QVERIFY(drives.setDrive(m_mount->path() + QStringLiteral("  [STICK]")));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toString(), drives.Drive());
    QCOMPARE(drives.currentFolder(), m_mount->path());  // nothing opened there yet: its root

    QVERIFY(drives.setDrive(m_mount->path() + QStringLiteral("  [STICK]")));
    QCOMPARE(changed.count(), 1);                        // same volume: no change

    // A path picks the volume that holds it, as the settings load does.
    QVERIFY(drives.setDrive(QStringLiteral("/usr/share")));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(drives.mountPoint(), QByteArray("/"));
}

void TestDriveList::volumeRemembersLastFolderOpened()
{
    DriveList drives;
    drives.setVolumes(fakeVolumes());
    drives.setDrive(QStringLiteral("/"));
    QSignalSpy changed(&drives, &DriveList::driveChanged);

    const QByteArray deep = QFile::encodeName(m_mount->path() + QStringLiteral("/projects/2001"));
    drives.noteFolderOpened(deep);
    // The folder list moved onto the stick: the drive list follows quietly.
    QCOMPARE(drives.mountPoint(), QFile::encodeName(m_mount->path()));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(drives.currentNativeFolder(), deep);

    drives.noteFolderOpened("/usr");
    QCOMPARE(drives.currentFolder(), QStringLiteral("/usr"));
    drives.setDrive(drives.itemText(1));
    QCOMPARE(drives.currentNativeFolder(), deep);
    drives.setDrive(QStringLiteral("/"));
    QCOMPARE(drives.currentFolder(), QStringLiteral("/usr"));
    QCOMPARE(changed.count(), 2);
}

void TestDriveList::unknownDriveKeepsSelection()
{
    DriveList drives;
    drives.setVolumes({{QFile::encodeName(m_mount->path()), QString(), QByteArray("ext4")}});
    QSignalSpy changed(&drives, &DriveList::driveChanged);
    QVERIFY(!drives.setDrive(QStringLiteral("/usr")));
    QCOMPARE(drives.mountPoint(), QFile::encodeName(m_mount->path()));
    QCOMPARE(changed.count(), 0);
}

QTEST_MAIN(TestDriveList)
#include "tst_drivelist.moc"
