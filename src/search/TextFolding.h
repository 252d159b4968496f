#pragma once

#include <QString>
#include <QStringView>

// How the search compares text: letter case is ignored (Unicode simple case folding) and so are
// accents, that is the combining diacritical marks U+0300 to U+036F, whether they are written as
// separate characters or as part of an accented letter ("Crème Brûlée" compares as "creme brulee").
// Nothing else is folded: "œ" stays "œ", "ß" stays "ß", and other scripts' marks (such as the
// Japanese voicing marks) keep their meaning.
namespace TextFolding {

QString folded(QStringView text);

// True when `foldedNeedle` (already folded, not empty) occurs in `text` as one run of
// characters once both are folded.
bool contains(QStringView text, QStringView foldedNeedle);

} // namespace TextFolding
