#include "exchange/hpgl/HpglReader.h"

#include "platform/CFormat.h"
#include "platform/TextFile.h"

namespace hpgl {
namespace {

// The plotter's state while the commands are read.
struct Plotter {
    bool down = false;
    int32_t x = 0; // plotter units
    int32_t y = 0;
    std::optional<int32_t> pen;
};

die::coord Millimetres(int32_t x, int32_t y)
{
    return {x / kUnitsPerMm, y / kUnitsPerMm};
}

// The parameters of a command: its text after the mnemonic cut at commas,
// each trimmed, empty ones skipped.
std::vector<QStringView> ParametersOf(QStringView rest)
{
    std::vector<QStringView> out;
    for (QStringView piece : rest.tokenize(u',')) {
        piece = piece.trimmed();
        if (!piece.isEmpty())
            out.push_back(piece);
    }
    return out;
}

} // namespace

bool HpglReader::Read(QByteArrayView bytes, std::vector<Line>& lines, QString* error)
{
    lines.clear();
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
        bytes = bytes.first(zero);
    const platform::TextLines text(platform::decodeText(bytes, platform::TextEncoding::Windows1252),
                                   platform::TextEncoding::Windows1252);
    Plotter plotter;
    for (QStringView line : text) {
        for (QStringView command : line.tokenize(u';', Qt::SkipEmptyParts)) {
            command = command.trimmed();
            if (command.size() < 2)
                continue;
            const QStringView mnemonic = command.first(2);
            if (mnemonic == u"PU") {
                plotter.down = false;
            } else if (mnemonic == u"PD") {
                plotter.down = true;
            } else if (mnemonic == u"SP") {
                const std::vector<QStringView> p = ParametersOf(command.sliced(2));
                plotter.pen = p.empty() ? 0 : platform::wtoi(p.front()); // "SP;" puts the pen away: pen 0
            } else if (mnemonic == u"PA") {
                const std::vector<QStringView> p = ParametersOf(command.sliced(2));
                for (size_t i = 0; i + 1 < p.size(); i += 2) { // an unpaired last value moves nowhere
                    const int32_t x = platform::wtoi(p[i]);
                    const int32_t y = platform::wtoi(p[i + 1]);
                    if (plotter.down) {
                        if (static_cast<int64_t>(lines.size()) >= kMaxLines) {
                            if (error)
                                *error = QStringLiteral("the file draws more than %1 lines").arg(kMaxLines);
                            lines.clear();
                            return false;
                        }
                        lines.push_back({Millimetres(plotter.x, plotter.y), Millimetres(x, y), plotter.pen});
                    }
                    plotter.x = x;
                    plotter.y = y;
                }
            }
        }
    }
    return true;
}

} // namespace hpgl
