#pragma once

// A file-system component that passes every call on to another and counts
// how many run at once: the readers busy, for --latency-report.

#include "listing/FileSystemObject.h"

#include <algorithm>
#include <chrono>
#include <mutex>

class CallCounter : public FileSystemObject
{
public:
    explicit CallCounter(FileSystemObject &inner) : m_inner(inner)
    {
        setReaderThreads(inner.readerThreads());
        setHeartbeatInterval(inner.heartbeatInterval());
        setHandleBudget(inner.handleBudget());
        setChunkSize(inner.chunkSize());
    }

    Handle GetFolder(const QByteArray &path) override
    {
        m_start = m_lastChange = m_lastOpen = Clock::now();
        return m_inner.GetFolder(path);
    }
    Handle openFolder(Handle parent, const char *name, int &error) override
    {
        const Busy busy(*this);
        {
            std::lock_guard lock(m_mutex);
            m_lastOpen = Clock::now();
        }
        return m_inner.openFolder(parent, name, error);
    }
    int listFolder(Handle folder, FolderEntries &out, const Beat &beat) override
    {
        const Busy busy(*this);
        return m_inner.listFolder(folder, out, beat);
    }
    bool readEntry(Handle folder, quint64 folderDevice, const char *name, FolderEntry &entry) override
    {
        const Busy busy(*this);
        return m_inner.readEntry(folder, folderDevice, name, entry);
    }
    void closeFolder(Handle folder) override { m_inner.closeFolder(folder); }
    FileSystemCounters counters() const override { return m_inner.counters(); }

    int peakBusy() const { return m_peak; }
    // Calls in flight on average from the first call to now.
    double meanBusy() const
    {
        const double wall = std::chrono::duration<double>(Clock::now() - m_start).count();
        return wall > 0 ? m_busySeconds / wall : 0;
    }
    double lastOpenSeconds() const { return std::chrono::duration<double>(m_lastOpen - m_start).count(); }

private:
    using Clock = std::chrono::steady_clock;

    class Busy
    {
    public:
        explicit Busy(CallCounter &counter) : m_counter(counter) { m_counter.change(+1); }
        ~Busy() { m_counter.change(-1); }
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        CallCounter &m_counter;
    };

    void change(int by)
    {
        std::lock_guard lock(m_mutex);
        const Clock::time_point now = Clock::now();
        m_busySeconds += m_busy * std::chrono::duration<double>(now - m_lastChange).count();
        m_lastChange = now;
        m_busy += by;
        m_peak = std::max(m_peak, m_busy);
    }

    FileSystemObject &m_inner;
    std::mutex m_mutex;
    int m_busy = 0;
    int m_peak = 0;
    double m_busySeconds = 0;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_lastChange = m_start;
    Clock::time_point m_lastOpen = m_start;
};
