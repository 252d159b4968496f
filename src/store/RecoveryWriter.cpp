#include "RecoveryWriter.h"

#include "RecipeFile.h"

#include <QFile>

RecoveryWriter::RecoveryWriter(const QString &path)
    : m_path(path)
    , m_thread([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_waiting.reset();
    }
    m_changed.notify_all();
    m_thread.join();
}

void RecoveryWriter::write(RecipeList snapshot)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_waiting = std::move(snapshot);
    }
    m_changed.notify_all();
}

void RecoveryWriter::writeNow(const RecipeList &list)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_waiting.reset();
    waitUntilIdle(lock);
    try {
        RecipeFile::write(list, m_path);
    } catch (...) {
        // Nothing more can be done for the changes; the caller still asks before closing.
    }
}

void RecoveryWriter::discard()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_waiting.reset();
    waitUntilIdle(lock);
    QFile::remove(m_path);
}

void RecoveryWriter::waitUntilIdle(std::unique_lock<std::mutex> &lock)
{
    m_changed.wait(lock, [this] { return !m_writing; });
}

void RecoveryWriter::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || m_waiting; });
        if (m_stopping)
            return;
        const RecipeList snapshot = std::move(*m_waiting);
        m_waiting.reset();
        m_writing = true;
        lock.unlock();
        try {
            RecipeFile::write(snapshot, m_path);
        } catch (...) {
            // A full disk or a read-only folder: the next snapshot tries again.
        }
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}
