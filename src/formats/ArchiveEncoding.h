#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The encodings of the text archives other recipe programs wrote (Meal-Master, MasterCook): the
// DOS code page 437 of the programs themselves, Windows-1252 of their later Windows versions and
// of mailing lists, and UTF-8 of today's programs.
//
// Reading, the rule is: a file that is valid UTF-8 is UTF-8 (a byte-order mark is skipped);
// otherwise it is whichever of CP437 and Windows-1252 makes more of its bytes above 127 into
// letters of words (beside an ASCII letter, and not straight after a digit) or into the cook's
// signs ° ½ ¼ ¾, and Windows-1252 when both make as many.
namespace ArchiveEncoding {

enum Encoding { Automatic, Cp437, Windows1252, Utf8 };

// "cp437", "windows-1252" and "utf-8", with their usual aliases; false for any other name.
bool fromName(const QString &name, Encoding *encoding);
QString name(Encoding encoding);

// The encoding the rule above picks for the bytes.
Encoding detect(QByteArrayView bytes);

// The text of the bytes in the encoding (Automatic: the one detect() picks). Bytes that are not
// UTF-8 in a file read as UTF-8 become U+FFFD.
QString decode(QByteArrayView bytes, Encoding encoding);

// The index of the first character of the text that the encoding cannot hold, or -1.
qsizetype unencodable(QStringView text, Encoding encoding);

// Appends the text in a named encoding; false, with nothing appended, when it cannot hold a
// character of it.
bool append(QByteArray &out, QStringView text, Encoding encoding);

} // namespace ArchiveEncoding
