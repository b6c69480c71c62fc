#pragma once

#include "listing/ListingOptions.h"
#include "listing/ListingText.h"

#include <functional>

class FileSystemObject;

// What a build has done so far, handed to the yield callback.
struct ListingProgress
{
    qsizetype entriesListed = 0;
    QString currentFolder;           // display form of the folder being read
};

// Called after every folder row, and at short intervals while a long size
// total runs, so the caller can let its window process events. Whatever it
// throws (a cancelled build) ends the build and passes through unchanged.
using ListingYield = std::function<void(const ListingProgress &)>;

// Builds the listing of options.path into out. The component's failures end
// the build at once as FileSystemError. ListFormat and ListHeader are
// complete before the walk starts. The yield runs after every folder row and
// while the component works long on one request (a subtree total, a huge
// folder), never between the file rows of one folder. A build started from
// inside a yield on the same component or into the same listing throws
// std::logic_error without touching anything.
void buildListing(const ListingOptions &options, const QString &cSeperator,
                  const QString &rSeperator, FileSystemObject &fileSystem,
                  ListingText &out, const ListingYield &yield = {});
