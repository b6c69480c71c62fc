#include "listing/ListingChanges.h"

#include "listing/ListingFormat.h"
#include "listing/NameOrder.h"
#include "listing/NamePattern.h"

#include <QCoreApplication>

#include <memory>

namespace {

// The texts' context in the translations, as lupdate finds it.
struct ChangeText
{
    Q_DECLARE_TR_FUNCTIONS(Listing)
};

// A file's extension, letter case aside; a folder has none.
int compareExtensions(const ListingChangeColumn::OrderKey &a, const ListingChangeColumn::OrderKey &b)
{
    const auto extension = [](const ListingChangeColumn::OrderKey &key) {
        const qsizetype dot = key.folder ? -1 : key.name.lastIndexOf('.');
        return dot > 0 ? QString::fromUtf8(key.name.sliced(dot + 1)) : QString();
    };
    return extension(a).compare(extension(b), Qt::CaseInsensitive);
}

// "+1,234 KB", the difference in the size cells' kilobytes.
QString kilobytes(qint64 bytes)
{
    QString text;
    ListingChangeColumn::appendDifference(text, bytes, ListingFormat::SizeCellWriter());
    return ChangeText::tr("%1 KB").arg(text);
}

} // namespace

namespace ListingChangeColumn {

QString word(RowChange change)
{
    switch (change) {
    case RowChange::Added:
        return ChangeText::tr("added");
    case RowChange::Removed:
        return ChangeText::tr("removed");
    case RowChange::Changed:
        return ChangeText::tr("changed");
    case RowChange::None:
        break;
    }
    return {};
}

ListingScope scopeOf(const ListingOptions &options)
{
    ListingScope scope = ListingScope::of(options);
    auto names = std::make_shared<const NameFilter>(options.choices);
    if (names->active()) {
        scope.leftOut = [names](const ListingScope::Candidate &entry) {
            return !names->keeps(entry.name, entry.kind == ListingRowKind::Folder);
        };
    }
    return scope;
}

void appendDifference(QString &out, qint64 bytes, const ListingFormat::SizeCellWriter &sizes)
{
    // Signed as the kilobytes shown: less than half a kilobyte less is "+0".
    out += bytes <= -512 ? u'-' : u'+';
    sizes.append(out, bytes < 0 ? -bytes : bytes);
}

int compareInOrder(ListingOrder order, const OrderKey &a, const OrderKey &b)
{
    // What is not known goes last, as in the walk.
    switch (order) {
    case ListingOrder::Size:
        if (a.bytes != b.bytes)
            return a.bytes > b.bytes ? -1 : 1;
        break;
    case ListingOrder::Date:
        if (a.modified != b.modified)
            return a.modified > b.modified ? -1 : 1;
        break;
    case ListingOrder::Extension:
        if (const int byExtension = compareExtensions(a, b))
            return byExtension;
        break;
    case ListingOrder::Name:
        break;
    }
    return NameOrder::compare(a.name, b.name);
}

QString summaryLine(const ListingChanges &changes)
{
    const ListingComparison::Summary &sum = changes.summary;
    QString line = changes.listed.isValid()
                       ? ChangeText::tr("Compared with %1 of %2")
                             .arg(changes.fileName, ListingFormat::shortDateText(changes.listed.date()))
                       : ChangeText::tr("Compared with %1").arg(changes.fileName);
    line += ChangeText::tr(": %L1 added, %L2 removed, %L3 changed")
                .arg(sum.files.added + sum.folders.added)
                .arg(sum.files.removed + sum.folders.removed)
                .arg(sum.files.changed + sum.folders.changed);
    if (sum.sizesCompared)
        line += ChangeText::tr(", total %1").arg(kilobytes(sum.sizeDifference));
    using Limit = ListingComparison::Limit;
    QStringList limits;
    if (sum.limits & Limit::EarlierDepth)
        limits << ChangeText::tr("the earlier listing went %L1 levels deep").arg(changes.earlierDepth);
    if (sum.limits & Limit::EarlierFiles)
        limits << ChangeText::tr("it listed no files");
    if (sum.limits & Limit::EarlierLeftOut)
        limits << ChangeText::tr("its choices left entries out");
    if (sum.limits & Limit::EarlierUnread)
        limits << ChangeText::tr("it could not read some folders");
    if (sum.limits & Limit::EarlierSizes)
        limits << ChangeText::tr("it had no sizes");
    if (sum.limits & Limit::EarlierDates)
        limits << ChangeText::tr("it had no dates");
    if (!changes.filtersAlike)
        limits << ChangeText::tr("folder sizes, as its choices differ");
    if (!changes.sizesAlike)
        limits << ChangeText::tr("it counted sizes another way");
    if (!limits.isEmpty())
        line += ChangeText::tr("; not compared: %1").arg(limits.join(QStringLiteral(", ")));
    return line;
}

} // namespace ListingChangeColumn
