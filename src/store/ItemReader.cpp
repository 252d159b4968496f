#include "store/ItemReader.h"

#include "core/RuntimeError.h"

#include <QIODevice>

#include <cstring>

namespace {
constexpr qsizetype ChunkSize = qsizetype(1) << 20;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
} // namespace

ItemReader::ItemReader(QIODevice &device)
    : m_device(device)
{
    // A byte-order mark that an editor may have put in front of a UTF-8 file is not data.
    if (ensureByte() && m_buffer.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
}

// Drops the bytes before keepFrom and appends the next chunk; positions shift by keepFrom.
bool ItemReader::fill(qsizetype keepFrom)
{
    if (m_atEnd)
        return false;
    m_buffer.remove(0, keepFrom);
    m_pos -= keepFrom;
    // Small files get a small buffer; large ones are read a chunk at a time.
    const qint64 available = m_device.bytesAvailable();
    const qsizetype chunk = available > 0 ? qsizetype(qMin<qint64>(ChunkSize, available + 1)) : 4096;
    const qsizetype oldSize = m_buffer.size();
    m_buffer.resize(oldSize + chunk);
    const qint64 got = m_device.read(m_buffer.data() + oldSize, chunk);
    if (got < 0) {
        m_buffer.resize(oldSize);
        throw RuntimeError(RuntimeError::DeviceIOError);
    }
    m_buffer.resize(oldSize + qsizetype(got));
    if (got == 0)
        m_atEnd = true;
    return got > 0;
}

bool ItemReader::ensureByte()
{
    while (m_pos >= m_buffer.size()) {
        if (!fill(m_pos))
            return false;
    }
    return true;
}

void ItemReader::skipAfterItem()
{
    if (m_skipToDelimiter) {
        m_skipToDelimiter = false;
        while (ensureByte()) {
            const char c = m_buffer.at(m_pos++);
            if (c == ',')
                break;
            if (c == '\r') {
                m_skipLineFeed = true;
                break;
            }
            if (c == '\n')
                break;
        }
    }
    if (m_skipLineFeed) {
        m_skipLineFeed = false;
        if (ensureByte() && m_buffer.at(m_pos) == '\n')
            ++m_pos;
    }
}

bool ItemReader::next(Item &item)
{
    skipAfterItem();
    for (;;) {
        if (!ensureByte())
            return false;
        if (!isBlank(m_buffer.at(m_pos)))
            break;
        ++m_pos;
    }

    qsizetype start = m_pos;
    item = Item();
    if (m_buffer.at(start) == '"') {
        item.quoted = true;
        qsizetype searchFrom = start + 1;
        for (;;) {
            const char *base = m_buffer.constData();
            const void *quote = std::memchr(base + searchFrom, '"', size_t(m_buffer.size() - searchFrom));
            if (quote) {
                const qsizetype end = static_cast<const char *>(quote) - base;
                item.bytes = QByteArrayView(base + start + 1, end - start - 1);
                m_pos = end + 1;
                m_skipToDelimiter = true;
                return true;
            }
            searchFrom = m_buffer.size() - start;
            if (!fill(start)) {
                item.bytes = QByteArrayView(m_buffer.constData() + 1, m_buffer.size() - 1);
                item.unterminated = true;
                m_pos = m_buffer.size();
                return true;
            }
            start = 0;
        }
    }

    qsizetype end = start;
    for (;;) {
        while (end < m_buffer.size()) {
            const char c = m_buffer.at(end);
            if (c == ',' || c == '\r' || c == '\n') {
                item.bytes = QByteArrayView(m_buffer.constData() + start, end - start);
                m_pos = end + 1;
                m_skipLineFeed = (c == '\r');
                return true;
            }
            ++end;
        }
        end -= start;
        if (!fill(start)) {
            item.bytes = QByteArrayView(m_buffer.constData(), m_buffer.size());
            m_pos = m_buffer.size();
            return true;
        }
        start = 0;
    }
}
