#include "export/EarlierListing.h"
#include "export/ExportText.h"

#include "listing/ListingFormat.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace ExportText {

namespace {

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

// What a comparison says of an entry; nothing when it did not change.
void appendJsonChange(QString &out, const Entries &e, qsizetype i)
{
    const ListingRowChange *change = e.change(i);
    if (!change || change->change == RowChange::None)
        return;
    out += u", \"change\": \"";
    out += changeName(change->change);
    out += u'"';
    if (change->sizeBefore != Unknown)
        append(out, {u", \"size_before\": ", QString::number(change->sizeBefore)});
    if (change->modifiedBefore != Unknown)
        append(out, {u", \"modified_before\": \"", e.time(change->modifiedBefore), u"\""});
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
    for (ListingColumn column : e.options.choices.columns) {
        append(out, {u", \"", ListingColumns::word(column), u"\": "});
        const QString value = column == ListingColumn::Path ? e.cellOf(i, column).toString() : e.value(i, column);
        if (value.isNull())
            out += u"null";
        else if (column == ListingColumn::Files || column == ListingColumn::Folders)
            out += value;
        else
            appendJsonString(out, value);
    }
    const QLatin1StringView note = noteName(e.row(i).note);
    if (note.isEmpty())
        out += u", \"note\": null";
    else
        append(out, {u", \"note\": \"", QString(note), u"\""});
    appendJsonChange(out, e, i);
    out += e.isFolder(i) ? u", \"children\": [" : u"}";
}

void appendJsonPatterns(QString &out, QStringView key, const QStringList &patterns)
{
    append(out, {u", \"", key, u"\": ["});
    for (qsizetype i = 0; i < patterns.size(); ++i) {
        out += i ? u", " : u"";
        appendJsonString(out, patterns[i]);
    }
    out += u']';
}

// The choices, and the line that names them ("" for none), within "options".
void appendJsonChoices(QString &out, const ListingChoices &c, const QString &summary)
{
    const auto on = [](bool set) { return set ? QStringLiteral("true") : QStringLiteral("false"); };
    appendJsonPatterns(out, u"include", c.include);
    appendJsonPatterns(out, u"skip", c.skip);
    append(out, {u", \"match_case\": ", on(c.matchCase), u", \"hidden\": ", on(c.hidden), u", \"prune_empty\": ",
                 on(c.pruneEmpty), u", \"one_file_system\": ", on(c.oneFileSystem), u", \"sizes\": \"",
                 ListingChoiceText::sizesWord(c.sizes), u"\", \"links_once\": ", on(c.linksOnce), u", \"order\": \"",
                 ListingChoiceText::orderWord(c.order), u"\", \"summary\": "});
    appendJsonString(out, summary);
}

void appendJsonHead(QString &out, const ListingExport::Request &request, const QString &summary,
                    const QDateTime &listedAt)
{
    const ListingOptions &o = request.options;
    const auto field = [&out](QStringView key, QStringView value) {
        append(out, {u"  \"", key, u"\": "});
        appendJsonString(out, value);
        out += u",\n";
    };
    // First, so that a reader knows what it reads before anything else. Fields
    // a reader may pass over come without a new version; the version goes up
    // only when a field changes what it means.
    out += u"{\n  \"format\": \"";
    out += QLatin1StringView(EarlierListing::FormatName);
    append(out, {u"\",\n  \"version\": ", QString::number(EarlierListing::FormatVersion), u",\n  \"folder\": "});
    appendJsonString(out, o.path);
    if (!o.nativePath.isEmpty())
        appendJsonBytes(out, u"folder_bytes", o.nativePath);
    out += u",\n";
    field(u"listed", ListingExport::isoDateTime(listedAt.toSecsSinceEpoch()));
    field(u"title", request.page.title);
    const auto on = [](bool set) { return set ? QStringLiteral("true") : QStringLiteral("false"); };
    append(out, {u"  \"options\": {\"depth\": ", QString::number(o.depth), u", \"files\": ", on(o.files),
                 u", \"size\": ", on(o.sizes), u", \"date\": ", on(o.dates), u", \"grid\": "});
    appendJsonString(out, request.page.grid ? QString(GridStyles::name(*request.page.grid)) : QString());
    out += u", \"dir_mark\": ";
    appendJsonString(out, o.dirMark);
    out += u", \"file_mark\": ";
    appendJsonString(out, o.fileMark);
    append(out, {u", \"widths\": [", o.width(ListingColumn::Name).plain(), u", ", o.width(ListingColumn::Size).plain(),
                 u", ", o.width(ListingColumn::Date).plain(), u"]"});
    appendJsonChoices(out, o.choices, summary);
    if (!o.choices.columns.isEmpty()) {
        append(out,
               {u", \"columns\": [\"", ListingColumns::words(o.choices.columns).replace(u',', QStringLiteral("\", \"")),
                u"\"], \"column_widths\": ["});
        for (qsizetype c = 0; c < o.choices.columns.size(); ++c)
            append(out, {c ? u", " : u"", o.width(o.choices.columns[c]).plain()});
        out += u']';
    }
    out += u"},\n";
}

// What the listing was compared with and what changed: the line under the title, in numbers.
void appendJsonComparison(QString &out, const ListingExport::Request &request, const ListingText &listing)
{
    if (!listing.changes)
        return;
    const ListingChanges &c = *listing.changes;
    const ListingComparison::Summary &sum = c.summary;
    out += u"  \"compared_with\": {\"file\": ";
    appendJsonString(out, c.fileName);
    out += u", \"listed\": ";
    appendJsonString(out, c.listed.isValid() ? ListingExport::isoDateTime(c.listed.toSecsSinceEpoch()) : QString());
    const auto number = [](qint64 n) { return QString::number(n); };
    append(out, {u", \"added\": ", number(sum.files.added + sum.folders.added), u", \"removed\": ",
                 number(sum.files.removed + sum.folders.removed), u", \"changed\": ",
                 number(sum.files.changed + sum.folders.changed), u", \"change_bytes\": ",
                 sum.sizesCompared ? number(sum.sizeDifference) : QStringLiteral("null"), u", \"summary\": "});
    appendJsonString(out, c.line);
    append(out, {u"},\n  \"changes_only\": ", request.options.changesOnly ? u"true" : u"false", u",\n"});
}

// The totals line's numbers, those whose columns are on.
void appendJsonTotals(QString &out, const ListingTotals &totals)
{
    if (!totals.shown)
        return;
    out += u"\n  \"totals\": {";
    QString parts;
    if (totals.folders)
        append(parts, {u", \"folders\": ", QString::number(totals.folderCount)});
    if (totals.files)
        append(parts, {u", \"files\": ", QString::number(totals.fileCount)});
    if (totals.bytes)
        append(parts, {u", \"bytes\": ", QString::number(totals.byteCount)});
    append(parts, {u", \"incomplete\": ", totals.incomplete ? u"true" : u"false"});
    append(out, {QStringView(parts).sliced(2), u"},"});
}

} // namespace

void writeJson(const ListingExport::Request &request, const Entries &e, const QDateTime &listedAt, Sink &sink)
{
    QString &out = sink.text();
    appendJsonHead(out, request, e.listing.choicesLine, listedAt);
    appendJsonComparison(out, request, e.listing);
    out += u"  \"children\": [";
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
    out += first ? u"]," : u"\n  ],";
    appendJsonTotals(out, e.listing.totals);
    out += u"\n  \"problems\": [";
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

} // namespace ExportText
