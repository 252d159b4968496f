#pragma once

#include <QStringView>

// The named character references of HTML that recipe pages and old recipe files use: HTML 4's
// whole set (accented letters, typographic quotes and dashes, ½ ¼ ¾, °), and HTML5's vulgar
// fractions and the ASCII punctuation it names.
namespace HtmlEntities {

// The character a name (without & and ;) stands for, or 0 when it names none. Names are
// case-sensitive, as in HTML.
char32_t lookup(QStringView name);

} // namespace HtmlEntities
