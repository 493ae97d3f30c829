#pragma once
// The edge between the program's 8-bit texts (dictionaries, wire payloads, in the Windows
// Latin-1 code page cp1252) and Qt's Unicode strings. Qt has no cp1252 codec: the block
// 0x80..0x9F differs from Latin-1 and needs a table.

#include <QString>

#include <string>

// Every byte becomes its character; the five bytes cp1252 leaves undefined map to the C1
// control characters of the same value, so no byte is lost.
QString FromCp1252(const std::string& bytes);

// Every character becomes its cp1252 byte; characters cp1252 cannot write become '?'.
std::string ToCp1252(const QString& text);
