#pragma once

#include <QString>
#include <QStringView>

// The texts recipe pages publish in their JSON-LD, which are often bits of HTML: "Salt &amp;
// pepper", "<p>Stir.</p><p>Serve.</p>", padded with blanks and line ends.
namespace HtmlText {

// The text with its character references decoded: the named ones HtmlEntities knows and the
// numeric ones ("&#189;", "&#xBD;"), each with its semicolon. Anything else stays as it is.
QString decodeEntities(QStringView text);

// What a page means by a string: its tags and comments removed (<br> and the end of a paragraph,
// list item or other block as a line end), its line ends as CR LF, the blanks at both ends
// trimmed, and then its character references decoded.
QString toPlainText(QStringView raw);

// The string toPlainText() turns into exactly this text: an '&' that would begin a reference is
// written "&amp;", a '<' that would begin a tag "&lt;", a lone CR or LF and the blanks at either
// end as numeric references, and CR LF as LF.
QString escape(QStringView text);

} // namespace HtmlText
