#include "SectionFixture.h"

#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Martin.h"
#include "platform/BinaryStream.h"

#include <limits>

namespace {

class SectionCreateHoles : public sectiontest::Drawing {};

// The hole patterns on the node at the point, with the menu's counts; a
// horizontal count of 0 or less leaves the class's own (2 for Martin holes,
// 0 for the Bobst patterns); line type "wood_frame", bridges by rule, drawn
// once even when the section repeats its elements over the layout.
TEST_F(SectionCreateHoles, PatternsTakeTheirCountsAndLineType)
{
    const bool avoidLayout = false;
    section.SetAvoidLayoutSource(&avoidLayout);
    const int existing = nodes.AddPoint(100, 50, true);
    const struct {
        int type;
        int horizontal, vertical;
        int h, v;
    } cases[] = {
        {ElementTypeId::Martin, 2, 4, 2, 4},    {ElementTypeId::Martin, 0, 3, 2, 3},
        {ElementTypeId::Martin, -1, 3, 2, 3},   {ElementTypeId::Bobst, 2, 4, 2, 4},
        {ElementTypeId::Bobst, 0, 0, 0, 0},     {ElementTypeId::BobstSP, 3, 1, 3, 1},
    };
    for (const auto& c : cases) {
        ElementIterator it = c.type == ElementTypeId::Martin ? section.AddMartinHole(100, 50, c.horizontal, c.vertical, true)
            : c.type == ElementTypeId::Bobst ? section.AddBobstHole(100, 50, c.horizontal, c.vertical, true)
                                             : section.AddBobstSPHole(100, 50, c.horizontal, c.vertical, true);
        ASSERT_TRUE(it.NotEqual(section.end()));
        auto* pattern = dynamic_cast<HolePattern*>(it.Get());
        ASSERT_NE(pattern, nullptr);
        EXPECT_EQ(pattern->GetTypeId(), c.type);
        EXPECT_EQ(pattern->GetNode(), existing);
        EXPECT_EQ(pattern->GetHorizontalCount(), c.h) << c.type << " " << c.horizontal;
        EXPECT_EQ(pattern->GetVerticalCount(), c.v);
        EXPECT_EQ(pattern->GetLineType(), HolePattern::kLineType);
        EXPECT_EQ(pattern->GetBridgeMode(), BridgeMode::ByRule);
        EXPECT_EQ(pattern->GetBridges().Count(), 0);
        EXPECT_EQ(pattern->GetNotInstanced(), 1);
    }
    const double far = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(section.AddMartinHole(far, 0, 2, 3, true).NotEqual(section.end()));
}

TEST_F(SectionCreateHoles, AssemblyHoleKeepsItsRecord)
{
    BobstAsmParams p;
    p.SetPreset1();
    ElementIterator it = section.AddBobstAt(10, 20, p, true);
    ASSERT_TRUE(it.NotEqual(section.end()));
    auto* hole = dynamic_cast<CBobstAsm*>(it.Get());
    ASSERT_NE(hole, nullptr);
    EXPECT_EQ(hole->GetParams(), p);
    EXPECT_EQ(hole->GetLineType(), CBobstAsm::kLineType);
    EXPECT_EQ(At(hole->GetNode()), (die::coord{10, 20}));
    EXPECT_EQ(hole->GetNotInstanced(), 1);
}

// The copy factory makes each symbol of its own class with equal records.
TEST_F(SectionCreateHoles, CopiesAreOfTheSameClassAndRecord)
{
    BobstAsmParams p;
    p.SetPreset1();
    const CElement* made[] = {section.AddMartinHole(0, 0, 3, 2, true).Get(),
                              section.AddBobstHole(10, 0, 2, 4, true).Get(),
                              section.AddBobstSPHole(20, 0, 2, 4, true).Get(), section.AddBobstAt(30, 0, p, true).Get()};
    for (const CElement* e : made) {
        ASSERT_NE(e, nullptr);
        const std::unique_ptr<CElement> copy = Section::CreateElement(*e);
        ASSERT_NE(copy, nullptr) << e->GetTypeId();
        EXPECT_EQ(copy->GetTypeId(), e->GetTypeId());
        platform::BinaryWriter a;
        platform::BinaryWriter b;
        e->Save(a);
        copy->Save(b);
        EXPECT_EQ(a.take(), b.take()) << e->GetTypeId();
        EXPECT_EQ(copy->GetSection(), &section);
    }
}

} // namespace
