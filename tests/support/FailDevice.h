#pragma once

#include <QBuffer>

// A file whose reading fails after `limit` bytes, as a damaged disk's does (after KeePassXC's FailDevice).
class FailDevice : public QBuffer
{
public:
    FailDevice(qint64 limit, const QByteArray &contents)
        : m_limit(limit)
    {
        setData(contents);
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        const qint64 done = m_done < m_limit ? QBuffer::readData(data, qMin(size, m_limit - m_done)) : -1;
        m_done += qMax<qint64>(done, 0);
        return done;
    }

private:
    qint64 m_limit;
    qint64 m_done = 0;
};
