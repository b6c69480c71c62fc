#include "export/ExportText.h"

#include "print/NamelessFile.h"
#include "print/PrintError.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <memory>

namespace ExportText {

namespace {

// Rows a sheet holds, its heading among them; the rows past them go on in
// another sheet.
constexpr lxw_row_t SheetRows = LXW_ROW_MAX;
// How far a spreadsheet indents a cell and nests its outline, at most.
constexpr int MaxIndent = 15;
constexpr int MaxOutline = 7;
constexpr double WidestColumn = 80;

QString tr(const char *text)
{
    return ListingExport::tr(text);
}

// How many folders of the listing hold the row: its outline level. A
// folder's level is that of the files beside it in its parent, plus one.
int depthOf(const ListingRow &row)
{
    return row.kind == ListingRowKind::Folder ? std::max(row.level - 1, 0) : row.level;
}

void check(lxw_error error)
{
    if (error != LXW_NO_ERROR) {
        throw PrintError(PrintError::Cause::OutputFailed,
                         tr("The spreadsheet could not be made: %1.").arg(QString::fromUtf8(lxw_strerror(error))));
    }
}

// What a sheet column holds: one per listing column, the size giving two.
enum class Holds { Name, Bytes, Kilobytes, Date, Count, Created, Text };

struct SheetColumn
{
    Holds holds;
    int listed; // the listing's column it comes from
    QString heading;
    double width;
};

QList<SheetColumn> sheetColumns(const Entries &e)
{
    QList<SheetColumn> columns;
    for (int c = 0; c < e.columns().size(); ++c) {
        const QString heading = e.listing.headings.value(c);
        switch (e.columns()[c]) {
        case ListingColumn::Name: {
            double width = heading.size();
            for (qsizetype i = 0; i < e.count(); ++i)
                width = std::max(width, double(e.name(i).size() + std::min(depthOf(e.row(i)), MaxIndent) * 2));
            columns.append({Holds::Name, c, heading, std::min(width + 2, WidestColumn)});
            break;
        }
        case ListingColumn::Size:
            columns.append({Holds::Bytes, c, tr("Size (bytes)"), 15});
            columns.append({Holds::Kilobytes, c, heading, 12});
            break;
        case ListingColumn::Date:
            columns.append({Holds::Date, c, heading, 12});
            break;
        case ListingColumn::Files:
        case ListingColumn::Folders:
            columns.append({Holds::Count, c, heading, 10});
            break;
        case ListingColumn::Created:
            columns.append({Holds::Created, c, heading, 12});
            break;
        default:
            columns.append({Holds::Text, c, heading, 16});
        }
    }
    return columns;
}

QByteArray utf8(QStringView text)
{
    return text.toUtf8();
}

// The listing into a workbook, written as it goes: no more than a row of it
// is held at a time.
class Workbook
{
public:
    Workbook(const ListingExport::Request &request, const Entries &e, const QByteArray &fileName)
        : m_entries(e)
        , m_columns(sheetColumns(e))
        , m_tmpdir(QFile::encodeName(QDir::tempPath()))
        , m_title(utf8(request.page.title))
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = m_tmpdir.data();
        m_book.reset(workbook_new_opt(fileName.constData(), &options));
        if (!m_book)
            check(LXW_ERROR_CREATING_TMPFILE);
        lxw_doc_properties properties{};
        properties.title = m_title.data();
        check(workbook_set_properties(m_book.get(), &properties));
        makeFormats();
    }

    void writeListing()
    {
        for (qsizetype i = 0; i < m_entries.count(); ++i) {
            if (!m_sheet || m_row == SheetRows)
                startSheet();
            writeRow(i);
            ++m_row;
        }
        if (!m_sheet)
            startSheet();
        endSheet();
    }

    void writeReport()
    {
        const QList<ListingProblem> &problems = m_entries.listing.problems;
        if (problems.isEmpty())
            return;
        lxw_worksheet *sheet = addSheet(tr("Not read in full"));
        check(worksheet_set_column(sheet, 0, 0, WidestColumn, nullptr));
        check(worksheet_set_column(sheet, 1, 1, 40, nullptr));
        check(worksheet_write_string(sheet, 0, 0, utf8(tr("Path")).constData(), m_bold));
        check(worksheet_write_string(sheet, 0, 1, utf8(tr("Reason")).constData(), m_bold));
        worksheet_freeze_panes(sheet, 1, 0);
        const qsizetype shown = std::min<qsizetype>(problems.size(), SheetRows - 2);
        for (qsizetype p = 0; p < shown; ++p) {
            const auto row = lxw_row_t(p + 1);
            check(worksheet_write_string(sheet, row, 0, QFile::decodeName(problems[p].path).toUtf8().constData(),
                                         nullptr));
            check(worksheet_write_string(sheet, row, 1, utf8(problems[p].reason).constData(), nullptr));
        }
        if (shown < problems.size()) {
            const QString more = tr("\u2026 and %L1 more").arg(problems.size() - shown);
            check(worksheet_write_string(sheet, lxw_row_t(shown + 1), 0, utf8(more).constData(), nullptr));
        }
    }

    void close() { check(workbook_close(m_book.release())); }

private:
    struct Free
    {
        void operator()(lxw_workbook *book) const { lxw_workbook_free(book); }
    };

    lxw_format *numberFormat(const char *format)
    {
        lxw_format *made = workbook_add_format(m_book.get());
        format_set_num_format(made, format);
        return made;
    }

    void makeFormats()
    {
        m_bold = workbook_add_format(m_book.get());
        format_set_bold(m_bold);
        for (int folder = 0; folder < 2; ++folder) {
            for (int level = 0; level <= MaxIndent; ++level) {
                lxw_format *name = workbook_add_format(m_book.get());
                format_set_indent(name, uint8_t(level));
                if (folder)
                    format_set_bold(name);
                m_names[size_t(folder)][size_t(level)] = name;
            }
        }
        m_number = numberFormat("#,##0");
        // A folder's total that lacks what could not be read: "at least".
        m_atLeast = numberFormat("#,##0\"+\"");
        // The short date of the reader's own locale.
        m_date = workbook_add_format(m_book.get());
        format_set_num_format_index(m_date, 14);
    }

    void startSheet()
    {
        if (m_sheet)
            endSheet();
        ++m_sheets;
        m_sheet = addSheet(m_sheets == 1 ? tr("Listing") : tr("Listing (%1)").arg(m_sheets));
        // Folders above what they hold, so that each folds its rows away.
        worksheet_outline_settings(m_sheet, LXW_TRUE, LXW_FALSE, LXW_FALSE, LXW_FALSE);
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            const auto col = lxw_col_t(c);
            check(worksheet_set_column(m_sheet, col, col, m_columns[c].width, nullptr));
            check(worksheet_write_string(m_sheet, 0, col, utf8(m_columns[c].heading).constData(), m_bold));
        }
        worksheet_freeze_panes(m_sheet, 1, 0);
        m_row = 1;
    }

    lxw_worksheet *addSheet(const QString &name)
    {
        // A spreadsheet takes sheet names of at most 31 characters.
        const QByteArray shortened = utf8(name.left(LXW_SHEETNAME_MAX));
        check(workbook_validate_sheet_name(m_book.get(), shortened.constData()));
        lxw_worksheet *sheet = workbook_add_worksheet(m_book.get(), shortened.constData());
        if (!sheet)
            check(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return sheet;
    }

    void endSheet() { check(worksheet_autofilter(m_sheet, 0, 0, m_row - 1, lxw_col_t(m_columns.size() - 1))); }

    void writeRow(qsizetype i)
    {
        const int depth = depthOf(m_entries.row(i));
        if (depth > 0) {
            lxw_row_col_options outline{LXW_FALSE, uint8_t(std::min(depth, MaxOutline)), LXW_FALSE};
            check(worksheet_set_row_opt(m_sheet, m_row, LXW_DEF_ROW_HEIGHT, nullptr, &outline));
        }
        for (qsizetype c = 0; c < m_columns.size(); ++c)
            writeCell(i, lxw_col_t(c), m_columns[c]);
    }

    void writeCell(qsizetype i, lxw_col_t col, const SheetColumn &column)
    {
        const qint64 bytes = m_entries.bytes(i);
        lxw_format *total = m_entries.details(i).incomplete ? m_atLeast : m_number;
        switch (column.holds) {
        case Holds::Name: {
            const ListingRow &row = m_entries.row(i);
            lxw_format *format = m_names[row.kind == ListingRowKind::Folder][size_t(std::min(depthOf(row), MaxIndent))];
            check(worksheet_write_string(m_sheet, m_row, col, utf8(m_entries.name(i)).constData(), format));
            return;
        }
        case Holds::Bytes:
            if (bytes != Unknown)
                check(worksheet_write_number(m_sheet, m_row, col, double(bytes), total));
            return;
        case Holds::Kilobytes:
            // As the listing rounds: half a kilobyte up.
            if (bytes != Unknown)
                check(worksheet_write_number(m_sheet, m_row, col, double((bytes + 512) / 1024), total));
            else
                writeListed(i, col, column);
            return;
        case Holds::Date:
        case Holds::Created:
            if (!writeDate(column.holds == Holds::Date ? m_entries.modified(i) : m_entries.details(i).created, col))
                writeListed(i, col, column);
            return;
        case Holds::Count: {
            const ListingRowDetails &details = m_entries.details(i);
            const qint64 count
                = m_entries.columns()[column.listed] == ListingColumn::Files ? details.files : details.folders;
            if (count != Unknown)
                check(worksheet_write_number(m_sheet, m_row, col, double(count), total));
            else
                writeListed(i, col, column);
            return;
        }
        case Holds::Text:
            writeListed(i, col, column);
            return;
        }
    }

    // The cell as the listing shows it ("?" where a size could not be read).
    void writeListed(qsizetype i, lxw_col_t col, const SheetColumn &column)
    {
        const QStringView cell = m_entries.listing.cell(m_entries.row(i), column.listed);
        if (!cell.isEmpty())
            check(worksheet_write_string(m_sheet, m_row, col, utf8(cell).constData(), nullptr));
    }

    // Local time, as the listing shows it; false where a spreadsheet has no
    // date for it (before 1900) or it is not known.
    bool writeDate(qint64 seconds, lxw_col_t col)
    {
        const time_t t = time_t(seconds);
        struct tm local = {};
        if (seconds == Unknown || qint64(t) != seconds || !localtime_r(&t, &local) || local.tm_year < 0
            || local.tm_year > 8099)
            return false;
        lxw_datetime date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                          local.tm_hour,        local.tm_min,     double(local.tm_sec)};
        check(worksheet_write_datetime(m_sheet, m_row, col, &date, m_date));
        return true;
    }

    const Entries &m_entries;
    const QList<SheetColumn> m_columns;
    QByteArray m_tmpdir;
    QByteArray m_title;
    std::unique_ptr<lxw_workbook, Free> m_book;
    lxw_worksheet *m_sheet = nullptr;
    lxw_row_t m_row = 0;
    int m_sheets = 0;
    lxw_format *m_bold = nullptr;
    std::array<std::array<lxw_format *, MaxIndent + 1>, 2> m_names{};
    lxw_format *m_number = nullptr;
    lxw_format *m_atLeast = nullptr;
    lxw_format *m_date = nullptr;
};

} // namespace

void writeXlsx(const ListingExport::Request &request, const Entries &e, QIODevice &device)
{
    // The library writes a file by its name; this one has none but the
    // process's own link to it, so nothing is left behind however the
    // program ends.
    QFile file;
    if (!openNameless(file)) {
        throw PrintError(PrintError::Cause::OutputFailed,
                         tr("Cannot make the spreadsheet in %1: %2.")
                             .arg(QDir::toNativeSeparators(QDir::tempPath()), qt_error_string(errno)));
    }
    Workbook book(request, e, "/proc/self/fd/" + QByteArray::number(file.handle()));
    book.writeListing();
    book.writeReport();
    book.close();
    char buffer[64 * 1024];
    qint64 read = 0;
    while ((read = file.read(buffer, sizeof buffer)) > 0) {
        for (qint64 done = 0; done < read;) {
            const qint64 written = device.write(buffer + done, read - done);
            if (written <= 0)
                throw DeviceRefused();
            done += written;
        }
    }
    if (read < 0)
        throw PrintError(PrintError::Cause::OutputFailed, file.errorString());
}

} // namespace ExportText
