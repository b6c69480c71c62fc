// Builds the listing of a folder and prints what it cost, next to du on
// the same folder; or, with --print, prints the listing text itself.

#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "listing/PosixFileSystem.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int usage()
{
    std::fputs("usage: listing-bench FOLDER [--depth TEXT] [--no-files] [--no-size] [--no-date]\n"
               "                     [--dir-mark TEXT] [--file-mark TEXT] [--tab] [--print]\n",
               stderr);
    return 2;
}

// Wall time of du -ab --max-depth=3 FOLDER, its output discarded; -1 when it could not run.
double timeDu(const QByteArray &folder)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execlp("du", "du", "-ab", "--max-depth=3", folder.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127)
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void writeUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int main(int argc, char **argv)
{
    ListingOptions options;
    options.depthText = QStringLiteral("3");
    bool tab = false;
    bool print = false;
    QByteArray folder;

    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        auto value = [&]() -> const char * { return i + 1 < argc ? argv[++i] : nullptr; };
        if (!std::strcmp(arg, "--depth")) {
            const char *v = value();
            if (!v)
                return usage();
            options.depthText = QString::fromLocal8Bit(v);
        } else if (!std::strcmp(arg, "--no-files")) {
            options.printFiles = 0;
        } else if (!std::strcmp(arg, "--no-size")) {
            options.printSize = 0;
        } else if (!std::strcmp(arg, "--no-date")) {
            options.printDate = 0;
        } else if (!std::strcmp(arg, "--dir-mark")) {
            const char *v = value();
            if (!v)
                return usage();
            options.dirIndicator = QString::fromLocal8Bit(v);
        } else if (!std::strcmp(arg, "--file-mark")) {
            const char *v = value();
            if (!v)
                return usage();
            options.fileIndicator = QString::fromLocal8Bit(v);
        } else if (!std::strcmp(arg, "--tab")) {
            tab = true;
        } else if (!std::strcmp(arg, "--print")) {
            print = true;
        } else if (arg[0] == '-' && arg[1] == '-') {
            return usage();
        } else if (folder.isNull()) {
            folder = QByteArray(arg);
        } else {
            return usage();
        }
    }
    if (folder.isNull())
        return usage();
    options.nativePath = folder;
    options.path = QFile::decodeName(folder);

    const QString cSeperator = tab ? QStringLiteral("\t") : QStringLiteral("|");
    const QString rSeperator = tab ? QStringLiteral("\r\n") : QStringLiteral(";");

    // Under a shared machine's changing load one run says little: the build
    // and du take turns, and the fastest run of each is compared.
    const int rounds = print ? 1 : 3;
    double du = -1;
    double wall = -1;
    ListingText listing;
    FileSystemCounters counters;
    qint64 yields = 0;
    for (int round = 0; round < rounds; ++round) {
        if (!print) {
            const double duWall = timeDu(folder);
            if (duWall >= 0 && (du < 0 || duWall < du))
                du = duWall;
        }
        auto fileSystem = std::make_unique<PosixFileSystem>();
        // For comparing the walk with and without its helper thread.
        if (qEnvironmentVariableIsSet("LISTING_BENCH_HELPERS"))
            fileSystem->setHelperThreads(qEnvironmentVariableIntValue("LISTING_BENCH_HELPERS"));
        listing.clear();
        yields = 0;
        const auto start = std::chrono::steady_clock::now();
        try {
            buildListing(options, cSeperator, rSeperator, *fileSystem, listing,
                         [&yields](const ListingProgress &) { ++yields; });
        } catch (const FileSystemError &error) {
            std::fprintf(stderr, "%s\n", error.message().toLocal8Bit().constData());
            return 1;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (wall < 0 || seconds < wall)
            wall = seconds;
        counters = fileSystem->counters();
    }

    if (print) {
        writeUtf8(listing.ListFormat);
        writeUtf8(listing.ListHeader);
        writeUtf8(listing.ListBody);
        return 0;
    }

    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const double peakRssMb = double(usage.ru_maxrss) / 1024.0;
    const double listingMb = double(listing.ListFormat.size() + listing.ListHeader.size()
                                    + listing.ListBody.size()) * double(sizeof(QChar)) / (1024.0 * 1024.0);

    std::printf("entries_listed: %lld\n", static_cast<long long>(listing.rows.size()));
    std::printf("entries_stated: %lld\n", static_cast<long long>(counters.entriesStated));
    std::printf("folders_read: %lld\n", static_cast<long long>(counters.foldersRead));
    std::printf("yields: %lld\n", static_cast<long long>(yields));
    std::printf("wall_s: %.3f\n", wall);
    std::printf("peak_rss_mb: %.1f\n", peakRssMb);
    std::printf("listing_mb: %.1f\n", listingMb);
    std::printf("rss_budget_mb: %.1f\n", 3 * listingMb + 30);
    if (du > 0) {
        std::printf("du_wall_s: %.3f\n", du);
        std::printf("ratio_vs_du: %.2f\n", wall / du);
    } else {
        std::printf("du_wall_s: unavailable\n");
    }
    return 0;
}
