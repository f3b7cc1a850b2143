#include "exchange/FormatTable.h"

#include "exchange/native/NativeDrawing.h"

#include <QFileInfo>

#include <array>

namespace exchange {

namespace {

// The first bytes looked at by the content tests.
constexpr qsizetype kHead = 4096;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArrayView SkipBlanks(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && IsBlank(bytes[i]))
        ++i;
    return bytes.sliced(i);
}

// The line at the start of the bytes, without blanks around it.
QByteArrayView FirstLine(QByteArrayView bytes)
{
    bytes = SkipBlanks(bytes);
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
        ++end;
    QByteArrayView line = bytes.first(end);
    while (!line.isEmpty() && IsBlank(line.back()))
        line.chop(1);
    return line;
}

QByteArrayView AfterFirstLine(QByteArrayView bytes)
{
    bytes = SkipBlanks(bytes);
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\n')
        ++end;
    return end < bytes.size() ? bytes.sliced(end + 1) : QByteArrayView();
}

Sniff SniffNative(QByteArrayView head)
{
    return native::ReadTag(head) == native::kDrawingTag ? Sniff::Yes : Sniff::No;
}

Sniff SniffStandard(QByteArrayView head)
{
    return native::ReadTag(head) == native::kStandardTag ? Sniff::Yes : Sniff::No;
}

Sniff SniffCf2(QByteArrayView head)
{
    return FirstLine(head) == QByteArrayView("$BOF") ? Sniff::Yes : Sniff::No;
}

Sniff SniffDd3(QByteArrayView head)
{
    return FirstLine(head).startsWith(QByteArrayView("DDES")) ? Sniff::Yes : Sniff::No;
}

Sniff SniffOldText(QByteArrayView head)
{
    return head.startsWith(QByteArrayView("D]")) ? Sniff::Yes : Sniff::No;
}

constexpr std::array<const char*, 1> kDxfSuffixes{"dxf"};
constexpr std::array<const char*, 1> kCf2Suffixes{"cf2"};
constexpr std::array<const char*, 1> kDd3Suffixes{"dd3"};
constexpr std::array<const char*, 4> kHpglSuffixes{"plt", "hp", "hpg", "hpgl"};

const std::array<Format, 7> kFormats{{
    // The program's own files are known by their tag alone: a ".n" file
    // without it is taken for the older text layout, as it always was.
    {FormatId::Native, "drawing", {}, &SniffNative},
    {FormatId::Standard, "extended standard", {}, &SniffStandard},
    {FormatId::Dxf, "DXF", kDxfSuffixes, &SniffDxf},
    {FormatId::Cf2, "CF2", kCf2Suffixes, &SniffCf2},
    {FormatId::Dd3, "DDES3", kDd3Suffixes, &SniffDd3},
    {FormatId::Hpgl, "HP-GL", kHpglSuffixes, &SniffHpgl},
    {FormatId::OldText, "older text layout", {}, &SniffOldText},
}};

} // namespace

std::span<const Format> Formats()
{
    return kFormats;
}

Sniff SniffDxf(QByteArrayView head)
{
    const QByteArrayView first = FirstLine(head);
    if (first.startsWith(QByteArrayView("AutoCAD Binary DXF")))
        return Sniff::Yes;
    // "0" then "SECTION", or a "999" comment first.
    if (first == QByteArrayView("999"))
        return Sniff::Yes;
    if (first == QByteArrayView("0") && FirstLine(AfterFirstLine(head)) == QByteArrayView("SECTION"))
        return Sniff::Yes;
    return Sniff::No;
}

Sniff SniffHpgl(QByteArrayView head)
{
    // Printer-language wrappers (ESC sequences, PJL lines) around it, or one
    // of the commands a plot starts with.
    const QByteArrayView start = SkipBlanks(head);
    if (start.startsWith('\x1b'))
        return Sniff::Maybe;
    if (start.size() < 2)
        return Sniff::No;
    static constexpr const char* kOpening[] = {"IN", "DF", "SP", "PU", "PD", "PA", "PR", "IP", "SC", "BP", "PS",
                                               "RO", "VS", "LT", "PG", "CO", "SI", "SR", "LB", "DT", "EA", "CI"};
    const QByteArray two = start.first(2).toByteArray().toUpper();
    for (const char* c : kOpening) {
        if (two == c)
            return Sniff::Maybe;
    }
    return Sniff::No;
}

const Format& FormatOf(const QString& fileName, QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(std::min(bytes.size(), kHead));
    const auto own = [](const Format& f) { return f.id == FormatId::Native || f.id == FormatId::Standard; };
    for (const Format& f : kFormats) {
        if (!own(f) && f.sniff(head) == Sniff::Yes)
            return f;
    }
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const Format& f : kFormats) {
        for (const char* s : f.suffixes) {
            if (suffix == QLatin1String(s))
                return f;
        }
    }
    for (const Format& f : kFormats) {
        if (f.sniff(head) == Sniff::Yes)
            return f;
    }
    for (const Format& f : kFormats) {
        if (f.sniff(head) == Sniff::Maybe)
            return f;
    }
    return kFormats.back();
}

} // namespace exchange
