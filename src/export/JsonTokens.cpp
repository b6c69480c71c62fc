#include "export/JsonTokens.h"

#include <QIODevice>

namespace {

constexpr qsizetype Chunk = 1 << 18;

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

void appendUtf8(QByteArray &out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xc0 | (code >> 6));
        out += char(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += char(0xe0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    } else {
        out += char(0xf0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3f));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    }
}

} // namespace

JsonTokens::JsonTokens(QIODevice &in, int maxNesting, qsizetype maxText)
    : m_in(in), m_maxNesting(maxNesting), m_maxText(maxText), m_buffer(Chunk, Qt::Uninitialized)
{}

JsonTokens::Token JsonTokens::next()
{
    for (;;) {
        skipBlanks();
        m_tokenOffset = m_before + m_pos;
        m_tokenLine = m_line;
        if (!available()) {
            if (m_expect == Expect::Nothing)
                return Token::End;
            fail(Error::Kind::EndInValue, tr("the end of the file"));
        }
        const char c = m_buffer[m_pos];
        switch (m_expect) {
        case Expect::Nothing:
            unexpected(c);
        case Expect::Colon:
            if (c != ':')
                unexpected(c);
            ++m_pos;
            m_expect = Expect::Value;
            continue;
        case Expect::CommaOrEnd:
            if (c != ',')
                return close(c);
            ++m_pos;
            m_expect = m_open.back() ? Expect::Key : Expect::Value;
            continue;
        case Expect::KeyOrEnd:
            if (c == '}')
                return close(c);
            [[fallthrough]];
        case Expect::Key:
            if (c != '"')
                unexpected(c);
            ++m_pos;
            readText();
            m_expect = Expect::Colon;
            return Token::Key;
        case Expect::ValueOrEnd:
            if (c == ']')
                return close(c);
            [[fallthrough]];
        case Expect::Value:
            return value(c);
        }
    }
}

void JsonTokens::skip(Token first)
{
    if (first != Token::ObjectStart && first != Token::ArrayStart)
        return;
    for (const int level = nesting(); nesting() >= level;)
        next();
}

bool JsonTokens::available()
{
    if (m_pos < m_end)
        return true;
    const qint64 read = m_in.read(m_buffer.data(), Chunk);
    if (read < 0)
        fail(Error::Kind::Unreadable, m_in.errorString());
    m_before += m_end;
    m_pos = 0;
    m_end = qsizetype(read);
    return read > 0;
}

// The next byte of a text or a value begun, which the input must hold.
char JsonTokens::nextByte()
{
    if (!available())
        fail(Error::Kind::EndInText, tr("the end of the file inside a text"));
    return m_buffer[m_pos++];
}

void JsonTokens::skipBlanks()
{
    do {
        for (; m_pos < m_end; ++m_pos) {
            const char c = m_buffer[m_pos];
            if (c == '\n')
                ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
        }
    } while (available());
}

JsonTokens::Token JsonTokens::value(char c)
{
    switch (c) {
    case '{':
        open(true);
        return Token::ObjectStart;
    case '[':
        open(false);
        return Token::ArrayStart;
    case '"':
        ++m_pos;
        readText();
        valueDone();
        return Token::String;
    case 't':
        readWord("true");
        return Token::True;
    case 'f':
        readWord("false");
        return Token::False;
    case 'n':
        readWord("null");
        return Token::Null;
    default:
        if (c != '-' && !isDigit(c))
            unexpected(c);
        readNumber();
        return Token::Number;
    }
}

JsonTokens::Token JsonTokens::close(char c)
{
    const bool object = m_open.back();
    if (c != (object ? '}' : ']'))
        unexpected(c);
    ++m_pos;
    m_open.pop_back();
    valueDone();
    return object ? Token::ObjectEnd : Token::ArrayEnd;
}

void JsonTokens::open(bool object)
{
    if (nesting() >= m_maxNesting)
        fail(Error::Kind::Syntax, tr("more than %L1 levels of lists and objects").arg(m_maxNesting));
    ++m_pos;
    m_open.push_back(object);
    m_expect = object ? Expect::KeyOrEnd : Expect::ValueOrEnd;
}

// The first byte from start on that is not plain ASCII text.
static const char *plainRun(const char *start, const char *end)
{
    while (start < end && quint8(*start) >= 0x20 && quint8(*start) < 0x80 && *start != '"' && *start != '\\')
        ++start;
    return start;
}

// After the opening quote: the text up to its closing one, unescaped.
void JsonTokens::readText()
{
    // Most texts lie whole in the buffer, plain: they are read in place.
    const char *start = m_buffer.constData() + m_pos;
    const char *stop = plainRun(start, m_buffer.constData() + m_end);
    if (stop < m_buffer.constData() + m_end && *stop == '"' && stop - start <= m_maxText) {
        m_view = QByteArrayView(start, stop - start);
        m_pos += stop - start + 1;
        return;
    }
    m_text.resize(0);
    for (;;) {
        if (!available())
            fail(Error::Kind::EndInText, tr("the end of the file inside a text"));
        // Runs of plain ASCII go in whole.
        start = m_buffer.constData() + m_pos;
        stop = plainRun(start, m_buffer.constData() + m_end);
        m_text.append(start, stop - start);
        m_pos += stop - start;
        if (m_text.size() > m_maxText)
            fail(Error::Kind::Syntax, tr("a text longer than %L1 bytes").arg(m_maxText));
        if (stop == m_buffer.constData() + m_end)
            continue;
        const quint8 c = quint8(*stop);
        if (c == '"') {
            ++m_pos;
            m_view = m_text;
            return;
        }
        if (c == '\\')
            readEscape();
        else if (c < 0x20)
            fail(Error::Kind::Syntax, tr("a control character inside a text"));
        else
            readUtf8();
    }
}

void JsonTokens::readEscape()
{
    ++m_pos; // the backslash
    const char c = nextByte();
    switch (c) {
    case '"':
    case '\\':
    case '/':
        m_text += c;
        return;
    case 'b':
        m_text += '\b';
        return;
    case 'f':
        m_text += '\f';
        return;
    case 'n':
        m_text += '\n';
        return;
    case 'r':
        m_text += '\r';
        return;
    case 't':
        m_text += '\t';
        return;
    case 'u':
        break;
    default:
        --m_pos;
        fail(Error::Kind::Syntax, tr("an unknown escape \"\\%1\"").arg(QLatin1Char(c)));
    }
    char32_t code = readHex();
    if (code >= 0xd800 && code <= 0xdbff) {
        // UTF-16's pair for a character past U+FFFF: the low half must follow.
        const bool escape = nextByte() == '\\' && nextByte() == 'u';
        const char32_t low = escape ? readHex() : 0;
        if (low < 0xdc00 || low > 0xdfff)
            fail(Error::Kind::Syntax, tr("half of a surrogate pair"));
        code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
    } else if (code >= 0xdc00 && code <= 0xdfff) {
        fail(Error::Kind::Syntax, tr("half of a surrogate pair"));
    }
    appendUtf8(m_text, code);
}

char32_t JsonTokens::readHex()
{
    char32_t code = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = nextByte();
        const int digit = isDigit(c) ? c - '0' : (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10 : -1;
        if (digit < 0)
            fail(Error::Kind::Syntax, tr("a \"\\u\" escape without four hex digits"));
        code = code * 16 + char32_t(digit);
    }
    return code;
}

// One character of two to four bytes, checked as UTF-8 allows it: no
// overlong forms, no surrogates, nothing past U+10FFFF.
void JsonTokens::readUtf8()
{
    const quint8 lead = quint8(nextByte());
    int more = 0;
    quint8 low = 0x80, high = 0xbf; // of the second byte
    if (lead >= 0xc2 && lead <= 0xdf)
        more = 1;
    else if (lead >= 0xe0 && lead <= 0xef)
        more = 2;
    else if (lead >= 0xf0 && lead <= 0xf4)
        more = 3;
    if (lead == 0xe0)
        low = 0xa0;
    else if (lead == 0xed)
        high = 0x9f;
    else if (lead == 0xf0)
        low = 0x90;
    else if (lead == 0xf4)
        high = 0x8f;
    m_text += char(lead);
    for (int i = 0; more && i < more; ++i) {
        const quint8 c = quint8(nextByte());
        if (c < (i ? 0x80 : low) || c > (i ? 0xbf : high)) {
            more = 0;
            break;
        }
        m_text += char(c);
    }
    if (!more)
        fail(Error::Kind::Syntax, tr("a text that is not UTF-8"));
}

void JsonTokens::readNumber()
{
    m_text.resize(0);
    if (m_buffer[m_pos] == '-')
        keep('-');
    if (available() && m_buffer[m_pos] == '0')
        keep('0');
    else
        readDigits();
    if (available() && m_buffer[m_pos] == '.') {
        keep('.');
        readDigits();
    }
    if (available() && (m_buffer[m_pos] | 0x20) == 'e') {
        keep('e');
        if (available() && (m_buffer[m_pos] == '+' || m_buffer[m_pos] == '-'))
            keep(m_buffer[m_pos]);
        readDigits();
    }
    m_view = m_text;
    valueDone();
}

// One digit at least.
void JsonTokens::readDigits()
{
    if (!available())
        fail(Error::Kind::EndInValue, tr("the end of the file inside a number"));
    if (!isDigit(m_buffer[m_pos]))
        unexpected(m_buffer[m_pos]);
    while (available() && isDigit(m_buffer[m_pos]))
        keep(m_buffer[m_pos]);
}

void JsonTokens::keep(char c)
{
    if (m_text.size() >= m_maxText)
        fail(Error::Kind::Syntax, tr("a number longer than %L1 characters").arg(m_maxText));
    m_text += c;
    ++m_pos;
}

void JsonTokens::readWord(const char *word)
{
    for (; *word; ++word) {
        if (!available())
            fail(Error::Kind::EndInValue, tr("the end of the file inside a value"));
        if (m_buffer[m_pos] != *word)
            unexpected(m_buffer[m_pos]);
        ++m_pos;
    }
    valueDone();
}

void JsonTokens::fail(Error::Kind kind, const QString &problem) const
{
    throw Error{kind, problem, m_before + m_pos, m_line};
}

void JsonTokens::unexpected(char c) const
{
    const quint8 byte = quint8(c);
    if (byte > 0x20 && byte < 0x7f)
        fail(Error::Kind::Syntax, tr("an unexpected \"%1\"").arg(QLatin1Char(c)));
    fail(Error::Kind::Syntax, tr("an unexpected byte 0x%1").arg(byte, 2, 16, QLatin1Char('0')));
}
