#include "listing/WalkChoices.h"

#include "listing/NameOrder.h"

#include <algorithm>
#include <limits>

namespace {

bool sameFile(const LinkedFile &a, const LinkedFile &b)
{
    return a.device == b.device && a.inode == b.inode;
}

bool identityBefore(const LinkedFile &a, const LinkedFile &b)
{
    return a.device != b.device ? a.device < b.device : a.inode < b.inode;
}

// What follows a file's last dot, unless that dot starts the name (".profile"
// has none).
QByteArrayView extension(const QByteArray &names, const FolderEntry &entry)
{
    const QByteArrayView name(names.constData() + entry.nameOffset, entry.nameLength);
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.sliced(dot + 1) : QByteArrayView();
}

// Letter case aside, with no tie broken: "JPG" and "jpg" are one extension.
int compareFolded(QByteArrayView a, QByteArrayView b)
{
    if (NameOrder::isAscii(a) && NameOrder::isAscii(b)) {
        const auto folded = [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : int(c); };
        for (qsizetype i = 0; i < a.size() && i < b.size(); ++i) {
            if (folded(a[i]) != folded(b[i]))
                return folded(a[i]) < folded(b[i]) ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    return QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive);
}

} // namespace

void settleLinked(LinkedFiles &files)
{
    std::sort(files.begin(), files.end(), identityBefore);
    files.erase(std::unique(files.begin(), files.end(), sameFile), files.end());
}

void mergeLinked(LinkedFiles &into, LinkedFiles &&from)
{
    if (from.empty())
        return;
    if (into.empty()) {
        into = std::move(from);
        return;
    }
    LinkedFiles merged;
    merged.reserve(into.size() + from.size());
    std::set_union(into.begin(), into.end(), from.begin(), from.end(), std::back_inserter(merged), identityBefore);
    into = std::move(merged);
    from = {};
}

qint64 linkedBytes(const LinkedFiles &files)
{
    qint64 sum = 0;
    for (const LinkedFile &file : files) {
        if (__builtin_add_overflow(sum, file.bytes, &sum))
            return std::numeric_limits<qint64>::max();
    }
    return sum;
}

WalkChoices::WalkChoices(const ListingChoices &choices)
    : m_choices(choices), m_names(choices), m_diskUsage(choices.sizes == SizeMeasure::DiskUsage)
{}

void WalkChoices::order(std::vector<FolderEntry>::iterator first, std::vector<FolderEntry>::iterator last,
                        const QByteArray &names) const
{
    // What could not be read goes last in the orders that need it.
    constexpr qint64 Last = std::numeric_limits<qint64>::min();
    switch (m_choices.order) {
    case ListingOrder::Name:
        break;
    case ListingOrder::Size:
        std::stable_sort(first, last, [](const FolderEntry &a, const FolderEntry &b) {
            return (a.error ? Last : a.size) > (b.error ? Last : b.size);
        });
        break;
    case ListingOrder::Date:
        std::stable_sort(first, last, [](const FolderEntry &a, const FolderEntry &b) {
            return (a.error ? Last : a.modified) > (b.error ? Last : b.modified);
        });
        break;
    case ListingOrder::Extension:
        std::stable_sort(first, last, [&names](const FolderEntry &a, const FolderEntry &b) {
            return compareFolded(extension(names, a), extension(names, b)) < 0;
        });
        break;
    }
}
