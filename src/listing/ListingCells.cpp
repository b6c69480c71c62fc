#include "listing/ListingCells.h"

#include <QCoreApplication>
#include <QDateTime>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

RowCellWriter::RowCellWriter(const QList<ListingColumn> &columns, const QString &separator, const QLocale &locale)
    : m_columns(columns)
    , m_separator(separator)
    , m_locale(locale)
    , m_timeFormat(locale.timeFormat(QLocale::ShortFormat))
    , m_sizes(locale)
    , m_dates(locale)
    , m_created(locale)
{}

void RowCellWriter::append(QString &body, const RowValues &values, ListingRow &row)
{
    const int count = int(m_columns.size());
    for (int c = 1; c < count; ++c) {
        body += m_separator;
        const qsizetype start = body.size();
        appendCell(body, m_columns[c], values);
        // Only a name or a path runs long; a longer cell between is cut where a row keeps it.
        if (c < count - 1 && body.size() - start > ListingRow::MaxMiddleLength)
            body.truncate(start + ListingRow::MaxMiddleLength);
        row.setCellLength(c, count, qint32(body.size() - start));
    }
}

void RowCellWriter::appendCell(QString &body, ListingColumn column, const RowValues &v)
{
    const bool folder = v.kind == ListingRowKind::Folder;
    switch (column) {
    case ListingColumn::Name:
    case ListingColumn::Change: // written by the comparison, once the walk is done
        break;
    case ListingColumn::Size:
        if (v.bytes == RowValues::Unknown)
            body += u'?';
        else
            m_sizes.append(body, v.bytes);
        if (v.incomplete)
            body += u'+';
        break;
    case ListingColumn::Date:
    case ListingColumn::Created: {
        const qint64 when = column == ListingColumn::Date ? v.modified : v.created;
        if (when == RowValues::Unknown)
            body += u'?';
        else
            (column == ListingColumn::Date ? m_dates : m_created).append(body, FileTime(std::chrono::seconds(when)));
        break;
    }
    case ListingColumn::Files:
    case ListingColumn::Folders:
        if (folder)
            appendCount(body, column == ListingColumn::Files ? v.files : v.folders, v.incomplete);
        break;
    case ListingColumn::Time:
        if (v.modified == RowValues::Unknown)
            body += u'?';
        else
            appendTime(body, v.modified);
        break;
    case ListingColumn::Owner:
        if (!v.stated)
            body += u'?';
        else if (const auto known = m_owners.constFind(v.owner); known != m_owners.cend())
            body += *known;
        else
            body += *m_owners.insert(v.owner, ownerName(v.owner));
        break;
    case ListingColumn::Permissions:
        if (v.stated)
            appendPermissions(body, v.mode);
        else
            body += u'?';
        break;
    case ListingColumn::Path:
        body += v.path;
        break;
    }
}

void RowCellWriter::appendTime(QString &body, qint64 seconds)
{
    // Files of a folder often share their minute; a time zone's offsets are whole minutes.
    const qint64 minute = seconds >= 0 ? seconds / 60 : (seconds - 59) / 60;
    if (minute != m_lastMinute || m_lastTime.isNull()) {
        m_lastMinute = minute;
        m_lastTime = m_locale.toString(QDateTime::fromSecsSinceEpoch(seconds).time(), m_timeFormat);
    }
    body += m_lastTime;
}

void RowCellWriter::appendCount(QString &body, qint64 count, bool incomplete) const
{
    if (count == RowValues::Unknown) {
        body += u'?';
        return;
    }
    body += m_locale.toString(qlonglong(count));
    if (incomplete)
        body += u'+';
}

QString RowCellWriter::totalsLine(const ListingTotals &totals) const
{
    const QString plus = totals.incomplete ? QStringLiteral("+") : QString();
    const auto count = [&](qint64 n) { return m_locale.toString(qlonglong(n)) + plus; };
    QStringList parts;
    if (totals.folders)
        parts << (totals.folderCount == 1 && plus.isEmpty()
                      ? QCoreApplication::translate("Listing", "1 folder")
                      : QCoreApplication::translate("Listing", "%1 folders").arg(count(totals.folderCount)));
    if (totals.files)
        parts << (totals.fileCount == 1 && plus.isEmpty()
                      ? QCoreApplication::translate("Listing", "1 file")
                      : QCoreApplication::translate("Listing", "%1 files").arg(count(totals.fileCount)));
    if (totals.bytes) {
        QString kilobytes;
        m_sizes.append(kilobytes, totals.byteCount);
        parts << QCoreApplication::translate("Listing", "%1 KB").arg(kilobytes + plus);
    }
    return parts.join(QCoreApplication::translate("Listing", ", "));
}

void RowCellWriter::appendPermissions(QString &out, quint16 mode)
{
    QChar kind = u'-';
    switch (mode & S_IFMT) {
    case S_IFDIR:
        kind = u'd';
        break;
    case S_IFLNK:
        kind = u'l';
        break;
    case S_IFIFO:
        kind = u'p';
        break;
    case S_IFSOCK:
        kind = u's';
        break;
    case S_IFCHR:
        kind = u'c';
        break;
    case S_IFBLK:
        kind = u'b';
        break;
    default:
        break;
    }
    out += kind;
    // Owner, group, others; set-id and sticky bits stand in the execute places.
    const unsigned special[3] = {S_ISUID, S_ISGID, S_ISVTX};
    const char16_t specialLetter[3] = {u's', u's', u't'};
    for (int who = 0; who < 3; ++who) {
        const unsigned bits = (mode >> (6 - 3 * who)) & 7u;
        out += bits & 4u ? u'r' : u'-';
        out += bits & 2u ? u'w' : u'-';
        const bool execute = bits & 1u;
        if (mode & special[who])
            out += execute ? QChar(specialLetter[who]) : QChar(specialLetter[who]).toUpper();
        else
            out += execute ? u'x' : u'-';
    }
}

QString RowCellWriter::ownerName(quint32 uid)
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_t(suggested > 0 ? suggested : 16384));
    struct passwd entry;
    struct passwd *found = nullptr;
    if (::getpwuid_r(uid_t(uid), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name
        && *found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}
