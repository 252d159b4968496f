#include "TextFolding.h"

#include <QList>

#include <memory>

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

} // namespace

const char16_t *TextFolding::table()
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
    for (; p < end; ++p) {
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
