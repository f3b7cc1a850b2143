// The Die menu's one-click parts through the engine: each click places one
// part of its type in an undo step of its own, until cancelled.
#include "command/DieCommands.h"

#include "command/CommandTestSupport.h"
#include "element/ElementTypes.h"
#include "element/HolePattern.h"
#include "options/LanguageTable.h"
#include "section/UndoManager.h"

namespace {

using namespace commandtest;
namespace dc = diecommands;

class DieCommandTest : public CommandTest {
protected:
    void SetUp() override
    {
        BindFreePointKey();
        Show();
    }
    std::vector<CElement*> Elements()
    {
        std::vector<CElement*> found;
        for (CElement* e : Layer())
            found.push_back(e);
        return found;
    }
};

TEST_F(DieCommandTest, EachClickPlacesOnePartInAStepOfItsOwnUntilCancelled)
{
    const struct {
        const char* name;
        dc::DiePart part;
        int type;
        int across, along; // a hole pattern's counts
    } cases[] = {
        {"EasySet SP", dc::DiePart::EasySetSP, ElementTypeId::BobstSP, 2, 4},
        {"EasySet SPO", dc::DiePart::EasySetSPO, ElementTypeId::Bobst, 2, 4},
        {"PosiLock", dc::DiePart::PosiLock, ElementTypeId::Martin, 6, 4},
        {"Seperatingrule", dc::DiePart::SeparatingRule, ElementTypeId::SeperationRule, 0, 0},
        {"Stripper wood", dc::DiePart::StripperWood, ElementTypeId::StripperWood, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int stepsBefore = doc_.Undo().GetUndoCount();
        dc::StartDiePart(input_, c.part);
        EXPECT_TRUE(ui_.status.startsWith(Translate(dc::kTextPlacePrompt)));
        FreePoint(40, 30);
        FreePoint(140, 30);
        EXPECT_TRUE(Request().IsRunning()) << "a further click places another part";
        input_.CancelCommand();
        EXPECT_FALSE(Request().IsRunning());

        const std::vector<CElement*> parts = Elements();
        ASSERT_EQ(parts.size(), 2u);
        for (CElement* e : parts) {
            EXPECT_EQ(e->GetTypeId(), c.type);
            if (const auto* pattern = dynamic_cast<const HolePattern*>(e)) {
                EXPECT_EQ(pattern->GetHorizontalCount(), c.across);
                EXPECT_EQ(pattern->GetVerticalCount(), c.along);
            }
        }
        ASSERT_EQ(doc_.Undo().GetUndoCount(), stepsBefore + 2) << "one step per part";
        EXPECT_EQ(doc_.Undo().NextUndo()->title, dc::TitleOf(c.part));
        doc_.Undo().Undo();
        EXPECT_EQ(Elements().size(), 1u);
        doc_.Undo().Undo();
        EXPECT_TRUE(Elements().empty());
    }
}

} // namespace
