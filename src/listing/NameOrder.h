#pragma once

#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

// The order in which names are shown, in the folder list and in a listing:
// case-insensitive as the user reads them (decoded for display, then
// case-folded), ties broken by the exact bytes, so "a" and "A" always come
// in the same order and no two names compare equal.
namespace NameOrder {

bool isAscii(QByteArrayView name);
int compareAscii(QByteArrayView a, QByteArrayView b);
// The first eight bytes case-folded, in compareAscii's order (a shorter name pads with 0).
quint64 asciiPrefix(QByteArrayView name);
// a and b decoded as shown (aShown, bShown) and as stored.
int compareShown(QStringView aShown, QStringView bShown, QByteArrayView a, QByteArrayView b);

// Negative when a comes before b, 0 only for the same bytes.
int compare(QByteArrayView a, QByteArrayView b);

// Sorts [first, last) by nameOf(item) in that order, decoding every name
// beyond ASCII once rather than at every comparison.
template<typename Iterator, typename NameOf>
void sort(Iterator first, Iterator last, NameOf nameOf)
{
    using Item = typename std::iterator_traits<Iterator>::value_type;
    if (std::all_of(first, last, [&](const Item &item) { return isAscii(nameOf(item)); })) {
        // Most names differ in their first eight bytes: one integer comparison then.
        std::vector<std::pair<quint64, Item>> prefixed;
        prefixed.reserve(size_t(std::distance(first, last)));
        for (Iterator it = first; it != last; ++it)
            prefixed.emplace_back(asciiPrefix(nameOf(*it)), std::move(*it));
        std::sort(prefixed.begin(), prefixed.end(), [&](const auto &a, const auto &b) {
            return a.first != b.first ? a.first < b.first : compareAscii(nameOf(a.second), nameOf(b.second)) < 0;
        });
        for (auto &pair : prefixed)
            *first++ = std::move(pair.second);
        return;
    }
    std::vector<std::pair<QString, Item>> keyed;
    keyed.reserve(size_t(std::distance(first, last)));
    for (Iterator it = first; it != last; ++it) {
        // File names are UTF-8 here, as QFile::decodeName reads them.
        keyed.emplace_back(QString::fromUtf8(nameOf(*it)), std::move(*it));
    }
    std::sort(keyed.begin(), keyed.end(), [&](const auto &a, const auto &b) {
        return compareShown(a.first, b.first, nameOf(a.second), nameOf(b.second)) < 0;
    });
    for (auto &pair : keyed)
        *first++ = std::move(pair.second);
}

} // namespace NameOrder
