#include "listing/NameOrder.h"

#include <cstring>

namespace NameOrder {

namespace {

int exactCompare(QByteArrayView a, QByteArrayView b)
{
    const size_t common = size_t(std::min(a.size(), b.size()));
    const int c = common ? std::memcmp(a.data(), b.data(), common) : 0;
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

unsigned char folded(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u;
}

} // namespace

bool isAscii(QByteArrayView name)
{
    unsigned char any = 0;
    for (char c : name)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

// Agrees with compareShown on ASCII names: case folding there is A-Z to a-z.
int compareAscii(QByteArrayView a, QByteArrayView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const unsigned char ca = folded(a[i]);
        const unsigned char cb = folded(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return exactCompare(a, b);
}

quint64 asciiPrefix(QByteArrayView name)
{
    quint64 prefix = 0;
    for (qsizetype i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < name.size() ? folded(name[i]) : 0);
    return prefix;
}

int compareShown(QStringView aShown, QStringView bShown, QByteArrayView a, QByteArrayView b)
{
    const int c = aShown.compare(bShown, Qt::CaseInsensitive);
    if (c != 0)
        return c < 0 ? -1 : 1;
    return exactCompare(a, b);
}

int compare(QByteArrayView a, QByteArrayView b)
{
    if (isAscii(a) && isAscii(b))
        return compareAscii(a, b);
    return compareShown(QString::fromUtf8(a), QString::fromUtf8(b), a, b);
}

} // namespace NameOrder
