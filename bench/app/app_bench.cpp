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

// The event loop's pulse: a tick as often as it can take one; the longest
// gap between ticks while the preview is on its way is how long the window
// went deaf. Every stretch over 30 ms is kept, to tell the walk's from the
// layout's.
struct Pulse
{
    static constexpr qint64 LongGapNs = 30'000'000;

    qint64 lastTickNs = 0;
    qint64 maxGapNs = 0;
    qint64 maxGapStartNs = 0;
    std::vector<std::pair<qint64, qint64>> longGaps; // length, start
    // The last tick that saw the listing grow: where the walk ends and the
    // layout begins, as the event loop sees it.
    qint64 lastBuildingTickNs = 0;
    qsizetype rowsSeen = 0;

    // A tick at now, or the paint that ends the watch.
    void gapUntil(qint64 now)
    {
        if (now - lastTickNs > LongGapNs)
            longGaps.emplace_back(now - lastTickNs, lastTickNs);
        if (now - lastTickNs > maxGapNs) {
            maxGapNs = now - lastTickNs;
            maxGapStartNs = lastTickNs;
        }
    }
};

struct Args
{
    QString folder = QStringLiteral("/usr");
    QString depth = QStringLiteral("3");
    bool cold = false;
};

bool parseArgs(int argc, char *argv[], Args &args)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--depth") == 0 && i + 1 < argc)
            args.depth = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--cold") == 0)
            args.cold = true;
        else if (argv[i][0] == '-')
            return false;
        else
            args.folder = QString::fromLocal8Bit(argv[i]);
    }
    return true;
}

// The window's controls the bench drives and reads.
struct Controls
{
    FolderList *dir1 = nullptr;
    QComboBox *level = nullptr;
    QAbstractButton *print = nullptr;
    QLabel *path = nullptr;
    QLabel *pageLabel = nullptr;
    PreviewSurface *vsp1 = nullptr;
    QAbstractScrollArea *pageView = nullptr;
};

// The options, set through the controls; false with a message when one is missing or the folder cannot be shown.
bool setOptions(frmMain &window, const Args &args, Controls &c)
{
    c.dir1 = window.findChild<FolderList *>(QStringLiteral("Dir1"));
    c.level = window.findChild<QComboBox *>(QStringLiteral("cboLevel"));
    c.print = window.findChild<QAbstractButton *>(QStringLiteral("cmdPrint"));
    c.path = window.findChild<QLabel *>(QStringLiteral("lblPath"));
    c.pageLabel = window.findChild<QLabel *>(QStringLiteral("lblPrnt"));
    c.vsp1 = window.previewSurface();
    c.pageView = c.vsp1 ? c.vsp1->findChild<QAbstractScrollArea *>() : nullptr;
    if (!c.dir1 || !c.level || !c.print || !c.path || !c.pageLabel || !c.pageView) {
        std::fputs("app-bench: the main window lacks a control it needs\n", stderr);
        return false;
    }
    try {
        c.dir1->setPath(args.folder);
    } catch (const FileSystemError &error) {
        std::fprintf(stderr, "app-bench: %s\n", qPrintable(error.message()));
        return false;
    }
    for (const char *name : {"chkFiles", "chkSize", "chkDate"}) {
        if (auto *check = window.findChild<QCheckBox *>(QLatin1String(name)))
            check->setChecked(true);
    }
    c.level->setEditText(args.depth);
    return true;
}

// Clicks "Print Preview" and waits for the first page on screen, the pulse
// ticking meanwhile; false when no page came.
bool clickAndWatch(frmMain &window, const Controls &c, Pulse &pulse, qint64 &queuedNs, qint64 &paintedNs)
{
    QElapsedTimer clock;
    FirstPaint firstPaint;
    firstPaint.clock = &clock;
    firstPaint.arm([vsp1 = c.vsp1] { return vsp1->isVisible() && vsp1->pageTotal() > 0; });
    c.pageView->viewport()->installEventFilter(&firstPaint);

    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, &ticks, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (firstPaint.paintedAtNs == 0)
            pulse.gapUntil(now);
        if (window.listing().rows.size() != pulse.rowsSeen) {
            pulse.rowsSeen = window.listing().rows.size();
            pulse.lastBuildingTickNs = now;
        }
        pulse.lastTickNs = now;
    });
    qint64 queuedAtStartNs = 0;
    QTimer::singleShot(0, c.print, [&] {
        queuedAtStartNs = runQueueNs();
        clock.start();
        pulse.lastTickNs = 0;
        ticks.start();
        QTest::mouseClick(c.print, Qt::LeftButton);
    });
    constexpr int TimeoutMs = 15 * 60 * 1000;
    const bool shown = QTest::qWaitFor([&] { return firstPaint.paintedAtNs != 0; }, TimeoutMs);
    ticks.stop();
    c.pageView->viewport()->removeEventFilter(&firstPaint);
    queuedNs = runQueueNs() - queuedAtStartNs;
    paintedNs = firstPaint.paintedAtNs;
    if (!shown) {
        std::fprintf(stderr, "app-bench: no page shown (button reads \"%s\", page label \"%s\")\n",
                     qPrintable(c.print->text()), qPrintable(c.pageLabel->text()));
        return false;
    }
    // The tick that ends the last gap may not come before the paint: the
    // gap up to the paint counts too.
    pulse.gapUntil(paintedNs);
    return true;
}

void printFigures(const frmMain &window, const Args &args, const Controls &c, const Pulse &pulse, qint64 queuedNs,
                  qint64 paintedNs)
{
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::printf("folder: %s\n", qPrintable(c.path->text()));
    std::printf("depth: %s\n", qPrintable(args.depth));
    std::printf("rows: %lld\n", static_cast<long long>(window.listing().rows.size()));
    std::printf("pages: %d\n", c.vsp1->pageTotal());
    std::printf("page_label: %s\n", qPrintable(c.pageLabel->text()));
    std::printf("preview_s: %.3f\n", paintedNs / 1e9);
    std::printf("build_s: %.3f\n", pulse.lastBuildingTickNs / 1e9);
    std::printf("max_event_gap_ms: %.1f\n", pulse.maxGapNs / 1e6);
    std::printf("max_event_gap_from_s: %.3f\n", pulse.maxGapStartNs / 1e9);
    printGaps(pulse.longGaps, args.cold ? pulse.longGaps.size() : 5, queuedNs);
    std::printf("peak_rss_mb: %.1f\n", self.ru_maxrss / 1024.0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--make-tree") == 0)
        return argc == 5 && std::strcmp(argv[3], "--entries") == 0 ? makeTree(argv) : usage();
    Args args;
    if (!parseArgs(argc, argv, args))
        return usage();

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
    if (!QFileInfo(args.folder).isDir()) {
        std::fprintf(stderr, "app-bench: not a folder: %s\n", qPrintable(args.folder));
        return 1;
    }

    frmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fputs("app-bench: the main window was not shown\n", stderr);
        return 1;
    }
    Controls controls;
    if (!setOptions(window, args, controls))
        return 1;
    QTest::qWait(50);
    if (args.cold && !dropCaches()) {
        std::fputs("app-bench: cannot drop the page cache (needs root)\n", stderr);
        return 1;
    }
    Pulse pulse;
    qint64 queuedNs = 0;
    qint64 paintedNs = 0;
    if (!clickAndWatch(window, controls, pulse, queuedNs, paintedNs))
        return 1;
    printFigures(window, args, controls, pulse, queuedNs, paintedNs);
    return 0;
}
