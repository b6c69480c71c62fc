#pragma once

#include "listing/ListingText.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// What an earlier listing held, entry by entry, found by the path relative
// to the folder it listed: exact name bytes with '/' between them, as the
// walk meets them. A reader adds the entries in the order of the tree (a
// folder, then everything below it) and calls finish(); after that it is
// read only and may be shared.
//
// Both lookups take O(1) on average, plus the length of the name or path
// looked up. Each entry takes 48 bytes, its name and 8 bytes of index: a
// million entries fit in about 80 MB.
class EarlierEntries
{
public:
    using Index = qint32;
    static constexpr Index None = -1; // the listed folder itself; "not found"
    static constexpr qint64 Unknown = ListingRowDetails::Unknown;
    // So that an index always fits.
    static constexpr qsizetype MaxEntries = 0x7fff'fff0;

    struct Entry
    {
        qint64 bytes = Unknown;    // a folder's is its whole subtree's, as listed
        qint64 modified = Unknown; // seconds since the epoch
        quint64 hash = 0;          // of its relative path, set by finish()
        qsizetype nameOffset = 0;
        Index parent = None;
        Index end = 0; // one past its last descendant
        qint32 nameLength = 0;
        ListingRowKind kind = ListingRowKind::File;
        bool incomplete = false;  // a folder whose total lacks something: "1,235+"
        bool contentsRead = true; // false for a folder that could not be read or was not entered
    };

    // Adding, in the order of the tree: open() starts an entry inside the
    // innermost one opened and not yet closed (at the top level when none).
    Index open();
    Entry &entry(Index i) { return m_entries[size_t(i)]; }
    void setName(Index i, QByteArrayView name);
    void close(); // the innermost open entry
    // Takes back the innermost open entry, when nothing was opened inside it.
    void discard();
    qsizetype openCount() const { return qsizetype(m_open.size()); }
    // Indexes every entry; the first one whose path repeats another's, or None.
    Index finish();

    // Not empty, no '/' or NUL, not "." or "..": a name a folder can hold.
    static bool isName(QByteArrayView name);

    qsizetype size() const { return qsizetype(m_entries.size()); }
    const Entry &at(Index i) const { return m_entries[size_t(i)]; }
    QByteArrayView name(Index i) const { return QByteArrayView(m_names).sliced(at(i).nameOffset, at(i).nameLength); }
    // "Docs/Old/x.txt"
    QByteArray path(Index i) const;
    // Names in its relative path: 1 at the top level.
    int level(Index i) const;

    // The entry at this relative path ("Docs/Old/x.txt"), or None.
    Index find(QByteArrayView relativePath) const;
    // The entry of this name in a folder (None: at the top level), or None.
    Index find(Index folder, QByteArrayView name) const;

    // A folder's entries in the order read: firstChild(None) is the first at the top level.
    Index firstChild(Index folder) const;
    Index nextSibling(Index i) const;

    // What it holds in memory, for the reader's bound.
    qint64 bytesHeld() const;

private:
    quint64 hashOf(Index folder, QByteArrayView name) const;
    size_t slotOf(quint64 hash) const;
    bool isAt(Index i, QByteArrayView relativePath) const;

    std::vector<Entry> m_entries;
    QByteArray m_names;
    std::vector<Index> m_open;
    std::vector<Index> m_slots; // open addressing, at most half full; None when empty
};
