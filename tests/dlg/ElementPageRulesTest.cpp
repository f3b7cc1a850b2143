// The rules of the cuir, Bobst assembly, dimension and text property pages
// on a drawing: what they show, what the preview takes, and what OK changes
// (nothing when nothing was changed; one undo step restores the rest).
#include "dlg/BobstAsmFields.h"
#include "dlg/CuirFields.h"
#include "dlg/DimensionPageFields.h"
#include "dlg/TextFields.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "element/BobstAsm.h"
#include "element/Cuir.h"
#include "element/Measure.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "element/Text.h"
#include "geometry/GeomConstants.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace dlg;

class PageRulesTest : public testing::Test {
protected:
    Section& S() { return *doc.GetCurrentSection(); }
    int Slot(ElementIterator it)
    {
        EXPECT_NE(it, S().end());
        return S().GetIdx(*it);
    }
    die::coord At(int node)
    {
        doc.Nodes().SetCacheValid(false);
        CNodePoint* n = doc.Nodes().GetNode(node);
        return {n->GetX(), n->GetY()};
    }

    test::ScopedTestEnvironment env;
    test::ScopedLanguage language{env, "[2550]\nENG=needs characters\n"};
    CMorvekDoc doc;
};

TEST_F(PageRulesTest, CuirRadiusOutsideTheSeriesIsItsOwnEntryAndKept)
{
    struct Case {
        double radius;
        std::vector<QString> texts;
        int chosen;
    };
    const Case cases[] = {
        {30.0, {"21.00", "30.00", "40.00"}, 1},
        {25.0, {"21.00", "25.00", "30.00", "40.00"}, 1},
        {12.5, {"12.50", "21.00", "30.00", "40.00"}, 0},
        {55.0, {"21.00", "30.00", "40.00", "55.00"}, 3},
        {0.0, {"21.00", "30.00", "40.00"}, 0},
    };
    for (const Case& c : cases) {
        const CuirRadiusChoice choice = CuirRadiusEntries(c.radius);
        std::vector<QString> texts;
        for (const auto& e : choice.entries)
            texts.push_back(e.text);
        EXPECT_EQ(texts, c.texts) << c.radius;
        EXPECT_EQ(choice.chosen, c.chosen) << c.radius;
    }

    const int slot = Slot(S().AddCuirAt(5, 5, 25.0, 0.0, 10.0, true));
    CuirFields f = CuirFields::From(*static_cast<CCuir*>(S().GetElement(slot)), doc.Nodes());
    f.radius = CuirRadiusEntries(f.radius).entries[1].radius;
    f.wing.SetText("12");
    UndoTransaction tx(doc.Undo(), 408, &S());
    ASSERT_TRUE(f.Apply(S(), slot));
    const auto* now = static_cast<CCuir*>(S().GetElement(slot));
    EXPECT_EQ(now->GetRadius(), 25.0);
    EXPECT_EQ(now->GetWingLength(), 12.0);
}

TEST_F(PageRulesTest, CuirAngleAndCentreTexts)
{
    const int slot = Slot(S().AddCuirAt(5, 5, 21.0, 0.3, 10.0, true));
    auto* cuir = static_cast<CCuir*>(S().GetElement(slot));
    CuirFields f = CuirFields::From(*cuir, doc.Nodes());
    EXPECT_EQ(f.angle.Text(), "17.189"); // 17.18873... rounded up
    // Unchanged: nothing to apply, the exact values stay.
    EXPECT_FALSE(f.Apply(S(), slot));

    f.angle.SetText("-90");
    f.centreX.SetText("abc");
    EXPECT_DOUBLE_EQ(f.Radians(), 3.0 * Geom::kPi / 2.0);
    f.ApplyTo(*cuir);
    EXPECT_DOUBLE_EQ(cuir->GetAngle(), 3.0 * Geom::kPi / 2.0);
    const std::vector<double> g = f.Geometry();
    EXPECT_EQ(g[0], 0.0);
    EXPECT_EQ(g[1], 5.0);
    EXPECT_DOUBLE_EQ(g[3], 3.0 * Geom::kPi / 2.0);
}

TEST_F(PageRulesTest, BobstRadiosAnglesAndRadii)
{
    BobstAsmParams start;
    start.SetDefaults();
    const int slot = Slot(S().AddBobstAt(0, 0, start, true));
    BobstAsmFields one = BobstAsmFields::ForOne(*static_cast<CBobstAsm*>(S().GetElement(slot)), doc.Nodes());
    EXPECT_EQ(one.kind, 2);
    EXPECT_FALSE(one.ShapeEditsEnabled());
    one.ChooseKind(kBobstCustom);
    EXPECT_TRUE(one.ShapeEditsEnabled());

    struct Case {
        const char* angle;
        const char* inner;
        const char* outer;
        double degrees, r1, r2;
    };
    const Case cases[] = {
        {"200", "12", "19", 180.0, 12.0, 19.0},
        {"45", "15", "10", 45.0, 15.0, 15.0},
        {"-10", "12", "19", 0.0, 12.0, 19.0},
    };
    for (const Case& c : cases) {
        one.angle.SetText(c.angle);
        one.inner.SetText(c.inner);
        one.outer.SetText(c.outer);
        one.UpdateRecord();
        EXPECT_NEAR(Geom::RadToDeg(one.record.openingAngle), c.degrees, 1e-9) << c.angle;
        EXPECT_EQ(one.record.innerRadius, c.r1);
        EXPECT_EQ(one.record.outerRadius, c.r2);
        const std::vector<double> g = one.Geometry(); // what one assembly is stored with
        EXPECT_EQ(g[2], 3.0);
        EXPECT_EQ(g[3], one.record.openingAngle) << c.angle;
        EXPECT_EQ(g[5], one.record.outerRadius);
    }
    // The record keeps the type 2 the radio left: the kind several take.
    EXPECT_EQ(one.record.kind, 2);

    UndoTransaction tx(doc.Undo(), 408, &S());
    ASSERT_TRUE(one.Apply(S(), slot));
    const BobstAsmParams stored = static_cast<CBobstAsm*>(S().GetElement(slot))->GetParams();
    EXPECT_EQ(stored.kind, 3);
    EXPECT_EQ(stored.openingAngle, 0.0);
    EXPECT_EQ(stored.outerRadius, 19.0);
}

TEST(BobstSeveralTest, ChangesOnlyWhatIsTicked)
{
    BobstAsmParams p;
    p.SetDefaults();
    p.rotation = 1.0;
    BobstAsmFields f = BobstAsmFields::ForSeveral();
    EXPECT_EQ(f.record.kind, 1);
    EXPECT_FALSE(f.RadiosEnabled());
    EXPECT_FALSE(f.RotationEnabled());
    EXPECT_FALSE(f.CentreEnabled());
    EXPECT_FALSE(f.ChangesGroup());
    EXPECT_EQ(f.ForMember(p), p);

    f.changeShape = true;
    EXPECT_TRUE(f.RadiosEnabled());
    f.ChooseKind(kBobstType2);
    f.ChooseKind(kBobstCustom);
    EXPECT_TRUE(f.ShapeEditsEnabled());
    f.outer.SetText("20");
    f.rotation.SetText("90"); // box not ticked: not applied
    const BobstAsmParams now = f.ForMember(p);
    EXPECT_EQ(now.kind, 2);
    EXPECT_EQ(now.outerRadius, 20.0);
    EXPECT_EQ(now.rotation, 1.0);
    f.changeRotation = true;
    EXPECT_DOUBLE_EQ(f.ForMember(p).rotation, Geom::kPi / 2.0);
}

TEST_F(PageRulesTest, DimensionValueKindsAndPicks)
{
    EXPECT_DOUBLE_EQ(DimensionPageValue(1204, {std::cos(Geom::DegToRad(350.0)), std::sin(Geom::DegToRad(350.0))},
                                        {std::cos(Geom::DegToRad(10.0)), std::sin(Geom::DegToRad(10.0))}, {0, 0}),
                     20.0);
    EXPECT_DOUBLE_EQ(DimensionPageValue(1201, {0, 0}, {10.0004, 7}, {}), 10.001);
    EXPECT_DOUBLE_EQ(DimensionPageValue(1202, {0, 0}, {10.0004, 7}, {}), 7.0);
    EXPECT_EQ(DimensionKindItems(1205).size(), 1u);
    EXPECT_EQ(DimensionKindItems(1204).front().text, 193);
    EXPECT_EQ(DimensionKindItems(1202).size(), 3u);

    const int slot = Slot(S().AddMeasureXY(1203, 5, 10, 0, 0, 30, 40, 0, 0, true));
    DimensionPageFields f = DimensionPageFields::From(*static_cast<CMeasure*>(S().GetElement(slot)), doc.Nodes());
    EXPECT_EQ(f.value, "50.000");
    EXPECT_FALSE(f.CentreEnabled());
    EXPECT_FALSE(f.Apply(S(), slot)); // unchanged
    f.kind = 1201;
    EXPECT_EQ(f.value, "50.000"); // kept until a point is edited
    f.second.x.SetText("12");
    f.PointsEdited();
    EXPECT_EQ(f.value, "12.000");

    UndoTransaction tx(doc.Undo(), 408, &S());
    ASSERT_TRUE(f.Apply(S(), slot));
    auto* now = static_cast<CMeasure*>(S().GetElement(slot));
    EXPECT_EQ(now->GetKind(), 1201);
    EXPECT_EQ(At(now->GetP2()).x, 12.0);
    EXPECT_EQ(At(now->GetP2()).y, 40.0);
}

TEST_F(PageRulesTest, TextNodesFromTheValues)
{
    TextNodePositions p = TextNodesFor({0, 0}, 10, 8, 0.0, 3);
    EXPECT_NEAR(p.height.x, 0.0, 1e-12);
    EXPECT_NEAR(p.height.y, 10.0, 1e-12);
    EXPECT_NEAR(p.end.x, 24.0, 1e-12);
    EXPECT_NEAR(p.end.y, 0.0, 1e-12);
    p = TextNodesFor({0, 0}, 10, 8, Geom::DegToRad(300.0), 3);
    EXPECT_NEAR(std::atan2(p.height.y, p.height.x), Geom::DegToRad(30.0), 1e-12);
    p = TextNodesFor({4, 5}, 10, 8, 0.7, 0);
    EXPECT_EQ(p.end.x, 4.0);
    EXPECT_EQ(p.end.y, 5.0);
}

TEST_F(PageRulesTest, TextEditAndNewText)
{
    TextFields fresh = TextFields::ForNewText();
    EXPECT_EQ(fresh.Validate(), "needs characters");
    fresh.text = "abc";
    fresh.x.SetText("3");
    EXPECT_TRUE(fresh.Validate().isEmpty());
    {
        UndoTransaction tx(doc.Undo(), 174, &S());
        ASSERT_TRUE(fresh.AddNew(S(), 1));
        tx.commit();
    }
    const int slot = S().GetSlotsInUse() - 1;
    auto* text = dynamic_cast<CText*>(S().GetElement(slot));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(At(text->GetEndNode()).x, 27.0);
    EXPECT_EQ(At(text->GetHeightNode()).y, 10.0);

    TextFields f = TextFields::ForText(*text, doc.Nodes());
    EXPECT_EQ(f.width.Text(), "8.000");
    EXPECT_FALSE(f.Apply(S(), slot, nullptr));
    f.text = "abcd";
    UndoTransaction tx(doc.Undo(), 408, &S());
    ASSERT_TRUE(f.Apply(S(), slot, nullptr));
    text = static_cast<CText*>(S().GetElement(slot));
    EXPECT_EQ(text->GetText(), "abcd");
    EXPECT_EQ(At(text->GetEndNode()).x, 35.0);
}

TEST_F(PageRulesTest, SeveralTextsChangeOnlyTheTickedValues)
{
    const platform::LogFont font{};
    const int a = Slot(S().AddText2(0, 0, 10, 0, 8, "ab", font, 0, 1401, 1));
    const int b = Slot(S().AddText2(0, 50, 5, 90, 4, "xyz", font, 1, 1401, 1));
    std::vector<const CText*> texts{static_cast<CText*>(S().GetElement(a)), static_cast<CText*>(S().GetElement(b))};
    TextFields f = TextFields::ForSeveral(texts, doc.Nodes());
    EXPECT_EQ(f.mirrored, TextFields::kMirrorDiffers);
    EXPECT_FALSE(f.TextAndPositionEnabled());
    EXPECT_FALSE(f.HeightEnabled());
    f.applyHeight = true;
    EXPECT_TRUE(f.HeightEnabled());
    EXPECT_FALSE(f.WidthEnabled());
    f.height.SetText("20");
    f.width.SetText("99"); // not ticked: not applied

    for (int slot : {a, b})
        EXPECT_TRUE(f.ApplyToMember(*static_cast<CText*>(S().GetElement(slot))));
    auto* ta = static_cast<CText*>(S().GetElement(a));
    auto* tb = static_cast<CText*>(S().GetElement(b));
    EXPECT_NEAR(At(ta->GetHeightNode()).y, 20.0, 1e-9);
    EXPECT_EQ(At(ta->GetEndNode()).x, 16.0);
    EXPECT_NEAR(At(tb->GetHeightNode()).x, -20.0, 1e-9);
    EXPECT_NEAR(At(tb->GetEndNode()).y, 62.0, 1e-9);
    EXPECT_EQ(ta->IsMirrored(), 0);
    EXPECT_EQ(tb->IsMirrored(), 1);
    EXPECT_FALSE(f.ApplyToMember(*ta)); // already so
}

} // namespace
