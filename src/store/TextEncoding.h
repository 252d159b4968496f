#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The two encodings a recipe file may use: Windows-1252, the code page of the platform the file
// format comes from, and UTF-8 for texts that Windows-1252 cannot hold. The Windows-1252 table
// maps its five unassigned bytes to the C1 controls of the same value, as Windows does, so every
// byte decodes and encodes back to itself.
namespace TextEncoding {

enum Encoding { Windows1252, Utf8 };

bool isAscii(QByteArrayView bytes);
bool isValidUtf8(QByteArrayView bytes);

// For Utf8 the bytes must be valid UTF-8.
QString decode(QByteArrayView bytes, Encoding encoding);
QString decodeWindows1252(QByteArrayView bytes);
// Valid UTF-8 only; a leading U+FEFF is kept as a character.
QString decodeUtf8(QByteArrayView bytes);

// The Windows-1252 byte for a character, or -1 when the code page has none.
int windows1252Byte(char16_t ch);

} // namespace TextEncoding
