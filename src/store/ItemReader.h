#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Splits a recipe file into items the way the format is read: blanks before an item are
// skipped; an item that begins with a double quote runs to the next double quote, line ends and
// commas included, and whatever follows it up to the next comma or line end is passed over; any
// other item ends at a comma or a line end. The device is read in chunks, so a large file is
// never held whole in memory.
class ItemReader
{
public:
    struct Item
    {
        QByteArrayView bytes; // valid until the next call of next()
        bool quoted = false;
        bool unterminated = false; // a quoted item cut short by the end of the file
    };

    explicit ItemReader(QIODevice &device);

    // False when the file has no further item. Raises "Device I/O error" when reading fails.
    bool next(Item &item);

private:
    bool fill(qsizetype keepFrom);
    bool ensureByte();
    void skipAfterItem();

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_skipToDelimiter = false; // after a quoted item
    bool m_skipLineFeed = false; // after an item that ended at a CR
};
