// Every drawing file kept as a test fixture, once saved, and a drawing whose
// rules carry none, one, a few and the most bridges, save back to the bytes
// they were read from: how the elements hold their bridges is no business
// of the file.
#include "document/MorvekDoc.h"

#include "element/Bridge.h"
#include "element/Element.h"
#include "section/Section.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// A drawing of a few layers of random lines and arcs, sharing nodes where
// their ends meet, with bridges by hand, by count and by rule, and a copy
// of a layer placed twice more.
void FillRandom(CMorvekDoc& doc, unsigned seed)
{
    std::mt19937 random(seed);
    auto number = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto grid = [&] { return pick(20) * 5.0; };
    for (int layer = 0; layer < 3; ++layer) {
        Section* s = layer == 0 ? doc.GetSection(0) : doc.AppendSection(QStringLiteral("L%1").arg(layer));
        ASSERT_NE(s, nullptr);
        if (layer == 2) {
            s->NewInstance(150.0, 0.0, 0.0);
            s->NewInstance(0.0, 120.0, 90.0);
        }
        for (int i = 0; i < 60; ++i) {
            const double x = grid(), y = grid();
            CElement* e = pick(3) == 0 ? s->AddArc3(x, y, x + grid() + 1.0, y, x, y + 7.5, true, 1 + pick(4)).Get()
                                       : s->AddLine3(x, y, grid(), grid(), true, 1 + pick(4)).Get();
            if (e == nullptr)
                continue; // a line of no length
            switch (pick(3)) {
            case 0: {
                std::vector<Bridge> bridges;
                for (int b = pick(5); b > 0; --b)
                    bridges.push_back(Bridge{0, number(0.0, 40.0), number(0.5, 3.0)});
                e->SetBridgeMode(BridgeMode::ByHand);
                e->SetBridges(bridges);
                break;
            }
            case 1: e->SetAutoBridges(pick(4), number(0.5, 2.0)); break;
            default: e->SetBridgeMode(BridgeMode::ByRule); break;
            }
            e->SetPtg(number(1.0, 4.0));
        }
    }
}

TEST(FixtureRoundTrip, EveryDrawingFixtureOnceSavedSavesToTheBytesItWasReadFrom)
{
    int files = 0;
    QDirIterator it(QStringLiteral(MORVEK_TEST_DATA_DIR), {QStringLiteral("*.n")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        CMorvekDoc doc;
        QString error;
        if (!doc.LoadFile(path, bytes, &error))
            continue; // a fixture of a damaged drawing; its refusal is tested where it is used
        ++files;
        // A save (with its cleanup), read and saved again, is the same.
        const QByteArray saved = doc.WriteFile();
        CMorvekDoc again;
        ASSERT_TRUE(again.LoadFile(path, saved, &error)) << error.toStdString();
        EXPECT_TRUE(again.WriteFile() == saved);
    }
    EXPECT_GT(files, 0);
}

TEST(FixtureRoundTrip, BridgesByHandOfEveryCountSaveAsRead)
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    for (const int count : {0, 1, 4, 5, BridgeList::MaxCount}) {
        auto line = s->AddLine3(0, count * 10.0, 1000, count * 10.0, true, 1);
        ASSERT_NE(line.Get(), nullptr);
        std::vector<Bridge> bridges;
        for (int i = 0; i < count; ++i)
            bridges.push_back(Bridge{i == 0 ? 555 : 0, 2.0 + i * 9.5, 1.5 + i * 0.01});
        line.Get()->SetBridgeMode(BridgeMode::ByHand);
        line.Get()->SetBridges(bridges);
        ASSERT_EQ(line.Get()->GetBridges().Count(), count);
    }
    const QByteArray written = doc.WriteFile();
    CMorvekDoc read;
    QString error;
    ASSERT_TRUE(read.LoadFile(QStringLiteral("bridges.n"), written, &error)) << error.toStdString();
    std::vector<int> counts;
    Section* r = read.GetSection(0);
    for (auto e = r->begin(); e.NotEqual(r->end()); e.Next())
        counts.push_back(e.Get()->GetBridges().Count());
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 4, 5, BridgeList::MaxCount}));
    EXPECT_TRUE(read.WriteFile() == written);
}

TEST(FixtureRoundTrip, RandomDrawingsOnceSavedSaveAsReadWhetherOrNotTheirFiguresWereBuilt)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        CMorvekDoc doc;
        FillRandom(doc, seed);
        // Once saved and read (the bridges by rule laid out at the open).
        const QByteArray first = doc.WriteFile();
        CMorvekDoc once;
        QString error;
        ASSERT_TRUE(once.LoadFile(QStringLiteral("random.n"), first, &error)) << error.toStdString();
        const QByteArray written = once.WriteFile();
        CMorvekDoc read;
        ASSERT_TRUE(read.LoadFile(QStringLiteral("random.n"), written, &error)) << error.toStdString();
        EXPECT_TRUE(read.WriteFile() == written);
        // Building every element's figures changes nothing of the file.
        read.RebuildAllDisplayLists();
        EXPECT_TRUE(read.WriteFile() == written);
    }
}

} // namespace
