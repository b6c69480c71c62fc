// A saved JSON listing read back and compared with the tree as it is now; broken files refused with their reason.

#include "listing/FakeFileSystem.h"
#include "print/PrintTestSupport.h"

#include "export/EarlierListing.h"
#include "export/ListingExport.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingChanges.h"
#include "listing/ListingComparison.h"
#include "print/ListingComposer.h"

#include <QBuffer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using Change = ListingComparison::Change;
using Reason = EarlierListingError::Reason;

namespace {

constexpr qint64 Stamp = 984'009'600;   // 2001-03-08T00:00:00Z

struct Node { bool folder = false; qint64 size = 0; qint64 shift = 0; };

// The tree every row starts from: a name that is not UTF-8, names a writer must escape, three folder levels.
QMap<QByteArray, Node> baseTree()
{
    return {{"a.txt", {false, 100}}, {"b.txt", {false, 200}}, {"say \"hi\"\\\n\x01.txt", {false, 1}},
            {"\xf0\x9f\x98\x80.txt", {false, 2}}, {"caf\xe9", {true}}, {"caf\xe9/inner.txt", {false, 10}},
            {"Docs", {true}}, {"Docs/notes.txt", {false, 30}}, {"Docs/Old", {true}}, {"Docs/Old/x.txt", {false, 2048}},
            {"Docs/Old/deep", {true}}, {"Docs/Old/deep/y.txt", {false, 5}}};
}

// Edits: "PATH=N" sets a file's size, "PATH/" adds a folder, "-PATH" removes it and what it holds,
// "PATH@N" moves its time N seconds, "!PATH" makes a folder unreadable.
void plant(FakeFileSystem &files, const QStringList &edits)
{
    QMap<QByteArray, Node> tree = baseTree();
    QByteArrayList unreadable;
    for (const QString &edit : edits) {
        const QByteArray path = edit.toLatin1().mid(edit.front().isLetter() ? 0 : 1).split('=').front().split('@').front();
        if (edit.startsWith(u'-'))
            tree.removeIf([&](auto it) { return it.key() == path || it.key().startsWith(path + '/'); });
        else if (edit.startsWith(u'!'))
            unreadable << path;
        else if (edit.endsWith(u'/'))
            tree[path.chopped(1)] = {true};
        else if (edit.contains(u'@'))
            tree[path].shift = edit.section(u'@', 1).toLongLong();
        else
            tree[path].size = edit.section(u'=', 1).toLongLong();
    }
    files.addFolder("/top", FileTime(std::chrono::seconds(Stamp)));
    for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
        const FileTime time(std::chrono::seconds(Stamp + it->shift));
        it->folder ? files.addFolder("/top/" + it.key(), time) : files.addFile("/top/" + it.key(), it->size, time);
    }
    for (const QByteArray &path : unreadable)
        files.failOn("/top/" + path, FakeFileSystem::Failure::Open);
}

// "depth N" and any of "nofiles", "nosize", "nodate", "nohidden", "skip=PATTERN", "sort=ORDER".
ListingOptions optionsFrom(const QString &words)
{
    ListingOptions options;
    options.path = QStringLiteral("/top");
    options.depth = words.section(u' ', 1, 1).toInt();
    options.files = !words.contains(u"nofiles");
    options.sizes = !words.contains(u"nosize");
    options.dates = !words.contains(u"nodate");
    options.keepDetails = true;
    options.choices.hidden = !words.contains(u"nohidden");
    for (const QString &word : words.split(u' ')) {
        if (word.startsWith(u"skip="))
            options.choices.skip << word.sliced(5);
        if (word.startsWith(u"sort="))
            options.choices.order = *ListingChoiceText::orderFromWord(word.sliced(5));
    }
    return options;
}

// A device that gives one to three bytes a read.
class Trickle : public QIODevice
{
public:
    explicit Trickle(const QByteArray &bytes) : m_bytes(bytes) {}
    bool isSequential() const override { return true; }
protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 size = std::min({max, 1 + m_at % 3, m_bytes.size() - m_at});
        memcpy(data, m_bytes.constData() + m_at, size_t(size));
        m_at += size;
        return size;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};

QByteArray digest(const EarlierEntries &entries)
{
    QByteArray digest;
    for (EarlierEntries::Index i = 0; i < entries.size(); ++i)
        digest += entries.path(i) + ' ' + QByteArray::number(entries.at(i).bytes) + ' ' + QByteArray::number(entries.at(i).modified) + '\n';
    return digest;
}

QString difference(qint64 bytes)
{
    return bytes == ListingComparison::Unknown ? QStringLiteral("?") : (bytes < 0 ? "" : "+") + QString::number(bytes);
}

// What changed in listing order, then what was removed: "changed Docs +50, added Docs/new.txt +50".
QString changesOf(const ListingText &now, const EarlierEntries &then, const ListingComparison &comparison)
{
    QStringList changes;
    QByteArrayList paths;   // by row, exact bytes
    for (qsizetype row = 0; row < now.rows.size(); ++row) {
        const ListingRowDetails &details = now.details.at(row);
        const QByteArray name = now.nativeNames.value(row, now.cell(now.rows.at(row), 0).sliced(details.nameStart).toUtf8());
        paths << (details.parent < 0 ? name : paths.at(details.parent) + '/' + name);
        const ListingComparison::Result &result = comparison.result(ListingComparison::Handle(row + 1));
        // Whatever matched is found again by its whole path.
        if (result.earlier != EarlierEntries::None && then.find(paths.last()) != result.earlier)
            return "not found again: " + QFile::decodeName(paths.last());
        if (result.change == Change::Added || result.change == Change::Changed)
            changes << (result.change == Change::Added ? "added " : "changed ") + QFile::decodeName(paths.last()) + u' '
                           + difference(result.sizeDifference);
    }
    for (const ListingComparison::Removed &gone : comparison.removed()) {
        const qint64 bytes = then.at(gone.earlier).bytes;
        changes << "removed " + QFile::decodeName(then.path(gone.earlier)) + u' '
                       + difference(bytes == EarlierEntries::Unknown ? bytes : -bytes);
    }
    return changes.join(QStringLiteral(", "));
}

QString summaryOf(const ListingComparison::Summary &sum)
{
    QString summary = QStringLiteral("%1 added, %2 removed, %3 changed, ")
                          .arg(sum.files.added + sum.folders.added).arg(sum.files.removed + sum.folders.removed)
                          .arg(sum.files.changed + sum.folders.changed);
    summary += sum.sizesCompared ? difference(sum.sizeDifference) + " bytes" : QStringLiteral("sizes not compared");
    using Limit = ListingComparison::Limit;
    for (const auto &[limit, word] : {std::pair{Limit::EarlierDepth, "depth"}, {Limit::EarlierFiles, "files"},
                                      {Limit::EarlierUnread, "unread"}}) {
        if (sum.limits & limit)
            summary += QStringLiteral("; earlier ") + QLatin1StringView(word);
    }
    return summary;
}

} // namespace

class TestEarlierListing : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The base tree, edited, saved as JSON with these options; its bytes.
    QByteArray save(const QString &file, const QString &options, const QStringList &edits)
    {
        FakeFileSystem files;
        plant(files, edits);
        ListingText listing;
        const auto build = [&](const ListingOptions &o, const QString &c, const QString &r) -> const ListingText & {
            buildListing(o, c, r, files, listing);
            return listing;
        };
        ListingExport::save({ExportFormat::Json, optionsFrom(options), {GridStyle::All, {}, {}}}, build, file);
        QFile saved(file);
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Asia/Kolkata");   // half an hour off UTC: a date read as whole hours would show
    }

    void compares_data()
    {
        QTest::addColumn<QString>("earlier");      // options, and "unread=PATH" for a folder it could not read
        QTest::addColumn<int>("depth");            // listed now
        QTest::addColumn<QByteArrayList>("patch"); // replacements in the saved file: from, to, ...
        QTest::addColumn<QStringList>("edits");    // what happened since
        QTest::addColumn<QString>("changes");      // listing order, then the removed
        QTest::addColumn<QString>("summary");
        const QString none = QStringLiteral("0 added, 0 removed, 0 changed, +0 bytes");
        QTest::newRow("its own listing: nothing changed") << "depth 3" << 3 << QByteArrayList{} << QStringList{} << "" << none;
        QTest::newRow("a file added") << "depth 3" << 3 << QByteArrayList{} << QStringList{"Docs/new.txt=50"}
            << "changed Docs +50, added Docs/new.txt +50" << "1 added, 0 removed, 1 changed, +50 bytes";
        QTest::newRow("a folder removed") << "depth 3" << 3 << QByteArrayList{} << QStringList{"-Docs/Old"}
            << "changed Docs -2053, removed Docs/Old -2053" << "0 added, 4 removed, 1 changed, -2053 bytes";
        QTest::newRow("a file grew") << "depth 3" << 3 << QByteArrayList{} << QStringList{"a.txt=150"}
            << "changed a.txt +50" << "0 added, 0 removed, 1 changed, +50 bytes";
        QTest::newRow("a file's date changed") << "depth 3" << 3 << QByteArrayList{} << QStringList{"caf\u00e9/inner.txt@60"}
            << "changed caf\ufffd +0, changed caf\ufffd/inner.txt +0" << "0 added, 0 removed, 2 changed, +0 bytes";
        QTest::newRow("a renamed file: removed and added") << "depth 3" << 3 << QByteArrayList{} << QStringList{"-b.txt", "c.txt=200"}
            << "added c.txt +200, removed b.txt -200" << "1 added, 1 removed, 0 changed, +0 bytes";
        QTest::newRow("a change below the listed depth changes its folders") << "depth 2" << 2 << QByteArrayList{}
            << QStringList{"Docs/Old/deep/y.txt=9", "Docs/Old/deep/z.txt=1"}
            << "changed Docs +5, changed Docs/Old +5" << "0 added, 0 removed, 2 changed, +5 bytes";
        QTest::newRow("an earlier listing with less depth") << "depth 1" << 3 << QByteArrayList{}
            << QStringList{"Docs/Old/z.txt=7", "Docs/more.txt=1"}
            << "changed Docs +8, added Docs/more.txt +1" << "1 added, 0 removed, 1 changed, +8 bytes; earlier depth";
        QTest::newRow("no sizes then: a grown file is no change") << "depth 3 nosize" << 3 << QByteArrayList{}
            << QStringList{"a.txt=150", "b.txt@5", "-Docs/notes.txt"} << "changed b.txt ?, changed Docs ?, removed Docs/notes.txt ?"
            << "0 added, 1 removed, 2 changed, sizes not compared";
        QTest::newRow("folders only then: no file is added") << "depth 3 nofiles" << 3 << QByteArrayList{}
            << QStringList{"Docs/new.txt=1"} << "changed Docs +1" << "0 added, 0 removed, 1 changed, +1 bytes; earlier files";
        QTest::newRow("an unreadable folder then: nothing below it is added") << "depth 3 unread=Docs/Old" << 3 << QByteArrayList{} << QStringList{} << "" << "0 added, 0 removed, 0 changed, +0 bytes; earlier unread";
        QTest::newRow("unknown fields and values, escapes, no format line") << "depth 3" << 3 << QByteArrayList{"\"format\": \"foliotrace-listing\",\n  \"version\": 1,\n  ", "",
                              "\"options\": {", "\"options\": {\"hidden\": {\"shown\": [true]}, \"grid\": 7, \"size\": \"yes\", ",
                              "\"note\": null", "\"note\": null, \"change\": [\"x\", 1.5e3, null, false, {}]",
                              "\"a.txt\"", "\"\\u0061\\u002Etx\\u0074\"",
                              "\xf0\x9f\x98\x80", "\\uD83D\\ude00"}
            << QStringList{"a.txt@1"} << "changed a.txt +0" << "0 added, 0 removed, 1 changed, +0 bytes";
    }
    void compares()
    {
        QFETCH(QString, earlier);
        QFETCH(int, depth);
        QFETCH(QByteArrayList, patch);
        QFETCH(QStringList, edits);
        const QString file = m_dir.filePath(QStringLiteral("earlier.json"));
        QByteArray saved = save(file, earlier, earlier.contains(u"unread=") ? QStringList{"!" + earlier.section(u'=', 1)} : QStringList());
        for (qsizetype i = 0; i + 1 < patch.size(); i += 2)
            saved.replace(patch[i], patch[i + 1]);
        QFile patched(file);
        QVERIFY(patched.open(QIODevice::WriteOnly) && patched.write(saved) == saved.size());
        patched.close();
        const EarlierListing then = EarlierListing::read(file);
        // Read again a byte or three at a time, every token is cut somewhere: the same entries.
        Trickle trickle(saved);
        QVERIFY(trickle.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QCOMPARE(digest(EarlierListing::read(trickle, file).entries), digest(then.entries));
        QCOMPARE(then.folder, "/top");
        QCOMPARE(then.options.depth, earlier.section(u' ', 1, 1).toInt());
        QCOMPARE(then.listed.isValid(), true);

        FakeFileSystem files;
        plant(files, edits);
        ListingText now;
        const ListingOptions options = optionsFrom(QStringLiteral("depth %1").arg(depth));
        buildListing(options, QStringLiteral("|"), QStringLiteral(";"), files, now);
        ListingComparison comparison(then.entries, then.scope(), ListingScope::of(options));
        comparison.meetRows(now);

        QTEST(changesOf(now, then.entries, comparison), "changes");
        QTEST(summaryOf(comparison.summary()), "summary");
    }

    // The whole listing compared: removed entries in their places, the Change column, the line under the title.
    void listsChanges_data()
    {
        QTest::addColumn<QString>("earlier");   // options it was saved with
        QTest::addColumn<QString>("now");       // options now; "changes": the changes only
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("rows");      // cells of each row, the name's indent dropped
        QTest::addColumn<QString>("line");      // after "Compared with earlier.json of DATE: "
        QTest::newRow("added, removed, grown: the changes only") << "depth 3" << "depth 3 nodate changes"
            << QStringList{"Docs/new.txt=3072", "-b.txt", "a.txt=3072"}
            << "-  a.txt|changed|3 (+3); -  b.txt|removed|0; + Docs|changed|5 (+3); -  new.txt|added|3"
            << "1 added, 1 removed, 2 changed, total +6 KB";
        QTest::newRow("the whole listing; a folder changed only below it") << "depth 3" << "depth 1 nofiles nodate"
            << QStringList{"Docs/Old/deep/y.txt=4096", "New/"} << "+ caf\ufffd||0; + Docs|changed|6 (+4); + New|added|0"
            << "1 added, 0 removed, 1 changed, total +4 KB";
        QTest::newRow("a renamed file: removed and added, each in its place") << "depth 1" << "depth 1 nodate changes"
            << QStringList{"-a.txt", "z.txt=100"} << "-  a.txt|removed|0; -  z.txt|added|0"
            << "1 added, 1 removed, 0 changed, total +0 KB";
        QTest::newRow("a removed folder with what it held, as far as listed now") << "depth 3" << "depth 2 nodate changes"
            << QStringList{"-Docs"} << "+ Docs|removed|2; + Old|removed|2; -  x.txt|removed|2; -  notes.txt|removed|0"
            << "0 added, 4 removed, 0 changed, total -2 KB";
        QTest::newRow("largest first: the removed file where its size puts it") << "depth 1 skip=say*"
            << "depth 1 nodate sort=size skip=say*" << QStringList{"-b.txt"}
            << "-  b.txt|removed|0; -  a.txt||0; -  \U0001F600.txt||0; + Docs||2; -  notes.txt||0; + caf\ufffd||0; -  inner.txt||0"
            << "0 added, 1 removed, 0 changed, total +0 KB";
        QTest::newRow("what its filters left out is not added") << "depth 2 skip=Docs nohidden" << "depth 2 nodate changes"
            << QStringList{"caf\u00e9/.new=1"} << ""
            << "0 added, 0 removed, 0 changed; not compared: its choices left entries out, folder sizes, as its choices differ";
        QTest::newRow("what the listing leaves out now is not removed") << "depth 3" << "depth 3 nodate changes skip=Docs"
            << QStringList{} << "" << "0 added, 0 removed, 0 changed; not compared: folder sizes, as its choices differ";
        QTest::newRow("a name that is not UTF-8 matched by its bytes") << "depth 2" << "depth 2 nodate changes"
            << QStringList{"caf\u00e9/inner.txt=4096"} << "+ caf\ufffd|changed|4 (+4); -  inner.txt|changed|4 (+4)"
            << "0 added, 0 removed, 2 changed, total +4 KB";
    }
    void listsChanges()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, now);
        QFETCH(QStringList, edits);
        const QString file = m_dir.filePath(QStringLiteral("earlier.json"));
        save(file, earlier, {});
        FakeFileSystem files;
        plant(files, edits);
        ListingOptions options = optionsFrom(now);
        options.compare = EarlierListing::load(file);
        options.changesOnly = now.contains(u"changes");
        ListingText listing;
        buildListing(options, QStringLiteral("|"), QStringLiteral(";"), files, listing);
        QStringList rows;
        for (const ListingRow &row : std::as_const(listing.rows))
            rows << QStringView(listing.ListBody).sliced(row.offset, listing.cellOffset(row, 2) + listing.cell(row, 2).size() - row.offset).trimmed().toString();
        QTEST(rows.join(QStringLiteral("; ")), "rows");
        QVERIFY2(listing.changes->line.startsWith(u"Compared with earlier.json of "), qPrintable(listing.changes->line));
        QTEST(listing.changes->line.section(QStringLiteral(": "), 1), "line");
        // On the page a removed row's three cells are struck through, and nothing else is.
        const auto document = ListingComposer::composeListing(listing, {GridStyle::None, {}, {}}, QPageSize(QPageSize::A4));
        QCOMPARE(qsizetype(DrawnPage(*document, 1).lines.size()), 3 * rows.filter(QStringLiteral("|removed|")).size());
        // The comparison is held to the listing's bound as the walk is.
        options.maxBytes = listing.ListBody.size() * qint64(sizeof(QChar))
                           + listing.rows.size() * qint64(sizeof(ListingRow) + sizeof(ListingRowDetails)) - 1;
        QVERIFY_THROWS_EXCEPTION(ListingTooLarge, buildListing(options, QStringLiteral("|"), QStringLiteral(";"), files, listing));
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("from");   // replaced in a listing as saved; "" for all of it
        QTest::addColumn<QByteArray>("to");     // "<cut>": the file ends where from starts
        QTest::addColumn<Reason>("reason");
        QTest::addColumn<QString>("message");
        QTest::newRow("a CSV file") << QByteArray() << QByteArray("Level,Kind,Name\r\n0,file,a\r\n") << Reason::NotJson
            << "is not a Foliotrace listing: it is not JSON text (an unexpected \"L\" at line 1, byte 0)";
        QTest::newRow("an empty file") << QByteArray() << QByteArray() << Reason::NotJson << "the file is empty";
        QTest::newRow("JSON, no listing") << QByteArray() << QByteArray("{\"children\": 3}") << Reason::NotListing
            << "is not a Foliotrace listing: \"children\" is not a list of entries at line 1, byte 13";
        QTest::newRow("another program's format") << QByteArray("foliotrace-listing") << QByteArray("tree-json")
            << Reason::NotListing << "its format is \"tree-json\"";
        QTest::newRow("cut short in a name") << QByteArray("ner.txt") << QByteArray("<cut>") << Reason::Truncated
            << "is cut short: it ends in the middle of a text at line 14, byte 1,090. It may not";
        QTest::newRow("cut short in the tree") << QByteArray("\n    {\"name\": \"Docs\"") << QByteArray("<cut>")
            << Reason::Truncated << "it ends inside its entries, after 6 of them at line 15";
        QTest::newRow("the changes only of a comparison") << QByteArray("\"version\": 1,") << QByteArray("\"version\": 1, \"changes_only\": true,")
            << Reason::NotListing << "is not a Foliotrace listing: it lists only what changed, not the whole folder.";
        QTest::newRow("a newer version") << QByteArray("\"version\": 1") << QByteArray("\"version\": 2")
            << Reason::NewerVersion << "newer Foliotrace (listing format version 2); this version reads version 1.";
        QTest::newRow("a size past 64 bits") << QByteArray("\"size\": 100,") << QByteArray("\"size\": 99999999999999999999,")
            << Reason::Damaged << "is a damaged listing: the size 99999999999999999999 is not a number of bytes at line 9, byte 524.";
        QTest::newRow("a comma missing") << QByteArray("\"size\": 100,") << QByteArray("\"size\": 100") << Reason::Damaged
            << "an unexpected \"\"\" at line 9, byte 528";
        QTest::newRow("half a surrogate pair") << QByteArray("\"a.txt\"") << QByteArray("\"\\ud83d.txt\"") << Reason::Damaged
            << "half of a surrogate pair at line 9";
        QTest::newRow("bytes that are not UTF-8") << QByteArray("\"b.txt\"") << QByteArray("\"b\xff.txt\"") << Reason::Damaged
            << "a text that is not UTF-8 at line 10";
        QTest::newRow("an entry listed twice") << QByteArray("\"b.txt\"") << QByteArray("\"a.txt\"") << Reason::Damaged
            << "the entry \"a.txt\" is listed twice.";
        QTest::newRow("a name no file can have") << QByteArray("\"b.txt\"") << QByteArray("\"b/c\"") << Reason::Damaged
            << "an entry named \"b/c\", which no file can be at line 10";
        QTest::newRow("more after the listing") << QByteArray("]\n}\n") << QByteArray("]\n}\n}") << Reason::Damaged
            << "an unexpected \"}\" at line";
        QTest::newRow("no such file") << QByteArray("<gone>") << QByteArray() << Reason::Unreadable
            << "Cannot read the listing";
    }
    void refuses()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        const QString file = m_dir.filePath(QStringLiteral("broken.json"));
        QByteArray bytes = save(file, QStringLiteral("depth 3"), {});
        if (from.isEmpty())
            bytes = to;
        else if (to == "<cut>")
            bytes.truncate(bytes.indexOf(from));
        else
            bytes.replace(from, to);
        QFile broken(file);
        QVERIFY(from == "<gone>" ? broken.remove() : broken.open(QIODevice::WriteOnly) && broken.write(bytes) == bytes.size());
        broken.close();
        try {
            EarlierListing::read(file);
            QFAIL("read");
        } catch (const EarlierListingError &error) {
            QTEST(error.reason(), "reason");
            QVERIFY2(error.message().contains(file), qPrintable(error.message()));
            QFETCH(QString, message);
            QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        }
    }
};

QTEST_MAIN(TestEarlierListing)
#include "tst_earlierlisting.moc"
