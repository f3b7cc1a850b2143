#pragma once
// A sink that keeps what an insertion made, as text rows that a test
// compares whole ("L x1 y1 x2 y2 type", "A cx cy sx sy ex ey type",
// "T x y height angle advance text type"), numbers rounded to 1e-6.
#include "exchange/dxf/DxfReader.h"
#include "exchange/dxf/DxfSink.h"

#include <QStringList>

#include <cmath>

namespace dxftest {

inline QString Num(double v)
{
    const double r = std::round(v * 1e6) / 1e6;
    return QString::number(r == 0.0 ? 0.0 : r, 'g', 12);
}

class RecordingSink : public DxfSink {
public:
    void AddLine(const die::coord& a, const die::coord& b, int lineType) override
    {
        rows << QStringLiteral("L %1 %2 %3 %4 %5").arg(Num(a.x), Num(a.y), Num(b.x), Num(b.y)).arg(lineType);
    }
    void AddArc(const die::coord& c, const die::coord& s, const die::coord& e, int lineType) override
    {
        rows << QStringLiteral("A %1 %2 %3 %4 %5 %6 %7")
                    .arg(Num(c.x), Num(c.y), Num(s.x), Num(s.y), Num(e.x), Num(e.y))
                    .arg(lineType);
    }
    void AddEllipse(const die::coord& c, const die::coord& major, const die::coord& minor, const die::coord& s,
                    const die::coord& e, int lineType) override
    {
        rows << QStringLiteral("E %1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11")
                    .arg(Num(c.x), Num(c.y), Num(major.x), Num(major.y), Num(minor.x), Num(minor.y), Num(s.x), Num(s.y),
                         Num(e.x))
                    .arg(Num(e.y))
                    .arg(lineType);
    }
    void AddText(const die::coord& at, double height, double angle, double advance, const QString& text,
                 int lineType) override
    {
        rows << QStringLiteral("T %1 %2 %3 %4 %5 %6 %7")
                    .arg(Num(at.x), Num(at.y), Num(height), Num(angle), Num(advance), text)
                    .arg(lineType);
    }
    QStringList rows;
};

// A sink that only counts, for expansions too large to record.
class CountingSink : public DxfSink {
public:
    void AddLine(const die::coord&, const die::coord&, int) override { ++count; }
    void AddArc(const die::coord&, const die::coord&, const die::coord&, int) override { ++count; }
    void AddEllipse(const die::coord&, const die::coord&, const die::coord&, const die::coord&, const die::coord&,
                    int) override
    {
        ++count;
    }
    void AddText(const die::coord&, double, double, double, const QString&, int) override { ++count; }
    long long count = 0;
};

inline QString Fixture(const char* name)
{
    return QStringLiteral(MORVEK_TEST_DATA_DIR "/dxf/") + QLatin1String(name);
}

// A DXF text from (code, value) pairs.
inline QByteArray Pairs(std::initializer_list<std::pair<int, const char*>> pairs)
{
    QByteArray out;
    for (const auto& [code, value] : pairs)
        out += QByteArray::number(code) + '\n' + value + '\n';
    return out;
}

} // namespace dxftest
