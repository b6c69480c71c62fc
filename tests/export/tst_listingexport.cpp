// Every Save As format read back by a reader of its kind, on names that break writers; a failed save keeps the file.

#include "print/PrintTestSupport.h"
#include "listing/FakeFileSystem.h"

#include "listing/ListingBuilder.h"
#include "export/ListingExport.h"
#include "print/PrintError.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <cwchar>

#include <sys/resource.h>

using Format = ExportFormat;

namespace {

const FileTime Stamp{std::chrono::seconds(984'009'600)};   // 2001-03-08T00:00:00Z
// Below the listed depth, not valid UTF-8, and not readable.
const char Unlisted[] = "/top/Docs/Old/deep/n\xe4t";

// RFC 4180 as a spreadsheet reads it: unquoted, a line feed ends a row, after a carriage return or not.
QList<QStringList> parseDelimited(const QString &text, QChar separator)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (quoted && c == u'"' && next == u'"')
            field += text[++i];
        else if (c == u'"' && (quoted || field.isEmpty()))
            quoted = !quoted;
        else if (quoted || (c != separator && c != u'\n' && !(c == u'\r' && next == u'\n')))
            field += c;
        else {
            row << std::exchange(field, QString());
            if (c != separator) {
                rows << std::exchange(row, QStringList());
                i += c == u'\r';
            }
        }
    }
    return rows;
}

// A first cell without its indentation and mark (the default marks, or the clipboard's "'+" and "'-").
QString nameInCell(QString cell)
{
    cell.remove(QRegularExpression(QStringLiteral("^ *'?(\\+ |-  )")));
    return cell;
}

// Columns text takes on a terminal, as the C library counts them (the tests run in C.UTF-8).
int displayWidth(const QString &text)
{
    const std::wstring wide = text.toStdWString();
    return wcswidth(wide.c_str(), wide.size());
}

} // namespace

class TestListingExport : public QObject
{
    Q_OBJECT

    FakeFileSystem m_files;
    ListingText m_listing;
    QTemporaryDir m_dir;
    QStringList m_names;   // every entry of the tree, as shown
    QStringList m_paths;   // relative paths, from the formats that have them

    ListingExport::Request request(Format format) const
    {
        ListingOptions options;
        options.path = QStringLiteral("/top");
        options.depth = 3;
        return {format, options, {GridStyle::All, options.path, QStringLiteral("Names that <break> & \"quote\"")}};
    }
    ListingExport::Build build()
    {
        return [this](const ListingOptions &options, const QString &c, const QString &r) -> const ListingText & {
            buildListing(options, c, r, m_files, m_listing);
            return m_listing;
        };
    }
    // A file's size and time as a reader takes them from what was saved.
    static void checkFile(const QString &name, qint64 bytes, const QString &modified)
    {
        QCOMPARE(bytes, name == u"x.txt" ? 2048 : name == u"inner.txt" ? 10 : 1536);
        QCOMPARE(QDateTime::fromString(modified, Qt::ISODate).toSecsSinceEpoch(), Stamp.time_since_epoch().count());
    }

    // Each reader gives back the names it finds, and where it says what could not be read.
    void readCsv(const QByteArray &bytes, QStringList &names, QString &unread)
    {
        const QList<QStringList> rows = parseDelimited(QString::fromUtf8(bytes), u',');
        QCOMPARE(rows.value(0).join(u'|'), "Level|Kind|Name|Path|Size (bytes)|Size (KB)|Modified|Note");
        for (const QStringList &row : rows.sliced(1)) {
            QCOMPARE(row.size(), 8);
            for (const QString &cell : {row[2], row[3]})   // nothing a spreadsheet would run
                QVERIFY2(!QStringLiteral("=+-@\t\r").contains(cell.front()), qPrintable(cell));
            // Every "?" or "+", and every entry without a row of its own, says why after its note's word.
            const bool unreadRow = row[1] == u"unread";
            const bool said = row[7].contains(QRegularExpression(QStringLiteral("^(unreadable|incomplete): \\w")));
            QCOMPARE(said, unreadRow || row[5] == u"?" || row[5].endsWith(u'+'));
            if (said && (unreadRow || row[4].isEmpty()))   // its size unknown
                unread += row[3];
            if (unreadRow)
                continue;
            const bool guarded = row[2].startsWith(u'\'') && QStringView(u"=+-@").contains(row[2].mid(1, 1));
            names << row[2].sliced(guarded ? 1 : 0);
            if (row[1] == u"file")
                checkFile(names.last(), row[4].toLongLong(), row[6]);
            m_paths << row[3];
        }
    }
    void readJson(const QByteArray &bytes, QStringList &names, QString &unread)
    {
        QJsonParseError error;
        const QJsonObject top = QJsonDocument::fromJson(bytes, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        std::function<void(const QJsonArray &, const QString &)> walk = [&](const QJsonArray &list, const QString &at) {
            for (const QJsonValue &entry : list) {
                const QString name = entry[u"name"].toString();
                names << name;
                // The exact bytes of the one name that is no text.
                QCOMPARE(QByteArray::fromBase64(entry[u"name_bytes"].toString().toLatin1()),
                         name.contains(QChar::ReplacementCharacter) ? QByteArray("caf\xe9") : QByteArray());
                if (entry[u"kind"].toString() == u"file")
                    checkFile(name, entry[u"size"].toInteger(), entry[u"modified"].toString());
                m_paths << at + name;
                walk(entry[u"children"].toArray(), at + name + u'/');
            }
        };
        walk(top[u"children"].toArray(), QString());
        QCOMPARE((top[u"totals"][u"bytes"].toInteger() + 512) / 1024, 25);   // as the line says: "25+ KB"
        QVERIFY(top[u"totals"][u"incomplete"].toBool() && !top[u"totals"].toObject().contains(u"files"));
        for (const QJsonValue &problem : top[u"problems"].toArray()) {
            const QString path = problem[u"path"].toString();
            unread += path;
            QCOMPARE(QByteArray::fromBase64(problem[u"path_bytes"].toString().toLatin1()),
                     path.contains(QChar::ReplacementCharacter) ? QByteArray(Unlisted) : QByteArray());
        }
    }
    void readHtml(const QByteArray &bytes, QStringList &names, QString &unread)
    {
        QVERIFY(bytes.contains("</div>\n<p class=\"totals\">25+ KB</p>\n<section class=\"report\">"));
        QXmlStreamReader html(bytes);
        int folding = 0;   // folders that fold their rows away
        while (!html.atEnd()) {
            if (html.readNext() != QXmlStreamReader::StartElement)
                continue;
            QVERIFY(html.name() != u"script");
            folding += html.name() == u"details";
            const QString classes = html.attributes().value(QStringLiteral("class")).toString();
            if (html.name() == u"span" && classes == u"c0")
                names << nameInCell(html.readElementText());
            else if (html.name() == u"p")
                unread += html.readElementText();
        }
        QVERIFY2(!html.hasError(), qPrintable(html.errorString()));
        QCOMPARE(names.takeFirst(), QStringLiteral("Sub-Directories"));
        QCOMPARE(folding, 3);   // café, Docs, Old
    }
    // As on paper: the title, the heading, then rows whose sizes end where the heading's does and whose
    // dates end the line where it does, by display width; line feeds only, no formula apostrophes.
    void readText(const QByteArray &bytes, QStringList &names, QString &unread)
    {
        QVERIFY(!bytes.contains('\r') && !bytes.contains('\''));
        const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
        QCOMPARE(lines.mid(0, 2), QStringList({request(Format::Text).page.title, QString()}));
        const QString &heading = lines[2];
        const int sizeEnd = displayWidth(heading.left(heading.indexOf(u"Size (KB)") + 9));
        const QRegularExpression row(QStringLiteral("^(.*\\S) +(\\S+)  (\\S+)$"));
        const qsizetype end = lines.indexOf(QString(), 3);   // the empty line before the report
        for (const QString &line : lines.sliced(3, end - 3)) {
            const QRegularExpressionMatch cells = row.match(line);
            QVERIFY2(displayWidth(line.left(cells.capturedEnd(2))) == sizeEnd
                         && displayWidth(line) == displayWidth(heading), qPrintable(line));
            QString name = cells.captured(1);
            // A name that reads right to left is isolated, so that it reorders nothing but itself.
            QCOMPARE(name.contains(u'\u2068'), name.contains(u'\u05e9'));
            // A line feed in a name shows as its picture, and keeps to its row.
            names << nameInCell(name.remove(QRegularExpression(QStringLiteral("[\u2068\u2069]")))).replace(u'\u240a', u'\n');
        }
        // The totals line, "+" for what could not be read, then the report.
        QCOMPARE(lines.mid(end + 1, 3), QStringList({"25+ KB", QString(), "Not read in full"}));
        unread = lines.sliced(end + 4).join(u'\n');
    }
    void readTsv(const QByteArray &bytes, QStringList &names, QString &unread)
    {
        const QList<QStringList> lines = parseDelimited(QString::fromUtf8(bytes), u'\t');
        const qsizetype end = lines.indexOf(QStringList{QString()}, 3);   // the empty line before the report
        for (const QStringList &line : lines.sliced(3, end - 3))
            names << nameInCell(line[0]);
        for (const QStringList &line : lines.sliced(end + 1))
            unread += line.join(u'\t');
    }
    // Names exact and never formulas, sizes in bytes and KB as numbers, dates as dates, a folder's rows one
    // outline level below it, the heading frozen and filtering; what was not read on a sheet of its own.
    void readXlsx(const QString &file, QStringList &names, QString &unread)
    {
        const QString read = runTool(FOLIOTRACE_PYTHON, {FOLIOTRACE_READ_XLSX, file});
        const QJsonArray sheets = QJsonDocument::fromJson(read.toUtf8()).array();
        QVERIFY2(sheets.size() == 2, qPrintable(read));
        const QJsonObject listing = sheets[0].toObject();
        QCOMPARE(listing[u"frozen"].toString() + listing[u"filter"].toString().left(3), "A2A1:");
        QJsonArray rows = listing[u"rows"].toArray();
        QStringList heading;
        for (const QJsonValue &cell : rows.takeAt(0)[u"cells"].toArray())
            heading << cell[0].toString();
        QCOMPARE(heading.join(u'|'), "Sub-Directories|Size (bytes)|Size (KB)|Date");
        const QHash<QString, int> nested{{"Old", 1}, {"inner.txt", 1}, {"x.txt", 2}, {"deep", 2}};
        for (const QJsonValue &row : rows) {
            const QJsonArray cells = row[u"cells"].toArray();
            const QString name = cells[0][0].toString();
            names << name;
            QCOMPARE(row[u"level"].toInt(), nested.value(name));
            QCOMPARE(cells[0][1].toString(), "s");   // text, whatever it looks like
            if (!cells[0][2].toBool()) {             // a file's name; a folder's is bold
                QCOMPARE(cells[1][1].toString() + cells[2][1].toString() + cells[3][1].toString(), "nnd");
                QCOMPARE(cells[2][0].toInteger(), (cells[1][0].toInteger() + 512) / 1024);
                checkFile(name, cells[1][0].toInteger(), cells[3][0].toString());
            }
        }
        QCOMPARE(sheets[1][u"name"].toString(), QStringLiteral("Not read in full"));
        for (const QJsonValue &row : sheets[1][u"rows"].toArray())
            unread += row[u"cells"][0][0].toString();
    }
    // Right-to-left names come back in display order, and no isolate mark is left in the text.
    void readPdf(const QString &file, QStringList &names, QString &unread)
    {
        const QString text = runTool("pdftotext", {file, "-"}).normalized(QString::NormalizationForm_C);
        for (const QString &name : m_names) {
            QString reversed = name;
            std::reverse(reversed.begin(), reversed.end());
            if (text.contains(name.normalized(QString::NormalizationForm_C)) || text.contains(reversed))
                names << name;
        }
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[\u2066-\u2069]"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\n25\\+ KB\\s+Not read in full"))));   // the totals line
        unread = text.section(QStringLiteral("Not read in full"), 1);
        QVERIFY(runTool("pdfinfo", {file}).contains(request(Format::Pdf).page.title));
        // Each font embedded as a subset with a ToUnicode map.
        const QRegularExpression embedded(QStringLiteral("\\+\\S+.*yes\\s+yes\\s+yes"));
        for (const QString &font : runTool("pdffonts", {file}).split(u'\n', Qt::SkipEmptyParts).mid(2))
            QVERIFY2(font.contains(embedded), qPrintable(font));
    }

private slots:
    void initTestCase()
    {
        // Half an hour off UTC: an offset written as whole hours would show.
        qputenv("TZ", "Asia/Kolkata");
        tzset();
        m_files.addFolder("/top", Stamp);
        // Names that break writers: separators, markup, formulas, line breaks, other scripts.
        const QList<QByteArray> files{"a,b.txt", "say \"hi\".txt", "line\nbreak", "<script>alert(1)", "a & b;c|d",
                                      "=SUM(A1)", "-rf", "@home", "+1", "File (b) \\c) (",
                                      "\u00c5ngstr\u00f6m \u00c4\u00d6", "\u0424\u0430\u0439\u043b \u03a6\u03ac",
                                      "e\u0301t\u00e9", "\u05e9\u05dc\u05d5\u05dd", "\u6f22\u5b57\u306e\u540d\u524d.txt"};
        for (const QByteArray &name : files)
            m_files.addFile("/top/" + name, 1536, Stamp);
        for (const QByteArray &folder : {QByteArray("/top/caf\xe9"), QByteArray("/top/Docs"), QByteArray("/top/Docs/Old"),
                                         QByteArray("/top/locked"), QByteArray("/top/Docs/Old/deep"), QByteArray(Unlisted)})
            m_files.addFolder(folder, Stamp);
        m_files.addFile("/top/caf\xe9/inner.txt", 10, Stamp);
        m_files.addFile("/top/Docs/Old/x.txt", 2048, Stamp);
        m_files.failOn("/top/locked", FakeFileSystem::Failure::Read);
        m_files.failOn(Unlisted, FakeFileSystem::Failure::Open);
        for (const QByteArray &name :
             files + QByteArrayList{"caf\xe9", "inner.txt", "Docs", "Old", "x.txt", "locked", "deep"})
            m_names << QFile::decodeName(name);
        m_names.sort();
    }

    void readsBack_data()
    {
        QTest::addColumn<Format>("format");
        for (Format format : ExportFormats::All)
            QTest::newRow(qPrintable(ExportFormats::name(format))) << format;
    }
    void readsBack()
    {
        QFETCH(Format, format);
        const QString file = m_dir.filePath("listing." + ExportFormats::name(format));
        ListingExport::save(request(format), build(), file);
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QStringList names;
        QString unread;
        switch (format) {
        case Format::Csv: readCsv(bytes, names, unread); break;
        case Format::Json: readJson(bytes, names, unread); break;
        case Format::Html: readHtml(bytes, names, unread); break;
        case Format::Text: readText(bytes, names, unread); break;
        case Format::Tsv: readTsv(bytes, names, unread); break;
        case Format::Xlsx: readXlsx(file, names, unread); break;
        case Format::Pdf: readPdf(file, names, unread); break;
        }
        names.sort();
        QCOMPARE(names, m_names);
        const bool nested = format == Format::Csv || format == Format::Json;
        QCOMPARE(m_paths.contains(QStringLiteral("Docs/Old/x.txt")), nested);
        m_paths.clear();
        for (const QString &path : {QStringLiteral("locked"), QStringLiteral("Old/deep/n\ufffdt")})
            QVERIFY2(unread.contains(path), qPrintable(unread));
    }

    // The line naming the choices: under the title on paper and in HTML, in JSON's options; the spreadsheet
    // formats keep their shape.
    void choicesNamed_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<QString>("named");   // how the file names them; empty: not at all
        const QString line = QStringLiteral("Skipping Docs; locked \u00b7 hidden entries left out");
        QTest::newRow("PDF") << Format::Pdf << line;
        QTest::newRow("HTML") << Format::Html << "<p class=\"choices\">" + line + "</p>";
        QTest::newRow("JSON") << Format::Json << "\"skip\": [\"Docs\", \"locked\"], \"match_case\": false, "
                                                 "\"hidden\": false, \"prune_empty\": false, \"one_file_system\": false, "
                                                 "\"sizes\": \"length\", \"links_once\": false, \"order\": \"name\", "
                                                 "\"summary\": \"" + line + '"';
        QTest::newRow("CSV") << Format::Csv << "";
        QTest::newRow("text") << Format::Text << "";
    }
    void choicesNamed()
    {
        QFETCH(Format, format);
        QFETCH(QString, named);
        ListingExport::Request asked = request(format);
        asked.options.choices = {.skip = {"Docs", "locked"}, .hidden = false};
        const QString file = m_dir.filePath("choices." + ExportFormats::name(format));
        ListingExport::save(asked, build(), file);
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString text = format == Format::Pdf ? runTool("pdftotext", {file, "-"}) : QString::fromUtf8(saved.readAll());
        QVERIFY2(named.isEmpty() ? !text.contains("Skipping") : text.contains(named), qPrintable(text.left(2000)));
        QVERIFY(!text.contains("x.txt"));   // in Docs, skipped
    }

    void failedSaveLeavesTheFile_data()
    {
        QTest::addColumn<Format>("format");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("linked");   // a second name for the file
        QTest::newRow("CSV: the disk takes no more") << Format::Csv << "file size limit" << false;
        QTest::newRow("PDF: the disk takes no more") << Format::Pdf << "file size limit" << false;
        QTest::newRow("JSON: the folder to list is gone") << Format::Json << "no folder" << false;
        QTest::newRow("hard-linked, CSV: the disk takes no more") << Format::Csv << "file size limit" << true;
    }
    void failedSaveLeavesTheFile()
    {
        QFETCH(Format, format);
        QFETCH(QString, failure);
        QFETCH(bool, linked);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kept"));
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        QVERIFY(!linked || earlier.link(dir.filePath(QStringLiteral("other"))));

        ListingExport::Request asked = request(format);
        rlimit limit{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const auto restore = qScopeGuard([limit] { setrlimit(RLIMIT_FSIZE, &limit); });
        if (failure == u"no folder")
            asked.options.path = QStringLiteral("/gone");
        else
            limit.rlim_cur = 512;   // the kernel refuses a write past it (EFBIG), root's too
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        try {
            ListingExport::save(asked, build(), file);
            QFAIL("saved");
        } catch (const UserError &error) {
            const bool written = failure != u"no folder";
            const QString named = written ? file + ": " + qt_error_string(EFBIG) : QStringLiteral("/gone");
            QVERIFY2(error.message().contains(named), qPrintable(error.message()));
        }
        const QStringList names = linked ? QStringList{"kept", "other"} : QStringList{"kept"};
        for (const QString &name : names) {
            QFile kept(dir.filePath(name));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), QByteArray("earlier"));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), names);
    }
};

QTEST_MAIN(TestListingExport)
#include "tst_listingexport.moc"
