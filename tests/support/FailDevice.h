#pragma once

#include <QBuffer>

// A device that takes or gives `limit` bytes and then fails, as a disk that fills or a file that cannot
// be read further does (after KeePassXC's FailDevice).
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
        return pass(m_done < m_limit ? QBuffer::readData(data, qMin(size, m_limit - m_done)) : -1);
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        return pass(m_done < m_limit ? QBuffer::writeData(data, qMin(size, m_limit - m_done)) : -1);
    }

private:
    qint64 pass(qint64 done) { return m_done += qMax<qint64>(done, 0), done; }

    qint64 m_limit;
    qint64 m_done = 0;
};
