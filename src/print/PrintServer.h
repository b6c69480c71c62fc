#pragma once

#include "print/PrintError.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QPageSize>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QIODevice;
struct _http_s;

// A connection of our own to the print server (CUPS) on which no wait is
// unbounded. libcups' default connection waits a minute or more for a
// server that accepts and never answers; here a call gives up once the
// server has said nothing for `silence`, and throws PrintError with
// Cause::ServerSilent naming the server. While it waits it calls `waiting`
// every tenth of a second; whatever that throws (a cancel) ends the call
// and comes out of it unchanged.
class PrintServer
{
    Q_DECLARE_TR_FUNCTIONS(PrintServer)

public:
    using Waiting = std::function<void()>;

    // Connects; throws PrintError when the server cannot be reached.
    explicit PrintServer(std::chrono::milliseconds silence, Waiting waiting = {});
    ~PrintServer();
    PrintServer(const PrintServer &) = delete;
    PrintServer &operator=(const PrintServer &) = delete;

    // The server as configured now (environment, client.conf): "host:port",
    // or a socket's path.
    static QString name();

    struct Queue
    {
        QByteArray name;
        QByteArray media; // its default paper ("iso_a4_210x297mm"); empty when it names none
    };
    // The default queue, as lp would choose it. Throws PrintError.
    Queue defaultQueue();
    // The queue of that name; throws PrintError when there is none.
    Queue namedQueue(const QByteArray &name);

    // Job options by name ("copies", "2").
    using Options = QList<std::pair<QByteArray, QByteArray>>;
    // Sends the PDF as one job with these options; throws PrintError. A job
    // the server took but could not finish is cancelled again.
    void print(const QByteArray &queue, QIODevice &pdf, const QByteArray &title, const Options &options = {});

    // A paper keyword ("iso_a4_210x297mm", "na_letter_8.5x11in", "A4").
    static std::optional<QPageSize> paperFor(const QByteArray &media);
    // The print server's name of a paper ("iso_a4_210x297mm"); empty when it has none.
    static QByteArray mediaName(const QPageSize &paper);

    // While one lives, the print server calls this thread makes through
    // libcups' own connection (Qt's print dialogs make them) find no server
    // at once: libcups would wait a minute for a server that takes the
    // connection and never answers.
    class Unreachable
    {
    public:
        Unreachable();
        ~Unreachable();
        Unreachable(const Unreachable &) = delete;
        Unreachable &operator=(const Unreachable &) = delete;
    };

private:
    struct Wait;
    // Ends a call that failed: what the waiting function threw, else
    // "does not answer" when the server fell silent, else cause and message.
    [[noreturn]] void fail(PrintError::Cause cause, const QString &message);
    void sendDocument(const QByteArray &queue, int job, QIODevice &pdf, const QByteArray &title);

    std::unique_ptr<Wait> m_wait;
    _http_s *m_http = nullptr;
};
