#include "print/ListingExport.h"

#include "clipboard/ClipboardExport.h"
#include "listing/ListingFormat.h"
#include "listing/ListingText.h"
#include "print/DocumentOutput.h"
#include "print/OutputFile.h"
#include "print/PreviewSurface.h"
#include "print/PrintComposer.h"
#include "print/TableText.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <ctime>
#include <stdexcept>
#include <vector>

namespace {

using Format = ListingExport::Format;
constexpr qint64 Unknown = ListingRowDetails::Unknown;

struct FormatInfo
{
    Format format;
    const char *name;
    const char *filter;
};

const FormatInfo kFormats[] = {
    {Format::Pdf, "pdf", QT_TRANSLATE_NOOP("ListingExport", "PDF document (*.pdf)")},
    {Format::Csv, "csv", QT_TRANSLATE_NOOP("ListingExport", "CSV table (*.csv)")},
    {Format::Html, "html", QT_TRANSLATE_NOOP("ListingExport", "Web page (*.html)")},
    {Format::Json, "json", QT_TRANSLATE_NOOP("ListingExport", "JSON data (*.json)")},
    {Format::Text, "txt", QT_TRANSLATE_NOOP("ListingExport", "Text (*.txt)")},
};

const FormatInfo &info(Format format)
{
    return *std::find_if(std::begin(kFormats), std::end(kFormats),
                         [format](const FormatInfo &i) { return i.format == format; });
}

// Thrown by Sink when the device refuses a write.
struct DeviceRefused
{};

// Text gathered row by row and written as UTF-8 in large pieces, so that a
// listing of a million rows never stands in memory twice.
class Sink
{
public:
    explicit Sink(QIODevice &device) : m_device(device) { m_text.reserve(Chunk + Chunk / 4); }
    QString &text() { return m_text; }
    void rowDone()
    {
        if (m_text.size() >= Chunk)
            flush();
    }
    void flush()
    {
        const QByteArray bytes = m_text.toUtf8();
        // A short write is retried: the retry either goes on or gives the system's reason.
        for (qsizetype done = 0; done < bytes.size();) {
            const qint64 written = m_device.write(bytes.constData() + done, bytes.size() - done);
            if (written <= 0)
                throw DeviceRefused();
            done += written;
        }
        m_text.resize(0); // keeps the room; clear() would give it back
    }

private:
    static constexpr qsizetype Chunk = 1 << 16;
    QIODevice &m_device;
    QString m_text;
};

void append(QString &out, std::initializer_list<QStringView> parts)
{
    for (QStringView part : parts)
        out += part;
}

// Appends text, replacing each character for which escape() gives a
// replacement; runs that need none go in whole.
template<typename Escape>
void appendEscaped(QString &out, QStringView text, Escape escape)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView replacement = escape(text[i]);
        if (replacement.isNull())
            continue;
        out += text.sliced(runStart, i - runStart);
        out += replacement;
        runStart = i + 1;
    }
    out += text.sliced(runStart);
}

// The listing's rows as entries of a tree.
class Entries
{
public:
    Entries(const ListingExport::Request &request, const ListingText &listing)
        : listing(listing), options(request.options), size(options.printSize == 1), date(options.printDate == 1)
    {
        // Without them a name holding the column separator could not be told apart.
        if (listing.details.size() != listing.rows.size())
            throw std::logic_error("an export needs a listing built with keepDetails");
    }
    qsizetype count() const { return listing.rows.size(); }
    const ListingRow &row(qsizetype i) const { return listing.rows.at(i); }
    const ListingRowDetails &details(qsizetype i) const { return listing.details.at(i); }
    QStringView name(qsizetype i) const { return listing.cell(row(i), 0).sliced(details(i).nameStart); }
    bool isFolder(qsizetype i) const { return row(i).kind == ListingRowKind::Folder; }
    // The listed size in bytes and the modification time, when their columns are on and they are known.
    qint64 bytes(qsizetype i) const { return size ? details(i).bytes : Unknown; }
    qint64 modified(qsizetype i) const { return date ? details(i).modified : Unknown; }
    QStringView sizeCell(qsizetype i) const { return size ? listing.cell(row(i), 1) : QStringView(); }
    // Files installed together share their time, so the last one is kept.
    const QString &time(qint64 seconds) const
    {
        if (seconds != m_lastTime || m_lastTimeText.isEmpty()) {
            m_lastTime = seconds;
            m_lastTimeText = ListingExport::isoDateTime(seconds);
        }
        return m_lastTimeText;
    }
    // Folders whose rows enclose row i's are closed until parent is the innermost open one.
    template<typename Close>
    void closeUntil(std::vector<qsizetype> &open, qsizetype parent, Close close) const
    {
        while (!open.empty() && open.back() != parent) {
            open.pop_back();
            close();
        }
    }

    const ListingText &listing;
    const ListingOptions &options;
    const bool size;
    const bool date;

private:
    mutable qint64 m_lastTime = 0;
    mutable QString m_lastTimeText;
};

QLatin1StringView noteName(ListingNote note)
{
    switch (note) {
    case ListingNote::Incomplete:
        return QLatin1StringView("incomplete");
    case ListingNote::Unreadable:
        return QLatin1StringView("unreadable");
    case ListingNote::NotEntered:
        return QLatin1StringView("not entered");
    case ListingNote::None:
        break;
    }
    return QLatin1StringView();
}

// RFC 4180: a field holding a comma, a quote or a line break goes in quotes,
// its quotes doubled.
void appendCsvField(QString &out, QStringView field)
{
    const auto special = [](QChar c) { return c == u',' || c == u'"' || c == u'\r' || c == u'\n'; };
    if (std::none_of(field.begin(), field.end(), special)) {
        out += field;
        return;
    }
    out += u'"';
    appendEscaped(out, field, [](QChar c) { return c == u'"' ? QStringView(u"\"\"") : QStringView(); });
    out += u'"';
}

// Each row's note, saying why it shows "?" or "+": its own problem's
// reason, or how many entries below it could not be read. The note's word
// comes first, so that what matches "unreadable" or "incomplete" still does.
std::vector<QString> csvNotes(const Entries &e)
{
    std::vector<QString> notes(size_t(e.count()));
    std::vector<qsizetype> below(size_t(e.count()), 0);
    for (const ListingProblem &problem : e.listing.problems) {
        if (problem.row < 0 || problem.row >= e.count())
            continue;
        if (problem.ownRow)
            notes[size_t(problem.row)] = noteName(problem.note) + QLatin1String(": ") + problem.reason;
        const qsizetype holder = problem.ownRow ? e.details(problem.row).parent : problem.row;
        if (problem.note == ListingNote::Unreadable && holder >= 0)
            ++below[size_t(holder)];
    }
    // A folder's rows follow it: from the last up, each count reaches its folder.
    for (qsizetype i = e.count() - 1; i >= 0; --i) {
        const qsizetype parent = e.details(i).parent;
        if (parent >= 0)
            below[size_t(parent)] += below[size_t(i)];
    }
    for (qsizetype i = 0; i < e.count(); ++i) {
        QString &note = notes[size_t(i)];
        if (note.isEmpty())
            note = noteName(e.row(i).note);
        if (!e.details(i).incomplete)
            continue;
        const qsizetype n = below[size_t(i)];
        if (e.row(i).note != ListingNote::Incomplete)
            note += QLatin1String("; incomplete");
        note += n == 1 ? QStringLiteral(": 1 entry below could not be read")
                       : QStringLiteral(": %1 entries below could not be read").arg(n);
    }
    return notes;
}

// A problem's native path from the selected folder on, as the Path column has it.
QString relativePath(const Entries &e, const QByteArray &path)
{
    const QByteArray top = e.options.nativePath.isEmpty() ? QFile::encodeName(e.options.path) : e.options.nativePath;
    const qsizetype start = top.endsWith('/') ? top.size() : top.size() + 1;
    if (path.startsWith(top) && path.size() > start && (top.endsWith('/') || path[top.size()] == '/'))
        return QFile::decodeName(path.sliced(start));
    return QFile::decodeName(path);
}

void writeCsv(const Entries &e, Sink &sink)
{
    QString &out = sink.text();
    out += u"Level,Kind,Name,Path,Size (bytes),Size (KB),Modified,Note\r\n";
    const std::vector<QString> notes = csvNotes(e);
    std::vector<QString> folderPaths(size_t(e.count()));
    for (qsizetype i = 0; i < e.count(); ++i) {
        const qsizetype parent = e.details(i).parent;
        const QString name = e.name(i).toString();
        QString path = parent >= 0 ? folderPaths[size_t(parent)] + u'/' + name : name;
        out += QString::number(e.row(i).level);
        out += e.isFolder(i) ? u",folder," : u",file,";
        appendCsvField(out, formulaSafeCell(name));
        out += u',';
        appendCsvField(out, formulaSafeCell(path));
        out += u',';
        if (e.bytes(i) != Unknown)
            out += QString::number(e.bytes(i));
        out += u',';
        appendCsvField(out, e.sizeCell(i));
        out += u',';
        if (e.modified(i) != Unknown)
            out += e.time(e.modified(i));
        out += u',';
        appendCsvField(out, notes[size_t(i)]);
        out += u"\r\n";
        if (e.isFolder(i))
            folderPaths[size_t(i)] = std::move(path);
        sink.rowDone();
    }
    // What has no row of its own (below the listed depth, or a file not listed) follows the rows.
    for (const ListingProblem &problem : e.listing.problems) {
        if (problem.ownRow)
            continue;
        const QString path = relativePath(e, problem.path);
        out += u",unread,";
        appendCsvField(out, formulaSafeCell(path.section(u'/', -1)));
        out += u',';
        appendCsvField(out, formulaSafeCell(path));
        out += u",,,,";
        appendCsvField(out, noteName(problem.note) + QLatin1String(": ") + problem.reason);
        out += u"\r\n";
        sink.rowDone();
    }
}

void appendJsonString(QString &out, QStringView text)
{
    out += u'"';
    QString escaped;
    appendEscaped(out, text, [&escaped](QChar c) -> QStringView {
        switch (c.unicode()) {
        case u'"':
            return u"\\\"";
        case u'\\':
            return u"\\\\";
        case u'\n':
            return u"\\n";
        case u'\r':
            return u"\\r";
        case u'\t':
            return u"\\t";
        default:
            if (c.unicode() >= 0x20)
                return {};
            escaped = QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            return escaped;
        }
    });
    out += u'"';
}

// Beside a name or path that is not valid UTF-8 (and so reads with
// replacement characters), its exact bytes as base64 under key.
void appendJsonBytes(QString &out, QStringView key, const QByteArray &bytes)
{
    if (QFile::encodeName(QFile::decodeName(bytes)) != bytes)
        append(out, {u", \"", key, u"\": \"", QString::fromLatin1(bytes.toBase64()), u"\""});
}

// One entry's fields; a folder's "children" array is left open.
void appendJsonEntry(QString &out, const Entries &e, qsizetype i)
{
    out += u"{\"name\": ";
    appendJsonString(out, e.name(i));
    if (const auto bytes = e.listing.nativeNames.constFind(i); bytes != e.listing.nativeNames.cend())
        appendJsonBytes(out, u"name_bytes", *bytes);
    out += e.isFolder(i) ? u", \"kind\": \"folder\"" : u", \"kind\": \"file\"";
    if (e.size)
        append(out, {u", \"size\": ", e.bytes(i) == Unknown ? QStringLiteral("null") : QString::number(e.bytes(i))});
    if (e.date) {
        if (e.modified(i) == Unknown)
            out += u", \"modified\": null";
        else
            append(out, {u", \"modified\": \"", e.time(e.modified(i)), u"\""});
    }
    const QLatin1StringView note = noteName(e.row(i).note);
    if (note.isEmpty())
        out += u", \"note\": null";
    else
        append(out, {u", \"note\": \"", QString(note), u"\""});
    out += e.isFolder(i) ? u", \"children\": [" : u"}";
}

void appendJsonHead(QString &out, const ListingExport::Request &request, const QDateTime &listedAt)
{
    const ListingOptions &o = request.options;
    const auto field = [&out](QStringView key, QStringView value) {
        append(out, {u"  \"", key, u"\": "});
        appendJsonString(out, value);
        out += u",\n";
    };
    out += u"{\n  \"folder\": ";
    appendJsonString(out, o.path);
    if (!o.nativePath.isEmpty())
        appendJsonBytes(out, u"folder_bytes", o.nativePath);
    out += u",\n";
    field(u"listed", ListingExport::isoDateTime(listedAt.toSecsSinceEpoch()));
    field(u"title", request.title);
    const auto on = [](int check) { return check == 1 ? QStringLiteral("true") : QStringLiteral("false"); };
    append(out,
           {u"  \"options\": {\"depth\": ", QString::number(ListingFormat::depthLevels(o.depthText)), u", \"files\": ",
            on(o.printFiles), u", \"size\": ", on(o.printSize), u", \"date\": ", on(o.printDate), u", \"grid\": "});
    appendJsonString(out, request.gridText);
    out += u", \"dir_mark\": ";
    appendJsonString(out, o.dirIndicator);
    out += u", \"file_mark\": ";
    appendJsonString(out, o.fileIndicator);
    append(out, {u", \"widths\": [", ListingFormat::readWidth(o.dirColWidth), u", ",
                 ListingFormat::readWidth(o.sizeColWidth), u", ", ListingFormat::readWidth(o.dateColWidth),
                 u"]},\n  \"children\": ["});
}

void writeJson(const ListingExport::Request &request, const Entries &e, const QDateTime &listedAt, Sink &sink)
{
    QString &out = sink.text();
    appendJsonHead(out, request, listedAt);
    std::vector<qsizetype> open; // folders whose children are being written
    bool first = true;           // nothing written yet in the innermost array
    const auto indent = [&] { ListingFormat::appendBlanks(out, 4 + 2 * qsizetype(open.size())); };
    const auto close = [&] {
        if (!first) {
            out += u'\n';
            indent();
        }
        out += u"]}";
        first = false;
    };
    for (qsizetype i = 0; i < e.count(); ++i) {
        e.closeUntil(open, e.details(i).parent, close);
        out += first ? u"\n" : u",\n";
        indent();
        appendJsonEntry(out, e, i);
        first = e.isFolder(i);
        if (e.isFolder(i))
            open.push_back(i);
        sink.rowDone();
    }
    e.closeUntil(open, -2, close); // no row has parent -2: closes them all
    out += first ? u"],\n  \"problems\": [" : u"\n  ],\n  \"problems\": [";
    for (qsizetype i = 0; i < e.listing.problems.size(); ++i) {
        const ListingProblem &problem = e.listing.problems.at(i);
        out += i ? u",\n    {\"path\": " : u"\n    {\"path\": ";
        appendJsonString(out, QFile::decodeName(problem.path));
        appendJsonBytes(out, u"path_bytes", problem.path);
        out += u", \"reason\": ";
        appendJsonString(out, problem.reason);
        out += u'}';
        sink.rowDone();
    }
    out += e.listing.problems.isEmpty() ? u"]\n}\n" : u"\n  ]\n}\n";
}

// Text as HTML (and XML) reads it: markup characters as references, control
// characters that neither allows as their visible pictures.
void appendHtml(QString &out, QStringView text)
{
    QString picture;
    appendEscaped(out, text, [&picture](QChar c) -> QStringView {
        switch (c.unicode()) {
        case u'&':
            return u"&amp;";
        case u'<':
            return u"&lt;";
        case u'>':
            return u"&gt;";
        case u'"':
            return u"&quot;";
        case u'\t':
        case u'\n':
        case u'\r':
            return {};
        case 0x7f:
            return u"\u2421";
        case 0xfffe:
        case 0xffff:
            return u"\ufffd";
        default:
            if (c.unicode() >= 0x20)
                return {};
            picture = QChar(0x2400 + c.unicode());
            return picture;
        }
    });
}

void appendHtmlStyle(QString &out, const ListingText &listing)
{
    out += u"<style>\n"
           "body{font-family:Arial,\"Liberation Sans\",Helvetica,sans-serif;font-size:8pt;margin:2em}\n"
           "header{display:flex;justify-content:space-between;gap:2em;font-size:9pt}\n"
           "h1{font-size:11pt;margin:6pt 0}\nh2{font-size:10pt;margin:12pt 0 4pt}\n"
           ".t{display:inline-block}\n.r{display:flex}\n"
           ".r>span{flex:none;box-sizing:border-box;padding:1pt 1.5pt;white-space:pre-wrap;"
           "overflow-wrap:anywhere}\n"
           ".f{font-size:10pt;font-weight:bold}\n"
           "summary{list-style:none;cursor:pointer}\nsummary::-webkit-details-marker{display:none}\n"
           "details:not([open])>summary>span:first-child::after{content:\" \\2026\"}\n"
           ".g1{border-top:.5pt solid}\n.g2{border-bottom:.5pt solid}\n"
           ".g4 .n,.g8 .n{border-top:.5pt solid}\n"
           ".g4 .r>span{border-right:.5pt solid}\n.g4 .r>span:first-child{border-left:.5pt solid}\n"
           ".report p{margin:0;white-space:pre-wrap}\n";
    // The columns as on paper: widths in twips (20 to the point), alignment.
    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(listing.ListFormat);
    for (int c = 0; c < listing.columnCount() && c < columns.size(); ++c) {
        append(out, {u".c", QString::number(c), u"{width:", QString::number(columns[c].width / 20.0), u"pt"});
        out += columns[c].rightAligned ? u";text-align:right}\n" : u"}\n";
    }
    out += u"</style>\n";
}

void appendHtmlCells(QString &out, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c) {
        out += u"<span class=\"c";
        out += QString::number(c);
        out += u"\">";
        appendHtml(out, cells[c]);
        out += u"</span>";
    }
}

// A row's classes: folder-sized (10 pt) by the rule paper uses, a grid line
// above all but the heading.
QString htmlRowClass(QStringView firstCell, const QString &dirIndicator, bool first)
{
    TextStyle style;
    PrintComposer::vsp1_BeforeTableText(firstCell, dirIndicator, style);
    QString classes = first ? QStringLiteral("r") : QStringLiteral("r n");
    if (style.pointSize == 10)
        classes += QStringLiteral(" f");
    return classes;
}

void appendHtmlHead(QString &out, const ListingExport::Request &request, const ListingText &listing,
                    const QDateTime &listedAt)
{
    out += u"<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n"
           "<meta name=\"generator\" content=\"Foliotrace " FOLIOTRACE_VERSION "\"/>\n<title>";
    appendHtml(out, request.title.simplified().isEmpty() ? QStringLiteral("Foliotrace") : request.title);
    out += u"</title>\n";
    appendHtmlStyle(out, listing);
    out += u"</head>\n<body>\n<header><span>";
    appendHtml(out, request.options.path.toUpper());
    out += u"</span><span>";
    appendHtml(out, ListingFormat::shortDateText(listedAt.date()));
    out += u"</span></header>\n<h1>";
    appendHtml(out, request.title);
    const int grid = PrintComposer::gridStyleFor(request.gridText).value_or(0);
    out += u"</h1>\n<div class=\"t";
    for (int flag : {1, 2, 4, 8}) {
        if (grid & flag)
            append(out, {u" g", QString::number(flag)});
    }
    append(out, {u"\">\n<div class=\"", htmlRowClass(listing.headings.value(0), request.options.dirIndicator, true),
                 u"\">"});
    appendHtmlCells(out, listing.headings);
    out += u"</div>\n";
}

void writeHtml(const ListingExport::Request &request, const Entries &e, const QDateTime &listedAt, Sink &sink)
{
    QString &out = sink.text();
    appendHtmlHead(out, request, e.listing, listedAt);
    const QString &mark = request.options.dirIndicator;
    std::vector<qsizetype> open;
    QStringList cells;
    for (qsizetype i = 0; i < e.count(); ++i) {
        e.closeUntil(open, e.details(i).parent, [&out] { out += u"</details>\n"; });
        cells.clear();
        for (int c = 0; c < e.listing.columnCount(); ++c)
            cells.append(e.listing.cell(e.row(i), c).toString());
        const QString classes = htmlRowClass(cells.value(0), mark, false);
        // A folder with rows under it folds them away.
        const bool folds = e.isFolder(i) && i + 1 < e.count() && e.details(i + 1).parent == i;
        append(out, {folds ? u"<details open=\"\"><summary class=\"" : u"<div class=\"", classes, u"\">"});
        appendHtmlCells(out, cells);
        out += folds ? u"</summary>\n" : u"</div>\n";
        if (folds)
            open.push_back(i);
        sink.rowDone();
    }
    e.closeUntil(open, -2, [&out] { out += u"</details>\n"; });
    out += u"</div>\n";
    if (!e.listing.problems.isEmpty()) {
        out += u"<section class=\"report\">\n<h2>";
        appendHtml(out, QCoreApplication::translate("PrintComposer", "Not read in full"));
        out += u"</h2>\n";
        for (const QString &line : ListingFormat::problemLines(e.listing)) {
            out += u"<p>";
            appendHtml(out, line);
            out += u"</p>\n";
            sink.rowDone();
        }
        out += u"</section>\n";
    }
    out += u"</body>\n</html>\n";
}

// The document "Print" would send, composed on a surface of its own so
// that the window's preview keeps its document.
void compose(PreviewSurface &surface, const ListingExport::Request &request, const ListingExport::Build &build)
{
    const PrintComposer::WindowValues values{request.gridText, request.options.path, request.title,
                                             request.options.dirIndicator, request.options.fileIndicator};
    PrintComposer::SendPrintData(surface, values,
                                 [&](const QString &cSeperator, const QString &rSeperator) -> const ListingText & {
                                     return build(request.options, cSeperator, rSeperator);
                                 });
}

} // namespace

QString ListingExport::name(Format format)
{
    return QString::fromLatin1(info(format).name);
}

std::optional<ListingExport::Format> ListingExport::formatNamed(QStringView name)
{
    for (const FormatInfo &format : kFormats) {
        if (name.compare(QLatin1StringView(format.name), Qt::CaseInsensitive) == 0)
            return format.format;
    }
    if (name.compare(u"htm", Qt::CaseInsensitive) == 0)
        return Format::Html;
    if (name.compare(u"text", Qt::CaseInsensitive) == 0)
        return Format::Text;
    return std::nullopt;
}

std::optional<ListingExport::Format> ListingExport::formatOfFile(QStringView fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || fileName.indexOf(u'/', dot) >= 0)
        return std::nullopt;
    return formatNamed(fileName.sliced(dot + 1));
}

QString ListingExport::fileFilter(Format format)
{
    return tr(info(format).filter);
}

QString ListingExport::isoDateTime(qint64 secondsSinceEpoch)
{
    const time_t t = time_t(secondsSinceEpoch);
    struct tm local;
    if (qint64(t) != secondsSinceEpoch || !localtime_r(&t, &local))
        return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).toString(Qt::ISODate);
    const long offset = local.tm_gmtoff / 60;
    const long hours = std::labs(offset) / 60;
    const long minutes = std::labs(offset) % 60;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, offset < 0 ? '-' : '+',
                  hours, minutes);
    return QString::fromLatin1(text);
}

bool ListingExport::write(const Request &request, const ListingText &listing, const QDateTime &listedAt, QIODevice &out)
{
    const Entries entries(request, listing);
    Sink sink(out);
    try {
        switch (request.format) {
        case Format::Csv:
            writeCsv(entries, sink);
            break;
        case Format::Html:
            writeHtml(request, entries, listedAt, sink);
            break;
        case Format::Json:
            writeJson(request, entries, listedAt, sink);
            break;
        case Format::Text:
            sink.text() = clipboardText(request.title, listing);
            break;
        case Format::Pdf:
            throw std::logic_error("a PDF is composed, not written from the listing");
        }
        sink.flush();
    } catch (const DeviceRefused &) {
        return false;
    }
    return true;
}

void ListingExport::save(const Request &request, const Build &build, const QString &fileName)
{
    // Opened before the walk, so that an output that cannot be written
    // fails at once; dropped without commit(), it leaves nothing behind.
    OutputFile file(fileName);
    if (request.format == Format::Pdf) {
        PreviewSurface surface;
        compose(surface, request, build);
        DocumentOutput::writePdf(surface.document(), file);
        file.commit();
        return;
    }

    Request used = request;
    used.options.keepDetails = true;
    const bool text = request.format == Format::Text;
    if (text) {
        // The text "Copy" puts on the clipboard, its marks rewritten the same way.
        used.options.dirIndicator = clipboardDirIndicator(request.options.dirIndicator);
        used.options.fileIndicator = clipboardFileIndicator(request.options.fileIndicator);
    }
    const QDateTime listedAt = QDateTime::currentDateTime();
    const ListingText &listing = build(used.options, text ? QStringLiteral("\t") : QStringLiteral("|"),
                                       text ? QStringLiteral("\r\n") : QStringLiteral(";"));
    if (!write(used, listing, listedAt, file))
        file.throwFailure(tr("the listing could not be written"));
    file.commit();
}

void ListingExport::print(const Request &request, const Build &build)
{
    PreviewSurface surface;
    compose(surface, request, build);
    DocumentOutput::sendToDefaultPrinter(surface.document());
}
