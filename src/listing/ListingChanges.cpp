#include "listing/ListingChanges.h"

#include "listing/ListingFormat.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

using Handle = ListingComparison::Handle;
using Index = EarlierEntries::Index;
using Change = ListingComparison::Change;
constexpr qint64 Unknown = ListingRowDetails::Unknown;

// Writes the compared listing beside the one built: the rows copied with
// their change, the earlier listing's removed entries merged in where the
// listing's order puts them. The rows come in the order of the tree, so
// one pass with a stack of the folders open does it.
class Rewriter
{
public:
    Rewriter(const ListingOptions &options, const ListingText &in, const ListingComparison &comparison,
             ListingScope scope, ListingText &out, ListingChanges &changes)
        : m_options(options)
        , m_scope(std::move(scope))
        , m_in(in)
        , m_comparison(comparison)
        , m_then(options.compare->entries)
        , m_out(out)
        , m_changes(changes)
        , m_newIndex(size_t(in.rows.size()), -1)
        , m_removed(comparison.removed())
    {
        std::stable_sort(m_removed.begin(), m_removed.end(),
                         [](const auto &a, const auto &b) { return a.folder < b.folder; });
    }

    void run()
    {
        openFolder(ListingComparison::Root, -1, 0);
        for (qsizetype old = 0; old < m_in.rows.size(); ++old) {
            const Handle parent = Handle(m_in.details.at(old).parent + 1);
            while (m_open.back().handle != parent)
                closeFolder();
            flushBefore(m_open.back(), old);
            const qsizetype row = appendCurrent(old, m_open.back().newRow);
            m_newIndex[size_t(old)] = row;
            if (m_in.rows.at(old).kind == ListingRowKind::Folder)
                openFolder(Handle(old + 1), row, m_in.rows.at(old).level);
        }
        while (!m_open.empty())
            closeFolder();
        moveProblems();
    }

private:
    struct Open
    {
        Handle handle = ListingComparison::Root;
        qsizetype newRow = -1;
        int level = 0;                     // the folder's: 0 for the listed folder
        std::vector<Index> folders, files; // removed from it, in the listing's order
        size_t nextFolder = 0, nextFile = 0;
    };

    ListingChangeColumn::OrderKey earlierKey(Index i) const
    {
        const EarlierEntries::Entry &e = m_then.at(i);
        return {m_then.name(i), e.bytes, e.modified, e.kind == ListingRowKind::Folder};
    }

    void openFolder(Handle handle, qsizetype newRow, int level)
    {
        Open open{handle, newRow, level, {}, {}, 0, 0};
        const auto [first, last] = std::equal_range(m_removed.begin(), m_removed.end(),
                                                    ListingComparison::Removed{handle, EarlierEntries::None},
                                                    [](const auto &a, const auto &b) { return a.folder < b.folder; });
        for (auto it = first; it != last; ++it)
            (m_then.at(it->earlier).kind == ListingRowKind::Folder ? open.folders : open.files).push_back(it->earlier);
        const ListingOrder order = m_options.choices.order;
        for (std::vector<Index> *list : {&open.folders, &open.files}) {
            std::stable_sort(list->begin(), list->end(), [&](Index a, Index b) {
                return ListingChangeColumn::compareInOrder(order, earlierKey(a), earlierKey(b)) < 0;
            });
        }
        m_open.push_back(std::move(open));
    }

    // What is left of a folder's removed entries goes at its end: the
    // listed folder's files come before its folders, any other's after.
    void closeFolder()
    {
        Open &open = m_open.back();
        const bool filesFirst = open.handle == ListingComparison::Root;
        flushAll(open, !filesFirst);
        flushAll(open, filesFirst);
        m_open.pop_back();
    }

    void flushAll(Open &open, bool folders)
    {
        const std::vector<Index> &list = folders ? open.folders : open.files;
        for (size_t &next = folders ? open.nextFolder : open.nextFile; next < list.size(); ++next)
            appendRemoved(open, list[next]);
    }

    // The removed entries that come before row old of the folder.
    void flushBefore(Open &open, qsizetype old)
    {
        const bool folder = m_in.rows.at(old).kind == ListingRowKind::Folder;
        const bool filesFirst = open.handle == ListingComparison::Root;
        if (folder == filesFirst)
            flushAll(open, !folder);
        const std::vector<Index> &list = folder ? open.folders : open.files;
        size_t &next = folder ? open.nextFolder : open.nextFile;
        if (next >= list.size())
            return;
        const QByteArray name = currentName(old);
        const ListingRowDetails &d = m_in.details.at(old);
        const ListingChangeColumn::OrderKey key{name, d.bytes, d.modified, folder};
        const ListingOrder order = m_options.choices.order;
        for (; next < list.size() && ListingChangeColumn::compareInOrder(order, earlierKey(list[next]), key) < 0;
             ++next)
            appendRemoved(open, list[next]);
    }

    QByteArray currentName(qsizetype old) const
    {
        const auto bytes = m_in.nativeNames.constFind(old);
        if (bytes != m_in.nativeNames.cend())
            return *bytes;
        return QFile::encodeName(m_in.cell(m_in.rows.at(old), 0).sliced(m_in.details.at(old).nameStart).toString());
    }

    ListingRowChange changeOf(qsizetype old) const
    {
        const ListingComparison::Result &result = m_comparison.result(Handle(old + 1));
        ListingRowChange change;
        if (result.change == Change::Added) {
            change.change = RowChange::Added;
        } else if (result.change == Change::Changed) {
            change.change = RowChange::Changed;
            const EarlierEntries::Entry *then
                = result.earlier == EarlierEntries::None ? nullptr : &m_then.at(result.earlier);
            if (then && result.sizeDiffers)
                change.sizeBefore = then->bytes;
            if (then && result.dateDiffers)
                change.modifiedBefore = then->modified;
        } else {
            return change;
        }
        change.changeBytes = result.sizeDifference;
        return change;
    }

    qsizetype appendCurrent(qsizetype old, qsizetype parentRow)
    {
        const ListingRowChange change = changeOf(old);
        if (m_options.changesOnly && change.change == RowChange::None)
            return -1;
        const ListingRow &in = m_in.rows.at(old);
        ListingRow row = startRow(in.kind, in.level, in.note, m_in.cell(in, 0), change.change);
        for (int column = 1; column < m_in.columnCount(); ++column) {
            QString &body = startCell();
            body += m_in.cell(in, column);
            if (m_in.columns.at(column) == ListingColumn::Size && change.change == RowChange::Changed
                && change.changeBytes != Unknown && change.changeBytes != 0) {
                body += QLatin1String(" (");
                ListingChangeColumn::appendDifference(body, change.changeBytes, m_sizes);
                body += u')';
            }
            endCell(row, column + 1);
        }
        ListingRowDetails details = m_in.details.at(old);
        details.parent = parentRow;
        const auto bytes = m_in.nativeNames.constFind(old);
        if (bytes != m_in.nativeNames.cend())
            m_out.nativeNames.insert(m_out.rows.size(), *bytes);
        return endRow(row, details, change);
    }

    // A removed entry and, when a folder, what it held as far as the
    // listing goes now, in the earlier listing's order.
    void appendRemoved(const Open &open, Index gone)
    {
        std::vector<std::pair<Index, qsizetype>> folders; // removed folders open: end, row
        for (Index i = gone; i < m_then.at(gone).end;) {
            while (!folders.empty() && folders.back().first <= i)
                folders.pop_back();
            const EarlierEntries::Entry &then = m_then.at(i);
            const int level = open.level + 1 + int(folders.size()); // in names, as the scope counts
            if (i != gone && m_scope.reach({then.kind, level, m_then.name(i)}) != ListingScope::Reach::Held) {
                i = then.end;
                continue;
            }
            const qsizetype parent = folders.empty() ? open.newRow : folders.back().second;
            const bool folder = then.kind == ListingRowKind::Folder;
            const qsizetype row = appendEarlier(i, folder ? level : level - 1, parent);
            if (folder)
                folders.emplace_back(then.end, row);
            ++i;
        }
    }

    qsizetype appendEarlier(Index i, int rowLevel, qsizetype parentRow)
    {
        const EarlierEntries::Entry &then = m_then.at(i);
        const QByteArrayView name = m_then.name(i);
        QString nameCell;
        ListingFormat::appendBlanks(nameCell, ListingFormat::indentOf(then.kind, rowLevel));
        const bool folder = then.kind == ListingRowKind::Folder;
        nameCell += folder ? m_options.dirMark : m_options.fileMark;
        ListingFormat::appendBlanks(nameCell, folder ? 1 : 2);
        const qint32 nameStart = qint32(nameCell.size());
        ListingFormat::appendName(nameCell, name);
        ListingRowChange change{then.bytes == Unknown ? Unknown : -then.bytes, Unknown, Unknown, RowChange::Removed};
        ListingRow row = startRow(then.kind, rowLevel, ListingNote::None, nameCell, change.change);
        // What the earlier listing kept: its size and date; the other columns stay empty.
        for (int column = 1; column < m_in.columnCount(); ++column) {
            QString &body = startCell();
            if (m_in.columns.at(column) == ListingColumn::Size) {
                if (then.bytes == Unknown)
                    body += u'?';
                else
                    m_sizes.append(body, then.bytes);
                if (then.incomplete)
                    body += u'+';
            } else if (m_in.columns.at(column) == ListingColumn::Date) {
                if (then.modified == Unknown)
                    body += u'?';
                else
                    m_dates.append(body, FileTime(std::chrono::seconds(then.modified)));
            }
            endCell(row, column + 1);
        }
        if (QFile::encodeName(QFile::decodeName(name.toByteArray())) != name)
            m_out.nativeNames.insert(m_out.rows.size(), name.toByteArray());
        return endRow(row, {then.bytes, then.modified, parentRow, nameStart, then.incomplete}, change);
    }

    // The name cell and the change cell.
    ListingRow startRow(ListingRowKind kind, int level, ListingNote note, QStringView nameCell, RowChange change)
    {
        ListingRow row;
        row.offset = m_out.ListBody.size();
        row.kind = kind;
        row.level = level;
        row.note = note;
        m_out.ListBody += nameCell;
        row.setCellLength(0, m_out.columnCount(), qint32(nameCell.size()));
        startCell() += ListingChangeColumn::word(change);
        endCell(row, 1);
        return row;
    }

    QString &startCell()
    {
        m_out.ListBody += m_out.columnSeparator;
        m_cellStart = m_out.ListBody.size();
        return m_out.ListBody;
    }

    void endCell(ListingRow &row, int column)
    {
        row.setCellLength(column, m_out.columnCount(), qint32(m_out.ListBody.size() - m_cellStart));
    }

    qsizetype endRow(const ListingRow &row, const ListingRowDetails &details, const ListingRowChange &change)
    {
        m_out.ListBody += m_out.rowSeparator;
        m_out.rows.append(row);
        m_out.details.append(details);
        m_changes.rows.push_back(change);
        return m_out.rows.size() - 1;
    }

    // Each problem to its row's new place, or the nearest folder holding
    // it that is still listed.
    void moveProblems()
    {
        for (ListingProblem problem : m_in.problems) {
            qsizetype row = problem.row;
            while (row >= 0 && m_newIndex[size_t(row)] < 0) {
                row = m_in.details.at(row).parent;
                problem.ownRow = false;
            }
            problem.row = row < 0 ? -1 : m_newIndex[size_t(row)];
            m_out.problems.append(std::move(problem));
        }
    }

    const ListingOptions &m_options;
    const ListingScope m_scope; // the listing's now
    const ListingText &m_in;
    const ListingComparison &m_comparison;
    const EarlierEntries &m_then;
    ListingText &m_out;
    ListingChanges &m_changes;
    std::vector<qsizetype> m_newIndex; // by row built: its row now, or -1 when left out
    std::vector<ListingComparison::Removed> m_removed;
    std::vector<Open> m_open;
    qsizetype m_cellStart = 0;
    ListingFormat::SizeCellWriter m_sizes;
    ListingFormat::DateCellWriter m_dates;
};

// The Change column goes right after the name.
void addChangeColumn(ListingText &out)
{
    out.headings.insert(1, ListingColumns::heading(ListingColumn::Change));
    out.columns.insert(1, ListingColumn::Change);
    out.ListHeader = out.headings.join(out.columnSeparator) + out.rowSeparator;
    qsizetype nameEnd = 0;
    while (nameEnd < out.ListFormat.size() && out.ListFormat[nameEnd] != u'|' && out.ListFormat[nameEnd] != u';')
        ++nameEnd;
    out.ListFormat.insert(nameEnd, QLatin1String("|1100"));
}

} // namespace

void ListingChangeColumn::apply(const ListingOptions &options, ListingText &listing)
{
    if (!options.compare)
        return;
    const ComparedListing &then = *options.compare;
    ListingScope earlierScope = scopeOf(then.options);
    ListingScope currentScope = scopeOf(options);
    // Sizes counted another way differ everywhere without anything having changed.
    const bool sizesAlike = then.options.choices.sizes == options.choices.sizes
                            && then.options.choices.linksOnce == options.choices.linksOnce;
    if (!sizesAlike)
        earlierScope.sizes = currentScope.sizes = false;
    const ListingChoices &a = then.options.choices, &b = options.choices;
    const bool filtersAlike
        = a.include == b.include && a.skip == b.skip && a.matchCase == b.matchCase && a.hidden == b.hidden;
    earlierScope.folderSizes = filtersAlike;
    ListingComparison comparison(then.entries, std::move(earlierScope), currentScope);
    comparison.meetRows(listing);

    auto changes = std::make_shared<ListingChanges>();
    ListingText out;
    out.ListFormat = listing.ListFormat;
    out.headings = listing.headings;
    out.columns = listing.columns;
    out.totals = listing.totals;
    out.columnSeparator = listing.columnSeparator;
    out.rowSeparator = listing.rowSeparator;
    out.dirMark = listing.dirMark;
    out.fileMark = listing.fileMark;
    out.choicesLine = listing.choicesLine;
    out.ListBody = listing.rowSeparator;
    addChangeColumn(out);
    Rewriter(options, listing, comparison, std::move(currentScope), out, *changes).run();

    changes->summary = comparison.summary();
    changes->fileName = QFileInfo(then.fileName).fileName();
    changes->listed = then.listed;
    changes->earlierDepth = then.options.depth;
    changes->sizesAlike = sizesAlike || !options.sizes;
    changes->filtersAlike = filtersAlike || !options.sizes;
    changes->line = summaryLine(*changes);
    out.changes = std::move(changes);
    listing = std::move(out);
}
