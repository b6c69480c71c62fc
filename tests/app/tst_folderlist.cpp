#include "app/FolderList.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Row
{
    QString text;
    int level;
    QByteArray path;
};

QList<Row> rows(const QTreeWidget &list)
{
    QList<Row> result;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&list)); *it; ++it) {
        int level = 0;
        for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
            ++level;
        result.append({(*it)->text(0), level, (*it)->data(0, FolderList::NativePathRole).toByteArray()});
    }
    return result;
}

QTreeWidgetItem *itemNamed(QTreeWidget &list, const QString &text)
{
    const auto found = list.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void doubleClick(QTreeWidget &list, QTreeWidgetItem *item)
{
    // A real double-click starts with a click; the view opens only the entry
    // the first press landed on.
    const QPoint centre = list.visualItemRect(item).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

class TestFolderList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanPaths_data();
    void cleanPaths();
    void rowsShowAncestorsOpenFolderAndSubFolders();
    void opening_data();
    void opening();
    void reopeningSameFolderDoesNotSignal();
    void unreadablePaths_data();
    void unreadablePaths();
    void nonUtf8NamesRoundTrip();

private:
    std::unique_ptr<QTemporaryDir> m_tree;
    QByteArray m_base;   // <tmp>/top/open
};

void TestFolderList::init()
{
    m_tree = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tree->isValid());
    QDir root(m_tree->path());
    QVERIFY(root.mkpath(QStringLiteral("top/open/beta/deeper")));
    QVERIFY(root.mkpath(QStringLiteral("top/open/Alpha")));
    QVERIFY(root.mkpath(QStringLiteral("top/open/.hidden")));
    QVERIFY(root.mkpath(QStringLiteral("top/elsewhere")));
    QFile file(root.filePath(QStringLiteral("top/open/file.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QFile::link(root.filePath(QStringLiteral("top/elsewhere")),
                        root.filePath(QStringLiteral("top/open/linked"))));
    m_base = FolderPaths::clean(QFile::encodeName(root.filePath(QStringLiteral("top/open"))));
}

void TestFolderList::cleanPaths_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("clean");

    QTest::newRow("root stays root") << QByteArray("/") << QByteArray("/");
    QTest::newRow("dot and dot-dot resolved") << QByteArray("/a/./b/../c") << QByteArray("/a/c");
    QTest::newRow("doubled and trailing slashes dropped") << QByteArray("//a//b/") << QByteArray("/a/b");
    QTest::newRow("no climbing above root") << QByteArray("/../..") << QByteArray("/");
    QTest::newRow("bytes outside UTF-8 kept") << QByteArray("/x/\xff\xfe") << QByteArray("/x/\xff\xfe");
}

void TestFolderList::cleanPaths()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, clean);
    QCOMPARE(FolderPaths::clean(path), clean);
}

void TestFolderList::rowsShowAncestorsOpenFolderAndSubFolders()
{
    FolderList list;
    list.setNativePath(m_base);

    const QList<QByteArray> ancestors = FolderPaths::chain(m_base);
    const QList<Row> shown = rows(list);
    // Ancestors from the root down, then the open folder, then its visible
    // sub-folders (links to folders included) sorted by name.
    QCOMPARE(shown.size(), ancestors.size() + 3);
    for (int i = 0; i < ancestors.size(); ++i) {
        QCOMPARE(shown.at(i).level, i);
        QCOMPARE(shown.at(i).path, ancestors.at(i));
    }
    const int open = int(ancestors.size()) - 1;
    QCOMPARE(shown.first().text, QStringLiteral("/"));
    QCOMPARE(list.currentItem()->text(0), QStringLiteral("open"));
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(shown.at(open + i).level, open + 1);
    QCOMPARE((QStringList{shown.at(open + 1).text, shown.at(open + 2).text, shown.at(open + 3).text}),
             (QStringList{"Alpha", "beta", "linked"}));
}

void TestFolderList::opening_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("relative");

    QTest::newRow("double-click a sub-folder") << "beta" << "double-click" << QByteArray("/beta");
    QTest::newRow("Enter on a sub-folder") << "Alpha" << "Enter" << QByteArray("/Alpha");
    QTest::newRow("double-click the parent") << "top" << "double-click" << QByteArray("/..");
    QTest::newRow("Enter on a link to a folder") << "linked" << "Enter" << QByteArray("/linked");
    QTest::newRow("a plain click only highlights") << "beta" << "click" << QByteArray();
}

void TestFolderList::opening()
{
    QFETCH(QString, entry);
    QFETCH(QString, action);
    QFETCH(QByteArray, relative);

    FolderList list;
    list.resize(400, 600);
    list.setNativePath(m_base);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changed(&list, &FolderList::pathChanged);

    QTreeWidgetItem *item = itemNamed(list, entry);
    QVERIFY(item);
    if (action == QLatin1String("Enter")) {
        list.setCurrentItem(item);
        QTest::keyClick(&list, Qt::Key_Return);
    } else if (action == QLatin1String("double-click")) {
        doubleClick(list, item);
    } else {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
        QCOMPARE(list.currentItem(), item);
    }

    const QByteArray expected = FolderPaths::clean(m_base + relative);
    QCOMPARE(list.nativePath(), expected);
    QCOMPARE(changed.count(), relative.isEmpty() ? 0 : 1);
    if (!relative.isEmpty()) {
        QCOMPARE(changed.first().first().toString(), QFile::decodeName(expected));
        QCOMPARE(list.currentItem()->data(0, FolderList::NativePathRole).toByteArray(), expected);
    }
}

void TestFolderList::reopeningSameFolderDoesNotSignal()
{
    FolderList list;
    list.setNativePath(m_base);
    QSignalSpy changed(&list, &FolderList::pathChanged);
    QVERIFY(QDir().mkdir(QFile::decodeName(m_base + "/gamma")));
    list.setNativePath(m_base + "/.");
    QCOMPARE(changed.count(), 0);
    QVERIFY(itemNamed(list, "gamma")); // but the list was read again
}

void TestFolderList::unreadablePaths_data()
{
    QTest::addColumn<QByteArray>("relative");
    QTest::addColumn<int>("errorCode");

    QTest::newRow("folder that does not exist") << QByteArray("/missing") << ENOENT;
    QTest::newRow("a file, not a folder") << QByteArray("/file.txt") << ENOTDIR;
}

void TestFolderList::unreadablePaths()
{
    QFETCH(QByteArray, relative);
    QFETCH(int, errorCode);

    FolderList list;
    list.setNativePath(m_base);
    QSignalSpy changed(&list, &FolderList::pathChanged);
    try {
        list.setNativePath(m_base + relative);
        QFAIL("opening an unreadable path must fail");
    } catch (const FileSystemError &error) {
        QCOMPARE(error.errorCode(), errorCode);
        QCOMPARE(error.path(), m_base + relative);
        QVERIFY(error.message().contains(QFile::decodeName(m_base + relative)));
    }
    QCOMPARE(list.nativePath(), m_base);
    QCOMPARE(changed.count(), 0);
    QVERIFY(itemNamed(list, "beta"));
}

void TestFolderList::nonUtf8NamesRoundTrip()
{
    const QByteArray odd = m_base + "/odd-\xff\xfe";
    QVERIFY2(::mkdir(odd.constData(), 0755) == 0, "cannot make a folder with a non-UTF-8 name");

    FolderList list;
    list.setNativePath(m_base);
    QTreeWidgetItem *oddItem = nullptr;
    for (QTreeWidgetItemIterator it(&list); *it; ++it) {
        if ((*it)->data(0, FolderList::NativePathRole).toByteArray() == odd)
            oddItem = *it;
    }
    QVERIFY(oddItem);
    list.setNativePath(oddItem->data(0, FolderList::NativePathRole).toByteArray());
    QCOMPARE(list.nativePath(), odd);
    // QTemporaryDir cannot remove a name it cannot express as text.
    QCOMPARE(::rmdir(odd.constData()), 0);
}

QTEST_MAIN(TestFolderList)
#include "tst_folderlist.moc"
