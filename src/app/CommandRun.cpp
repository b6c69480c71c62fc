#include "app/CommandRun.h"

#include "app/OptionSet.h"
#include "app/PageSetupOptions.h"
#include "app/PrintTitle.h"
#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingText.h"
#include "export/EarlierListing.h"
#include "export/OutputFile.h"
#include "settings/OptionStore.h"
#include "settings/OptionValues.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <exception>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using CommandLine::ExitStatus;
using CommandLine::Request;

// The texts' context in the translations, as lupdate finds it.
struct CommandRunText
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// Whether standard error's last line is the progress line, for a stop
// signal to take it down.
std::atomic<bool> g_progressShown{false};

void clearProgressLine()
{
    if (g_progressShown.load() && ::write(STDERR_FILENO, "\r\x1b[K", 4) < 0) {}
}

// A file's name in a message must not steer the terminal either.
void writeError(const QString &text)
{
    QByteArray bytes = text.toLocal8Bit();
    if (::isatty(STDERR_FILENO) == 1) {
        TerminalText escapes(true);
        QByteArray shown;
        escapes.append(shown, bytes);
        escapes.finish(shown);
        bytes = shown;
    }
    std::fputs(bytes.constData(), stderr);
}

void report(const QString &line)
{
    writeError(QStringLiteral("foliotrace: %1\n").arg(line));
}

// Entries so far and the folder being read, on one line of the terminal
// that standard error is; nothing at all when it is not a terminal.
class TerminalProgress
{
public:
    TerminalProgress() : m_terminal(::isatty(STDERR_FILENO) == 1) { m_sinceStart.start(); }
    ~TerminalProgress() { clear(); }
    TerminalProgress(const TerminalProgress &) = delete;
    TerminalProgress &operator=(const TerminalProgress &) = delete;

    void show(const ListingProgress &progress)
    {
        // A listing done in a moment shows nothing; a long one a line a tenth of a second.
        if (!m_terminal || m_sinceStart.elapsed() < 500 || (m_sinceShown.isValid() && m_sinceShown.elapsed() < 100))
            return;
        m_sinceShown.start();
        QString line = CommandRunText::tr("%L1 entries, reading %2")
                           .arg(progress.entriesListed)
                           .arg(TerminalText::visible(progress.currentFolder));
        winsize size{};
        const int columns = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20 ? size.ws_col : 80;
        if (line.size() >= columns)
            line = line.first(columns / 2 - 1) + u'\u2026' + line.last(columns - columns / 2 - 1);
        std::fputs((QStringLiteral("\r\x1b[K") + line).toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        m_shown = true;
        g_progressShown.store(true);
    }
    void clear()
    {
        if (m_shown)
            std::fputs("\r\x1b[K", stderr);
        m_shown = false;
        g_progressShown.store(false);
    }

private:
    const bool m_terminal;
    bool m_shown = false;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceShown;
};

// The stored options with the given ones over them, as one export request.
ListingExport::Request listingRequest(const Request &request, const QByteArray &folder)
{
    OptionValues values;
    // The command line stores nothing: a file it cannot read stays as it is.
    for (const QString &note : settingsLoadNotes(loadOptions(values, UnparsedFile::LeaveInPlace)))
        report(note);
    request.overrides.applyTo(values);

    SettingsLoadReport pageSetupReport;
    PageSetup setup = loadStoredPageSetup(pageSetupReport.replaced);
    for (const QString &note : settingsLoadNotes(pageSetupReport))
        report(note);
    request.overrides.applyTo(setup);

    ListingExport::Request out{request.format, listingOptionsFrom(values), {}};
    out.options.path = QFile::decodeName(folder);
    out.options.nativePath = folder;
    out.page = {gridStyleFrom(values), out.options.path,
                request.overrides.title.value_or(printTitle(out.options.path, QDate::currentDate())), setup};
    return out;
}

void run(const Request &request, const QByteArray &folder, std::shared_ptr<const ComparedListing> earlier)
{
    ListingExport::Request exportRequest = listingRequest(request, folder);
    exportRequest.options.compare = std::move(earlier);
    exportRequest.options.changesOnly = request.overrides.changesOnly;
    const std::unique_ptr<FileSystemObject> fileSystem = createFileSystemObject();
    ListingText listing;
    TerminalProgress progress;
    const auto build = [&](const ListingOptions &options, const QString &columnSeparator,
                           const QString &rowSeparator) -> const ListingText & {
        buildListing(options, columnSeparator, rowSeparator, *fileSystem, listing,
                     [&progress](const ListingProgress &now) { progress.show(now); });
        progress.clear();
        return listing;
    };
    if (request.action == Request::Action::Print)
        ListingExport::print(exportRequest, build, request.job);
    else
        ListingExport::save(exportRequest, build, request.exportFile);
    // Listed all the same, so no failure; but a script's user should know.
    const qsizetype unread = listing.problems.size();
    if (unread > 0) {
        report(unread == 1 ? CommandRunText::tr("one entry could not be read in full; it is marked \"?\" or \"+\"")
                           : CommandRunText::tr("%L1 entries could not be read in full; they are marked \"?\" or \"+\"")
                                 .arg(unread));
    }
}

} // namespace

bool runComposesPages(const Request &request)
{
    return request.action == Request::Action::Print || request.format == ExportFormat::Pdf;
}

ExitStatus runWithoutWindow(const Request &request)
{
    QByteArray folder;
    if (const QString problem = CommandLine::resolveFolder(request.folder.value_or("."), folder); !problem.isEmpty()) {
        writeError(problem);
        return ExitStatus::BadArguments;
    }
    // Ctrl+C, a hang-up or a kill ends the run at once, wherever it is (a
    // walk, a FIFO that no one reads yet, the print server), by the signal
    // as the shell expects, and leaves no half-made output file.
    // A listing that cannot be compared with is bad input: nothing is listed.
    std::shared_ptr<const ComparedListing> earlier;
    try {
        if (request.overrides.compare)
            earlier = EarlierListing::load(*request.overrides.compare);
    } catch (const UserError &error) {
        report(error.message());
        return ExitStatus::BadArguments;
    }
    OutputFile::endOnSignals({SIGINT, SIGTERM, SIGHUP}, clearProgressLine);
    try {
        run(request, folder, std::move(earlier));
        return ExitStatus::Success;
    } catch (const UserError &error) {
        report(error.message());
    } catch (const std::exception &error) {
        report(QString::fromLocal8Bit(error.what()));
    }
    return ExitStatus::Failed;
}
