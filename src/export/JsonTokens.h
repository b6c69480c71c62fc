#pragma once

// JSON text read token by token from a device, in constant memory: the
// reader of a saved listing takes what it needs as it goes, so that a file
// of a million entries never stands in memory. Strict: whatever is not
// JSON (RFC 8259) throws JsonTokens::Error where it is found, text that is
// not UTF-8 and lone surrogate escapes included. Internal to the export
// library.

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

#include <vector>

class QIODevice;

class JsonTokens
{
    Q_DECLARE_TR_FUNCTIONS(JsonTokens)

public:
    enum class Token : quint8 {
        ObjectStart,
        ObjectEnd,
        ArrayStart,
        ArrayEnd,
        Key,
        String,
        Number,
        True,
        False,
        Null,
        End
    };

    struct Error
    {
        enum class Kind : quint8 {
            Syntax,     // not JSON from here on
            EndInText,  // the input ends inside a text
            EndInValue, // the input ends before the value it began
            Unreadable  // the device failed: problem is its reason
        };
        Kind kind = Kind::Syntax;
        QString problem;   // what was found: 'an unexpected "x"'
        qint64 offset = 0; // in bytes, from 0
        qint64 line = 1;
    };

    // maxNesting: objects and arrays inside each other; maxText: bytes of
    // one text or number, past which the input is refused.
    JsonTokens(QIODevice &in, int maxNesting, qsizetype maxText);

    // The next token; End once the one value the input holds is complete
    // and only blanks follow it.
    Token next();
    // A Key's or String's text as UTF-8, a Number as written; valid until
    // the next call.
    QByteArrayView text() const { return m_view; }
    // Where the last token started.
    qint64 offset() const { return m_tokenOffset; }
    qint64 line() const { return m_tokenLine; }
    // Objects and arrays open around the next token.
    int nesting() const { return int(m_open.size()); }
    // Reads past the value that first (the last token read) began.
    void skip(Token first);

private:
    enum class Expect : quint8 { Value, ValueOrEnd, KeyOrEnd, Key, Colon, CommaOrEnd, Nothing };

    bool available();
    char nextByte();
    void skipBlanks();
    Token value(char c);
    Token close(char c);
    void open(bool object);
    void valueDone() { m_expect = m_open.empty() ? Expect::Nothing : Expect::CommaOrEnd; }
    void readText();
    void readEscape();
    char32_t readHex();
    void readUtf8();
    void readNumber();
    void readDigits();
    void readWord(const char *word);
    void keep(char c);
    [[noreturn]] void fail(Error::Kind kind, const QString &problem) const;
    [[noreturn]] void unexpected(char c) const;

    QIODevice &m_in;
    const int m_maxNesting;
    const qsizetype m_maxText;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    qint64 m_before = 0; // bytes read before the buffer's
    qint64 m_line = 1;
    qint64 m_tokenOffset = 0;
    qint64 m_tokenLine = 1;
    Expect m_expect = Expect::Value;
    std::vector<bool> m_open; // true for an object
    QByteArray m_text;        // a text that did not lie whole in the buffer, unescaped
    QByteArrayView m_view;
};
