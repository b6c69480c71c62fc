#include "listing/ListingBuilder.h"

#include "listing/FileSystemObject.h"
#include "listing/ListingFormat.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

// What the builds running on this thread work on, so that a request arriving
// during a yield cannot start a second walk over the same component or into
// the same listing.
thread_local std::vector<const void *> t_inUse;

class RunningBuild
{
public:
    RunningBuild(FileSystemObject &fileSystem, const ListingText &out, FileSystemObject::Heartbeat heartbeat)
        : m_fileSystem(fileSystem), m_out(out)
    {
        if (inUse(&fileSystem) || inUse(&out))
            throw std::logic_error("a listing build is already running on this component or listing");
        t_inUse.push_back(&fileSystem);
        t_inUse.push_back(&out);
        m_fileSystem.beginBuild(std::move(heartbeat));
    }
    ~RunningBuild()
    {
        m_fileSystem.endBuild();
        std::erase(t_inUse, static_cast<const void *>(&m_fileSystem));
        std::erase(t_inUse, static_cast<const void *>(&m_out));
    }
    RunningBuild(const RunningBuild &) = delete;
    RunningBuild &operator=(const RunningBuild &) = delete;

private:
    static bool inUse(const void *p) { return std::find(t_inUse.begin(), t_inUse.end(), p) != t_inUse.end(); }

    FileSystemObject &m_fileSystem;
    const ListingText &m_out;
};

class Builder
{
public:
    Builder(const ListingOptions &options, const QString &cSeperator, const QString &rSeperator,
            ListingText &out, const ListingYield &yield)
        : m_options(options), m_columnSeparator(cSeperator), m_rowSeparator(rSeperator), m_out(out),
          m_yield(yield), m_printFiles(options.printFiles == 1), m_printSize(options.printSize == 1),
          m_printDate(options.printDate == 1), m_levels(ListingFormat::depthLevels(options.depthText))
    {
    }

    void run(FileSystemObject &fileSystem)
    {
        RunningBuild running(fileSystem, m_out, [this] { reportProgress(); });
        const QStringList headings = writeHeader();

        const QByteArray nativePath = m_options.nativePath.isEmpty() ? QFile::encodeName(m_options.path)
                                                                     : m_options.nativePath;
        std::shared_ptr<FileSystemFolder> root = fileSystem.GetFolder(nativePath);

        m_out.ListBody = m_rowSeparator;
        m_out.rows.clear();
        // The structured rows always describe ListBody, so they change with it.
        m_out.columnSeparator = m_columnSeparator;
        m_out.rowSeparator = m_rowSeparator;
        m_out.headings = headings;
        if (m_yield)
            m_progress.currentFolder = m_options.nativePath.isEmpty() ? m_options.path
                                                                      : QFile::decodeName(m_options.nativePath);

        if (m_printFiles)
            appendFiles(*root, 0);
        const QString rootDisplay = m_progress.currentFolder;
        for (const std::shared_ptr<FileSystemFolder> &folder : root->SubFolders())
            appendBlock(*folder, 1, rootDisplay);
    }

private:
    // Writes ListFormat and ListHeader; the headings go with the body.
    QStringList writeHeader()
    {
        QString format = ListingFormat::readWidth(m_options.dirColWidth);
        QString header = QCoreApplication::translate("Listing", "Sub-Directories");
        QStringList headings{header};
        if (m_printSize) {
            format += QLatin1String("|>") + ListingFormat::readWidth(m_options.sizeColWidth);
            headings.append(QCoreApplication::translate("Listing", "Size (KB)"));
            header += m_columnSeparator + headings.last();
        }
        if (m_printDate) {
            format += QLatin1String("|>") + ListingFormat::readWidth(m_options.dateColWidth);
            headings.append(QCoreApplication::translate("Listing", "Date"));
            header += m_columnSeparator + headings.last();
        }
        format += QLatin1Char(';');
        header += m_rowSeparator;
        m_out.ListFormat = format;
        m_out.ListHeader = header;
        return headings;
    }

    // A folder's row, then (within the depth) its sub-folders' blocks, then its files.
    void appendBlock(FileSystemFolder &folder, int level, const QString &parentDisplay)
    {
        QString display;
        if (m_yield) {
            display = parentDisplay;
            if (!display.endsWith(QLatin1Char('/')))
                display += QLatin1Char('/');
            ListingFormat::appendName(display, folder.Name());
            m_progress.currentFolder = display;
        }

        // Everything that can fail or yield comes before the row starts, so
        // ListBody never holds half a row.
        const qint64 size = m_printSize ? folder.Size() : 0;
        const FileTime modified = m_printDate ? folder.DateLastModified() : FileTime{};
        const QByteArray name = folder.Name();
        appendRow(ListingRowKind::Folder, level, 4 * qsizetype(level - 1), m_options.dirIndicator, 1,
                  QByteArrayView(name), size, modified);

        reportProgress();

        if (level < m_levels) {
            for (const std::shared_ptr<FileSystemFolder> &sub : folder.SubFolders())
                appendBlock(*sub, level + 1, display);
        }
        if (m_printFiles) {
            if (m_yield)
                m_progress.currentFolder = display;
            appendFiles(folder, level);
        }
    }

    void appendFiles(FileSystemFolder &folder, int level)
    {
        const qsizetype indent = fileIndent(level);
        for (const FileSystemFile file : folder.Files()) {
            const qint64 size = m_printSize ? file.Size() : 0;
            const FileTime modified = m_printDate ? file.DateLastModified() : FileTime{};
            appendRow(ListingRowKind::File, level, indent, m_options.fileIndicator, 2, file.Name(), size,
                      modified);
        }
    }

    static qsizetype fileIndent(int level)
    {
        switch (level) {
        case 0: return 0;
        case 1: return 2;
        case 2: return 5;
        default: return 4 * qsizetype(level - 1) + 6;
        }
    }

    void appendRow(ListingRowKind kind, int level, qsizetype indent, const QString &indicator, int gap,
                   QByteArrayView name, qint64 size, FileTime modified)
    {
        QString &body = m_out.ListBody;
        ListingRow row;
        row.offset = body.size();
        row.kind = kind;
        row.level = quint8(std::min(level, int(std::numeric_limits<quint8>::max())));

        ListingFormat::appendBlanks(body, indent);
        body += indicator;
        ListingFormat::appendBlanks(body, gap);
        ListingFormat::appendName(body, name);
        row.cellLength[0] = qint32(body.size() - row.offset);
        int column = 1;
        if (m_printSize) {
            body += m_columnSeparator;
            const qsizetype start = body.size();
            m_sizes.append(body, size);
            row.cellLength[column++] = qint32(body.size() - start);
        }
        if (m_printDate) {
            body += m_columnSeparator;
            const qsizetype start = body.size();
            m_dates.append(body, modified);
            row.cellLength[column++] = qint32(body.size() - start);
        }
        body += m_rowSeparator;
        m_out.rows.append(row);
    }

    void reportProgress()
    {
        if (!m_yield)
            return;
        m_progress.entriesListed = m_out.rows.size();
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
    const int m_levels;
    ListingFormat::SizeCellWriter m_sizes;
    ListingFormat::DateCellWriter m_dates;
    ListingProgress m_progress;
};

} // namespace

void buildListing(const ListingOptions &options, const QString &cSeperator, const QString &rSeperator,
                  FileSystemObject &fileSystem, ListingText &out, const ListingYield &yield)
{
    Builder builder(options, cSeperator, rSeperator, out, yield);
    builder.run(fileSystem);
}
