// Feeds arbitrary records to the journal reader. The input is cut into records (a type byte, a
// two-byte length, that many bytes of contents), each framed with its right length and checksum, so
// that the reader gets past the checksums to the contents. Every change it reads must fit a list or
// be refused whole, the list must keep its invariants, a record read back and written again must
// read the same, and a byte changed anywhere must end the journal before the record that holds it.
#include "store/Checksum.h"
#include "store/RecipeList.h"
#include "store/journal/JournalEntry.h"
#include "store/journal/JournalFile.h"

#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_journal: %s\n", what);
    std::abort();
}

QByteArray framed(QByteArrayView input)
{
    QByteArray journal = JournalFile::signature();
    while (input.size() >= 3) {
        const char type = input[0];
        const qsizetype length = qMin<qsizetype>(qFromLittleEndian<quint16>(input.data() + 1), input.size() - 3);
        QByteArray record(4, '\0');
        qToLittleEndian<quint32>(quint32(length), record.data());
        record += type;
        record += input.sliced(3, length);
        const quint32 crc = qToLittleEndian(Checksum::crc32(record));
        record.append(reinterpret_cast<const char *>(&crc), 4);
        journal += record;
        input = input.sliced(3 + length);
    }
    return journal;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray journal = framed(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    const JournalFile::Contents contents = JournalFile::parse(journal);
    if (contents.length > journal.size() || (contents.readable && contents.length < JournalFile::signature().size()))
        fail("the length of the whole records is wrong");
    for (const JournalEntry &entry : contents.entries) {
        JournalEntry again;
        qsizetype used = 0;
        const QByteArray bytes = entry.encoded();
        if (!JournalEntry::decode(bytes, again, used) || used != bytes.size() || !(again == entry))
            fail("a record written again reads differently");
    }
    // A byte changed anywhere in what was read ends the journal before the record that holds it.
    QByteArray damaged = journal;
    const qsizetype at = journal.size() - 1 - (size > 0 ? data[size - 1] : 0) % journal.size();
    damaged[at] = char(damaged[at] ^ 0x01);
    const JournalFile::Contents cut = JournalFile::parse(damaged);
    const bool prefix = cut.entries.size() <= contents.entries.size()
        && std::equal(cut.entries.begin(), cut.entries.end(), contents.entries.begin());
    if (!prefix || (at < contents.length && cut.length > at))
        fail("a damaged record was read");
    RecipeList list;
    for (int i = 1; i <= 3; ++i) {
        list.appendEmpty();
        list.at(i).name = QStringLiteral("Recipe %1").arg(i);
    }
    JournalFile::replay(QList<JournalEntry>(contents.entries), list);
    if (!list.invariantsHold())
        fail("invariants broken after replaying");
    return 0;
}
