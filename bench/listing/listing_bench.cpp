// Builds the listing of a folder (with the listing choices given) and
// prints what it cost, next to du on the same folder; with --print, prints the listing text itself and what
// could not be read; with --cold, times a cold-cache listing against du and
// gdu; with --make-tree, makes a test tree of a given size. On a share
// (NFS, SMB, FUSE) the names the kernel keeps are dropped before each timed
// walk, so that du and ours start alike.

#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingFormat.h"
#include "listing/PosixFileSystem.h"

#include "CallCounter.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Settings
{
    ListingOptions options;
    QByteArray folder;
    bool tab = false;
    bool print = false;
    bool cold = false;
    bool latencyReport = false;
    int rounds = 3;
    int readers = -1; // the component's own choice
    int chunk = -1;
    QByteArray makeTree;
    qint64 entries = 0;
};

int usage()
{
    std::fputs("usage: listing-bench FOLDER [--depth TEXT] [--no-files] [--no-size] [--no-date]\n"
               "                     [--dir-mark TEXT] [--file-mark TEXT] [--tab] [--print] [--readers N]\n"
               "                     [--include PATTERNS] [--skip PATTERNS] [--match-case] [--no-hidden]\n"
               "                     [--prune-empty] [-x] [--disk-usage] [--links-once] [--sort ORDER]\n"
               "                     [--chunk N] [--latency-report]\n"
               "                     [--columns files,folders,time,owner,permissions,created,path]\n"
               "       listing-bench FOLDER --cold [--rounds N]   (root: drops the page cache)\n"
               "       listing-bench --make-tree DIR --entries N\n",
               stderr);
    return 2;
}

struct Timed
{
    double seconds = -1; // -1 when it could not run or failed
    double peakRssMb = 0;
};

// Runs argv with its output discarded; the wall time and the child's peak memory.
Timed runTimed(const std::vector<std::string> &argv)
{
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {}
    Timed timed;
    timed.peakRssMb = double(usage.ru_maxrss) / 1024.0;
    // du exits 1 when something could not be read; that still timed a walk.
    if (WIFEXITED(status) && WEXITSTATUS(status) != 127 && WEXITSTATUS(status) != 2)
        timed.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return timed;
}

void writeUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

// A switch that takes no value; false when arg is none.
bool parseSwitch(const std::string &arg, Settings &s)
{
    ListingChoices &c = s.options.choices;
    const std::pair<const char *, bool *> on[] = {{"--tab", &s.tab},
                                                  {"--print", &s.print},
                                                  {"--cold", &s.cold},
                                                  {"--match-case", &c.matchCase},
                                                  {"--prune-empty", &c.pruneEmpty},
                                                  {"-x", &c.oneFileSystem},
                                                  {"--one-file-system", &c.oneFileSystem},
                                                  {"--links-once", &c.linksOnce},
                                                  {"--latency-report", &s.latencyReport}};
    const std::pair<const char *, bool *> off[] = {{"--no-files", &s.options.files},
                                                   {"--no-size", &s.options.sizes},
                                                   {"--no-date", &s.options.dates},
                                                   {"--no-hidden", &c.hidden}};
    for (const auto &[name, value] : on) {
        if (arg == name)
            return *value = true;
    }
    for (const auto &[name, value] : off) {
        if (arg == name)
            return !(*value = false);
    }
    if (arg == "--disk-usage")
        c.sizes = SizeMeasure::DiskUsage;
    return arg == "--disk-usage";
}

// An option with its value; false when arg is none, or the value is no value for it.
bool parseValued(const std::string &arg, const char *next, Settings &s)
{
    const QString text = QString::fromLocal8Bit(next);
    if (arg == "--depth")
        s.options.depth = ListingFormat::depthLevels(text);
    else if (arg == "--dir-mark")
        s.options.dirMark = text;
    else if (arg == "--file-mark")
        s.options.fileMark = text;
    else if (arg == "--rounds")
        s.rounds = std::max(1, std::atoi(next));
    else if (arg == "--readers")
        s.readers = std::atoi(next);
    else if (arg == "--chunk")
        s.chunk = std::atoi(next);
    else if (arg == "--make-tree")
        s.makeTree = next;
    else if (arg == "--entries")
        s.entries = std::atoll(next);
    else if (arg == "--include" || arg == "--skip")
        (arg == "--include" ? s.options.choices.include : s.options.choices.skip)
            = ListingChoiceText::splitPatterns(text);
    else if (arg == "--sort" && ListingChoiceText::orderFromWord(text))
        s.options.choices.order = *ListingChoiceText::orderFromWord(text);
    else if (arg == "--columns" && ListingColumns::fromWords(text))
        s.options.choices.columns = *ListingColumns::fromWords(text);
    else
        return false;
    return true;
}

bool parse(int argc, char **argv, Settings &s)
{
    s.options.depth = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (parseSwitch(arg, s))
            continue;
        if (arg.starts_with("-") && i + 1 < argc && parseValued(arg, argv[i + 1], s)) {
            ++i;
            continue;
        }
        if (arg.starts_with("-") || !s.folder.isNull())
            return false;
        s.folder = QByteArray(arg.c_str());
    }
    return !s.makeTree.isEmpty() ? s.entries > 0 : !s.folder.isNull();
}

// 10 x 10 x 10 x 10 folders holding N / 10,000 files each: for 1,000,000 that
// is 1,011,111 entries five levels deep, the top folder included.
int makeTree(const QByteArray &dir, qint64 entries)
{
    const qint64 filesPerFolder = std::max<qint64>(1, entries / 10000);
    if (mkdir(dir.constData(), 0755) != 0 && errno != EEXIST) {
        std::perror(dir.constData());
        return 1;
    }
    qint64 made = 0;
    for (int leaf = 0; leaf < 10000; ++leaf) {
        QByteArray path = dir;
        for (int level = 3; level >= 0; --level) {
            int step = leaf;
            for (int i = 0; i < level; ++i)
                step /= 10;
            path += "/d" + QByteArray::number(step % 10);
            if (mkdir(path.constData(), 0755) != 0 && errno != EEXIST) {
                std::perror(path.constData());
                return 1;
            }
        }
        for (qint64 f = 0; f < filesPerFolder; ++f, ++made) {
            const QByteArray file = path + "/file-" + QByteArray::number(f);
            const int fd = open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 || ftruncate(fd, off_t((made * 7919) % 200000)) != 0) {
                std::perror(file.constData());
                return 1;
            }
            close(fd);
        }
    }
    std::printf("entries_made: %lld\n", static_cast<long long>(made + 11111));
    return 0;
}

// "3" drops the page cache and the names and inodes the kernel keeps; "2"
// only the names and inodes, which is all a share caches of a walk.
bool dropCaches(const char *what = "3")
{
    sync();
    const int fd = open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    const bool dropped = fd >= 0 && write(fd, what, 1) == 1;
    if (fd >= 0)
        close(fd);
    return dropped;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// Our walk, du and gdu take turns on a cold cache; the medians are compared.
int coldRuns(const Settings &s)
{
    const std::string folder = s.folder.toStdString();
    std::vector<std::string> ours = {"/proc/self/exe", folder, "--depth", "3", "--print"};
    if (s.readers >= 0)
        ours.insert(ours.end(), {"--readers", std::to_string(s.readers)});
    const std::vector<std::vector<std::string>> commands = {
        ours,
        {"du", "-ab", "--max-depth=3", folder},
        {"gdu", "-n", "-p", folder},
    };
    std::vector<double> times[3];
    double peakRss = 0;
    for (int round = 0; round < s.rounds; ++round) {
        std::printf("round %d:", round + 1);
        for (size_t c = 0; c < commands.size(); ++c) {
            if (!dropCaches()) {
                std::fputs("\nlisting-bench: cannot drop the page cache (needs root)\n", stderr);
                return 1;
            }
            const Timed timed = runTimed(commands[c]);
            times[c].push_back(timed.seconds);
            if (c == 0)
                peakRss = std::max(peakRss, timed.peakRssMb);
            std::printf(" %s %.3f s", c == 0 ? "walk" : commands[c][0].c_str(), timed.seconds);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    const double walk = median(times[0]);
    std::printf("walk_s: %.3f\ndu_s: %.3f\ngdu_s: %.3f\n", walk, median(times[1]), median(times[2]));
    std::printf("ratio_vs_du: %.2f\nratio_vs_gdu: %.2f\n", walk / median(times[1]), walk / median(times[2]));
    std::printf("walk_peak_rss_mb: %.1f\n", peakRss);
    return 0;
}

void printListing(const ListingText &listing)
{
    writeUtf8(listing.ListFormat);
    writeUtf8(listing.ListHeader);
    writeUtf8(listing.ListBody);
    for (const ListingProblem &problem : listing.problems)
        writeUtf8(QLatin1String("! ") + QFile::decodeName(problem.path) + QLatin1String(": ") + problem.reason);
}

// The process's CPU time so far, its threads' included.
double cpuSeconds()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// wall and cpu are each the least of the rounds: on a shared machine the CPU
// time says more than the wall time.
void printFigures(const ListingText &listing, ListingOrder order, const FileSystemCounters &counters, qint64 yields,
                  double wall, double cpu, double du)
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const double listingMb = double(listing.ListFormat.size() + listing.ListHeader.size() + listing.ListBody.size())
                             * double(sizeof(QChar)) / (1024.0 * 1024.0);
    std::printf("choices: %s\n", listing.choicesLine.isEmpty() ? "none" : listing.choicesLine.toUtf8().constData());
    std::printf("order: %s\n", ListingChoiceText::orderWord(order).toUtf8().constData());
    std::printf("entries_listed: %lld\n", static_cast<long long>(listing.rows.size()));
    std::printf("entries_unread: %lld\n", static_cast<long long>(listing.problems.size()));
    std::printf("entries_stated: %lld\n", static_cast<long long>(counters.entriesStated));
    std::printf("folders_read: %lld\n", static_cast<long long>(counters.foldersRead));
    std::printf("yields: %lld\n", static_cast<long long>(yields));
    std::printf("wall_s: %.3f\n", wall);
    std::printf("cpu_s: %.3f\n", cpu);
    std::printf("peak_rss_mb: %.1f\n", double(usage.ru_maxrss) / 1024.0);
    std::printf("listing_mb: %.1f\n", listingMb);
    if (du > 0)
        std::printf("du_wall_s: %.3f\nratio_vs_du: %.2f\n", du, wall / du);
    else
        std::printf("du_wall_s: unavailable\n");
}

// A file system that keeps what it asked the server (names, attributes)
// between walks: a second walk would be timed warm against a cold first.
bool cachingFileSystem(const QByteArray &folder)
{
    struct statfs info;
    if (statfs(folder.constData(), &info) != 0)
        return false;
    switch (quint32(info.f_type)) {
    case 0x65735546: // FUSE
    case 0x6969:     // NFS
    case 0x517b:     // SMB
    case 0xff534d42: // CIFS
    case 0xfe534d42: // SMB2
    case 0x01021997: // 9P
    case 0x00c36400: // Ceph
        return true;
    default:
        return false;
    }
}

// Before each timed walk: the same cache for du and for ours.
bool sameStart(bool caching)
{
    if (!caching)
        return true;
    if (dropCaches("2"))
        return true;
    std::fputs("listing-bench: cannot drop the cached names of the share (needs root)\n", stderr);
    return false;
}

// One timed walk of s.folder; false when the folder cannot be listed.
struct Walk
{
    ListingText listing;
    FileSystemCounters counters;
    qint64 yields = 0;
    double seconds = 0;
};

bool walkOnce(const Settings &s, int round, const QString &columnSeparator, const QString &rowSeparator, Walk &walk)
{
    PosixFileSystem posix;
    if (s.readers >= 0)
        posix.setReaderThreads(s.readers);
    if (s.chunk > 0)
        posix.setChunkSize(s.chunk);
    CallCounter counted(posix);
    FileSystemObject &fileSystem = s.latencyReport ? static_cast<FileSystemObject &>(counted) : posix;
    walk.listing.clear();
    walk.yields = 0;
    const auto start = std::chrono::steady_clock::now();
    try {
        buildListing(s.options, columnSeparator, rowSeparator, fileSystem, walk.listing,
                     [&walk](const ListingProgress &) { ++walk.yields; });
    } catch (const UserError &error) {
        std::fprintf(stderr, "%s\n", error.message().toLocal8Bit().constData());
        return false;
    }
    walk.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    walk.counters = fileSystem.counters();
    if (s.latencyReport) {
        // To standard error, so that it goes with --print too.
        std::fprintf(stderr,
                     "round %d: wall_s: %.3f readers_busy_peak: %d readers_busy_mean: %.1f "
                     "last_folder_opened_s: %.3f\n",
                     round + 1, walk.seconds, counted.peakBusy(), counted.meanBusy(), counted.lastOpenSeconds());
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Settings s;
    if (!parse(argc, argv, s))
        return usage();
    if (!s.makeTree.isEmpty())
        return makeTree(s.makeTree, s.entries);
    if (s.cold)
        return coldRuns(s);
    s.options.nativePath = s.folder;
    s.options.path = QFile::decodeName(s.folder);
    const QString columnSeparator = s.tab ? QStringLiteral("\t") : QStringLiteral("|");
    const QString rowSeparator = s.tab ? QStringLiteral("\r\n") : QStringLiteral(";");
    const bool caching = cachingFileSystem(s.folder);

    // Under a shared machine's changing load one run says little: the build
    // and du take turns, and the fastest run of each is compared.
    const int rounds = s.print ? 1 : s.rounds;
    double du = -1;
    double wall = -1;
    double cpu = -1;
    Walk walk;
    for (int round = 0; round < rounds; ++round) {
        if (!s.print) {
            if (!sameStart(caching))
                return 1;
            const Timed timed = runTimed({"du", "-ab", "--max-depth=3", s.folder.toStdString()});
            if (timed.seconds >= 0 && (du < 0 || timed.seconds < du))
                du = timed.seconds;
        }
        const double cpuStart = cpuSeconds();
        if (!sameStart(caching) || !walkOnce(s, round, columnSeparator, rowSeparator, walk))
            return 1;
        wall = wall < 0 ? walk.seconds : std::min(wall, walk.seconds);
        cpu = cpu < 0 ? cpuSeconds() - cpuStart : std::min(cpu, cpuSeconds() - cpuStart);
    }
    if (s.print)
        printListing(walk.listing);
    else
        printFigures(walk.listing, s.options.choices.order, walk.counters, walk.yields, wall, cpu, du);
    return 0;
}
