#include "listing/ListingColumns.h"

#include <QCoreApplication>

namespace {

// In ListingColumn's order.
const std::array<QString, ListingColumns::Count> kWords{
    QStringLiteral("name"),    QStringLiteral("size"), QStringLiteral("date"),  QStringLiteral("files"),
    QStringLiteral("folders"), QStringLiteral("time"), QStringLiteral("owner"), QStringLiteral("permissions"),
    QStringLiteral("created"), QStringLiteral("path"), QStringLiteral("change")};

} // namespace

namespace ListingColumns {

QString word(ListingColumn column)
{
    return kWords.at(size_t(column));
}

std::optional<ListingColumn> fromWord(QStringView word)
{
    for (ListingColumn column : kOptional) {
        if (word == kWords.at(size_t(column)))
            return column;
    }
    return std::nullopt;
}

QString words(const QList<ListingColumn> &columns)
{
    QStringList list;
    for (ListingColumn column : columns)
        list.append(word(column));
    return list.join(u',');
}

std::optional<QList<ListingColumn>> fromWords(const QString &text, QString *badWord)
{
    QList<ListingColumn> chosen;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const std::optional<ListingColumn> column = fromWord(part.trimmed());
        if (!column) {
            if (badWord)
                *badWord = part.trimmed();
            return std::nullopt;
        }
        chosen.append(*column);
    }
    QList<ListingColumn> ordered;
    for (ListingColumn column : kOptional) {
        if (chosen.contains(column))
            ordered.append(column);
    }
    return ordered;
}

QString heading(ListingColumn column)
{
    switch (column) {
    case ListingColumn::Name:
        return QCoreApplication::translate("Listing", "Sub-Directories");
    case ListingColumn::Size:
        return QCoreApplication::translate("Listing", "Size (KB)");
    case ListingColumn::Date:
        return QCoreApplication::translate("Listing", "Date");
    case ListingColumn::Files:
        return QCoreApplication::translate("Listing", "Files");
    case ListingColumn::Folders:
        return QCoreApplication::translate("Listing", "Folders");
    case ListingColumn::Time:
        return QCoreApplication::translate("Listing", "Time");
    case ListingColumn::Owner:
        return QCoreApplication::translate("Listing", "Owner");
    case ListingColumn::Permissions:
        return QCoreApplication::translate("Listing", "Permissions");
    case ListingColumn::Created:
        return QCoreApplication::translate("Listing", "Created");
    case ListingColumn::Path:
        return QCoreApplication::translate("Listing", "Path");
    case ListingColumn::Change:
        return QCoreApplication::translate("Listing", "Change");
    }
    return {};
}

ColumnWidth defaultWidth(ListingColumn column)
{
    switch (column) {
    case ListingColumn::Name:
        return ColumnWidth::of(4000);
    case ListingColumn::Files:
    case ListingColumn::Folders:
        return ColumnWidth::of(700);
    case ListingColumn::Time:
    case ListingColumn::Owner:
        return ColumnWidth::of(800);
    case ListingColumn::Permissions:
        return ColumnWidth::of(900);
    case ListingColumn::Path:
        return ColumnWidth::of(3000);
    case ListingColumn::Change:
        return ColumnWidth::of(1100);
    case ListingColumn::Size:
    case ListingColumn::Date:
    case ListingColumn::Created:
        break;
    }
    return ColumnWidth::of(1000);
}

} // namespace ListingColumns
