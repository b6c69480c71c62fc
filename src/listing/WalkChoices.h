#pragma once

#include "listing/FileSystemObject.h"
#include "listing/ListingChoices.h"
#include "listing/NamePattern.h"

#include <vector>

// A file with several names, by its identity: a folder's total counts it
// once however many of its names lie below the folder.
struct LinkedFile
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 bytes = 0;
};
// In identity order, each file once.
using LinkedFiles = std::vector<LinkedFile>;

// Puts files in identity order, each once.
void settleLinked(LinkedFiles &files);
// Adds from's files to into's, both settled.
void mergeLinked(LinkedFiles &into, LinkedFiles &&from);
qint64 linkedBytes(const LinkedFiles &files);

// What the listing choices do to a folder's entries as the walk reads them:
// all of it works on what the reading already holds (names, sizes, blocks,
// link counts), with no further call to the system. Safe to use from
// several threads at once.
class WalkChoices
{
public:
    // Throws BadNamePattern when a pattern is none.
    explicit WalkChoices(const ListingChoices &choices = {});

    const ListingChoices &choices() const { return m_choices; }

    // Whether an entry's name keeps it; a folder left out is never entered.
    bool keeps(QByteArrayView name, bool folder) const { return !m_names.active() || m_names.keeps(name, folder); }
    // The same for an entry whose name is in names.
    bool keeps(const char *names, const FolderEntry &entry) const
    {
        return keeps(QByteArrayView(names + entry.nameOffset, entry.nameLength), entry.folder);
    }
    // Sizes a file as chosen.
    void size(FolderEntry &file) const
    {
        if (m_diskUsage)
            file.size = file.allocated;
    }
    // What a folder adds to its own total by itself: its blocks, when sizes
    // are space on disk, as du counts them.
    qint64 ownBytes(const FolderEntry &folder) const { return m_diskUsage && !folder.error ? folder.allocated : 0; }
    // Whether a file goes into the folder's LinkedFiles rather than its total.
    bool countsOnce(const FolderEntry &file) const { return m_choices.linksOnce && !file.error && file.links > 1; }
    // Files [first, last), in name order, put in the chosen order; ties keep
    // name order. Their names are in names.
    void order(std::vector<FolderEntry>::iterator first, std::vector<FolderEntry>::iterator last,
               const QByteArray &names) const;

private:
    ListingChoices m_choices;
    NameFilter m_names;
    bool m_diskUsage;
};
