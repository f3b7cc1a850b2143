#include "exchange/export/hpgl/HpglWriter.h"

#include "exchange/export/ExportPreparer.h"
#include "geometry/Angle.h"
#include "geometry/GeomConstants.h"
#include "platform/CFormat.h"

#include <algorithm>
#include <cmath>

namespace Export {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kCellWidth = 1.5; // an HP-GL character cell in character widths

// Millimetres as plotter units, rounded.
long long Units(double mm)
{
    const double v = std::floor(mm * 40.0 + 0.5);
    return std::isfinite(v) ? static_cast<long long>(std::clamp(v, -9.0e18, 9.0e18)) : 0;
}

class HpglPen {
public:
    HpglPen(QString& out, bool vcut) : out_(out), vcut_(vcut) {}

    void Primitive(const ExportPrimitive& p)
    {
        if (!hasPen_ || pen_ != p.line_type) {
            out_ += platform::cformat("SP%d;PU;", p.line_type);
            hasPen_ = true;
            pen_ = p.line_type;
            down_ = false;
        }
        switch (p.kind) {
        case ExportPrimitive::Line:
            Line(p);
            break;
        case ExportPrimitive::Arc:
            Arc(p);
            break;
        case ExportPrimitive::Text:
            Text(p);
            break;
        default:
            break;
        }
    }

    void Finish()
    {
        if (down_)
            out_ += QStringLiteral("PU;");
    }

private:
    void Point(const char* command, const die::coord& p) { out_ += platform::cformat(command, Units(p.x), Units(p.y)); }

    void MoveTo(const die::coord& s)
    {
        if (hasCurrent_ && (current_ - s).Length() <= 0.01)
            return;
        Up();
        Point("PA%d,%d;", s);
    }
    void Up()
    {
        if (down_)
            out_ += QStringLiteral("PU;");
        down_ = false;
    }
    void Down()
    {
        if (!down_)
            out_ += QStringLiteral("PD;");
        down_ = true;
    }

    void Line(const ExportPrimitive& p)
    {
        const die::coord& s = p.Start();
        const die::coord& e = p.End();
        MoveTo(s);
        Down();
        Point("PA%d,%d;\n", e);
        if (vcut_ && p.line_type == 2) {
            Point("PA%d,%d;\n", s);
            Up();
            Point("PA%d,%d;\n", e);
        }
        SetCurrent(e);
    }

    void Arc(const ExportPrimitive& p)
    {
        const double b = Angle().FromVector(p.B - p.A).Radians();
        const double c = Angle().FromVector(p.C - p.A).Radians();
        double sweep = b == c ? Geom::kTwoPi : Angle::Normalize(c - b);
        const die::coord& start = p.reverse ? p.C : p.B;
        if (p.reverse)
            sweep = -sweep;
        MoveTo(start);
        Down();
        out_ += platform::cformat("AA%d,%d,%f;\n", Units(p.A.x), Units(p.A.y), sweep * kDegreesPerRadian);
        SetCurrent(p.reverse ? p.B : p.C);
    }

    // A label: SI in centimetres, the character width being two thirds of
    // the advance (HP-GL's cell is one and a half widths wide); the text
    // runs to ETX, so it may hold any character but the control ones.
    void Text(const ExportPrimitive& p)
    {
        MoveTo(p.A);
        QString label = p.text;
        label.removeIf([](QChar c) { return c.unicode() < 0x20; });
        out_ += platform::cformat("SI%.5f,%.5f;DI%.5f,%.5f;LB", p.C.x / kCellWidth / 10.0, p.C.y / 10.0, p.B.x, p.B.y);
        out_ += label;
        out_ += QStringLiteral("\x03PU;\n");
        hasCurrent_ = false;
        down_ = false;
    }

    void SetCurrent(const die::coord& p)
    {
        hasCurrent_ = true;
        current_ = p;
    }

    // Plain flags beside plain values: an optional here leaves GCC's
    // optimiser unsure whether the value was set.
    QString& out_;
    bool vcut_;
    bool hasPen_ = false;
    int pen_ = 0;
    bool down_ = false;
    bool hasCurrent_ = false;
    die::coord current_;
};

} // namespace

void WriteHpgl(ExportText& out, const ExportPreparer& job, bool vcut)
{
    HpglPen pen(out.text, vcut);
    for (const ExportBlock& block : job.Blocks()) {
        for (const ExportPrimitive& p : block.primitives)
            pen.Primitive(p);
    }
    pen.Finish();
}

} // namespace Export
