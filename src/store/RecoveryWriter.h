#pragma once

#include "RecipeList.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Writes snapshots of the recipe list to a recovery file on a thread of its own, so that the
// window is never held up by it. A write in progress is finished; a snapshot still waiting is
// replaced by a newer one. A failed write is tried again with the next snapshot.
class RecoveryWriter
{
public:
    explicit RecoveryWriter(const QString &path);
    ~RecoveryWriter();

    // Hands a snapshot to the writing thread and returns at once.
    void write(RecipeList snapshot);
    // Writes the list before returning, after a write in progress.
    void writeNow(const RecipeList &list);
    // Drops a waiting snapshot, waits for a write in progress and removes the file.
    void discard();

private:
    void run();
    void waitUntilIdle(std::unique_lock<std::mutex> &lock);

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<RecipeList> m_waiting;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread; // last: it starts once everything above exists
};
