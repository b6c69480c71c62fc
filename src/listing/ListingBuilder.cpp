#include "listing/ListingBuilder.h"

#include "listing/FileSystemObject.h"
#include "listing/FolderTree.h"
#include "listing/ListingChanges.h"
#include "listing/ListingFormat.h"
#include "listing/NameOrder.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

#include <unistd.h>

namespace {

using Node = FolderTree::Node;
using State = FolderTree::State;
constexpr qint64 Unknown = ListingRowDetails::Unknown;

// What the builds running on this thread work on, so that a request arriving
// during a yield cannot start a second walk over the same component or into
// the same listing.
thread_local std::vector<const void *> t_inUse;

class RunningBuild
{
public:
    RunningBuild(const FileSystemObject &fileSystem, const ListingText &out) : m_fileSystem(fileSystem), m_out(out)
    {
        if (inUse(&fileSystem) || inUse(&out))
            throw std::logic_error("a listing build is already running on this component or listing");
        t_inUse.push_back(&fileSystem);
        t_inUse.push_back(&out);
    }
    ~RunningBuild()
    {
        std::erase(t_inUse, static_cast<const void *>(&m_fileSystem));
        std::erase(t_inUse, static_cast<const void *>(&m_out));
    }
    RunningBuild(const RunningBuild &) = delete;
    RunningBuild &operator=(const RunningBuild &) = delete;

private:
    static bool inUse(const void *p) { return std::find(t_inUse.begin(), t_inUse.end(), p) != t_inUse.end(); }

    const FileSystemObject &m_fileSystem;
    const ListingText &m_out;
};

// One row's values before they become cells.
struct RowValues
{
    ListingRowKind kind = ListingRowKind::File;
    int level = 0;
    QByteArrayView name;
    qint64 bytes = Unknown;
    bool incomplete = false;
    qint64 modified = Unknown;
    ListingNote note = ListingNote::None;
};

class Builder
{
public:
    Builder(const ListingOptions &options, const QString &columnSeparator, const QString &rowSeparator,
            ListingText &out, const ListingYield &yield)
        : m_options(options)
        , m_columnSeparator(columnSeparator)
        , m_rowSeparator(rowSeparator)
        , m_out(out)
        , m_yield(yield)
        , m_printFiles(options.files)
        , m_printSize(options.sizes)
        , m_printDate(options.dates)
        , m_totals(options.sizes || options.choices.pruneEmpty || options.choices.order == ListingOrder::Size)
        , m_levels(std::clamp(options.depth, 1, ListingFormat::MaxDepth))
        , m_maxBytes(options.maxBytes > 0 ? options.maxBytes : listingSizeBound())
    {}

    void run(FileSystemObject &fileSystem)
    {
        RunningBuild running(fileSystem, m_out);
        const QStringList headings = writeHeader();

        const QByteArray nativePath
            = m_options.nativePath.isEmpty() ? QFile::encodeName(m_options.path) : m_options.nativePath;
        m_progress.currentFolder
            = m_options.nativePath.isEmpty() ? m_options.path : QFile::decodeName(m_options.nativePath);
        FolderTree tree(fileSystem, nativePath, {m_levels, m_printFiles, m_totals, WalkChoices(m_options.choices)},
                        [this] { reportProgress(); });
        Node &root = tree.root();
        tree.waitRead(root);
        if (root.state == State::Failed)
            throw FileSystemError(root.failedAt, nativePath, root.readError);

        // The structured rows always describe ListBody, so they change with it.
        m_out.ListBody = m_rowSeparator;
        m_out.rows.clear();
        m_out.problems.clear();
        m_out.details.clear();
        m_out.nativeNames.clear();
        m_out.columnSeparator = m_columnSeparator;
        m_out.rowSeparator = m_rowSeparator;
        m_out.dirMark = m_options.dirMark;
        m_out.fileMark = m_options.fileMark;
        m_out.headings = headings;
        m_out.choicesLine = ListingChoiceText::summary(m_options.choices);
        m_started = true;
        walk(tree);
        ListingChangeColumn::apply(m_options, m_out);
    }

private:
    // Writes ListFormat and ListHeader; the headings go with the body.
    QStringList writeHeader()
    {
        QString format = m_options.width(ListingColumn::Name).plain();
        QString header = QCoreApplication::translate("Listing", "Sub-Directories");
        QStringList headings{header};
        if (m_printSize) {
            format += QLatin1String("|>") + m_options.width(ListingColumn::Size).plain();
            headings.append(QCoreApplication::translate("Listing", "Size (KB)"));
            header += m_columnSeparator + headings.last();
        }
        if (m_printDate) {
            format += QLatin1String("|>") + m_options.width(ListingColumn::Date).plain();
            headings.append(QCoreApplication::translate("Listing", "Date"));
            header += m_columnSeparator + headings.last();
        }
        format += QLatin1Char(';');
        header += m_rowSeparator;
        m_out.ListFormat = format;
        m_out.ListHeader = header;
        return headings;
    }

    struct Frame
    {
        Node *node;
        qsizetype row;   // the folder's row; -1 for the selected folder
        QString display; // its path as shown in the progress
        size_t next = 0; // sub-folder whose block comes next
    };

    // The selected folder's files, then each folder's row, the blocks of its
    // listed sub-folders and its files, depth first without recursion.
    void walk(FolderTree &tree)
    {
        Node &root = tree.root();
        appendFiles(tree, root, -1);
        orderFolders(tree, root);
        std::vector<Frame> stack;
        stack.push_back({&root, -1, m_progress.currentFolder});
        while (!stack.empty()) {
            Frame &top = stack.back();
            Node &node = *top.node;
            if (node.level < m_levels && top.next < node.folders.size()) {
                Node &child = *node.folders[top.next++];
                if (leftOut(tree, child))
                    continue;
                Frame frame{&child, -1, m_yield ? childDisplay(top.display, child) : QString()};
                m_progress.currentFolder = frame.display;
                frame.row = appendFolder(tree, child, top.row);
                orderFolders(tree, child);
                reportProgress();
                stack.push_back(std::move(frame));
                continue;
            }
            if (&node != &root)
                appendFiles(tree, node, top.row);
            tree.release(node);
            stack.pop_back();
        }
    }

    // Folders with nothing listed below them, when those are left out.
    bool leftOut(FolderTree &tree, Node &folder)
    {
        if (!m_options.choices.pruneEmpty)
            return false;
        tree.waitComplete(folder);
        return tree.leftOut(folder);
    }

    // Largest first takes the sub-folders' totals, so they are ordered once
    // known; the files and the other orders come ordered from the walk.
    void orderFolders(FolderTree &tree, Node &folder)
    {
        if (m_options.choices.order != ListingOrder::Size || folder.level >= m_levels)
            return;
        tree.waitComplete(folder);
        std::vector<Node *> &folders = folder.folders;
        constexpr qint64 Last = std::numeric_limits<qint64>::min();
        std::stable_sort(folders.begin(), folders.end(), [](const Node *a, const Node *b) {
            return (a->state == State::Failed ? Last : a->total) > (b->state == State::Failed ? Last : b->total);
        });
        for (size_t i = 0; i < folders.size(); ++i)
            folders[i]->index = quint32(i);
    }

    static QString childDisplay(const QString &parent, const Node &child)
    {
        QString display = parent;
        if (!display.endsWith(QLatin1Char('/')))
            display += QLatin1Char('/');
        ListingFormat::appendName(display, child.name);
        return display;
    }

    // The folder's row, once what it shows is known; the problems it shows
    // follow it, the unlisted part's with the deepest listed folder.
    qsizetype appendFolder(FolderTree &tree, Node &folder, qsizetype parentRow)
    {
        if (m_totals)
            tree.waitComplete(folder);
        else
            tree.waitRead(folder);
        const bool failed = folder.state == State::Failed;
        const bool notEntered = folder.state == State::NotEntered;
        RowValues row{ListingRowKind::Folder, folder.level, folder.name};
        if (m_printSize) {
            row.bytes = failed ? Unknown : folder.total;
            row.incomplete = folder.incomplete && !failed;
        }
        row.modified = folder.statError ? Unknown : folder.modified;
        if (failed || (folder.statError && m_printDate))
            row.note = ListingNote::Unreadable;
        else if (notEntered)
            row.note = ListingNote::NotEntered;
        else if (row.incomplete)
            row.note = ListingNote::Incomplete;
        const qsizetype index = appendRow(row, parentRow);

        if (notEntered)
            m_out.problems.append({tree.path(folder), tree.notEnteredReason(folder), row.note, index, true});
        else if (failed)
            m_out.problems.append({tree.path(folder), FolderTree::reason(folder.readError), row.note, index, true});
        else if (folder.statError && m_printDate)
            m_out.problems.append({tree.path(folder), FolderTree::reason(folder.statError), row.note, index, true});
        if (m_printSize && folder.level == m_levels) {
            for (ListingProblem problem : folder.problemsBelow) {
                problem.row = index;
                m_out.problems.append(std::move(problem));
            }
        }
        return index;
    }

    // Rows for the folder's files; a file whose details are missing is
    // reported where it shows "?" or leaves a total short.
    void appendFiles(FolderTree &tree, const Node &folder, qsizetype parentRow)
    {
        const int level = folder.level;
        for (const FolderEntry &file : folder.files) {
            const bool shown = m_printFiles && (m_printSize || m_printDate);
            qsizetype index = parentRow;
            if (m_printFiles) {
                RowValues row{ListingRowKind::File, level,
                              QByteArrayView(folder.names.constData() + file.nameOffset, file.nameLength)};
                if (!file.error) {
                    row.bytes = file.size;
                    row.modified = file.modified;
                } else if (shown) {
                    row.note = ListingNote::Unreadable;
                }
                index = appendRow(row, parentRow);
            }
            if (file.error && (shown || m_printSize))
                m_out.problems.append({tree.filePath(folder, file), FolderTree::reason(file.error),
                                       ListingNote::Unreadable, index, m_printFiles});
        }
    }

    qsizetype appendRow(const RowValues &values, qsizetype parentRow)
    {
        QString &body = m_out.ListBody;
        const bool folder = values.kind == ListingRowKind::Folder;
        ListingRow row;
        row.offset = body.size();
        row.kind = values.kind;
        row.level = values.level;
        row.note = values.note;

        ListingFormat::appendBlanks(body, ListingFormat::indentOf(values.kind, values.level));
        body += folder ? m_options.dirMark : m_options.fileMark;
        ListingFormat::appendBlanks(body, folder ? 1 : 2);
        const qsizetype nameStart = body.size() - row.offset;
        ListingFormat::appendName(body, values.name);
        row.cellLength[0] = qint32(body.size() - row.offset);
        int column = 1;
        if (m_printSize) {
            body += m_columnSeparator;
            const qsizetype start = body.size();
            if (values.bytes == Unknown)
                body += QLatin1Char('?');
            else
                m_sizes.append(body, values.bytes);
            if (values.incomplete)
                body += QLatin1Char('+');
            row.cellLength[column++] = qint32(body.size() - start);
        }
        if (m_printDate) {
            body += m_columnSeparator;
            const qsizetype start = body.size();
            if (values.modified == Unknown)
                body += QLatin1Char('?');
            else
                m_dates.append(body, FileTime(std::chrono::seconds(values.modified)));
            row.cellLength[column++] = qint32(body.size() - start);
        }
        body += m_rowSeparator;
        m_out.rows.append(row);
        if (sizeInBytes() > m_maxBytes)
            stopTooLarge();
        if (m_options.keepDetails || m_options.compare)
            keepDetails(values, parentRow, nameStart);
        return m_out.rows.size() - 1;
    }

    void keepDetails(const RowValues &values, qsizetype parentRow, qsizetype nameStart)
    {
        const qsizetype index = m_out.rows.size() - 1;
        m_out.details.append({values.bytes, values.modified, parentRow, qint32(nameStart), values.incomplete});
        // A name that does not survive decoding keeps its bytes beside the row.
        if (!NameOrder::isAscii(values.name)) {
            const QByteArray bytes = values.name.toByteArray();
            if (QFile::encodeName(QFile::decodeName(bytes)) != bytes)
                m_out.nativeNames.insert(index, bytes);
        }
    }

    qint64 sizeInBytes() const
    {
        return qint64(m_out.ListBody.size()) * qint64(sizeof(QChar))
               + qint64(m_out.rows.size()) * qint64(sizeof(ListingRow) + sizeof(ListingRowDetails));
    }

    [[noreturn]] void stopTooLarge()
    {
        const qsizetype rows = m_out.rows.size();
        // Let go of it at once: it is what the machine could not hold.
        m_out.ListBody = m_rowSeparator;
        m_out.rows = {};
        m_out.problems = {};
        m_out.details = {};
        m_out.nativeNames = {};
        throw ListingTooLarge(m_maxBytes, rows);
    }

    void reportProgress()
    {
        if (!m_yield)
            return;
        // Until the body starts, the rows are still the previous build's.
        m_progress.entriesListed = m_started ? m_out.rows.size() : 0;
        m_progress.entriesUnread = m_started ? m_out.problems.size() : 0;
        m_yield(m_progress);
    }

    const ListingOptions &m_options;
    const QString m_columnSeparator;
    const QString m_rowSeparator;
    ListingText &m_out;
    const ListingYield &m_yield;
    const bool m_printFiles;
    const bool m_printSize;
    const bool m_printDate;
    const bool m_totals; // every listed folder's subtree read before its row
    const int m_levels;
    const qint64 m_maxBytes;
    ListingFormat::SizeCellWriter m_sizes;
    ListingFormat::DateCellWriter m_dates;
    ListingProgress m_progress;
    bool m_started = false;
};

} // namespace

ListingTooLarge::ListingTooLarge(qint64 boundBytes, qsizetype rows)
    : UserError(QCoreApplication::translate("Listing",
                                            "The listing grew past %L1 MB after %L2 entries, more than this computer "
                                            "can safely hold, and was stopped. Choose fewer sub-directory levels, a "
                                            "smaller folder or shorter marks.")
                    .arg(boundBytes / (1024 * 1024))
                    .arg(rows))
{}

qint64 listingSizeBound()
{
    constexpr qint64 MB = 1024 * 1024;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    // The copy for the clipboard, or the layout of the preview, needs about
    // as much again.
    const qint64 share = pages > 0 && pageSize > 0 ? qint64(pages) * pageSize / 8 : 384 * MB;
    return std::clamp(share, 64 * MB, 384 * MB);
}

void buildListing(const ListingOptions &options, const QString &columnSeparator, const QString &rowSeparator,
                  FileSystemObject &fileSystem, ListingText &out, const ListingYield &yield)
{
    Builder builder(options, columnSeparator, rowSeparator, out, yield);
    builder.run(fileSystem);
}
