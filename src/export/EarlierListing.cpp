#include "export/EarlierListing.h"

#include "export/EarlierChoices.h"

#include "export/JsonTokens.h"
#include "export/ListingExport.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingFormat.h"

#include <QFile>

#include <algorithm>
#include <optional>

namespace {

using Token = JsonTokens::Token;
using Reason = EarlierListingError::Reason;
using Index = EarlierEntries::Index;

// Lists and objects around the deepest entry there can be: two a level.
constexpr int MaxNesting = 2 * ListingFormat::MaxDepth + 8;
// No name, path or title comes near it.
constexpr qsizetype MaxText = 1 << 20;

// Digits with an optional '-', as an integer when it fits.
std::optional<qint64> wholeNumber(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    const QByteArrayView digits = text.sliced(negative ? 1 : 0);
    if (digits.isEmpty() || digits.size() > 19)
        return std::nullopt;
    quint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + quint64(c - '0');
    }
    if (value > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return negative ? -qint64(value) : qint64(value);
}

// The fields of an entry read so far.
struct EntryFields
{
    Index index = EarlierEntries::None;
    qint64 line = 0;
    qint64 offset = 0;
    bool named = false;
    bool exactName = false; // from "name_bytes", which "name" does not replace
    bool kinded = false;
    bool unread = false; // noted "unreadable" or "not entered"
};

enum class Field : quint8 { Name, NameBytes, Kind, Size, Modified, Note, Change, Children, Other };

Field fieldOf(QByteArrayView key)
{
    static constexpr std::pair<QByteArrayView, Field> known[]
        = {{"name", Field::Name},     {"name_bytes", Field::NameBytes}, {"kind", Field::Kind},
           {"size", Field::Size},     {"modified", Field::Modified},    {"note", Field::Note},
           {"change", Field::Change}, {"children", Field::Children}};
    for (const auto &[name, field] : known) {
        if (key == name)
            return field;
    }
    return Field::Other;
}

class Reader
{
    Q_DECLARE_TR_FUNCTIONS(EarlierListing)

public:
    Reader(QIODevice &in, EarlierListing &out, qint64 maxBytes)
        : m_json(in, MaxNesting, MaxText), m_out(out), m_maxBytes(maxBytes)
    {}

    void read()
    {
        try {
            readRoot();
        } catch (const JsonTokens::Error &error) {
            fromJson(error);
        }
    }

private:
    void readRoot();
    void readRootField(QByteArrayView key);
    void readVersion();
    void readOptions();
    void readOption(QByteArrayView key, Token value);
    void readTree();
    void startEntry(std::vector<EntryFields> &open);
    bool skipRemoved();
    void readEntryField(EntryFields &fields, Field field);
    void endEntry(const EntryFields &fields, int level);
    QString readText(QByteArrayView field);
    void finish();

    // A file that says it is a listing is damaged; one that does not is no listing.
    [[noreturn]] void shapeError(const QString &problem, qint64 line, qint64 offset) const
    {
        throw EarlierListingError(m_marked ? Reason::Damaged : Reason::NotListing, m_out.fileName, problem, line,
                                  offset);
    }
    [[noreturn]] void shapeError(const QString &problem) const { shapeError(problem, m_json.line(), m_json.offset()); }
    [[noreturn]] void fromJson(const JsonTokens::Error &error) const;

    JsonTokens m_json;
    EarlierListing &m_out;
    const qint64 m_maxBytes;
    bool m_started = false; // a first token was read
    bool m_marked = false;  // "format" said it is a listing
    bool m_sawFolder = false;
    bool m_sawChildren = false;
    bool m_inTree = false;
    bool m_depthGiven = false;
    bool m_filesGiven = false;
    int m_deepestFolder = 0;
    bool m_anyFile = false;
};

void Reader::readRoot()
{
    const Token first = m_json.next();
    m_started = true;
    if (first != Token::ObjectStart)
        shapeError(tr("it holds no object of named fields"));
    for (Token t = m_json.next(); t != Token::ObjectEnd; t = m_json.next())
        readRootField(m_json.text().toByteArray());
    m_json.next(); // only blanks may follow
    finish();
}

void Reader::readRootField(QByteArrayView key)
{
    if (key == "format") {
        const QString format = readText(key);
        m_marked = format == QLatin1StringView(EarlierListing::FormatName);
        if (!m_marked)
            shapeError(tr("its format is \"%1\"").arg(format));
    } else if (key == "version") {
        readVersion();
    } else if (key == "changes_only") {
        if (m_json.next() == Token::True)
            throw EarlierListingError(Reason::NotListing, m_out.fileName,
                                      tr("it lists only what changed, not the whole folder"));
    } else if (key == "folder") {
        m_out.folder = readText(key);
        m_sawFolder = true;
    } else if (key == "folder_bytes") {
        const auto decoded
            = QByteArray::fromBase64Encoding(readText(key).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            shapeError(tr("\"folder_bytes\" is not base64"));
        m_out.folderBytes = *decoded;
    } else if (key == "listed") {
        m_out.listedText = readText(key);
        m_out.listed = QDateTime::fromString(m_out.listedText, Qt::ISODate);
    } else if (key == "title") {
        m_out.title = readText(key);
    } else if (key == "options") {
        readOptions();
    } else if (key == "children") {
        if (m_json.next() != Token::ArrayStart)
            shapeError(tr("\"children\" is not a list of entries"));
        m_sawChildren = m_inTree = true;
        readTree();
        m_inTree = false;
    } else {
        m_json.skip(m_json.next());
    }
}

void Reader::readVersion()
{
    const Token t = m_json.next();
    const std::optional<qint64> version = t == Token::Number ? wholeNumber(m_json.text()) : std::nullopt;
    if (!version || *version < 1)
        shapeError(tr("\"version\" is not a format version"));
    if (*version > EarlierListing::FormatVersion)
        throw EarlierListingError(Reason::NewerVersion, m_out.fileName, QString::number(*version));
}

void Reader::readOptions()
{
    Token t = m_json.next();
    if (t != Token::ObjectStart) {
        m_json.skip(t);
        return;
    }
    while ((t = m_json.next()) != Token::ObjectEnd) {
        const QByteArray key = m_json.text().toByteArray();
        readOption(key, m_json.next());
    }
}

// An option this version does not know, or a value it cannot take, is passed over.
void Reader::readOption(QByteArrayView key, Token value)
{
    ListingOptions &options = m_out.options;
    const bool flag = value == Token::True || value == Token::False;
    if (key == "depth" && value == Token::Number) {
        const std::optional<qint64> depth = wholeNumber(m_json.text());
        m_depthGiven = depth && *depth >= 1;
        if (m_depthGiven)
            options.depth = int(std::min<qint64>(*depth, ListingFormat::MaxDepth));
    } else if (key == "files" && flag) {
        options.files = value == Token::True;
        m_filesGiven = true;
    } else if ((key == "size" || key == "date") && flag) {
        (key == "size" ? options.sizes : options.dates) = value == Token::True;
    } else if (key == "grid" && value == Token::String) {
        m_out.grid = QString::fromUtf8(m_json.text());
    } else if ((key == "dir_mark" || key == "file_mark") && value == Token::String) {
        (key == "dir_mark" ? options.dirMark : options.fileMark) = QString::fromUtf8(m_json.text());
    } else if (readListingChoice(m_json, key, value, options.choices)) {
    } else if (key == "widths" && value == Token::ArrayStart) {
        for (size_t column = 0; (value = m_json.next()) != Token::ArrayEnd; ++column) {
            if (value == Token::Number && column < options.widths.size())
                options.widths[column] = ListingFormat::readWidth(QString::fromLatin1(m_json.text()));
            m_json.skip(value);
        }
    } else {
        m_json.skip(value);
    }
}

// The entries, in the order of the tree, each folder's in its "children".
void Reader::readTree()
{
    std::vector<EntryFields> open; // entries whose fields are being read, innermost last
    bool inList = true;            // the next token begins an entry or ends a list of them
    for (;;) {
        const Token t = m_json.next();
        if (inList && t == Token::ArrayEnd) {
            if (open.empty())
                return;
            inList = false; // back among the fields of the folder whose list ended
        } else if (inList) {
            if (t != Token::ObjectStart)
                shapeError(tr("an entry that is not an object"));
            startEntry(open);
            inList = false;
        } else if (t == Token::ObjectEnd) {
            endEntry(open.back(), int(open.size()));
            open.pop_back();
            inList = true;
        } else if (const Field field = fieldOf(m_json.text()); field == Field::Change) {
            // A listing saved while comparing holds what was gone then as well.
            if (skipRemoved()) {
                m_out.entries.discard();
                open.pop_back();
                inList = true;
            }
        } else if (field == Field::Children) {
            const Token list = m_json.next();
            if (list != Token::ArrayStart && list != Token::Null)
                shapeError(tr("an entry's \"children\" is not a list"));
            inList = list == Token::ArrayStart;
        } else {
            readEntryField(open.back(), field);
        }
    }
}

void Reader::startEntry(std::vector<EntryFields> &open)
{
    EarlierEntries &entries = m_out.entries;
    if (entries.size() >= EarlierEntries::MaxEntries
        || ((entries.size() & 0xfff) == 0 && entries.bytesHeld() > m_maxBytes)) {
        throw EarlierListingError(
            Reason::TooLarge, m_out.fileName,
            tr("it outgrew %L1 MB after %L2 entries").arg(m_maxBytes / (1024 * 1024)).arg(entries.size()));
    }
    open.push_back({entries.open(), m_json.line(), m_json.offset()});
}

// Whether the entry was "removed"; its other fields are passed over then.
bool Reader::skipRemoved()
{
    Token t = m_json.next();
    const bool removed = t == Token::String && m_json.text() == "removed";
    m_json.skip(t);
    while (removed && (t = m_json.next()) != Token::ObjectEnd)
        m_json.skip(m_json.next());
    return removed;
}

void Reader::readEntryField(EntryFields &fields, Field field)
{
    EarlierEntries &entries = m_out.entries;
    EarlierEntries::Entry &entry = entries.entry(fields.index);
    const Token t = m_json.next();
    const QByteArrayView text = m_json.text();
    const bool string = t == Token::String;
    switch (field) {
    case Field::Name:
    case Field::NameBytes:
        if (!string)
            shapeError(tr("an entry's name is not a text"));
        if (field == Field::NameBytes) {
            const auto bytes
                = QByteArray::fromBase64Encoding(text.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
            if (!bytes)
                shapeError(tr("an entry's \"name_bytes\" is not base64"));
            entries.setName(fields.index, *bytes);
        } else if (!fields.exactName) {
            entries.setName(fields.index, text);
        }
        fields.named = true;
        fields.exactName |= field == Field::NameBytes;
        break;
    case Field::Kind:
        if (!string)
            shapeError(tr("an entry's kind is not a text"));
        // A kind this version does not know is compared as a file is.
        entry.kind = text == "folder" ? ListingRowKind::Folder : ListingRowKind::File;
        fields.kinded = true;
        break;
    case Field::Size: {
        const std::optional<qint64> bytes = t == Token::Number ? wholeNumber(text) : std::nullopt;
        if (t != Token::Null && (!bytes || *bytes < 0))
            shapeError(tr("the size %1 is not a number of bytes").arg(QString::fromUtf8(text).left(40)));
        entry.bytes = bytes.value_or(EarlierEntries::Unknown);
        break;
    }
    case Field::Modified: {
        const std::optional<qint64> seconds = string ? ListingExport::isoSeconds(text) : std::nullopt;
        if (t != Token::Null && !seconds)
            shapeError(tr("the modification time %1 is not a date and time").arg(QString::fromUtf8(text).left(40)));
        entry.modified = seconds.value_or(EarlierEntries::Unknown);
        break;
    }
    case Field::Note:
        entry.incomplete = string && text == "incomplete";
        fields.unread = string && (text == "unreadable" || text == "not entered");
        m_json.skip(t);
        break;
    case Field::Change:
    case Field::Children:
    case Field::Other:
        m_json.skip(t);
        break;
    }
}

void Reader::endEntry(const EntryFields &fields, int level)
{
    EarlierEntries &entries = m_out.entries;
    if (!fields.named)
        shapeError(tr("an entry without a name"), fields.line, fields.offset);
    if (!EarlierEntries::isName(entries.name(fields.index))) {
        const QString name = QFile::decodeName(entries.name(fields.index).toByteArray());
        shapeError(tr("an entry named \"%1\", which no file can be").arg(name), fields.line, fields.offset);
    }
    if (!fields.kinded)
        shapeError(tr("an entry without a kind"), fields.line, fields.offset);
    EarlierEntries::Entry &entry = entries.entry(fields.index);
    if (entry.kind == ListingRowKind::Folder) {
        // A folder noted "unreadable" with entries listed had only its date unread.
        entry.contentsRead = !fields.unread || entries.size() > fields.index + 1;
        m_deepestFolder = std::max(m_deepestFolder, level);
    } else {
        m_anyFile = true;
    }
    entries.close();
}

QString Reader::readText(QByteArrayView field)
{
    if (m_json.next() != Token::String)
        shapeError(tr("\"%1\" is not a text").arg(QString::fromUtf8(field)));
    return QString::fromUtf8(m_json.text());
}

void Reader::finish()
{
    if (!m_sawFolder)
        shapeError(tr("it names no folder (\"folder\")"), 0, 0);
    if (!m_sawChildren)
        shapeError(tr("it has no list of entries (\"children\")"), 0, 0);
    const Index repeated = m_out.entries.finish();
    if (repeated != EarlierEntries::None) {
        const QString path = QFile::decodeName(m_out.entries.path(repeated));
        shapeError(tr("the entry \"%1\" is listed twice").arg(path), 0, 0);
    }
    ListingOptions &options = m_out.options;
    if (!m_depthGiven)
        options.depth = std::max(1, m_deepestFolder);
    if (!m_filesGiven)
        options.files = m_anyFile;
    options.path = m_out.folder;
    options.nativePath = m_out.folderBytes;
}

void Reader::fromJson(const JsonTokens::Error &error) const
{
    const QString &file = m_out.fileName;
    switch (error.kind) {
    case JsonTokens::Error::Kind::Unreadable:
        throw EarlierListingError(Reason::Unreadable, file, error.problem);
    case JsonTokens::Error::Kind::EndInText:
        throw EarlierListingError(Reason::Truncated, file, tr("it ends in the middle of a text"), error.line,
                                  error.offset);
    case JsonTokens::Error::Kind::EndInValue:
        if (!m_started)
            throw EarlierListingError(Reason::NotJson, file, tr("the file is empty"));
        throw EarlierListingError(Reason::Truncated, file,
                                  m_inTree
                                      ? tr("it ends inside its entries, after %L1 of them").arg(m_out.entries.size())
                                      : tr("it ends before its listing does"),
                                  error.line, error.offset);
    case JsonTokens::Error::Kind::Syntax:
        break;
    }
    const bool listing = m_marked || m_sawFolder || m_sawChildren;
    throw EarlierListingError(listing ? Reason::Damaged : Reason::NotJson, file, error.problem, error.line,
                              error.offset);
}

QString describe(Reason reason, const QString &file, const QString &problem, qint64 line, qint64 offset)
{
    const QString where
        = line > 0 ? EarlierListingError::tr(" at line %L1, byte %L2").arg(line).arg(offset) : QString();
    switch (reason) {
    case Reason::Unreadable:
        return EarlierListingError::tr("Cannot read the listing \"%1\": %2.").arg(file, problem);
    case Reason::NotJson:
        return EarlierListingError::tr("\"%1\" is not a Foliotrace listing: it is not JSON text (%2%3).")
            .arg(file, problem, where);
    case Reason::NotListing:
        return EarlierListingError::tr("\"%1\" is not a Foliotrace listing: %2%3.").arg(file, problem, where);
    case Reason::Truncated:
        return EarlierListingError::tr("\"%1\" is cut short: %2%3. It may not have been saved or copied in full.")
            .arg(file, problem, where);
    case Reason::Damaged:
        return EarlierListingError::tr("\"%1\" is a damaged listing: %2%3.").arg(file, problem, where);
    case Reason::NewerVersion:
        return EarlierListingError::tr("\"%1\" was saved by a newer Foliotrace (listing format version %2); this "
                                       "version reads version %3.")
            .arg(file, problem)
            .arg(EarlierListing::FormatVersion);
    case Reason::TooLarge:
        return EarlierListingError::tr("\"%1\" holds more entries than this computer can safely compare: %2.")
            .arg(file, problem);
    }
    return problem;
}

} // namespace

EarlierListingError::EarlierListingError(Reason reason, const QString &fileName, const QString &problem, qint64 line,
                                         qint64 offset)
    : UserError(describe(reason, fileName, problem, line, offset))
    , m_reason(reason)
    , m_fileName(fileName)
    , m_line(line)
    , m_offset(offset)
{}

EarlierListing EarlierListing::read(const QString &fileName, qint64 maxBytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EarlierListingError(Reason::Unreadable, fileName, file.errorString());
    return read(file, fileName, maxBytes);
}

EarlierListing EarlierListing::read(QIODevice &in, const QString &fileName, qint64 maxBytes)
{
    EarlierListing listing;
    listing.fileName = fileName;
    Reader(in, listing, maxBytes > 0 ? maxBytes : listingSizeBound()).read();
    return listing;
}
