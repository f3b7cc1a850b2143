#pragma once
// The user's half of a settings file pair, as its readers and writers share
// it: how the file was found when it was read (its encoding, and whether
// every line made sense), and the save that honours that. A save writes the
// file in the encoding it was read in, leaves it alone when it already holds
// the new text, and never overwrites a file that was not understood without
// keeping the old one beside it.
#include "platform/TextFile.h"

#include <QString>
#include <QStringView>

namespace settings {

struct FileOrigin {
    platform::TextEncoding encoding = platform::TextEncoding::Windows1252;
    // False when a line was not understood: rewriting the file would lose it.
    bool understood = true;
};

// Settings lines are short; a longer line is damage, and is not read.
inline constexpr qsizetype kMaxLineLength = 64 * 1024;

// True when a line can be settings text at all: not longer than
// kMaxLineLength and free of control characters other than the tab.
bool IsTextLine(QStringView line);

// The name beside `localPath` under which a damaged file is kept:
// "<name>.damaged", or "<name>.damaged-2", -3... when that is taken.
QString DamagedCopyName(const QString& localPath);

// Replaces the file at `localPath` with `text`, in the encoding of `origin`
// (or UTF-8 with its mark when that cannot hold the text). Nothing is written
// when the file holds those bytes already, or is absent and the text empty.
// A file that was not understood is first kept under DamagedCopyName and the
// user is told so, once: `origin` then counts as understood. False, with the
// file and the reason in *error when given, when the file (or the copy)
// could not be written; the old file is then unchanged.
[[nodiscard]] bool WriteUserFile(const QString& localPath, const QString& text, FileOrigin& origin,
                                 QString* error = nullptr);

} // namespace settings
