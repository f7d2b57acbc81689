#pragma once

#include "data/DatabaseError.h"

#include <QString>

// An exclusive advisory lock (flock) on a lock file beside the file it guards. The operating
// system drops it when the process ends, however it ends, so a leftover lock file never keeps
// anyone out: whatever a file of that name holds (an older scheme's process id, nothing at all)
// only the lock on it counts.
class FileLock final
{
public:
    explicit FileLock(QString path) : m_path(std::move(path)) {}
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // None once we hold it; Locked while another process (or another FileLock of ours) holds
    // it; CannotCreate when the lock file cannot be created or opened.
    DatabaseError TryLock();
    bool IsLocked() const { return m_fd >= 0; }
    QString Path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};
