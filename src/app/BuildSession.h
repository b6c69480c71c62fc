#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

// The one long piece of work the window runs at a time (a listing build, and
// any other step that must stay live and cancellable the same way). The work
// calls yield() as it goes: pending window events run at most every
// yieldInterval, and once the user asked to cancel, yield() throws Cancelled
// so the work unwinds from wherever it stands.
//
//     BuildSession::Scope running(session);   // the build commands go off
//     for (...) { ...; session.yield(); }      // or hand [&] { session.yield(); } on
class QWidget;

class BuildSession : public QObject
{
    Q_OBJECT

public:
    // Not a std::exception: handlers that report failures must not take a
    // cancel for one.
    class Cancelled
    {};

    // Keeps the session running for as long as it lives. Scopes nest; the
    // run ends with the outermost one, however it is left.
    class Scope
    {
    public:
        explicit Scope(BuildSession &session);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        BuildSession &m_session;
    };

    explicit BuildSession(QObject *parent = nullptr);
    ~BuildSession() override;

    bool isRunning() const { return m_depth > 0; }

    // Lets pending events run when they are due; throws Cancelled once
    // cancel() was asked for during this run. Outside a run it does nothing.
    void yield();
    // The same, noting how far the work has come for the progress signal:
    // entries done, entries that could not be read, what is being read.
    void yield(qsizetype done, qsizetype unread, const QString &current);
    // The same for work that lists nothing (printing): status is its
    // progress line as it stands.
    void yield(const QString &status);

    // Pending events run at most this often (8 ms unless set).
    void setYieldInterval(int milliseconds) { m_yieldIntervalMs = milliseconds; }
    // A run shorter than this shows no progress (500 ms unless set).
    void setProgressDelay(int milliseconds) { m_progressDelayMs = milliseconds; }

    // Asks the running work to stop at its next yield; nothing when idle.
    void cancel();

    // The commands that start a run are off while one runs, however it ends.
    void disableWhileRunning(const QList<QWidget *> &commands);

signals:
    void runningChanged(bool running);
    // How far a run has come, once it has lasted the progress delay; sent
    // just before pending events run.
    void progress(qsizetype done, qsizetype unread, const QString &current);
    // The same for work that lists nothing.
    void progressText(const QString &status);

private:
    void begin();
    void end();

    int m_depth = 0;
    bool m_cancelRequested = false;
    int m_yieldIntervalMs;
    int m_progressDelayMs;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceEvents;
    qsizetype m_done = 0;
    qsizetype m_unread = 0;
    QString m_current;
    QString m_status;
};
