#include "print/ListingSearch.h"

#include "listing/ListingText.h"
#include "print/ListingComposer.h"

#include <algorithm>

ListingSearch::ListingSearch(const ListingText &listing)
    : m_index(std::async(std::launch::async, [listing] { return indexOf(listing); }).share())
{}

ListingSearch::Index ListingSearch::indexOf(const ListingText &listing)
{
    Index index;
    index.starts.reserve(size_t(listing.rows.size()));
    index.names.reserve(listing.ListBody.size() / 2);
    for (const ListingRow &row : listing.rows) {
        const QStringView cell = listing.cell(row, 0);
        const qsizetype start = ListingComposer::nameStart(cell, row, listing.dirMark, listing.fileMark);
        index.starts.push_back(index.names.size());
        index.names += cell.sliced(start == cell.size() ? 0 : start);
        index.names += QChar(0);
    }
    // Qt::CaseInsensitive compares by the same simple folding, one character for one.
    index.names = std::move(index.names).toCaseFolded();
    return index;
}

qsizetype ListingSearch::rowAt(qsizetype position) const
{
    const std::vector<qsizetype> &starts = m_index.get().starts;
    const auto after = std::upper_bound(starts.begin(), starts.end(), position);
    return qsizetype(after - starts.begin()) - 1;
}

qsizetype ListingSearch::find(QStringView text, qsizetype from, Direction direction) const
{
    const qsizetype rows = rowCount();
    if (text.isEmpty() || rows == 0 || text.contains(QChar(0)))
        return -1;
    const QString folded = text.toString().toCaseFolded();
    const std::vector<qsizetype> &starts = m_index.get().starts;
    const QStringView names(m_index.get().names);
    if (direction == Direction::Forward) {
        // From the start of the row after from, then from the top.
        const qsizetype next = from + 1 < rows && from >= -1 ? from + 1 : 0;
        qsizetype at = names.indexOf(folded, starts[size_t(next)]);
        if (at < 0 && next > 0)
            at = names.first(starts[size_t(next)]).indexOf(folded);
        return at < 0 ? -1 : rowAt(at);
    }
    // Backward: matches that end before the row from starts, then from the bottom.
    const qsizetype before = from >= 0 && from < rows ? from : rows;
    const qsizetype limit = before < rows ? starts[size_t(before)] : names.size();
    qsizetype at = limit > 0 ? names.first(limit).lastIndexOf(folded) : -1;
    if (at < 0 && limit < names.size())
        at = names.lastIndexOf(folded);
    return at < 0 ? -1 : rowAt(at);
}
