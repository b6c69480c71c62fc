// The end-to-end figure of "Print Preview": the real main window, driven
// through its controls the way a user drives it, on a folder given on the
// command line (default /usr), depth 3 and all columns. Prints how long the
// click takes to the first page on screen, the longest stretch in which
// the event loop took no events while the build and composition ran, and
// the five longest over 30 ms with when each began; with when the listing
// build ended, that tells the walk's from the layout's. Then the peak RSS.
//
//   app-bench [FOLDER] [--depth TEXT] [--cold]
//
// --cold (root) drops the page cache, names and inodes just before the
// click, as a first listing of a disk meets them, and prints every gap over
// 30 ms.
//
// Runs on the offscreen platform unless another is asked for, and keeps
// its settings in a temporary folder, never the user's. With --make-tree it
// only makes a test tree of about N entries, as listing-bench does (it
// hands over to listing-bench beside it).
//
//   app-bench --make-tree DIR --entries N

#include "app/FolderList.h"
#include "app/frmMain.h"
#include "app/PreviewSurface.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

int usage()
{
    std::fputs("usage: app-bench [FOLDER] [--depth TEXT] [--cold]\n"
               "       app-bench --make-tree DIR --entries N\n",
               stderr);
    return 2;
}

// One way of making trees for every bench: listing-bench's.
int makeTree(char *argv[])
{
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) {
        std::perror("app-bench: /proc/self/exe");
        return 1;
    }
    self[n] = 0;
    const QByteArray dir = QByteArray(self).left(QByteArray(self).lastIndexOf('/'));
    const QByteArray tool = dir + "/listing-bench";
    argv[0] = const_cast<char *>(tool.constData());
    execv(tool.constData(), argv);
    std::perror(tool.constData());
    return 1;
}

// As listing-bench --cold: the page cache, names and inodes written back and dropped.
bool dropCaches()
{
    sync();
    const int fd = open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    const bool dropped = fd >= 0 && write(fd, "3", 1) == 1;
    if (fd >= 0)
        close(fd);
    return dropped;
}

// The stretches over 30 ms, the longest first, as length_ms@from_s (shown
// of them), and how long the window's thread waited for a CPU meanwhile: a
// window that waits for a CPU is as deaf as a busy one, and on two cores
// shared with the readers that tells which it was.
void printGaps(std::vector<std::pair<qint64, qint64>> gaps, size_t shown, qint64 queuedNs)
{
    std::sort(gaps.begin(), gaps.end(), std::greater<>());
    std::printf("gaps_over_30ms: %zu", gaps.size());
    for (size_t i = 0; i < std::min(gaps.size(), shown); ++i)
        std::printf(" %.0f@%.3f", gaps[i].first / 1e6, gaps[i].second / 1e9);
    std::printf("\n");
    std::printf("window_waited_for_cpu_s: %.3f\n", queuedNs / 1e9);
}

// How long this thread has been ready to run but waiting for a CPU, in ns.
qint64 runQueueNs()
{
    QFile stats(QStringLiteral("/proc/thread-self/schedstat"));
    if (!stats.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stats.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() : 0;
}

// Watches one widget for its first paint once armed.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QObject *parent = nullptr) : QObject(parent) {}

    void arm(const std::function<bool()> &counts) { m_counts = counts; }
    bool painted() const { return m_painted; }
    qint64 paintedAtNs = 0;
    const QElapsedTimer *clock = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted && m_counts && m_counts()) {
            // The page's first paint begins: the page is on its way to
            // the screen with nothing else left to wait for.
            m_painted = true;
            paintedAtNs = clock->nsecsElapsed();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> m_counts;
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QString folder = QStringLiteral("/usr");
    QString depth = QStringLiteral("3");
    bool cold = false;
    if (argc > 1 && std::strcmp(argv[1], "--make-tree") == 0)
        return argc == 5 && std::strcmp(argv[3], "--entries") == 0 ? makeTree(argv) : usage();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--depth") == 0 && i + 1 < argc)
            depth = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--cold") == 0)
            cold = true;
        else if (argv[i][0] == '-')
            return usage();
        else
            folder = QString::fromLocal8Bit(argv[i]);
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The options "Print Preview" stores go to a throw-away folder.
    QTemporaryDir config;
    if (!config.isValid()) {
        std::fputs("app-bench: cannot make a temporary settings folder\n", stderr);
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Foliotrace"));
    QApplication::setApplicationName(QStringLiteral("Foliotrace"));

    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "app-bench: not a folder: %s\n", qPrintable(folder));
        return 1;
    }

    frmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fputs("app-bench: the main window was not shown\n", stderr);
        return 1;
    }

    // The options, set through the controls.
    auto *dir1 = window.findChild<FolderList *>(QStringLiteral("Dir1"));
    auto *level = window.findChild<QComboBox *>(QStringLiteral("cboLevel"));
    auto *print = window.findChild<QAbstractButton *>(QStringLiteral("cmdPrint"));
    auto *path = window.findChild<QLabel *>(QStringLiteral("lblPath"));
    auto *pageLabel = window.findChild<QLabel *>(QStringLiteral("lblPrnt"));
    PreviewSurface *vsp1 = window.previewSurface();
    auto *pageView = vsp1 ? vsp1->findChild<QAbstractScrollArea *>() : nullptr;
    if (!dir1 || !level || !print || !path || !pageLabel || !pageView) {
        std::fputs("app-bench: the main window lacks a control it needs\n", stderr);
        return 1;
    }
    try {
        dir1->setPath(folder);
    } catch (const FileSystemError &error) {
        std::fprintf(stderr, "app-bench: %s\n", qPrintable(error.message()));
        return 1;
    }
    for (const char *name : {"chkFiles", "chkSize", "chkDate"}) {
        if (auto *check = window.findChild<QCheckBox *>(QLatin1String(name)))
            check->setChecked(true);
    }
    level->setEditText(depth);
    QTest::qWait(50);
    if (cold && !dropCaches()) {
        std::fputs("app-bench: cannot drop the page cache (needs root)\n", stderr);
        return 1;
    }

    QElapsedTimer clock;
    FirstPaint firstPaint;
    firstPaint.clock = &clock;
    firstPaint.arm([vsp1] { return vsp1->isVisible() && vsp1->pageTotal() > 0; });
    pageView->viewport()->installEventFilter(&firstPaint);

    // The event loop's pulse: a tick as often as it can take one; the
    // longest gap between ticks while the preview is on its way is how long
    // the window went deaf.
    qint64 lastTickNs = 0;
    qint64 maxGapNs = 0;
    qint64 maxGapStartNs = 0;
    // Every stretch over 30 ms, to tell the walk's from the layout's.
    constexpr qint64 LongGapNs = 30'000'000;
    std::vector<std::pair<qint64, qint64>> longGaps; // length, start
    // The last tick that saw the listing grow: where the walk ends and the
    // layout begins, as the event loop sees it.
    qint64 lastBuildingTickNs = 0;
    qsizetype rowsSeen = 0;
    QTimer pulse;
    pulse.setTimerType(Qt::PreciseTimer);
    pulse.setInterval(1);
    QObject::connect(&pulse, &QTimer::timeout, &pulse, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (firstPaint.paintedAtNs == 0 && now - lastTickNs > LongGapNs)
            longGaps.emplace_back(now - lastTickNs, lastTickNs);
        if (firstPaint.paintedAtNs == 0 && now - lastTickNs > maxGapNs) {
            maxGapNs = now - lastTickNs;
            maxGapStartNs = lastTickNs;
        }
        if (window.listing().rows.size() != rowsSeen) {
            rowsSeen = window.listing().rows.size();
            lastBuildingTickNs = now;
        }
        lastTickNs = now;
    });

    qint64 queuedAtStartNs = 0;
    QTimer::singleShot(0, print, [&] {
        queuedAtStartNs = runQueueNs();
        clock.start();
        lastTickNs = 0;
        pulse.start();
        QTest::mouseClick(print, Qt::LeftButton);
    });
    constexpr int TimeoutMs = 15 * 60 * 1000;
    const bool shown = QTest::qWaitFor([&] { return firstPaint.paintedAtNs != 0; }, TimeoutMs);
    pulse.stop();
    const qint64 queuedNs = runQueueNs() - queuedAtStartNs;
    if (!shown) {
        std::fprintf(stderr, "app-bench: no page shown (button reads \"%s\", page label \"%s\")\n",
                     qPrintable(print->text()), qPrintable(pageLabel->text()));
        return 1;
    }
    // The tick that ends the last gap may not come before the paint: the
    // gap up to the paint counts too.
    if (firstPaint.paintedAtNs - lastTickNs > LongGapNs)
        longGaps.emplace_back(firstPaint.paintedAtNs - lastTickNs, lastTickNs);
    if (firstPaint.paintedAtNs - lastTickNs > maxGapNs) {
        maxGapNs = firstPaint.paintedAtNs - lastTickNs;
        maxGapStartNs = lastTickNs;
    }

    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::printf("folder: %s\n", qPrintable(path->text()));
    std::printf("depth: %s\n", qPrintable(depth));
    std::printf("rows: %lld\n", static_cast<long long>(window.listing().rows.size()));
    std::printf("pages: %d\n", vsp1->pageTotal());
    std::printf("page_label: %s\n", qPrintable(pageLabel->text()));
    std::printf("preview_s: %.3f\n", firstPaint.paintedAtNs / 1e9);
    std::printf("build_s: %.3f\n", lastBuildingTickNs / 1e9);
    std::printf("max_event_gap_ms: %.1f\n", maxGapNs / 1e6);
    std::printf("max_event_gap_from_s: %.3f\n", maxGapStartNs / 1e9);
    printGaps(longGaps, cold ? longGaps.size() : 5, queuedNs);
    std::printf("peak_rss_mb: %.1f\n", self.ru_maxrss / 1024.0);
    return 0;
}
