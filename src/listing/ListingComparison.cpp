#include "listing/ListingComparison.h"

#include "listing/ListingFormat.h"

#include <QFile>

#include <algorithm>

using Index = EarlierEntries::Index;
constexpr Index None = EarlierEntries::None;

ListingScope ListingScope::of(const ListingOptions &options)
{
    ListingScope scope;
    scope.depth = std::clamp(options.depth, 1, ListingFormat::MaxDepth);
    scope.files = options.files;
    scope.sizes = options.sizes;
    scope.dates = options.dates;
    return scope;
}

ListingScope::Reach ListingScope::reach(const Candidate &entry) const
{
    if (entry.kind == ListingRowKind::File && !files)
        return Reach::NoFiles;
    if (entry.level > depth + (entry.kind == ListingRowKind::File ? 1 : 0))
        return Reach::TooDeep;
    if (leftOut && leftOut(entry))
        return Reach::LeftOut;
    return Reach::Held;
}

ListingComparison::ListingComparison(const EarlierEntries &earlier, ListingScope earlierScope,
                                     ListingScope currentScope)
    : m_earlier(earlier)
    , m_earlierScope(std::move(earlierScope))
    , m_currentScope(std::move(currentScope))
    , m_metEarlier(size_t(earlier.size()), false)
{
    m_entries.push_back(Met{}); // Root
}

ListingComparison::Handle ListingComparison::meet(Handle folder, QByteArrayView name, const Current &now)
{
    const Met &parent = m_entries[size_t(folder)];
    Met met;
    met.parent = folder;
    met.level = parent.level + 1;
    met.contentsRead = now.contentsRead;
    met.file = now.kind == ListingRowKind::File;
    Index then = None;
    if (folder == Root)
        then = m_earlier.find(None, name);
    else if (parent.result.earlier != None)
        then = m_earlier.find(parent.result.earlier, name);
    if (then != None) {
        m_metEarlier[size_t(then)] = true;
        met.result.earlier = then;
        compare(met.result, m_earlier.at(then), now);
    } else {
        met.result.change = notEarlier(parent, {now.kind, met.level, name});
        if (met.result.change == Change::Added && m_currentScope.sizes && !now.incomplete)
            met.result.sizeDifference = now.bytes;
    }
    const Handle handle = Handle(m_entries.size());
    m_entries.push_back(met); // parent is not used past here: the push may move it
    if (met.result.change == Change::Added || met.result.change == Change::Changed)
        markChanged(folder);
    return handle;
}

// Why an entry the earlier listing does not hold is not there.
ListingComparison::Change ListingComparison::notEarlier(const Met &folder, const ListingScope::Candidate &entry)
{
    if (folder.result.change == Change::NotCompared)
        return Change::NotCompared;
    if (folder.result.earlier != None && !m_earlier.at(folder.result.earlier).contentsRead) {
        m_limits |= Limit::EarlierUnread;
        return Change::NotCompared;
    }
    switch (m_earlierScope.reach(entry)) {
    case ListingScope::Reach::Held:
        return Change::Added;
    case ListingScope::Reach::TooDeep:
        m_limits |= Limit::EarlierDepth;
        break;
    case ListingScope::Reach::NoFiles:
        m_limits |= Limit::EarlierFiles;
        break;
    case ListingScope::Reach::LeftOut:
        m_limits |= Limit::EarlierLeftOut;
        break;
    }
    return Change::NotCompared;
}

void ListingComparison::compare(Result &result, const EarlierEntries::Entry &then, const Current &now)
{
    result.kindDiffers = then.kind != now.kind;
    const bool folder = then.kind == ListingRowKind::Folder || now.kind == ListingRowKind::Folder;
    const bool totals = !folder || (m_earlierScope.folderSizes && m_currentScope.folderSizes);
    if (m_earlierScope.sizes && m_currentScope.sizes) {
        if (totals && then.bytes != Unknown && now.bytes != Unknown && !then.incomplete && !now.incomplete) {
            result.sizeDifference = now.bytes - then.bytes;
            result.sizeDiffers = result.sizeDifference != 0;
        }
    } else if (m_currentScope.sizes) {
        m_limits |= Limit::EarlierSizes;
    }
    if (m_earlierScope.dates && m_currentScope.dates) {
        if (then.modified != Unknown && now.modified != Unknown)
            result.dateDiffers = then.modified != now.modified;
    } else if (m_currentScope.dates) {
        m_limits |= Limit::EarlierDates;
    }
    const bool changed = result.kindDiffers || result.sizeDiffers || result.dateDiffers;
    result.change = changed ? Change::Changed : Change::Unchanged;
}

// The folder and those holding it changed below; each is marked once.
void ListingComparison::markChanged(Handle folder)
{
    for (Handle h = folder; h >= 0 && !m_entries[size_t(h)].result.changedBelow; h = m_entries[size_t(h)].parent) {
        Result &result = m_entries[size_t(h)].result;
        result.changedBelow = true;
        if (result.change == Change::Unchanged)
            result.change = Change::Changed;
    }
}

std::span<const ListingComparison::Removed> ListingComparison::finish(Handle folder)
{
    const Met &met = m_entries[size_t(folder)];
    const size_t first = m_removed.size();
    const bool sizes = m_earlierScope.sizes && m_currentScope.sizes;
    if ((folder == Root || met.result.earlier != None) && met.contentsRead) {
        for (Index gone = m_earlier.firstChild(met.result.earlier); gone != None; gone = m_earlier.nextSibling(gone)) {
            const EarlierEntries::Entry &then = m_earlier.at(gone);
            const ListingScope::Candidate entry{then.kind, met.level + 1, m_earlier.name(gone)};
            if (m_metEarlier[size_t(gone)] || m_currentScope.reach(entry) != ListingScope::Reach::Held)
                continue;
            m_removed.push_back({folder, gone});
            countRemoved(gone, met.level + 1);
            if (folder == Root && sizes && then.bytes != Unknown && !then.incomplete)
                m_removedBytes -= then.bytes;
        }
    }
    if (m_removed.size() > first)
        markChanged(folder);
    return std::span<const Removed>(m_removed).subspan(first);
}

// A removed entry and what was below it, as far as the listing goes now.
void ListingComparison::countRemoved(Index gone, int level)
{
    std::vector<Index> ends; // of the removed folders holding the entry counted
    for (Index i = gone; i < m_earlier.at(gone).end;) {
        while (!ends.empty() && ends.back() <= i)
            ends.pop_back();
        const EarlierEntries::Entry &then = m_earlier.at(i);
        const ListingScope::Candidate entry{then.kind, level + int(ends.size()), m_earlier.name(i)};
        if (m_currentScope.reach(entry) != ListingScope::Reach::Held) {
            i = then.end; // nor anything below it
            continue;
        }
        ++(then.kind == ListingRowKind::File ? m_removedFiles : m_removedFolders);
        if (then.end > i + 1)
            ends.push_back(then.end);
        ++i;
    }
}

ListingComparison::Summary ListingComparison::summary() const
{
    Summary summary;
    summary.limits = m_limits;
    summary.sizesCompared
        = m_earlierScope.sizes && m_currentScope.sizes && m_earlierScope.folderSizes && m_currentScope.folderSizes;
    summary.files.removed = m_removedFiles;
    summary.folders.removed = m_removedFolders;
    summary.sizeDifference = summary.sizesCompared ? m_removedBytes : 0;
    for (size_t h = Root + 1; h < m_entries.size(); ++h) {
        const Met &met = m_entries[h];
        Tally &tally = met.file ? summary.files : summary.folders;
        tally.added += met.result.change == Change::Added;
        tally.changed += met.result.change == Change::Changed;
        const bool compared = met.result.change != Change::NotCompared;
        if (met.parent == Root && summary.sizesCompared && compared && met.result.sizeDifference != Unknown)
            summary.sizeDifference += met.result.sizeDifference;
    }
    return summary;
}

// A name as shown back to its bytes, as QFile::encodeName gives them; most
// are ASCII, copied without a new allocation.
static void encodeName(QStringView shown, QByteArray &out)
{
    out.resize(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i].unicode() >= 0x80) {
            out = QFile::encodeName(shown.toString());
            return;
        }
        out[i] = char(shown[i].unicode());
    }
}

void ListingComparison::meetRows(const ListingText &listing)
{
    std::vector<Handle> open; // folders whose rows are being met, innermost last
    QByteArray name;          // the row's, its room kept from row to row
    for (qsizetype row = 0; row < listing.rows.size(); ++row) {
        const ListingRow &r = listing.rows.at(row);
        const ListingRowDetails &details = listing.details.at(row);
        const Handle folder = Handle(details.parent + 1);
        while (!open.empty() && open.back() != folder) {
            finish(open.back());
            open.pop_back();
        }
        const auto bytes = listing.nativeNames.constFind(row);
        if (bytes != listing.nativeNames.cend())
            name = *bytes;
        else
            encodeName(listing.cell(r, 0).sliced(details.nameStart), name);
        Current now{r.kind, details.bytes, details.modified, details.incomplete, true};
        // "?" on a folder whose date could be read: its entries could not be.
        now.contentsRead
            = r.note != ListingNote::NotEntered && !(r.note == ListingNote::Unreadable && details.modified != Unknown);
        const Handle handle = meet(folder, name, now);
        if (r.kind == ListingRowKind::Folder)
            open.push_back(handle);
    }
    for (; !open.empty(); open.pop_back())
        finish(open.back());
    finish(Root);
}
