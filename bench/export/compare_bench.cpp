// Reads a saved JSON listing as a comparison does and prints what that cost:
// the time, the peak memory and what the entries kept take. Given the
// folder too, lists it as the saved listing did, alone and compared with
// it (as --compare does), and prints both times and peak memories; --grow-every N
// first grows every Nth file the listing holds by one byte (N = 100: 1 %),
// so use it on a tree made for the purpose (listing-bench --make-tree).
//
//   compare-bench LISTING.json [FOLDER [--grow-every N] [--rounds N]]

#include "export/EarlierListing.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingChanges.h"
#include "listing/ListingComparison.h"
#include "listing/PosixFileSystem.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Settings
{
    QString listing;
    QByteArray folder;
    int growEvery = 0;
    int rounds = 3;
};

bool parse(int argc, char **argv, Settings &s)
{
    for (int i = 1; i < argc; ++i) {
        const bool takesValue = !std::strcmp(argv[i], "--grow-every") || !std::strcmp(argv[i], "--rounds");
        if (takesValue && i + 1 == argc)
            return false;
        if (!std::strcmp(argv[i], "--grow-every"))
            s.growEvery = std::max(0, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--rounds"))
            s.rounds = std::max(1, std::atoi(argv[++i]));
        else if (argv[i][0] == '-')
            return false;
        else if (s.listing.isEmpty())
            s.listing = QFile::decodeName(argv[i]);
        else if (s.folder.isEmpty())
            s.folder = argv[i];
        else
            return false;
    }
    return !s.listing.isEmpty() && (s.growEvery == 0 || !s.folder.isEmpty());
}

double peakRssMb()
{
    struct rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every Nth file the listing holds, one byte longer; how many.
qint64 growFiles(const EarlierEntries &entries, const QByteArray &folder, int every)
{
    qint64 files = 0;
    qint64 grown = 0;
    for (EarlierEntries::Index i = 0; i < entries.size(); ++i) {
        if (entries.at(i).kind != ListingRowKind::File || files++ % every != 0)
            continue;
        const QByteArray path = folder + '/' + entries.path(i);
        if (truncate(path.constData(), off_t(entries.at(i).bytes + 1)) == 0)
            ++grown;
    }
    return grown;
}

// Each listing's best time of the rounds.
double bestBuild(const ListingOptions &options, int rounds)
{
    double best = -1;
    for (int round = 0; round < rounds; ++round) {
        PosixFileSystem fileSystem;
        ListingText listing;
        const auto start = std::chrono::steady_clock::now();
        buildListing(options, QStringLiteral("|"), QStringLiteral(";"), fileSystem, listing);
        best = best < 0 ? secondsSince(start) : std::min(best, secondsSince(start));
        if (listing.changes && round == 0) {
            const ListingComparison::Summary &sum = listing.changes->summary;
            std::printf("added: %lld\nremoved: %lld\nchanged_files: %lld\nchanged_folders: %lld\n",
                        static_cast<long long>(sum.files.added + sum.folders.added),
                        static_cast<long long>(sum.files.removed + sum.folders.removed),
                        static_cast<long long>(sum.files.changed), static_cast<long long>(sum.folders.changed));
        }
    }
    return best;
}

// The folder listed as the saved listing was, alone and then compared with
// it as --compare lists it: the comparison and the rows written again.
void compare(const std::shared_ptr<const ComparedListing> &then, const Settings &s)
{
    ListingOptions options = then->options;
    options.path = QFile::decodeName(s.folder);
    options.nativePath = s.folder;
    options.keepDetails = true;
    const double plain = bestBuild(options, s.rounds);
    std::printf("listing_s: %.3f\nlisting_peak_rss_mb: %.1f\n", plain, peakRssMb());
    options.compare = then;
    const double compared = bestBuild(options, s.rounds);
    std::printf("compared_s: %.3f\ncompared_to_listing: %.2f\n", compared, compared / plain);
    std::printf("compared_peak_rss_mb: %.1f\n", peakRssMb());
}

} // namespace

int main(int argc, char **argv)
{
    Settings s;
    if (!parse(argc, argv, s)) {
        std::fputs("usage: compare-bench LISTING.json [FOLDER [--grow-every N] [--rounds N]]\n", stderr);
        return 2;
    }
    const double rssBefore = peakRssMb();
    const auto start = std::chrono::steady_clock::now();
    try {
        const std::shared_ptr<const ComparedListing> then = EarlierListing::load(s.listing);
        const double read = secondsSince(start);
        std::printf("file_mb: %.1f\n", double(QFileInfo(s.listing).size()) / (1024.0 * 1024.0));
        std::printf("entries: %lld\n", static_cast<long long>(then->entries.size()));
        std::printf("read_s: %.3f\n", read);
        std::printf("entries_mb: %.1f\n", double(then->entries.bytesHeld()) / (1024.0 * 1024.0));
        std::printf("rss_before_mb: %.1f\nread_peak_rss_mb: %.1f\n", rssBefore, peakRssMb());
        std::fflush(stdout);
        if (s.growEvery > 0)
            std::printf("files_grown: %lld\n", static_cast<long long>(growFiles(then->entries, s.folder, s.growEvery)));
        if (!s.folder.isEmpty())
            compare(then, s);
    } catch (const UserError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
