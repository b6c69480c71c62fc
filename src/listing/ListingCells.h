#pragma once

#include "listing/ListingFormat.h"
#include "listing/ListingText.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>

// One row's values before they become cells.
struct RowValues
{
    static constexpr qint64 Unknown = ListingRowDetails::Unknown;

    ListingRowKind kind = ListingRowKind::File;
    int level = 0;
    QByteArrayView name;
    qint64 bytes = Unknown;
    bool incomplete = false; // a folder whose totals lack something below it
    qint64 modified = Unknown;
    ListingNote note = ListingNote::None;
    qint64 files = Unknown; // a folder's counts of its subtree
    qint64 folders = Unknown;
    bool stated = false; // mode and owner were read
    quint16 mode = 0;
    quint32 owner = 0;
    qint64 created = Unknown;
    QStringView path{}; // from the selected folder on, when the Path column is on
};

// Writes the cells of a row that follow its name, column by column, and the
// totals line, in the locale's forms.
class RowCellWriter
{
public:
    RowCellWriter(const QList<ListingColumn> &columns, const QString &separator,
                  const QLocale &locale = ListingFormat::effectiveLocale());

    // Appends each cell after the first behind a separator and sets its length in row.
    void append(QString &body, const RowValues &values, ListingRow &row);
    // "12 folders, 340 files, 1,234,567 KB": the parts whose columns are on; empty for none.
    QString totalsLine(const ListingTotals &totals) const;

    // "drwxr-xr-x", as ls -l writes a mode.
    static void appendPermissions(QString &out, quint16 mode);
    // The user's name, or the number when it has none.
    static QString ownerName(quint32 uid);

private:
    void appendCell(QString &body, ListingColumn column, const RowValues &values);
    void appendCount(QString &body, qint64 count, bool incomplete) const;
    void appendTime(QString &body, qint64 seconds);

    const QList<ListingColumn> m_columns;
    const QString m_separator;
    const QLocale m_locale;
    const QString m_timeFormat;
    ListingFormat::SizeCellWriter m_sizes;
    ListingFormat::DateCellWriter m_dates;
    ListingFormat::DateCellWriter m_created;
    QHash<quint32, QString> m_owners;
    qint64 m_lastMinute = 0;
    QString m_lastTime;
};
