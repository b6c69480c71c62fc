#include "export/ExportText.h"

#include "clipboard/ClipboardExport.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace ExportText {

namespace {

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

// The header of an optional column, in English as the others are.
QString csvHeading(ListingColumn column)
{
    switch (column) {
    case ListingColumn::Files:
        return QStringLiteral("Files");
    case ListingColumn::Folders:
        return QStringLiteral("Folders");
    case ListingColumn::Time:
        return QStringLiteral("Time");
    case ListingColumn::Owner:
        return QStringLiteral("Owner");
    case ListingColumn::Permissions:
        return QStringLiteral("Permissions");
    case ListingColumn::Created:
        return QStringLiteral("Created");
    default:
        return ListingColumns::word(column);
    }
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

} // namespace

void writeCsv(const Entries &e, Sink &sink)
{
    QString &out = sink.text();
    const QList<ListingColumn> extra = e.extraColumns();
    // A comparison adds its two columns; without one the file stays as it always was.
    const bool compared = bool(e.listing.changes);
    out += compared ? u"Level,Kind,Name,Change,Path,Size (bytes),Size (KB),Modified,"
                    : u"Level,Kind,Name,Path,Size (bytes),Size (KB),Modified,";
    for (ListingColumn column : extra)
        append(out, {csvHeading(column), u","});
    out += compared ? u"Note,change_bytes\r\n" : u"Note\r\n";
    const std::vector<QString> notes = csvNotes(e);
    std::vector<QString> folderPaths(size_t(e.count()));
    for (qsizetype i = 0; i < e.count(); ++i) {
        const qsizetype parent = e.details(i).parent;
        const QString name = e.name(i).toString();
        QString path = parent >= 0 ? folderPaths[size_t(parent)] + u'/' + name : name;
        out += QString::number(e.row(i).level);
        out += e.isFolder(i) ? u",folder," : u",file,";
        appendCsvField(out, formulaSafeCell(name));
        if (const ListingRowChange *change = e.change(i))
            out += u',' + changeName(change->change);
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
        for (ListingColumn column : extra) {
            appendCsvField(out, formulaSafeCell(e.value(i, column)));
            out += u',';
        }
        appendCsvField(out, notes[size_t(i)]);
        if (const ListingRowChange *change = e.change(i))
            append(out, {u",", change->changeBytes == Unknown ? QString() : QString::number(change->changeBytes)});
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
        out += compared ? u",," : u",";
        appendCsvField(out, formulaSafeCell(path));
        out += u",,,,";
        out += QString(extra.size(), u',');
        appendCsvField(out, noteName(problem.note) + QLatin1String(": ") + problem.reason);
        out += compared ? u",\r\n" : u"\r\n";
        sink.rowDone();
    }
}

} // namespace ExportText
