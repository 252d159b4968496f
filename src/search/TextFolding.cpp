#include "search/TextFolding.h"

#include <QList>

#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

bool isDiacriticalMark(char32_t c)
{
    return c >= 0x0300 && c <= 0x036F;
}

// The letter under the accents: follows canonical decompositions as long as they only add
// diacritical marks (or swap one character for another, as the Ångström sign does).
char32_t baseLetter(char32_t c)
{
    while (QChar::decompositionTag(c) == QChar::Canonical) {
        const QString parts = QChar::decomposition(c);
        const QList<uint> units = parts.toUcs4();
        if (units.isEmpty())
            break;
        bool onlyMarksAfter = true;
        for (qsizetype i = 1; i < units.size(); ++i)
            onlyMarksAfter = onlyMarksAfter && isDiacriticalMark(units[i]);
        if (!onlyMarksAfter)
            break;
        c = units.first();
    }
    return c;
}

// The next position from `p` whose character may fold to the ASCII character whose two cases are
// `lower` and `upper`: one of those, or any character outside ASCII (the table decides those).
// Stops short of the end when fewer than eight characters are left; the caller checks them.
const char16_t *nextCandidate(const char16_t *p, const char16_t *end, char16_t lower, char16_t upper)
{
#ifdef __SSE2__
    const __m128i lowerCase = _mm_set1_epi16(short(lower));
    const __m128i upperCase = _mm_set1_epi16(short(upper));
    const __m128i nonAscii = _mm_set1_epi16(short(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    for (; end - p >= 8; p += 8) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(chars, nonAscii), zero);
        const __m128i cases = _mm_or_si128(_mm_cmpeq_epi16(chars, lowerCase), _mm_cmpeq_epi16(chars, upperCase));
        const int mask = _mm_movemask_epi8(_mm_or_si128(cases, _mm_andnot_si128(ascii, _mm_cmpeq_epi16(zero, zero))));
        if (mask)
            return p + __builtin_ctz(unsigned(mask)) / 2;
    }
#else
    Q_UNUSED(end);
    Q_UNUSED(lower);
    Q_UNUSED(upper);
#endif
    return p;
}

// The folded form of each UTF-16 code unit, or 0 for a mark that the comparison skips.
const char16_t *table()
{
    static const std::unique_ptr<char16_t[]> folds = [] {
        auto t = std::make_unique<char16_t[]>(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (isDiacriticalMark(c)) {
                t[c] = 0;
                continue;
            }
            if (QChar::isSurrogate(c)) {
                t[c] = char16_t(c);
                continue;
            }
            const char32_t folded = QChar::toCaseFolded(baseLetter(c));
            t[c] = folded < 0x10000 ? char16_t(folded) : char16_t(c);
        }
        return t;
    }();
    return folds.get();
}

} // namespace

QString TextFolding::folded(QStringView text)
{
    const char16_t *t = table();
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (const char16_t f = t[c.unicode()])
            result.append(QChar(f));
    }
    return result;
}

bool TextFolding::contains(QStringView text, QStringView foldedNeedle)
{
    const char16_t *t = table();
    const auto *p = reinterpret_cast<const char16_t *>(text.data());
    const auto *end = p + text.size();
    const auto *needle = reinterpret_cast<const char16_t *>(foldedNeedle.data());
    const qsizetype length = foldedNeedle.size();
    const char16_t first = needle[0];
    // Most searches start with an ASCII letter: skip eight characters at a time to the next
    // place that can match it.
    const bool asciiFirst = first < 0x80;
    const char16_t upper = asciiFirst ? char16_t(QChar::toUpper(first)) : first;
    for (; p < end; ++p) {
        if (asciiFirst) {
            p = nextCandidate(p, end, first, upper);
            if (p == end)
                break;
        }
        if (t[*p] != first)
            continue;
        const char16_t *q = p + 1;
        qsizetype matched = 1;
        while (matched < length && q < end) {
            const char16_t c = t[*q++];
            if (c == 0)
                continue; // a mark between letters does not break the run
            if (c != needle[matched])
                break;
            ++matched;
        }
        if (matched == length)
            return true;
    }
    return false;
}
