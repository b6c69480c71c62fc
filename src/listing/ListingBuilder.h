#pragma once

#include "listing/ListingOptions.h"
#include "listing/ListingText.h"
#include "UserError.h"

#include <functional>

class FileSystemObject;

// What a build has done so far, handed to the yield callback.
struct ListingProgress
{
    qsizetype entriesListed = 0;
    qsizetype entriesUnread = 0; // problems met so far
    QString currentFolder;       // display form of the folder being read
};

// A listing bigger than the machine can hold: the build stops instead of
// the system killing the program.
class ListingTooLarge : public UserError
{
public:
    ListingTooLarge(qint64 boundBytes, qsizetype rows);
};

// How much memory a listing's text and rows may take: an eighth of the
// machine's memory, at most 384 MB. Options can set a bound of their own.
qint64 listingSizeBound();

// Called after every folder row, and at short intervals while a long size
// total runs, so the caller can let its window process events. Whatever it
// throws (a cancelled build) ends the build and passes through unchanged.
using ListingYield = std::function<void(const ListingProgress &)>;

// Builds the listing of options.path into out. Only the selected folder
// failing to open or to be enumerated ends the build, as FileSystemError,
// leaving the body as it was; anything below it that cannot be read is
// listed with "?" (and "+" on every folder whose total lacks it) and
// reported in out.problems. ListFormat and ListHeader are complete before
// the walk starts. The yield runs after every folder row and while the build
// waits long on the file system (a subtree total, a huge folder), never
// between the file rows of one folder. A build started from inside a yield
// on the same component or into the same listing throws std::logic_error
// without touching anything. A listing that outgrows its bound throws
// ListingTooLarge and is left empty. The choices in options decide which
// entries are listed, what sizes count and the order within each folder; a
// name pattern that is none throws BadNamePattern before anything is read.
void buildListing(const ListingOptions &options, const QString &columnSeparator, const QString &rowSeparator,
                  FileSystemObject &fileSystem, ListingText &out, const ListingYield &yield = {});
