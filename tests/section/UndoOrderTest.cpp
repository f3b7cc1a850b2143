// Four steps that add, remove and replace elements and nodes, then every
// order of eight undos and redos: after each one the drawing holds exactly
// the objects it held after that many steps, and every element can still be
// asked for its geometry (the address sanitizer watches for anything freed).
#include "element/Arc.h"
#include "element/Line.h"
#include "element/NodeTable.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int kSlots = 32;

struct Snapshot {
    std::array<CElement*, kSlots> elements{};
    std::array<CNodePoint*, kSlots> nodes{};
    bool operator==(const Snapshot&) const = default;
};

struct Drawing {
    NodeTable nodes;
    CUndoManager undo{&nodes};
    Section section{&nodes, nullptr, &undo};
    std::array<Snapshot, 5> after{}; // after 0 to 4 steps

    Snapshot Take() const
    {
        Snapshot s;
        for (int i = 0; i < kSlots; ++i) {
            s.elements[static_cast<std::size_t>(i)] = section.GetElement(i);
            s.nodes[static_cast<std::size_t>(i)] = i < nodes.GetCount() ? nodes.GetNode(i) : nullptr;
        }
        return s;
    }

    void Build()
    {
        after[0] = Take();
        undo.Open(1, &section);
        CLine* first = dynamic_cast<CLine*>(section.AddLine3(0, 0, 100, 0, true, 1).Get());
        CLine* second = dynamic_cast<CLine*>(section.AddLine3(100, 0, 100, 50, true, 1).Get());
        undo.Close();
        after[1] = Take();

        undo.Open(2, &section);
        (void)section.AddArc3(0, 0, 30, 0, 0, 30, true, 1);
        section.DeleteElement(first);
        const int loose = nodes.AddPoint(500, 500, false);
        nodes.RemoveNode(loose);
        undo.Close();
        after[2] = Take();

        undo.Open(3, &section);
        const int corner = second->GetEndNode();
        const int moved = nodes.AddPoint(120, 60, false);
        section.ReplaceNode(corner, moved, false);
        nodes.RemoveNode(corner);
        undo.Close();
        after[3] = Take();

        undo.Open(4, &section);
        section.SelectElements(1);
        section.PrepareSelElements();
        section.AddSelElementsToUndo(false);
        section.DeleteElement(section.begin());
        undo.Close();
        after[4] = Take();
    }

    void Touch()
    {
        for (CElement* e : section)
            (void)e->GetFullLength();
        (void)section.GetBorders(true, false, false);
    }
};

TEST(UndoOrder, EveryOrderOfUndoAndRedoGivesBackTheVeryObjects)
{
    for (unsigned order = 0; order < 256; ++order) {
        Drawing d;
        d.Build();
        for (int k = 1; k < 5; ++k)
            ASSERT_FALSE(d.after[static_cast<std::size_t>(k)] == d.after[static_cast<std::size_t>(k - 1)]);
        int at = 4;
        for (int bit = 0; bit < 8; ++bit) {
            if (order & (1u << bit)) {
                d.undo.Redo();
                at = std::min(at + 1, 4);
            } else {
                d.undo.Undo();
                at = std::max(at - 1, 0);
            }
            ASSERT_EQ(d.Take(), d.after[static_cast<std::size_t>(at)]) << "order " << order << " move " << bit;
            d.Touch();
        }
        // A new step after any of them keeps the drawing whole too.
        d.undo.Open(9, &d.section);
        (void)d.section.AddLine3(0, 200, 10, 200, true, 1);
        d.undo.Close();
        d.undo.Undo();
        ASSERT_EQ(d.Take(), d.after[static_cast<std::size_t>(at)]);
        EXPECT_EQ(d.undo.GetUndoCount(), at);
    }
}

} // namespace
