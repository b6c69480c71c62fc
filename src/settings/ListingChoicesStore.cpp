#include "settings/ListingChoicesStore.h"

#include "settings/OptionStore.h"

#include "listing/ListingFormat.h"

#include <QSettings>

#include <optional>

namespace {

const QString kGroup = QStringLiteral("Listing Options");
const QString kInclude = QStringLiteral("Include Files");
const QString kSkip = QStringLiteral("Skip");
const QString kMatchCase = QStringLiteral("Match Case");
const QString kHidden = QStringLiteral("List Hidden");
const QString kPruneEmpty = QStringLiteral("Leave Out Empty Folders");
const QString kOneFileSystem = QStringLiteral("One File System");
const QString kSizes = QStringLiteral("Sizes");
const QString kLinksOnce = QStringLiteral("Links Once");
const QString kOrder = QStringLiteral("Order");
const QString kColumns = QStringLiteral("Columns");
const QString kTotals = QStringLiteral("Totals Line");

struct Switch
{
    const QString &key;
    bool ListingChoices::*value;
};

const Switch kSwitches[] = {
    {kMatchCase, &ListingChoices::matchCase},   {kHidden, &ListingChoices::hidden},
    {kPruneEmpty, &ListingChoices::pruneEmpty}, {kOneFileSystem, &ListingChoices::oneFileSystem},
    {kLinksOnce, &ListingChoices::linksOnce},   {kTotals, &ListingChoices::totals},
};

// "Files Width", "Path Width", ...: the key of an optional column's width.
QString widthKey(ListingColumn column)
{
    QString word = ListingColumns::word(column);
    word[0] = word[0].toUpper();
    return word + QStringLiteral(" Width");
}

QList<ListingColumn> readColumns(const QSettings *store, SettingsLoadReport &report)
{
    const QString text = readStoredText(store, kColumns, QString());
    if (text.size() <= StoredTextLimit) {
        if (const auto columns = ListingColumns::fromWords(text))
            return *columns;
    }
    report.replaced.append({kColumns, text, QString()});
    return {};
}

// Each optional column's stored width, or its default where the stored one is no width.
void readWidths(const QSettings *store, ListingChoices &choices, SettingsLoadReport &report)
{
    for (ListingColumn column : ListingColumns::kOptional) {
        const QString defaultText = ListingColumns::defaultWidth(column).plain();
        const QString text = readStoredText(store, widthKey(column), defaultText);
        ColumnWidth &width = choices.widths[size_t(ListingColumns::optionalIndex(column))];
        if (text.size() <= StoredTextLimit && ListingFormat::isWholeWidth(text))
            width = ListingFormat::readWidth(text);
        else
            report.replaced.append({widthKey(column), text, defaultText});
    }
}

QStringList readPatterns(const QSettings *store, const QString &key, SettingsLoadReport &report)
{
    const QString text = readStoredText(store, key, QString());
    const QStringList patterns = ListingChoiceText::splitPatterns(text);
    if (text.size() <= StoredTextLimit && ListingChoiceText::patternsProblem(patterns).isEmpty())
        return patterns;
    report.replaced.append({key, text, QString()});
    return {};
}

// A stored word, or its default when it names nothing.
template<typename Value>
Value readWord(const QSettings *store, const QString &key, Value defaultValue, QString (*word)(Value),
               std::optional<Value> (*fromWord)(const QString &), SettingsLoadReport &report)
{
    const QString text = readStoredText(store, key, word(defaultValue));
    if (const std::optional<Value> value = fromWord(text))
        return *value;
    report.replaced.append({key, text, word(defaultValue)});
    return defaultValue;
}

} // namespace

void writeListingChoices(QSettings &store, const ListingChoices &choices)
{
    store.beginGroup(kGroup);
    store.setValue(kInclude, ListingChoiceText::joinPatterns(choices.include));
    store.setValue(kSkip, ListingChoiceText::joinPatterns(choices.skip));
    for (const Switch &entry : kSwitches)
        store.setValue(entry.key, QString::number(int(choices.*entry.value)));
    store.setValue(kSizes, ListingChoiceText::sizesWord(choices.sizes));
    store.setValue(kOrder, ListingChoiceText::orderWord(choices.order));
    store.setValue(kColumns, ListingColumns::words(choices.columns));
    for (ListingColumn column : ListingColumns::kOptional)
        store.setValue(widthKey(column), choices.widths[size_t(ListingColumns::optionalIndex(column))].plain());
    store.endGroup();
}

ListingChoices readListingChoices(QSettings *store, SettingsLoadReport &report)
{
    if (store)
        store->beginGroup(kGroup);
    ListingChoices choices;
    choices.include = readPatterns(store, kInclude, report);
    choices.skip = readPatterns(store, kSkip, report);
    for (const Switch &entry : kSwitches)
        choices.*entry.value = readStoredNumber(store, entry.key, int(choices.*entry.value), 0, 1, report) == 1;
    choices.sizes = readWord(store, kSizes, choices.sizes, ListingChoiceText::sizesWord,
                             ListingChoiceText::sizesFromWord, report);
    choices.order = readWord(store, kOrder, choices.order, ListingChoiceText::orderWord,
                             ListingChoiceText::orderFromWord, report);
    choices.columns = readColumns(store, report);
    readWidths(store, choices, report);
    if (store)
        store->endGroup();
    return choices;
}
