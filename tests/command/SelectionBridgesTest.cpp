// The popup's Change Bridge Length on the selection: the typed width read
// strictly, every selected element given automatic bridges of that width
// in one undo step.
#include "command/SelectionBridges.h"

#include "command/CommandTestSupport.h"
#include "element/Bridge.h"
#include "section/UndoManager.h"

namespace {

using namespace commandtest;
namespace sb = selectionbridges;

TEST(SelectionBridges, OnlyANumberAboveZeroIsAWidth)
{
    const struct {
        const char* typed;
        std::optional<double> width;
    } cases[] = {
        {"2.5", 2.5}, {" 3 ", 3.0}, {"0", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt},
        {"abc", std::nullopt}, {"2.5mm", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sb::ReadBridgeWidth(QString::fromLatin1(c.typed)), c.width) << c.typed;
}

class SelectionBridgesTest : public CommandTest {
protected:
    // The bridges as the next drawing lays them out.
    static const BridgeList& Laid(CElement* e)
    {
        e->RebuildContour();
        return e->GetBridges();
    }
};

TEST_F(SelectionBridgesTest, SelectedElementsGetTheWidthInOneStepThatUndoTakesBack)
{
    // Lines up to 1000 mm: 3 bridges of 4 mm (the rule's width gives way to
    // the typed one).
    env_.dir().write(QStringLiteral("app/Defaults/bridges.ini"),
                     "[1]\ntype=line\nmin_len=0\nmax_len=1000\nbridge_num=3\nbridge_len=4\n");
    options_.LoadBridges();
    CElement* ruled = Layer().AddLine3(0, 0, 100, 0, true, 1).Get();
    CElement* counted = Layer().AddLine3(0, 20, 100, 20, true, 1).Get();
    CElement* other = Layer().AddLine3(0, 40, 100, 40, true, 1).Get();
    ruled->SetBridgeMode(BridgeMode::ByRule);
    ruled->RefreshBridges();
    counted->SetAutoBridges(5, 1.0);
    ASSERT_EQ(Laid(counted).Count(), 5);
    ruled->SetSelection(1);
    counted->SetSelection(1);
    const int otherBridges = Laid(other).Count();
    doc_.SetModifiedFlag(false);
    const int steps = doc_.Undo().GetUndoCount();

    EXPECT_EQ(sb::SetBridgeWidth(doc_, &options_, 2.5), 2);
    const struct {
        int slot;
        int count;
    } expected[] = {{0, 3}, {1, 5}};
    for (const auto& e : expected) {
        CElement* now = Layer().GetElement(e.slot);
        EXPECT_EQ(now->GetBridgeMode(), BridgeMode::ByCount);
        ASSERT_EQ(Laid(now).Count(), e.count) << e.slot;
        for (const Bridge& b : Laid(now))
            EXPECT_DOUBLE_EQ(b.width, 2.5);
    }
    EXPECT_EQ(Layer().GetElement(2), other);
    EXPECT_EQ(Laid(other).Count(), otherBridges);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), steps + 1);
    EXPECT_TRUE(doc_.IsModified());

    doc_.Undo().Undo();
    EXPECT_EQ(Layer().GetElement(0), ruled);
    EXPECT_EQ(ruled->GetBridgeMode(), BridgeMode::ByRule);
    EXPECT_EQ(Layer().GetElement(1), counted);
    ASSERT_EQ(Laid(counted).Count(), 5);
    for (const Bridge& b : Laid(counted))
        EXPECT_DOUBLE_EQ(b.width, 1.0);

    // Nothing selected: no step, nothing marked.
    Layer().Deselect();
    doc_.SetModifiedFlag(false);
    EXPECT_EQ(sb::SetBridgeWidth(doc_, &options_, 2.5), 0);
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_FALSE(doc_.Undo().HasOpenStep());
}

} // namespace
