#pragma once

#include "listing/ListingChoices.h"
#include "UserError.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <string>
#include <vector>

// A glob pattern over a whole name: "*" any run of characters (a leading
// dot too), "?" one character, "[abc]", "[a-z]" and "[!abc]" or "[^abc]"
// one of a set or not of it, "\" takes the next character as it is.
// Names are matched as shown, decoded from UTF-8; without matchCase, letter
// case is folded as Unicode folds it.
class NamePattern
{
public:
    // Throws BadNamePattern naming the pattern when it is none.
    NamePattern(const QString &pattern, bool matchCase);

    // Why pattern is no pattern; empty when it is one.
    static QString problem(const QString &pattern);

    // name as code points, already folded when the pattern folds case.
    bool matches(std::u32string_view name) const;

private:
    enum class Kind : quint8 { Char, Any, Star, Set };
    struct Token
    {
        Kind kind;
        char32_t c = 0;  // Char
        quint32 set = 0; // Set: into m_sets
    };
    struct Set
    {
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges;
    };

    static Set readSet(const QString &pattern, const QList<uint> &points, qsizetype &at);
    bool inSet(const Set &set, char32_t c) const;
    bool tokenMatches(const Token &token, char32_t c) const;

    std::vector<Token> m_tokens;
    std::vector<Set> m_sets;
    bool m_matchCase;
};

class BadNamePattern : public UserError
{
public:
    using UserError::UserError;
};

// Which entries the name choices keep: hidden ones, skipped ones, and
// files that match no pattern to include. Safe to call from several
// threads at once.
class NameFilter
{
public:
    explicit NameFilter(const ListingChoices &choices);

    // Whether any entry can be left out.
    bool active() const { return m_active; }
    bool keeps(QByteArrayView name, bool folder) const;

private:
    bool anyMatches(const std::vector<NamePattern> &patterns, std::u32string_view name) const;

    std::vector<NamePattern> m_include;
    std::vector<NamePattern> m_skip;
    bool m_hidden;
    bool m_matchCase;
    bool m_active;
};
