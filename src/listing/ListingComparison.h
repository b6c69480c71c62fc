#pragma once

#include "listing/EarlierEntries.h"
#include "listing/ListingOptions.h"
#include "listing/ListingText.h"

#include <QFlags>

#include <functional>
#include <span>
#include <vector>

// Which entries a listing would hold, read from its options: folders down
// to its depth, their files one level further when it lists files. A
// comparison takes the earlier listing's (so that what it could not hold is
// not called added) and the current one's (so that what the listing now
// leaves out is not called removed). Filters plug in as leftOut; sizes is
// off for both when the two measure sizes differently.
struct ListingScope
{
    // An entry as a scope judges it; level counts the names of its relative
    // path (1 at the top level).
    struct Candidate
    {
        ListingRowKind kind = ListingRowKind::File;
        int level = 1;
        QByteArrayView name;
    };
    enum class Reach : quint8 { Held, TooDeep, NoFiles, LeftOut };

    int depth = 1;
    bool files = true;
    bool sizes = true;
    bool dates = true;
    // Off when the two listings' filters differ: a folder's total then counts other entries.
    bool folderSizes = true;
    // What the listing's filters left out, whatever its depth; empty: nothing.
    std::function<bool(const Candidate &)> leftOut;

    static ListingScope of(const ListingOptions &options);
    Reach reach(const Candidate &entry) const;
};

// A listing compared with an earlier listing of the same tree, or of a copy
// of it elsewhere: entries match by their path relative to the listed folder.
//
// The walk drives it in one pass: meet() every entry in the order of the
// tree (a folder before what it holds), finish() every folder met once
// everything below it has been met, and last finish(Root). meet() is one
// lookup, O(1) on average; finish(folder) goes over the folder's earlier
// entries once. Each entry met takes 40 bytes.
//
// What the earlier listing could not know is not called a change: an entry
// below its depth or left out by its filters is NotCompared, and so is
// anything below a folder it could not read; sizes and dates are compared
// only where both listings show them. A folder is Changed when its own size
// or date differs or anything below it changed; it stays Added when added.
// Nothing below a folder that cannot be read now is called removed. An
// entry that was a folder and is a file now (or the other way round) is
// Changed, and what the folder held is not listed as removed.
class ListingComparison
{
public:
    using Handle = qint32;
    static constexpr Handle Root = 0; // the listed folder
    static constexpr qint64 Unknown = ListingRowDetails::Unknown;

    enum class Change : quint8 { Unchanged, Added, Changed, NotCompared };
    // What kept the comparison from saying everything; each is set once it
    // mattered for an entry met.
    enum class Limit : quint8 {
        EarlierDepth = 1,   // an entry below the earlier listing's depth
        EarlierFiles = 2,   // the earlier listing had no files
        EarlierLeftOut = 4, // the earlier listing's filters left an entry out
        EarlierUnread = 8,  // below a folder the earlier listing could not read
        EarlierSizes = 16,  // the earlier listing had no sizes
        EarlierDates = 32   // the earlier listing had no dates
    };
    Q_DECLARE_FLAGS(Limits, Limit)

    // An entry as the walk finds it now.
    struct Current
    {
        ListingRowKind kind = ListingRowKind::File;
        qint64 bytes = Unknown; // a folder's: its subtree's
        qint64 modified = Unknown;
        bool incomplete = false;  // a folder total lacking something
        bool contentsRead = true; // a folder whose entries could be read
    };

    struct Result
    {
        qint64 sizeDifference = Unknown; // now minus then; an added entry's size; Unknown when not both known
        EarlierEntries::Index earlier = EarlierEntries::None; // its earlier entry, when there is one
        Change change = Change::Unchanged;
        bool sizeDiffers = false;
        bool dateDiffers = false;
        bool kindDiffers = false;  // a file then, a folder now, or the other way round
        bool changedBelow = false; // something below a folder was added, removed or changed
    };

    // An earlier entry that is gone now, in the folder (a handle) that held it.
    struct Removed
    {
        Handle folder = Root;
        EarlierEntries::Index earlier = EarlierEntries::None;
    };

    struct Tally
    {
        qsizetype added = 0;
        qsizetype removed = 0; // a removed folder's entries too, as far as the listing goes now
        qsizetype changed = 0;
    };
    struct Summary
    {
        Tally files;
        Tally folders;
        qint64 sizeDifference = 0; // of the top-level entries, sizes known on both sides
        bool sizesCompared = false;
        Limits limits;
    };

    // earlier stays in use until the comparison is gone.
    ListingComparison(const EarlierEntries &earlier, ListingScope earlierScope, ListingScope currentScope);

    // An entry of folder (Root or a folder's handle) as the walk finds it.
    // Handles are given out in order from Root + 1: a walk that meets every
    // row of its listing gives row r the handle r + 1.
    Handle meet(Handle folder, QByteArrayView name, const Current &now);
    // After everything below folder was met: its earlier entries not met now
    // that the listing would hold, which are removed (also in removed()).
    // The folder's result is final from here on.
    std::span<const Removed> finish(Handle folder);

    const Result &result(Handle entry) const { return m_entries[size_t(entry)].result; }
    const std::vector<Removed> &removed() const { return m_removed; }
    // Complete once Root is finished.
    Summary summary() const;

    // Meets every row of a listing built with keepDetails, in order, and
    // finishes every folder: row r gets the handle r + 1.
    void meetRows(const ListingText &listing);

private:
    struct Met
    {
        Result result;
        Handle parent = -1;
        qint32 level = 0;
        bool contentsRead = true;
        bool file = false;
    };

    Change notEarlier(const Met &folder, const ListingScope::Candidate &entry);
    void compare(Result &result, const EarlierEntries::Entry &then, const Current &now);
    void markChanged(Handle folder);
    void countRemoved(EarlierEntries::Index gone, int level);

    const EarlierEntries &m_earlier;
    const ListingScope m_earlierScope;
    const ListingScope m_currentScope;
    std::vector<Met> m_entries; // by handle
    std::vector<bool> m_metEarlier;
    std::vector<Removed> m_removed;
    qsizetype m_removedFiles = 0;
    qsizetype m_removedFolders = 0;
    qint64 m_removedBytes = 0; // of the removed top-level entries
    Limits m_limits;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ListingComparison::Limits)
