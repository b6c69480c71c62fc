#pragma once

// What the text formats share: the text sink, escaping, and the listing's
// rows read as the entries of a tree. Internal to the export library.

#include "export/ListingExport.h"
#include "listing/ListingChanges.h"
#include "listing/ListingOptions.h"
#include "listing/ListingText.h"

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <vector>

namespace ExportText {

constexpr qint64 Unknown = ListingRowDetails::Unknown;

// Thrown by Sink when the device refuses a write.
struct DeviceRefused
{};

// Text gathered row by row and written as UTF-8 in large pieces, so that a
// listing of a million rows never stands in memory twice.
class Sink
{
public:
    explicit Sink(QIODevice &device);
    QString &text() { return m_text; }
    void rowDone()
    {
        if (m_text.size() >= Chunk)
            flush();
    }
    void flush();

private:
    static constexpr qsizetype Chunk = 1 << 16;
    QIODevice &m_device;
    QString m_text;
};

inline void append(QString &out, std::initializer_list<QStringView> parts)
{
    for (QStringView part : parts)
        out += part;
}

// Appends text, replacing each character for which escape() gives a
// replacement; runs that need none go in whole.
template<typename Escape>
void appendEscaped(QString &out, QStringView text, Escape escape)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView replacement = escape(text[i]);
        if (replacement.isNull())
            continue;
        out += text.sliced(runStart, i - runStart);
        out += replacement;
        runStart = i + 1;
    }
    out += text.sliced(runStart);
}

// "incomplete", "unreadable", "not entered"; empty for none.
QLatin1StringView noteName(ListingNote note);

// "added", "removed", "changed", as files written for programs name them; empty for none.
QLatin1StringView changeName(RowChange change);

// The listing's rows as entries of a tree.
class Entries
{
public:
    Entries(const ListingExport::Request &request, const ListingText &built);
    // What each of the listing's columns holds, in their order.
    const QList<ListingColumn> &columns() const { return m_columns; }
    qsizetype count() const { return listing.rows.size(); }
    const ListingRow &row(qsizetype i) const { return listing.rows.at(i); }
    const ListingRowDetails &details(qsizetype i) const { return listing.details.at(i); }
    QStringView name(qsizetype i) const { return listing.cell(row(i), 0).sliced(details(i).nameStart); }
    bool isFolder(qsizetype i) const { return row(i).kind == ListingRowKind::Folder; }
    // The listed size in bytes and the modification time, when their columns are on and they are known.
    qint64 bytes(qsizetype i) const { return size ? details(i).bytes : Unknown; }
    qint64 modified(qsizetype i) const { return date ? details(i).modified : Unknown; }
    QStringView sizeCell(qsizetype i) const
    {
        return size ? listing.cell(row(i), int(m_columns.indexOf(ListingColumn::Size))) : QStringView();
    }
    // The cell of column, as listed; a null view when the column is off.
    QStringView cellOf(qsizetype i, ListingColumn column) const
    {
        const qsizetype c = m_columns.indexOf(column);
        return c < 0 ? QStringView() : listing.cell(row(i), int(c));
    }
    // The optional columns on, but the path (CSV has its own), in their order.
    QList<ListingColumn> extraColumns() const;
    // A row's value in one of them as CSV and JSON write it: a count, an
    // ISO 8601 time, or the cell's text; a null string where it has none.
    QString value(qsizetype i, ListingColumn column) const;
    // What a comparison says of row i; nothing without one.
    const ListingRowChange *change(qsizetype i) const
    {
        return listing.changes ? &listing.changes->rows[size_t(i)] : nullptr;
    }
    // ISO 8601; files installed together share their time, so the last one is kept.
    const QString &time(qint64 seconds) const;
    // Folders whose rows enclose row i's are closed until parent is the innermost open one.
    template<typename Close>
    void closeUntil(std::vector<qsizetype> &open, qsizetype parent, Close close) const
    {
        while (!open.empty() && open.back() != parent) {
            open.pop_back();
            close();
        }
    }

    const ListingText &listing;
    const ListingOptions &options;
    const bool size;
    const bool date;

private:
    QList<ListingColumn> m_columns;
    mutable qint64 m_lastTime = 0;
    mutable QString m_lastTimeText;
};

void writeCsv(const Entries &entries, Sink &sink);
void writeJson(const ListingExport::Request &request, const Entries &entries, const QDateTime &listedAt, Sink &sink);
void writeHtml(const ListingExport::Request &request, const Entries &entries, const QDateTime &listedAt, Sink &sink);
// The listing as on paper, in plain text, for a person to read.
void writeReadableText(const ListingExport::Request &request, const Entries &entries, Sink &sink);
// The listing as a spreadsheet (.xlsx), numbers and dates as such; written
// through a temporary file into device. Throws PrintError when the
// spreadsheet cannot be made, DeviceRefused when device takes no more.
void writeXlsx(const ListingExport::Request &request, const Entries &entries, QIODevice &device);

} // namespace ExportText
