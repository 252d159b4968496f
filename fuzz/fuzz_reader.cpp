// Feeds arbitrary bytes to the recipe file reader. After every input the list must keep its
// invariants, and saving it and reading the result again must give the same list, apart from
// straight double quotes, which are saved as typographic ones.
#include "core/RuntimeError.h"
#include "store/RecipeList.h"
#include "store/RecipeReader.h"
#include "store/RecipeWriter.h"

#include <QBuffer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_reader: %s\n", what);
    std::abort();
}

QByteArray saved(const RecipeList &list)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!RecipeWriter::write(list, out))
        fail("writing to memory failed");
    return out.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    RecipeList list;
    try {
        RecipeReader::read(in, list);
    } catch (const RuntimeError &) {
        // Errors are expected for most inputs; what was read must still be a sound list.
    }
    if (!list.invariantsHold())
        fail("invariants broken after reading");
    // Thousands of empty recipes from a large count say nothing new and slow the fuzzer down.
    if (list.count().value() > 1000)
        return 0;

    const QByteArray first = saved(list);
    QByteArray copy = first;
    QBuffer again(&copy);
    again.open(QIODevice::ReadOnly);
    RecipeList reread;
    try {
        RecipeReader::read(again, reread);
    } catch (const RuntimeError &error) {
        std::fprintf(stderr, "error %d %s\n", error.number(), error.what());
        fail("a saved file did not load");
    }
    if (reread.count() != list.count() || reread.current() != list.current())
        fail("header changed by save and load");
    for (int i = 1; i <= list.count().value(); ++i) {
        for (int f = 0; f < Recipe::FieldCount; ++f) {
            if (reread.at(i).field(f) != RecipeWriter::withTypographicQuotes(list.at(i).field(f)))
                fail("field changed by save and load");
        }
    }
    if (saved(reread) != first)
        fail("saving the reloaded list gave other bytes");
    return 0;
}
