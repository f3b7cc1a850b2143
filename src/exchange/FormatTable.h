#pragma once
// The one place that knows the file formats a drawing can be opened from:
// each format's name, its file suffixes and a test of its content. Opening,
// importing and merging ask the table which format a file is; the document
// keeps one loader per format (CMorvekDoc's table, DocumentFile.cpp).
// Adding a format is a row here, its folder under exchange/ and its loader.
#include <QByteArrayView>
#include <QString>

#include <span>

namespace exchange {

enum class FormatId {
    Native,   // the drawing file (".n")
    Standard, // an extended standard (".nst")
    Dxf,
    Cf2,
    Dd3,
    Hpgl,
    OldText,  // the older ']'-separated text layout
};

// How sure a content test is that the bytes are of its format.
enum class Sniff {
    No,
    Maybe, // nothing speaks against it (taken after the suffixes)
    Yes,   // the file's own signature (taken before the suffixes)
};

struct Format {
    FormatId id;
    const char* name;
    std::span<const char* const> suffixes; // lower case, without the dot
    Sniff (*sniff)(QByteArrayView head);
};

// Every format, in the order they are tried.
std::span<const Format> Formats();

// The format of a file: the first other program's format whose content test
// is sure of it, else the first whose suffix the name ends in (any letter
// case), else the program's own file by its tag, else the first whose
// content test finds nothing against it, else the older text layout (whose
// reader says why it cannot read the file). So a drawing named ".dxf" is
// read as DXF and refused as one, as the name promises.
const Format& FormatOf(const QString& fileName, QByteArrayView bytes);

// The content tests, for the readers' own tests.
Sniff SniffDxf(QByteArrayView head);
Sniff SniffHpgl(QByteArrayView head);

} // namespace exchange
