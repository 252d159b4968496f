#pragma once

#include <QBuffer>

// A device that takes or gives `limit` bytes and then fails, as a disk that fills or a file that
// cannot be read further does (after KeePassXC's FailDevice).
class FailDevice : public QBuffer
{
public:
    explicit FailDevice(qint64 limit, const QByteArray &contents = QByteArray())
        : m_limit(limit)
    {
        setData(contents);
        open(contents.isEmpty() ? QIODevice::WriteOnly : QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        return pass(size, [&](qint64 n) { return QBuffer::readData(data, n); });
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        return pass(size, [&](qint64 n) { return QBuffer::writeData(data, n); });
    }

private:
    template<typename Io>
    qint64 pass(qint64 size, Io io)
    {
        if (m_done >= m_limit)
            return -1;
        const qint64 done = io(qMin(size, m_limit - m_done));
        m_done += qMax<qint64>(done, 0);
        return done;
    }

    qint64 m_limit;
    qint64 m_done = 0;
};
