#include "app/BuildSession.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

// Often enough for the window to feel live, rarely enough that a tree of
// many small folders is not slowed down by the event loop.
constexpr int DefaultYieldIntervalMs = 8;
// Progress for a moment's work would only flicker.
constexpr int DefaultProgressDelayMs = 500;

} // namespace

BuildSession::Scope::Scope(BuildSession &session) : m_session(session)
{
    m_session.begin();
}

BuildSession::Scope::~Scope()
{
    m_session.end();
}

BuildSession::BuildSession(QObject *parent)
    : QObject(parent), m_yieldIntervalMs(DefaultYieldIntervalMs), m_progressDelayMs(DefaultProgressDelayMs)
{}

BuildSession::~BuildSession() = default;

void BuildSession::begin()
{
    if (m_depth++ > 0)
        return;
    m_cancelRequested = false;
    m_done = 0;
    m_unread = 0;
    m_current.clear();
    m_status.clear();
    m_sinceStart.start();
    m_sinceEvents.start();
    emit runningChanged(true);
}

void BuildSession::end()
{
    if (--m_depth > 0)
        return;
    emit runningChanged(false);
}

void BuildSession::yield(qsizetype done, qsizetype unread, const QString &current)
{
    m_done = done;
    m_unread = unread;
    m_current = current;
    yield();
}

void BuildSession::yield(const QString &status)
{
    m_status = status;
    yield();
}

void BuildSession::yield()
{
    if (!isRunning())
        return;
    if (m_sinceEvents.elapsed() >= m_yieldIntervalMs) {
        if (m_sinceStart.elapsed() >= m_progressDelayMs) {
            if (m_status.isEmpty())
                emit progress(m_done, m_unread, m_current);
            else
                emit progressText(m_status);
        }
        QCoreApplication::processEvents();
        m_sinceEvents.restart();
    }
    if (m_cancelRequested)
        throw Cancelled();
}

void BuildSession::disableWhileRunning(const QList<QWidget *> &commands)
{
    for (QWidget *command : commands)
        connect(this, &BuildSession::runningChanged, command,
                [command](bool running) { command->setEnabled(!running); });
}

void BuildSession::cancel()
{
    if (isRunning())
        m_cancelRequested = true;
}
