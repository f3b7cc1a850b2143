#pragma once
// The Windows private profile files ("C:\Standards.ini", the line-type files):
// text files of "[section]" headers and "key=value" lines, read and written
// with the meanings of GetPrivateProfileSectionNamesW, GetPrivateProfileStringW,
// GetPrivateProfileIntW and WritePrivateProfileStringW, without their fixed
// buffer sizes:
// - section names and keys are found without regard to letter case, and the
//   first section (and, within it, the first key) of a name wins;
// - names and values are trimmed of white space; a value enclosed in a pair
//   of matching quotes (" or ') is read without them;
// - lines before the first header and lines without '=' hold no value.
// Paths are model paths, turned into local ones with platform::localPath, so
// "C:\Standards.ini" lives in the user's configuration folder. Files are read
// in the encoding they say they are in (platform::decodeText: Windows-1252,
// UTF-8, UTF-16) and written back in it; a narrow file that cannot hold a new
// value becomes UTF-8 with its mark. A file is parsed once and kept while it
// stays unchanged, so many lookups in a large file are cheap.
#include <QString>
#include <QStringList>

namespace platform {

// Every section name of the file in file order, each name once (the first
// spelling); empty when the file cannot be read.
QStringList getPrivateProfileSectionNames(const QString& path);

// The value of key in section, or defaultValue when the file, the section or
// the key is missing or the key's line has no '='.
QString getPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                const QString& path);

// The value read as an integer: an optional sign, then decimal digits or
// "0x" and hexadecimal digits, up to the first other character ("55zz" reads
// 55, "abc" reads 0). defaultValue when the value is missing or empty.
int getPrivateProfileInt(const QString& section, const QString& key, int defaultValue, const QString& path);

// Sets key in section to value: the first matching key line is replaced, a
// new key goes after the section's last entry, a new section is appended to
// the file. Creates the file (and its folder) when needed. False when the
// file could not be written; the old file is then unchanged.
[[nodiscard]] bool writePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path);

} // namespace platform
