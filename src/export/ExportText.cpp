#include "export/ExportText.h"

#include <stdexcept>

namespace ExportText {

Sink::Sink(QIODevice &device) : m_device(device)
{
    m_text.reserve(Chunk + Chunk / 4);
}

void Sink::flush()
{
    const QByteArray bytes = m_text.toUtf8();
    // A short write is retried: the retry either goes on or gives the system's reason.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = m_device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            throw DeviceRefused();
        done += written;
    }
    m_text.resize(0); // keeps the room; clear() would give it back
}

QLatin1StringView noteName(ListingNote note)
{
    switch (note) {
    case ListingNote::Incomplete:
        return QLatin1StringView("incomplete");
    case ListingNote::Unreadable:
        return QLatin1StringView("unreadable");
    case ListingNote::NotEntered:
        return QLatin1StringView("not entered");
    case ListingNote::None:
        break;
    }
    return QLatin1StringView();
}

QLatin1StringView changeName(RowChange change)
{
    switch (change) {
    case RowChange::Added:
        return QLatin1StringView("added");
    case RowChange::Removed:
        return QLatin1StringView("removed");
    case RowChange::Changed:
        return QLatin1StringView("changed");
    case RowChange::None:
        break;
    }
    return QLatin1StringView();
}

Entries::Entries(const ListingExport::Request &request, const ListingText &built)
    : listing(built), options(request.options), size(options.sizes), date(options.dates)
{
    // Without them a name holding the column separator could not be told apart.
    if (listing.details.size() != listing.rows.size())
        throw std::logic_error("an export needs a listing built with keepDetails");
    m_columns = options.columns();
    // A comparison's column comes right after the name.
    if (listing.changes)
        m_columns.insert(1, ListingColumn::Change);
    if (m_columns != listing.columns)
        throw std::logic_error("the listing's columns are not the ones its options ask for");
}

QList<ListingColumn> Entries::extraColumns() const
{
    QList<ListingColumn> extra = options.choices.columns;
    extra.removeAll(ListingColumn::Path);
    return extra;
}

QString Entries::value(qsizetype i, ListingColumn column) const
{
    const ListingRowDetails &d = details(i);
    switch (column) {
    case ListingColumn::Files:
        return d.files == Unknown ? QString() : QString::number(d.files);
    case ListingColumn::Folders:
        return d.folders == Unknown ? QString() : QString::number(d.folders);
    case ListingColumn::Time:
        return d.modified == Unknown ? QString() : ListingExport::isoDateTime(d.modified).mid(11, 8);
    case ListingColumn::Created:
        return d.created == Unknown ? QString() : ListingExport::isoDateTime(d.created);
    default:
        break;
    }
    const QStringView cell = cellOf(i, column);
    return cell.isEmpty() || cell == u"?" ? QString() : cell.toString();
}

const QString &Entries::time(qint64 seconds) const
{
    if (seconds != m_lastTime || m_lastTimeText.isEmpty()) {
        m_lastTime = seconds;
        m_lastTimeText = ListingExport::isoDateTime(seconds);
    }
    return m_lastTimeText;
}

} // namespace ExportText
