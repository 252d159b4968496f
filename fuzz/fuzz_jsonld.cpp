// Feeds arbitrary bytes to the JSON-LD reader, documents and web pages alike: no crash and no hang, and what it reads
// exports and reads back (see fuzz_formats.h).
#include "fuzz_formats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzFormats::check(data, size, RecipeFormat::JsonLd);
}
