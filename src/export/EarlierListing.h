#pragma once

#include "listing/EarlierEntries.h"
#include "listing/ListingChanges.h"
#include "listing/ListingComparison.h"
#include "listing/ListingOptions.h"
#include "UserError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

// Why a saved listing cannot be compared with. The message names the file
// and the problem, with the line and byte where it was found when that helps.
class EarlierListingError : public UserError
{
    Q_DECLARE_TR_FUNCTIONS(EarlierListingError)

public:
    enum class Reason : quint8 {
        Unreadable,   // the file could not be opened or read
        NotJson,      // not JSON text at all
        NotListing,   // JSON, but not a Foliotrace listing
        Truncated,    // it ends before the listing does
        Damaged,      // a Foliotrace listing with something malformed in it
        NewerVersion, // a listing format newer than this version reads
        TooLarge      // more entries than this computer can safely hold
    };

    // line 0: no place in the file to name.
    EarlierListingError(Reason reason, const QString &fileName, const QString &problem, qint64 line = 0,
                        qint64 offset = 0);

    Reason reason() const { return m_reason; }
    QString fileName() const { return m_fileName; }
    qint64 line() const { return m_line; }
    qint64 offset() const { return m_offset; }

private:
    Reason m_reason;
    QString m_fileName;
    qint64 m_line;
    qint64 m_offset;
};

// A JSON listing Foliotrace saved (ListingExport, ExportFormat::Json), read
// back to compare a folder with it.
//
// read() streams the file once, in O(its size) time, holding only a 256 KB
// piece of it at a time besides what it keeps: the root's fields, the
// options and the entries (EarlierEntries: about 56 bytes an entry plus its
// name). Fields and option values it does not know are passed over, so
// later versions may add them; one that changes what a field means raises
// "version", which this one refuses. A file without "format" and "version"
// is read as version 1 when it has a listing's shape: a "folder" text and a
// "children" list of entries, each with a "name" and a "kind".
//
// Options the file does not give are taken from its entries: the depth of
// its deepest folder, files when it holds one, sizes and dates as given or
// on.
struct EarlierListing
{
    Q_DECLARE_TR_FUNCTIONS(EarlierListing)

public:
    // What the JSON writer puts first.
    static constexpr char FormatName[] = "foliotrace-listing";
    static constexpr int FormatVersion = 1;

    QString fileName;       // as given to read()
    QString folder;         // the folder it listed, as shown
    QByteArray folderBytes; // its exact path when that is not UTF-8, else empty
    QString listedText;     // when it was made, as written (ISO 8601)
    QDateTime listed;       // the same; invalid when missing or not a date
    QString title;
    ListingOptions options; // path, depth, files, sizes, dates, marks, widths
    QString grid;           // the grid's name as written; empty when none
    EarlierEntries entries; // finished

    // Which entries it could hold, for ListingComparison.
    ListingScope scope() const { return ListingScope::of(options); }

    // Reads fileName; maxBytes bounds what the entries may take (0:
    // listingSizeBound()). Throws EarlierListingError.
    static EarlierListing read(const QString &fileName, qint64 maxBytes = 0);
    // The same from a device open for reading (standard input, a pipe);
    // fileName names it in messages.
    static EarlierListing read(QIODevice &in, const QString &fileName, qint64 maxBytes = 0);
    // Reads fileName for a listing to be compared with it (ListingOptions::compare).
    static std::shared_ptr<const ComparedListing> load(const QString &fileName);
};
