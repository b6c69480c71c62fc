#include "listing/ListingBuilder.h"

#include "listing/FileSystemObject.h"
#include "listing/FolderTree.h"
#include "listing/ListingCells.h"
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
        , m_columns(options.columns())
        , m_printFiles(options.files)
        , m_printSize(options.sizes)
        , m_counts(m_columns.contains(ListingColumn::Files) || m_columns.contains(ListingColumn::Folders))
        , m_stated(options.dates || std::any_of(m_columns.begin(), m_columns.end(), needsDetails))
        , m_path(m_columns.contains(ListingColumn::Path))
        , m_totals(options.sizes || m_counts || options.choices.pruneEmpty
                   || options.choices.order == ListingOrder::Size)
        , m_levels(std::clamp(options.depth, 1, ListingFormat::MaxDepth))
        , m_maxBytes(options.maxBytes > 0 ? options.maxBytes : listingSizeBound())
        , m_cells(m_columns, columnSeparator)
    {}

    void run(FileSystemObject &fileSystem)
    {
        RunningBuild running(fileSystem, m_out);
        const QStringList headings = writeHeader();
        fileSystem.setBirthTimes(m_columns.contains(ListingColumn::Created));

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
        m_out.columns = m_columns;
        m_out.totals = {};
        m_out.choicesLine = ListingChoiceText::summary(m_options.choices);
        m_started = true;
        walk(tree);
        writeTotals(tree);
        ListingChangeColumn::apply(m_options, m_out);
        // Removed entries and the Change column make the listing larger than the walk did.
        if (sizeInBytes() > m_maxBytes)
            stopTooLarge();
    }

private:
    // Owner, permissions, time and birth time come from an entry's details.
    static bool needsDetails(ListingColumn column)
    {
        return column == ListingColumn::Time || column == ListingColumn::Owner || column == ListingColumn::Permissions
               || column == ListingColumn::Created;
    }

    // Writes ListFormat and ListHeader; the headings go with the body.
    QStringList writeHeader()
    {
        QString format;
        QStringList headings;
        for (ListingColumn column : m_columns) {
            // Numbers and times stand right, words and paths left.
            const bool right = column != ListingColumn::Name && column != ListingColumn::Owner
                               && column != ListingColumn::Permissions && column != ListingColumn::Path;
            if (!headings.isEmpty())
                format += right ? QLatin1String("|>") : QLatin1String("|");
            format += m_options.width(column).plain();
            headings.append(ListingColumns::heading(column));
        }
        format += QLatin1Char(';');
        m_out.ListFormat = format;
        m_out.ListHeader = headings.join(m_columnSeparator) + m_rowSeparator;
        return headings;
    }

    // The selected folder's totals, when the line is wanted and one of its columns is on.
    void writeTotals(FolderTree &tree)
    {
        ListingTotals &totals = m_out.totals;
        totals.folders = m_columns.contains(ListingColumn::Folders);
        totals.files = m_columns.contains(ListingColumn::Files);
        totals.bytes = m_printSize;
        if (!m_options.choices.totals || !(totals.folders || totals.files || totals.bytes))
            return;
        Node &root = tree.root();
        tree.waitComplete(root);
        totals.shown = true;
        totals.folderCount = root.folderCount;
        totals.fileCount = root.fileCount;
        totals.byteCount = root.total;
        totals.incomplete = root.incomplete;
        totals.line = m_cells.totalsLine(totals);
    }

    struct Frame
    {
        Node *node;
        qsizetype row;   // the folder's row; -1 for the selected folder
        QString display; // its path as shown in the progress
        size_t next = 0; // sub-folder whose block comes next
        QString path{};  // from the selected folder on, for the Path column
    };

    // The selected folder's files, then each folder's row, the blocks of its
    // listed sub-folders and its files, depth first without recursion.
    void walk(FolderTree &tree)
    {
        Node &root = tree.root();
        appendFiles(tree, root, -1, {});
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
                if (m_path)
                    frame.path = childPath(top.path, child.name);
                m_progress.currentFolder = frame.display;
                frame.row = appendFolder(tree, child, top.row, frame.path);
                orderFolders(tree, child);
                reportProgress();
                stack.push_back(std::move(frame));
                continue;
            }
            if (&node != &root)
                appendFiles(tree, node, top.row, top.path);
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

    static QString childPath(const QString &parent, QByteArrayView name)
    {
        QString path = parent;
        if (!path.isEmpty())
            path += QLatin1Char('/');
        ListingFormat::appendName(path, name);
        return path;
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
    qsizetype appendFolder(FolderTree &tree, Node &folder, qsizetype parentRow, QStringView path)
    {
        if (m_totals)
            tree.waitComplete(folder);
        else
            tree.waitRead(folder);
        const bool failed = folder.state == State::Failed;
        const bool notEntered = folder.state == State::NotEntered;
        RowValues row{ListingRowKind::Folder, folder.level, folder.name};
        if (m_printSize || m_counts)
            row.incomplete = folder.incomplete && !failed;
        if (m_printSize)
            row.bytes = failed ? Unknown : folder.total;
        if (m_counts && !failed) {
            row.files = folder.fileCount;
            row.folders = folder.folderCount;
        }
        row.modified = folder.statError ? Unknown : folder.modified;
        setDetails(row, !folder.statError, folder.mode, folder.owner, folder.created, path);
        if (failed || (folder.statError && m_stated))
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
        else if (folder.statError && m_stated)
            m_out.problems.append({tree.path(folder), FolderTree::reason(folder.statError), row.note, index, true});
        if ((m_printSize || m_counts) && folder.level == m_levels) {
            for (ListingProblem problem : folder.problemsBelow) {
                problem.row = index;
                m_out.problems.append(std::move(problem));
            }
        }
        return index;
    }

    // Rows for the folder's files; a file whose details are missing is
    // reported where it shows "?" or leaves a total short.
    void appendFiles(FolderTree &tree, const Node &folder, qsizetype parentRow, const QString &folderPath)
    {
        const int level = folder.level;
        const bool shown = m_printFiles && (m_printSize || m_stated);
        QString path;
        for (const FolderEntry &file : folder.files) {
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
                if (m_path)
                    path = childPath(folderPath, row.name);
                setDetails(row, !file.error, file.mode, file.owner, file.created, path);
                index = appendRow(row, parentRow);
            }
            if (file.error && (shown || m_printSize || m_counts))
                m_out.problems.append({tree.filePath(folder, file), FolderTree::reason(file.error),
                                       ListingNote::Unreadable, index, m_printFiles});
        }
    }

    static void setDetails(RowValues &row, bool stated, quint16 mode, quint32 owner, qint64 created, QStringView path)
    {
        row.stated = stated;
        row.mode = mode;
        row.owner = owner;
        row.created = stated && created != FolderEntry::NoTime ? created : Unknown;
        row.path = path;
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
        row.setCellLength(0, int(m_columns.size()), qint32(body.size() - row.offset));
        m_cells.append(body, values, row);
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
        m_out.details.append({values.bytes, values.modified, parentRow, qint32(nameStart), values.incomplete,
                              values.files, values.folders, values.created});
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
    const QList<ListingColumn> m_columns;
    const bool m_printFiles;
    const bool m_printSize;
    const bool m_counts; // the Files or the Folders column
    const bool m_stated; // a column from the entries' details: "?" where they could not be read
    const bool m_path;
    const bool m_totals; // every listed folder's subtree read before its row
    const int m_levels;
    const qint64 m_maxBytes;
    RowCellWriter m_cells;
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
