#include "listing/EarlierEntries.h"

#include <algorithm>
#include <bit>

namespace {

// FNV-1a, continued name by name: the hash of "a/b" is that of "a" taken
// on over "/b", so a whole path and a folder's hash plus a name agree.
constexpr quint64 Basis = 14695981039346656037ULL;
constexpr quint64 Prime = 1099511628211ULL;

quint64 extend(quint64 hash, QByteArrayView bytes)
{
    for (const char c : bytes) {
        hash ^= quint8(c);
        hash *= Prime;
    }
    return hash;
}

} // namespace

// A million entries are held at once.
static_assert(sizeof(EarlierEntries::Entry) <= 48);

EarlierEntries::Index EarlierEntries::open()
{
    const Index i = Index(m_entries.size());
    Entry entry;
    entry.parent = m_open.empty() ? None : m_open.back();
    m_entries.push_back(entry);
    m_open.push_back(i);
    return i;
}

void EarlierEntries::setName(Index i, QByteArrayView name)
{
    Entry &e = entry(i);
    e.nameOffset = m_names.size();
    e.nameLength = qint32(name.size());
    m_names.append(name);
}

void EarlierEntries::close()
{
    entry(m_open.back()).end = Index(m_entries.size());
    m_open.pop_back();
}

void EarlierEntries::discard()
{
    // Its name stays in m_names, unused: a few bytes.
    m_entries.pop_back();
    m_open.pop_back();
}

EarlierEntries::Index EarlierEntries::finish()
{
    m_slots.assign(std::bit_ceil(std::max<size_t>(16, 2 * m_entries.size())), None);
    const size_t mask = m_slots.size() - 1;
    for (Index i = 0; i < Index(m_entries.size()); ++i) {
        Entry &e = entry(i);
        e.hash = hashOf(e.parent, name(i));
        size_t slot = slotOf(e.hash);
        for (; m_slots[slot] != None; slot = (slot + 1) & mask) {
            const Entry &other = at(m_slots[slot]);
            if (other.hash == e.hash && other.parent == e.parent && name(m_slots[slot]) == name(i))
                return i;
        }
        m_slots[slot] = i;
    }
    return None;
}

bool EarlierEntries::isName(QByteArrayView name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

QByteArray EarlierEntries::path(Index i) const
{
    QByteArray path = name(i).toByteArray();
    for (Index p = at(i).parent; p != None; p = at(p).parent)
        path = name(p).toByteArray() + '/' + path;
    return path;
}

int EarlierEntries::level(Index i) const
{
    int level = 1;
    for (Index p = at(i).parent; p != None; p = at(p).parent)
        ++level;
    return level;
}

EarlierEntries::Index EarlierEntries::find(QByteArrayView relativePath) const
{
    if (m_slots.empty())
        return None;
    const quint64 hash = extend(Basis, relativePath);
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = slotOf(hash); m_slots[slot] != None; slot = (slot + 1) & mask) {
        if (at(m_slots[slot]).hash == hash && isAt(m_slots[slot], relativePath))
            return m_slots[slot];
    }
    return None;
}

EarlierEntries::Index EarlierEntries::find(Index folder, QByteArrayView name) const
{
    if (m_slots.empty())
        return None;
    const quint64 hash = hashOf(folder, name);
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = slotOf(hash); m_slots[slot] != None; slot = (slot + 1) & mask) {
        const Index i = m_slots[slot];
        if (at(i).hash == hash && at(i).parent == folder && this->name(i) == name)
            return i;
    }
    return None;
}

EarlierEntries::Index EarlierEntries::firstChild(Index folder) const
{
    const Index first = folder == None ? 0 : folder + 1;
    const Index end = folder == None ? Index(m_entries.size()) : at(folder).end;
    return first < end ? first : None;
}

EarlierEntries::Index EarlierEntries::nextSibling(Index i) const
{
    const Index parent = at(i).parent;
    const Index end = parent == None ? Index(m_entries.size()) : at(parent).end;
    return at(i).end < end ? at(i).end : None;
}

qint64 EarlierEntries::bytesHeld() const
{
    return qint64(m_entries.capacity() * sizeof(Entry) + m_slots.capacity() * sizeof(Index)) + m_names.capacity();
}

quint64 EarlierEntries::hashOf(Index folder, QByteArrayView name) const
{
    return extend(folder == None ? Basis : extend(at(folder).hash, "/"), name);
}

size_t EarlierEntries::slotOf(quint64 hash) const
{
    // FNV's low bits follow the last bytes closely: mixed before they pick a slot.
    hash ^= hash >> 32;
    hash *= 0x9e3779b97f4a7c15ULL;
    hash ^= hash >> 29;
    return size_t(hash) & (m_slots.size() - 1);
}

// Whether entry i's path is relativePath, read name by name from its end.
bool EarlierEntries::isAt(Index i, QByteArrayView relativePath) const
{
    QByteArrayView rest = relativePath;
    for (;;) {
        if (!rest.endsWith(name(i)))
            return false;
        rest.chop(name(i).size());
        i = at(i).parent;
        if (i == None)
            return rest.isEmpty();
        if (!rest.endsWith('/'))
            return false;
        rest.chop(1);
    }
}
