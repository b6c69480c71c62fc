#include "listing/NamePattern.h"

#include "listing/NameOrder.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("NamePattern", text);
}

char32_t folded(char32_t c, bool fold)
{
    return fold ? QChar::toCaseFolded(c) : c;
}

// A name's code points as a pattern compares them. Most names are ASCII:
// those skip the decoding.
void decode(QByteArrayView name, bool fold, std::u32string &out)
{
    out.clear();
    if (NameOrder::isAscii(name)) {
        for (char byte : name) {
            const auto c = char32_t(static_cast<unsigned char>(byte));
            out.push_back(fold && c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c);
        }
        return;
    }
    // File names are UTF-8 here, as QFile::decodeName reads them.
    for (const char32_t c : QString::fromUtf8(name).toUcs4())
        out.push_back(folded(c, fold));
}

QString holdsSlash(const QString &pattern)
{
    return tr("\"%1\" holds a \"/\": a pattern matches names, not paths").arg(pattern);
}

} // namespace

NamePattern::NamePattern(const QString &pattern, bool matchCase) : m_matchCase(matchCase)
{
    const QList<uint> points = pattern.toUcs4();
    for (qsizetype at = 0; at < points.size();) {
        char32_t c = points[at++];
        if (c == U'*') {
            if (m_tokens.empty() || m_tokens.back().kind != Kind::Star)
                m_tokens.push_back({Kind::Star});
        } else if (c == U'?') {
            m_tokens.push_back({Kind::Any});
        } else if (c == U'[') {
            m_tokens.push_back({Kind::Set, 0, quint32(m_sets.size())});
            m_sets.push_back(readSet(pattern, points, at));
        } else {
            if (c == U'\\') {
                if (at == points.size())
                    throw BadNamePattern(tr("\"%1\" ends in a \"\\\" with nothing after it").arg(pattern));
                c = points[at++];
            }
            if (c == U'/')
                throw BadNamePattern(holdsSlash(pattern));
            m_tokens.push_back({Kind::Char, folded(c, !matchCase)});
        }
    }
}

// The set whose "[" is just before at; at ends past its "]".
NamePattern::Set NamePattern::readSet(const QString &pattern, const QList<uint> &points, qsizetype &at)
{
    Set set;
    set.negated = at < points.size() && (points[at] == U'!' || points[at] == U'^');
    at += set.negated;
    for (bool first = true; at < points.size(); first = false) {
        char32_t low = points[at++];
        if (low == U']' && !first)
            return set;
        if (low == U'\\' && at < points.size())
            low = points[at++];
        if (low == U'/')
            throw BadNamePattern(holdsSlash(pattern));
        char32_t high = low;
        if (at + 1 < points.size() && points[at] == U'-' && points[at + 1] != U']') {
            high = points[at + 1];
            at += 2;
            if (high < low)
                throw BadNamePattern(tr("\"%1\" has a range that runs backwards: \"%2-%3\"")
                                         .arg(pattern, QString::fromUcs4(&low, 1), QString::fromUcs4(&high, 1)));
        }
        set.ranges.emplace_back(low, high);
    }
    throw BadNamePattern(tr("\"%1\" has a \"[\" with no \"]\" to close it").arg(pattern));
}

QString NamePattern::problem(const QString &pattern)
{
    try {
        NamePattern(pattern, true);
    } catch (const BadNamePattern &bad) {
        return bad.message();
    }
    return {};
}

bool NamePattern::inSet(const Set &set, char32_t c) const
{
    const auto holds = [&set](char32_t x) {
        return std::any_of(set.ranges.begin(), set.ranges.end(),
                           [x](const auto &range) { return x >= range.first && x <= range.second; });
    };
    // c is folded when case is not matched: "[A-Z]" must still take it.
    const bool in = holds(c) || (!m_matchCase && (holds(QChar::toUpper(c)) || holds(QChar::toLower(c))));
    return in != set.negated;
}

bool NamePattern::tokenMatches(const Token &token, char32_t c) const
{
    switch (token.kind) {
    case Kind::Char:
        return token.c == c;
    case Kind::Any:
        return true;
    case Kind::Set:
        return inSet(m_sets[token.set], c);
    case Kind::Star:
        break;
    }
    return false;
}

bool NamePattern::matches(std::u32string_view name) const
{
    // Every token but "*" takes one character, so going back to the last
    // "*" and letting it take one more is enough: no deeper backtracking.
    size_t p = 0;
    size_t s = 0;
    size_t starP = std::u32string_view::npos;
    size_t starS = 0;
    while (s < name.size()) {
        if (p < m_tokens.size() && m_tokens[p].kind == Kind::Star) {
            starP = p++;
            starS = s;
        } else if (p < m_tokens.size() && tokenMatches(m_tokens[p], name[s])) {
            ++p;
            ++s;
        } else if (starP != std::u32string_view::npos) {
            p = starP + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p < m_tokens.size() && m_tokens[p].kind == Kind::Star)
        ++p;
    return p == m_tokens.size();
}

NameFilter::NameFilter(const ListingChoices &choices)
    : m_hidden(choices.hidden)
    , m_matchCase(choices.matchCase)
    , m_active(!choices.hidden || !choices.include.isEmpty() || !choices.skip.isEmpty())
{
    for (const QString &pattern : choices.include)
        m_include.emplace_back(pattern, choices.matchCase);
    for (const QString &pattern : choices.skip)
        m_skip.emplace_back(pattern, choices.matchCase);
}

bool NameFilter::anyMatches(const std::vector<NamePattern> &patterns, std::u32string_view name) const
{
    return std::any_of(patterns.begin(), patterns.end(), [name](const NamePattern &p) { return p.matches(name); });
}

bool NameFilter::keeps(QByteArrayView name, bool folder) const
{
    if (!m_active)
        return true;
    if (!m_hidden && name.startsWith('.'))
        return false;
    const bool included = folder || m_include.empty();
    if (m_skip.empty() && included)
        return true;
    // Decoded once for all the patterns; each reader thread has its own.
    thread_local std::u32string shown;
    decode(name, !m_matchCase, shown);
    if (anyMatches(m_skip, shown))
        return false;
    return included || anyMatches(m_include, shown);
}
