#include "print/PrintServer.h"

#include <QIODevice>
#include <QSizeF>

#include <cups/cups.h>

#include <exception>

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait on the server comes back to us.
constexpr double PollSeconds = 0.1;
// A connection is tried this long at a time, so the waiting function runs
// between tries; a refusal comes at once.
constexpr std::chrono::milliseconds ConnectTry(250);
// A job left half-sent is cancelled with this much patience.
constexpr std::chrono::milliseconds CancelLimit(2000);

} // namespace

struct PrintServer::Wait
{
    Wait(std::chrono::milliseconds limit, Waiting function) : silence(limit), waiting(std::move(function)) {}

    // False: give the wait up. The waiting function runs before the server's
    // silence is judged, so the window is told how things stand first.
    bool keepWaiting()
    {
        if (thrown || silent)
            return false;
        if (waiting) {
            try {
                waiting();
            } catch (...) {
                // Unwinding through libcups' C frames is no option: kept for
                // after the call.
                thrown = std::current_exception();
                return false;
            }
        }
        silent = Clock::now() - lastHeard >= silence;
        return !silent;
    }

    void heard() { lastHeard = Clock::now(); }

    static int callback(http_t *, void *wait) { return static_cast<Wait *>(wait)->keepWaiting() ? 1 : 0; }

    std::chrono::milliseconds silence;
    Waiting waiting;
    Clock::time_point lastHeard = Clock::now();
    std::exception_ptr thrown;
    bool silent = false;
};

PrintServer::PrintServer(std::chrono::milliseconds silence, Waiting waiting)
    : m_wait(std::make_unique<Wait>(silence, std::move(waiting)))
{
    // Read afresh: a server set in the environment or in client.conf since
    // the last job is the one asked.
    cupsSetServer(nullptr);
    for (;;) {
        const Clock::time_point tried = Clock::now();
        m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, int(ConnectTry.count()),
                              nullptr);
        if (m_http)
            break;
        if (Clock::now() - tried < ConnectTry / 2) {
            throw PrintError(PrintError::Cause::NoServer, tr("The print server %1 cannot be reached.").arg(name()));
        }
        if (!m_wait->keepWaiting())
            fail(PrintError::Cause::ServerSilent, {});
    }
    httpSetTimeout(m_http, PollSeconds, &Wait::callback, m_wait.get());
}

PrintServer::~PrintServer()
{
    if (m_http)
        httpClose(m_http);
}

QString PrintServer::name()
{
    const QString host = QString::fromLocal8Bit(cupsServer());
    return host.startsWith(u'/') ? host : host + u':' + QString::number(ippPort());
}

void PrintServer::fail(PrintError::Cause cause, const QString &message)
{
    if (m_wait->thrown)
        std::rethrow_exception(m_wait->thrown);
    if (m_wait->silent)
        throw PrintError(PrintError::Cause::ServerSilent, tr("The print server %1 does not answer.").arg(name()));
    throw PrintError(cause, message);
}

PrintServer::Queue PrintServer::defaultQueue()
{
    m_wait->heard();
    cups_dest_t *dest = cupsGetNamedDest(m_http, nullptr, nullptr);
    if (!dest) {
        fail(PrintError::Cause::NoDefaultPrinter,
             tr("There is no default printer (%1).").arg(QString::fromLocal8Bit(cupsLastErrorString())));
    }
    Queue queue{dest->name, cupsGetOption("media", dest->num_options, dest->options)};
    cupsFreeDests(1, dest);
    return queue;
}

PrintServer::Queue PrintServer::namedQueue(const QByteArray &name)
{
    m_wait->heard();
    cups_dest_t *dest = cupsGetNamedDest(m_http, name.constData(), nullptr);
    if (!dest) {
        fail(PrintError::Cause::NoSuchPrinter,
             tr("The print server %1 has no printer %2.").arg(PrintServer::name(), QString::fromLocal8Bit(name)));
    }
    Queue queue{dest->name, cupsGetOption("media", dest->num_options, dest->options)};
    cupsFreeDests(1, dest);
    return queue;
}

void PrintServer::print(const QByteArray &queue, QIODevice &pdf, const QByteArray &title, const Options &options)
{
    m_wait->heard();
    int count = 0;
    cups_option_t *cupsOptions = nullptr;
    for (const auto &[name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &cupsOptions);
    const int job = cupsCreateJob(m_http, queue.constData(), title.constData(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (job == 0) {
        fail(PrintError::Cause::JobRefused,
             tr("The printer %1 did not accept the job: %2")
                 .arg(QString::fromLocal8Bit(queue), QString::fromLocal8Bit(cupsLastErrorString())));
    }
    try {
        sendDocument(queue, job, pdf, title);
    } catch (...) {
        // Left as it is, the job would wait in the queue for its document.
        if (!m_wait->silent) {
            try {
                const PrintServer again(CancelLimit);
                cupsCancelJob2(again.m_http, queue.constData(), job, 0);
            } catch (const PrintError &) {}
        }
        throw;
    }
}

void PrintServer::sendDocument(const QByteArray &queue, int job, QIODevice &pdf, const QByteArray &title)
{
    const auto refused = [&queue] {
        return tr("The printer %1 did not accept the job: %2")
            .arg(QString::fromLocal8Bit(queue), QString::fromLocal8Bit(cupsLastErrorString()));
    };
    if (cupsStartDocument(m_http, queue.constData(), job, title.constData(), CUPS_FORMAT_PDF, 1)
        != HTTP_STATUS_CONTINUE)
        fail(PrintError::Cause::JobRefused, refused());
    // In pieces, so that a server still taking them is never taken for a
    // silent one, however long the whole takes.
    char buffer[64 * 1024];
    qint64 read = 0;
    while ((read = pdf.read(buffer, sizeof buffer)) > 0) {
        if (cupsWriteRequestData(m_http, buffer, size_t(read)) != HTTP_STATUS_CONTINUE)
            fail(PrintError::Cause::JobRefused, refused());
        m_wait->heard();
    }
    if (read < 0)
        fail(PrintError::Cause::OutputFailed, pdf.errorString());
    if (cupsFinishDocument(m_http, queue.constData()) != IPP_STATUS_OK)
        fail(PrintError::Cause::JobRefused, refused());
}

std::optional<QPageSize> PrintServer::paperFor(const QByteArray &media)
{
    // "A4,Tray1" and the like name the paper first.
    const QByteArray keyword = media.split(',').constFirst();
    if (keyword.isEmpty())
        return std::nullopt;
    const pwg_media_t *paper = pwgMediaForPWG(keyword.constData());
    if (!paper)
        paper = pwgMediaForLegacy(keyword.constData());
    if (!paper)
        paper = pwgMediaForPPD(keyword.constData());
    if (!paper || paper->width <= 0 || paper->length <= 0)
        return std::nullopt;
    // Hundredths of millimetres; a standard size comes back under its name.
    const QPageSize size(QSizeF(paper->width / 100.0, paper->length / 100.0), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    return size.isValid() ? std::optional(size) : std::nullopt;
}

QByteArray PrintServer::mediaName(const QPageSize &paper)
{
    // Hundredths of millimetres, as the server measures paper.
    const QSizeF size = paper.size(QPageSize::Millimeter) * 100;
    const pwg_media_t *media = pwgMediaForSize(qRound(size.width()), qRound(size.height()));
    return media && media->pwg ? QByteArray(media->pwg) : QByteArray();
}

PrintServer::Unreachable::Unreachable()
{
    // A socket that cannot exist: the connection fails at once.
    cupsSetServer("/nonexistent/foliotrace-no-print-server");
}

PrintServer::Unreachable::~Unreachable()
{
    cupsSetServer(nullptr);
}
