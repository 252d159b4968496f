#include "store/journal/JournalEntry.h"

#include "core/RuntimeError.h"
#include "store/Checksum.h"
#include "store/TextEncoding.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr qsizetype LengthSize = 4;
constexpr qsizetype ChecksumSize = 4;

template<typename T>
void put(QByteArray &out, T value)
{
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&little), sizeof little);
}

void putText(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    put<quint32>(out, quint32(utf8.size()));
    out += utf8;
}

// Reads a record's contents front to back; any read past the end marks it as failed.
class Reader
{
public:
    explicit Reader(QByteArrayView bytes)
        : m_bytes(bytes)
    { }

    template<typename T>
    T get()
    {
        if (m_bytes.size() - m_at < qsizetype(sizeof(T)))
            return fail<T>();
        T value;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
        return qFromLittleEndian(value);
    }

    QString text()
    {
        const quint32 size = get<quint32>();
        if (m_failed || quint64(m_bytes.size() - m_at) < size)
            return fail<QString>();
        const QByteArrayView utf8 = m_bytes.sliced(m_at, qsizetype(size));
        m_at += qsizetype(size);
        if (TextEncoding::isAscii(utf8)) // most fields: the fast way
            return QString::fromLatin1(utf8);
        if (!TextEncoding::isValidUtf8(utf8))
            return fail<QString>();
        // QString::fromUtf8 is the fast way for the rest, but takes a leading U+FEFF for a marker.
        return utf8.startsWith("\xEF\xBB\xBF") ? TextEncoding::decodeUtf8(utf8) : QString::fromUtf8(utf8);
    }

    bool done() const { return !m_failed && m_at == m_bytes.size(); }
    bool atEnd() const { return m_at == m_bytes.size(); }
    bool failed() const { return m_failed; }

private:
    template<typename T>
    T fail()
    {
        m_failed = true;
        m_at = m_bytes.size();
        return T();
    }

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    bool m_failed = false;
};

void checkIndex(const RecipeList &list, qint16 index)
{
    if (index < 1 || index > list.count().value())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
}

} // namespace

JournalEntry JournalEntry::of(Type type, qint16 index)
{
    JournalEntry entry;
    entry.type = type;
    entry.index = index;
    return entry;
}

JournalEntry JournalEntry::base(const FileIdentity &identity, const QString &host)
{
    JournalEntry entry = of(Base);
    entry.identity = identity;
    entry.host = host;
    return entry;
}

JournalEntry JournalEntry::snapshot(const RecipeList &list)
{
    JournalEntry entry = of(Snapshot);
    entry.list = list;
    return entry;
}

JournalEntry JournalEntry::saving(const FileIdentity &identity)
{
    JournalEntry entry = of(Saving);
    entry.identity = identity;
    return entry;
}

QList<JournalEntry::Splice> JournalEntry::difference(const Recipe &from, const Recipe &to)
{
    QList<Splice> splices;
    for (int f = 0; f < Recipe::FieldCount; ++f) {
        const QString &a = from.field(f);
        const QString &b = to.field(f);
        if (a == b)
            continue;
        // The common beginning and end stay; what lies between them is the change. Neither end
        // of it may split a surrogate pair, which UTF-8 cannot hold in halves.
        const qsizetype shorter = qMin(a.size(), b.size());
        qsizetype head = 0;
        while (head < shorter && a[head] == b[head])
            ++head;
        if (head > 0 && a[head - 1].isHighSurrogate())
            --head;
        qsizetype tail = 0;
        while (tail < shorter - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
            ++tail;
        if (tail > 0 && a[a.size() - tail].isLowSurrogate())
            --tail;
        splices.append({f, qint32(head), qint32(a.size() - head - tail), b.mid(head, b.size() - head - tail)});
    }
    return splices;
}

void JournalEntry::apply(RecipeList &list) const
{
    switch (type) {
    case Base:
    case Saving:
        return;
    case Snapshot:
        list = this->list;
        return;
    case Edit: {
        checkIndex(list, index);
        Recipe recipe = list.at(index);
        for (const Splice &splice : splices) {
            QString &field = recipe.field(splice.field);
            if (splice.start < 0 || splice.removed < 0 || qint64(splice.start) + splice.removed > field.size())
                throw RuntimeError(RuntimeError::SubscriptOutOfRange);
            field.replace(splice.start, splice.removed, splice.text);
        }
        list.at(index) = std::move(recipe);
        list.setCurrent(index);
        return;
    }
    case Add:
        list.appendEmpty();
        return;
    case Delete:
        checkIndex(list, index);
        list.setCurrent(index);
        list.removeCurrent();
        return;
    case Current:
        list.setCurrent(index);
        return;
    }
    throw RuntimeError(RuntimeError::InvalidProcedureCall);
}

QByteArray JournalEntry::encoded() const
{
    QByteArray out(LengthSize, '\0');
    out += char(type);
    switch (type) {
    case Base:
    case Saving:
        put<qint64>(out, identity.size);
        put<quint32>(out, identity.crc);
        if (!host.isEmpty())
            putText(out, host);
        break;
    case Snapshot:
        put<qint16>(out, list.count().value());
        put<qint16>(out, list.current().value());
        for (int i = 1; i <= list.count().value(); ++i) {
            for (int f = 0; f < Recipe::FieldCount; ++f)
                putText(out, list.at(i).field(f));
        }
        break;
    case Edit:
        put<qint16>(out, index);
        put<quint8>(out, quint8(splices.size()));
        for (const Splice &splice : splices) {
            put<quint8>(out, quint8(splice.field));
            put<qint32>(out, splice.start);
            put<qint32>(out, splice.removed);
            putText(out, splice.text);
        }
        break;
    case Delete:
    case Current:
        put<qint16>(out, index);
        break;
    case Add:
        break;
    }
    qToLittleEndian<quint32>(quint32(out.size() - LengthSize - 1), out.data());
    put<quint32>(out, Checksum::crc32(out));
    return out;
}

bool JournalEntry::decode(QByteArrayView bytes, JournalEntry &entry, qsizetype &used)
{
    if (bytes.size() < LengthSize + 1 + ChecksumSize)
        return false;
    const quint32 length = qFromLittleEndian<quint32>(bytes.data());
    if (quint64(bytes.size()) < quint64(LengthSize) + 1 + length + ChecksumSize)
        return false;
    const qsizetype end = LengthSize + 1 + qsizetype(length);
    if (Checksum::crc32(bytes.first(end)) != qFromLittleEndian<quint32>(bytes.data() + end))
        return false;

    entry = JournalEntry();
    entry.type = Type(quint8(bytes[LengthSize]));
    Reader in(bytes.sliced(LengthSize + 1, length));
    switch (entry.type) {
    case Saving:
        if (length == 0) { // written by a release that did not name the file being saved
            entry.identity = FileIdentity::unknown();
            break;
        }
        Q_FALLTHROUGH();
    case Base:
        entry.identity.size = in.get<qint64>();
        entry.identity.crc = in.get<quint32>();
        if (entry.type == Base && !in.atEnd())
            entry.host = in.text();
        break;
    case Snapshot: {
        const qint16 count = in.get<qint16>();
        const qint16 current = in.get<qint16>();
        if (count < 0 || !RecipeList::isValidCurrent(count, current))
            return false;
        entry.list.sizeForLoading(count, current);
        for (int i = 1; i <= count && !in.failed(); ++i) {
            for (int f = 0; f < Recipe::FieldCount; ++f)
                entry.list.at(i).field(f) = in.text();
        }
        break;
    }
    case Edit: {
        entry.index = in.get<qint16>();
        const int count = in.get<quint8>();
        for (int i = 0; i < count && !in.failed(); ++i) {
            Splice splice;
            splice.field = in.get<quint8>();
            splice.start = in.get<qint32>();
            splice.removed = in.get<qint32>();
            splice.text = in.text();
            if (splice.field >= Recipe::FieldCount)
                return false;
            entry.splices.append(std::move(splice));
        }
        break;
    }
    case Delete:
    case Current:
        entry.index = in.get<qint16>();
        break;
    case Add:
        break;
    default:
        return false;
    }
    if (!in.done())
        return false;
    used = end + ChecksumSize;
    return true;
}

bool operator==(const JournalEntry &a, const JournalEntry &b)
{
    if (a.type != b.type || a.index != b.index || a.splices != b.splices || a.identity != b.identity || a.host != b.host
        || a.list.count() != b.list.count() || a.list.current() != b.list.current())
        return false;
    for (int i = 1; i <= a.list.count().value(); ++i) {
        if (a.list.at(i) != b.list.at(i))
            return false;
    }
    return true;
}
