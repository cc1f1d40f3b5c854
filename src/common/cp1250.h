#pragma once
// Code page 1250 at the byte boundary: fixed NUL-terminated fields and 8-bit text lines.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string_view>

namespace korvanta::common {

// Encodes a text in code page 1250; a character the code page lacks becomes '?'.
QByteArray toCp1250(const QString& text);
// Decodes code page 1250 bytes; a byte the code page does not define becomes U+FFFD.
QString fromCp1250(const QByteArray& bytes);
// The same for bytes in place; plain ASCII, the usual case, skips the converter.
QString fromCp1250(std::string_view bytes);

// Writes a text into a fixed field of `size` bytes: encoded, cut so that the field still ends in
// NUL, the rest of the field zero-filled.
void writeFixedText(unsigned char* field, std::size_t size, const QString& text);
// Reads a NUL-terminated text from a fixed field; a field without a NUL is read to its end.
QString readFixedText(const unsigned char* field, std::size_t size);

} // namespace korvanta::common
