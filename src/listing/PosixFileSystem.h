#pragma once

#include "listing/FileSystemObject.h"

#include <chrono>
#include <memory>

namespace PosixFileSystemDetail { class Walk; }

// FileSystemObject over openat/fdopendir/fstatat. Symbolic links are never
// followed below the folder given to GetFolder: a link is a file of its own
// length. Within one build every entry is stat-ed once and every folder is
// read once; a folder's subtree total is computed once and kept, so the
// totals of a folder and of all its listed ancestors cost one walk.
//
// The first subtree total of a build starts one helper thread that reads
// the same tree from its far end, so the two meet in the middle; results
// never depend on which thread read what.
class PosixFileSystem : public FileSystemObject
{
public:
    PosixFileSystem();
    ~PosixFileSystem() override;

    void beginBuild(Heartbeat heartbeat = {}) override;
    void endBuild() override;
    std::shared_ptr<FileSystemFolder> GetFolder(const QByteArray &path) override;
    FileSystemCounters counters() const override;

    // How often a running total calls the heartbeat (default 15 ms).
    void setHeartbeatInterval(std::chrono::milliseconds interval);
    // Helper threads for subtree totals: 0 or 1 (default 1 on a multi-core machine).
    void setHelperThreads(int count);

private:
    std::shared_ptr<PosixFileSystemDetail::Walk> walk();

    std::shared_ptr<PosixFileSystemDetail::Walk> m_walk;
    Heartbeat m_heartbeat;
    std::chrono::milliseconds m_heartbeatInterval{15};
    int m_helperThreads = 1;
    FileSystemCounters m_lastCounters;
};
