// The DXF import's bulk insertion against making each element as an
// interactive creation does: on generated drawings whose points coincide,
// nearly coincide (within and beyond the merge tolerance) and stand apart,
// both give the same nodes, elements and coordinates, so the same file.
#include "document/DxfSectionSink.h"

#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "exchange/dxf/DxfReader.h"
#include "section/Section.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace {

// A drawing of lines, arcs, circles and bulged polylines whose points lie
// on a coarse grid, moved by up to 5 µm: some merge, some do not.
QByteArray GeneratedDxf(unsigned seed, int figures)
{
    std::mt19937 random(seed);
    auto coordinate = [&] {
        const int grid = static_cast<int>(random() % 12) * 5;
        const int jitter = static_cast<int>(random() % 11) - 5; // micrometres
        const int micrometres = grid * 1000 + jitter;
        char text[32];
        std::snprintf(text, sizeof text, "%s%d.%03d", micrometres < 0 ? "-" : "", std::abs(micrometres) / 1000,
                      std::abs(micrometres) % 1000);
        return QByteArray(text);
    };
    QByteArray out = "  0\nSECTION\n  2\nENTITIES\n";
    auto pair = [&](const char* code, const QByteArray& value) { out += QByteArray(code) + "\n" + value + "\n"; };
    for (int i = 0; i < figures; ++i) {
        switch (random() % 4) {
        case 0:
            pair("  0", "LINE");
            pair("  8", i % 3 ? "CUT" : "INK");
            for (const char* code : {" 10", " 20", " 11", " 21"})
                pair(code, coordinate());
            break;
        case 1:
        case 2:
            pair("  0", random() % 2 ? "ARC" : "CIRCLE");
            pair("  8", "CUT");
            pair(" 10", coordinate());
            pair(" 20", coordinate());
            pair(" 40", QByteArray::number(1 + random() % 9));
            pair(" 50", QByteArray::number(random() % 360));
            pair(" 51", QByteArray::number(random() % 360));
            break;
        default:
            pair("  0", "LWPOLYLINE");
            pair("  8", "CUT");
            pair(" 70", random() % 2 ? "1" : "0");
            for (int v = 0; v < 4; ++v) {
                pair(" 10", coordinate());
                pair(" 20", coordinate());
                if (v == 1)
                    pair(" 42", "0.5");
            }
        }
    }
    out += "  0\nENDSEC\n  0\nEOF\n";
    return out;
}

QByteArray Imported(const QByteArray& dxf, bool bulk, int* elements, int* bridges)
{
    DxfReader reader;
    EXPECT_TRUE(reader.Read(dxf)) << reader.Error().toStdString();
    CMorvekDoc doc;
    Section& section = *doc.GetCurrentSection();
    DxfSectionSink sink(section, reader, bulk);
    EXPECT_TRUE(reader.ImportDrawing(true, {}, false, sink)) << reader.Error().toStdString();
    *elements = 0;
    *bridges = 0;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next()) {
        ++*elements;
        *bridges += it.Get()->GetBridges().Count();
    }
    return doc.WriteFile();
}

} // namespace

TEST(DxfSectionSink, BulkInsertionMakesWhatOneAtATimeMakes)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const QByteArray dxf = GeneratedDxf(seed, 40 + static_cast<int>(seed) * 25);
        int bulkElements = 0, oneElements = 0, bulkBridges = 0, oneBridges = 0;
        const QByteArray bulk = Imported(dxf, true, &bulkElements, &bulkBridges);
        const QByteArray one = Imported(dxf, false, &oneElements, &oneBridges);
        EXPECT_GT(bulkElements, 40) << seed;
        EXPECT_EQ(bulkElements, oneElements) << seed;
        EXPECT_EQ(bulkBridges, 0) << seed; // the file gives none
        EXPECT_EQ(bulk, one) << "seed " << seed;
    }
}
