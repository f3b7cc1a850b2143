// The property grid's model: numbering, column clamps, label shortening,
// the row kinds' values, notifications with their vetoes, and input.
#include "gui/OptionTree.h"

#include "common/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <vector>

namespace {

using gui::COptionTree;
using gui::COptionTreeItem;
using gui::OptionTreeNotify;

struct Recorder {
    std::vector<std::pair<OptionTreeNotify, COptionTreeItem*>> seen;
    OptionTreeNotify veto{};
    bool vetoing = false;
    void Attach(COptionTree& tree)
    {
        QObject::connect(&tree, &COptionTree::notify, [this](OptionTreeNotify code, COptionTreeItem* item, bool* cancel) {
            seen.emplace_back(code, item);
            if (vetoing && code == veto)
                *cancel = true;
        });
    }
    int Count(OptionTreeNotify code) const
    {
        return static_cast<int>(std::count_if(seen.begin(), seen.end(), [code](const auto& s) { return s.first == code; }));
    }
};

// A category "General" holding "Name" (combo) and "Offset" (a category with
// "X" below it), on a 300 x 200 list; every row 21 high.
struct Fixture {
    COptionTree tree;
    COptionTreeItem* general;
    gui::COptionTreeItemComboBox* name;
    COptionTreeItem* offset;
    gui::COptionTreeItemSpinner* x;
    Recorder rec;
    Fixture()
    {
        tree.SetClientSize(QSize(300, 200));
        general = tree.Insert(new COptionTreeItem);
        general->SetLabelText(QStringLiteral("General"));
        name = tree.Insert(new gui::COptionTreeItemComboBox, general);
        name->SetLabelText(QStringLiteral("Name"));
        offset = tree.Insert(new COptionTreeItem, general);
        offset->SetLabelText(QStringLiteral("Offset"));
        x = tree.Insert(new gui::COptionTreeItemSpinner, offset);
        x->SetLabelText(QStringLiteral("X"));
        x->Setup(0, 1.0, 0, 10);
        tree.ExpandAllItems();
        tree.SetNotify(true);
        rec.Attach(tree);
    }
    QPoint ValueOf(const COptionTreeItem* item) const { return {200, item->Y() + 10}; }
    QPoint LabelOf(const COptionTreeItem* item) const { return {60, item->Y() + 10}; }
};

TEST(OptionTree, ClampsTheColumnWidthAndNumbersItems)
{
    COptionTree tree;
    tree.SetColumnWidth(5000);
    EXPECT_EQ(tree.GetColumnWidth(), 5000) << "no size yet";
    tree.SetClientSize(QSize(300, 100));
    struct {
        int asked, got;
    } cases[] = {{5, 16}, {400, 284}, {120, 120}};
    for (const auto& c : cases) {
        tree.SetColumnWidth(c.asked);
        EXPECT_EQ(tree.GetColumnWidth(), c.got) << c.asked;
    }
    auto* first = tree.Insert(new COptionTreeItem);
    tree.Insert(new COptionTreeItem, first);
    EXPECT_EQ(first->GetNumber(), 1);
    tree.DeleteAllItems();
    EXPECT_TRUE(tree.Root()->Children().empty());
    EXPECT_EQ(tree.Insert(new COptionTreeItem)->GetNumber(), 2);
}

TEST(OptionTree, ShortensLabelsAfterAtLeastOneCharacter)
{
    const auto measure = [](const QString& t) { return 10 * static_cast<int>(t.size()); };
    struct {
        const char* label;
        int width;
        const char* shown;
    } cases[] = {
        {"Offset", 61, "Offset"},
        {"Offset", 60, "Of..."}, // n characters fit while 10n + 30 + 1 <= 60
        {"Offset", 5, "O..."},   // never fewer than one
        {"", 5, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gui::ShortenLabel(QString::fromLatin1(c.label), c.width, measure), QString::fromLatin1(c.shown))
            << c.label << " " << c.width;
}

TEST(OptionTree, RowKindsShowAndStepTheirValues)
{
    COptionTree tree;
    auto* spin = tree.Insert(new gui::COptionTreeItemSpinner);
    spin->Setup(0, 100, 0, 100);
    EXPECT_FALSE(spin->UpActive());
    spin->StepUp();
    EXPECT_EQ(spin->GetText(), QStringLiteral("100"));
    spin->Setup(gui::COptionTreeItemSpinner::kWrap, 100, 0, 100);
    EXPECT_TRUE(spin->UpActive());
    spin->StepUp();
    EXPECT_EQ(spin->GetText(), QStringLiteral("0"));
    spin->Setup(0, 0.5, 0, 100);
    spin->StepDown();
    EXPECT_EQ(spin->GetText(), QStringLiteral("0.5"));
    spin->SetValue(3.0);
    EXPECT_EQ(spin->GetText(), QStringLiteral("3"));
    spin->SetValue(12.5);
    EXPECT_EQ(spin->GetText(), QStringLiteral("12.5"));
    spin->SetText(QStringLiteral("abc"));
    EXPECT_EQ(spin->GetValue(), 0.0);
    spin->SetText(QStringLiteral("7.5mm"));
    EXPECT_EQ(spin->GetValue(), 7.5);

    auto* edit = tree.Insert(new gui::COptionTreeItemEdit);
    edit->SetOptions(gui::COptionTreeItemEdit::kPassword);
    edit->SetText(QStringLiteral("abcd"));
    EXPECT_EQ(edit->ValueText(), QStringLiteral("****"));
    edit->SetOptions(gui::COptionTreeItemEdit::kMultiLine);
    EXPECT_EQ(edit->GetHeight(), 75);

    auto* combo = tree.Insert(new gui::COptionTreeItemComboBox);
    combo->AddEntry(QStringLiteral("none"), 0);
    combo->AddEntry(QStringLiteral("normal"), 1);
    EXPECT_TRUE(combo->SelectData(1));
    EXPECT_EQ(combo->ValueText(), QStringLiteral("normal"));
    EXPECT_FALSE(combo->SelectData(7));
    EXPECT_EQ(combo->CurrentIndex(), -1);
}

TEST(OptionTree, HeldArrowStepsAtOnceAfterTheDelayThenPerInterval)
{
    const gui::SpinnerRepeat repeat{500, 100};
    struct {
        int ms, steps;
    } cases[] = {{0, 1}, {499, 1}, {500, 2}, {599, 2}, {600, 3}, {1000, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(repeat.StepsBy(c.ms), c.steps) << c.ms;
}

TEST(OptionTree, PathRowShowsItsPathsByItsDisplayBit)
{
    test::TempDir dir;
    const QString file = dir.path() + QStringLiteral("/part.cf2");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.close();
    using F = gui::COptionTreeItemFile;
    EXPECT_EQ(gui::PathRowText({file}, F::kExtension), QStringLiteral("cf2"));
    EXPECT_EQ(gui::PathRowText({file}, F::kFileTitle), QStringLiteral("part"));
    EXPECT_EQ(gui::PathRowText({file}, F::kDirectory), dir.path() + QLatin1Char('/'));
    EXPECT_EQ(gui::PathRowText({dir.path() + QStringLiteral("/gone.cf2")}, F::kFileName), QStringLiteral("No selection made."));
    EXPECT_EQ(gui::PathRowText({QString()}, F::kFullPath), QStringLiteral("No selection made."));
    EXPECT_EQ(gui::PathRowText({}, F::kFullPath), QStringLiteral("No selection made."));

    COptionTree tree;
    auto* row = tree.Insert(new F);
    row->Setup(QStringLiteral("/"), {}, F::kFullPath);
    EXPECT_EQ(row->ValueText(), QStringLiteral("/"));
    row->SetPaths({QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")}, 13);
    EXPECT_EQ(row->ValueText().split(QLatin1Char('\n')).size(), 3);
    EXPECT_EQ(row->GetHeight(), 3 * 16 + 5);
    EXPECT_TRUE(row->IsTallLabel());
    row->SetPaths({QStringLiteral("/a")}, 13);
    EXPECT_EQ(row->GetHeight(), 21);
}

TEST(OptionTree, HitTestsDividerValueBoxAndLabel)
{
    Fixture f;
    // Rows: General 0, Name 21, Offset 42, X 63.
    ASSERT_EQ(f.tree.ShownRows().size(), 4u);
    EXPECT_EQ(f.x->Y(), 63);
    struct {
        QPoint at;
        gui::OptionTreeHit hit;
    } cases[] = {
        {{150, 30}, gui::OptionTreeHit::ColumnDivider},
        {{145, 30}, gui::OptionTreeHit::ColumnDivider},
        {{156, 30}, gui::OptionTreeHit::Value},
        {{150, 5}, gui::OptionTreeHit::Label}, // categories have no divider
        {{8, 50}, gui::OptionTreeHit::ExpandBox},
        {{8, 30}, gui::OptionTreeHit::Label}, // no children, no box
        {{100, 150}, gui::OptionTreeHit::Nowhere},
    };
    for (const auto& c : cases)
        EXPECT_EQ(f.tree.HitTest(c.at), c.hit) << c.at.x() << "," << c.at.y();
}

TEST(OptionTree, DividerDragAndFit)
{
    Fixture f;
    f.tree.PressAt({150, 30});
    ASSERT_TRUE(f.tree.IsDragging());
    f.tree.ReleaseAt(30);
    EXPECT_EQ(f.tree.GetColumnWidth(), 41);
    f.tree.PressAt({41, 30});
    f.tree.ReleaseAt(1000);
    EXPECT_EQ(f.tree.GetColumnWidth(), 275);

    f.tree.FitColumn();
    // Widest shown label that is no category: "Offset" at 16 + 5, 7 px a character.
    EXPECT_EQ(f.tree.GetColumnWidth(), 21 + 6 * 7 + 5);

    f.rec.vetoing = true;
    f.rec.veto = OptionTreeNotify::ColumnClick;
    f.tree.PressAt({f.tree.GetColumnWidth(), 30});
    EXPECT_FALSE(f.tree.IsDragging());
}

TEST(OptionTree, ClickOnReadOnlyValueTellsAndOpensNothing)
{
    Fixture f;
    int opened = 0;
    QObject::connect(&f.tree, &COptionTree::editRequested, [&opened](COptionTreeItem*) { ++opened; });
    f.name->SetReadOnly(true);
    f.tree.PressAt(f.ValueOf(f.name));
    EXPECT_EQ(f.tree.GetFocusedItem(), f.name);
    EXPECT_TRUE(f.name->IsSelected());
    EXPECT_EQ(f.rec.Count(OptionTreeNotify::PropertyClick), 1);
    EXPECT_EQ(opened, 0);

    f.name->SetReadOnly(false);
    f.tree.PressAt(f.ValueOf(f.name));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(f.rec.Count(OptionTreeNotify::SelectionChanged), 1) << "same row again tells nothing";

    f.rec.vetoing = true;
    f.rec.veto = OptionTreeNotify::PropertyClick;
    f.tree.PressAt(f.ValueOf(f.name));
    EXPECT_EQ(opened, 1);
}

TEST(OptionTree, EditCommitsOnceAndTellsItemChanged)
{
    Fixture f;
    f.x->BeginEdit();
    EXPECT_TRUE(f.x->IsBeingEdited());
    f.x->EndEdit();
    f.x->EndEdit();
    EXPECT_EQ(f.rec.Count(OptionTreeNotify::ItemChanged), 1);
}

TEST(OptionTree, VetoedExpandingKeepsEveryRow)
{
    Fixture f;
    f.rec.vetoing = true;
    f.rec.veto = OptionTreeNotify::ItemExpanding;
    f.tree.PressAt({8, 50});             // box of Offset
    f.tree.DoubleClickAt(f.LabelOf(f.offset));
    f.tree.SetFocusedItem(f.offset);
    f.tree.KeyPress(COptionTree::Key::Left);
    f.tree.SetFocusedItem(f.offset);
    f.tree.KeyPress(COptionTree::Key::Right);
    EXPECT_TRUE(f.offset->IsExpanded());
    EXPECT_TRUE(f.general->IsExpanded());
    EXPECT_EQ(f.tree.ShownRows().size(), 4u);
    EXPECT_GE(f.rec.Count(OptionTreeNotify::ItemExpanding), 3);
}

TEST(OptionTree, CollapsingTheFocusedRowsParentClearsTheFocus)
{
    Fixture f;
    f.tree.PressAt(f.LabelOf(f.x));
    ASSERT_EQ(f.tree.GetFocusedItem(), f.x);
    f.rec.seen.clear();
    f.tree.PressAt({8, f.offset->Y() + 8});
    EXPECT_FALSE(f.offset->IsExpanded());
    EXPECT_EQ(f.tree.GetFocusedItem(), nullptr);
    ASSERT_FALSE(f.rec.seen.empty());
    EXPECT_EQ(f.rec.seen.back().first, OptionTreeNotify::SelectionChanged);
    EXPECT_EQ(f.rec.seen.back().second, nullptr);
}

TEST(OptionTree, KeyboardMovesTheFocus)
{
    Fixture f;
    using Key = COptionTree::Key;
    int opened = 0;
    QObject::connect(&f.tree, &COptionTree::editRequested, [&opened](COptionTreeItem*) { ++opened; });
    f.tree.KeyPress(Key::Up);
    EXPECT_EQ(f.tree.GetFocusedItem(), f.x) << "Up with no focus goes to the last row";
    f.tree.KeyPress(Key::Down);
    EXPECT_EQ(f.tree.GetFocusedItem(), f.x) << "Down on the last row stays";
    f.tree.KeyPress(Key::Left);
    EXPECT_EQ(f.tree.GetFocusedItem(), f.offset) << "Left on a leaf acts as Up";
    f.tree.KeyPress(Key::Left);
    EXPECT_FALSE(f.offset->IsExpanded());
    f.tree.KeyPress(Key::Right);
    EXPECT_TRUE(f.offset->IsExpanded());
    f.tree.KeyPress(Key::Home);
    EXPECT_EQ(f.tree.GetFocusedItem(), f.general);
    f.tree.KeyPress(Key::Return);
    EXPECT_EQ(opened, 0) << "Return on a category opens nothing";
    f.tree.KeyPress(Key::End);
    f.tree.KeyPress(Key::BackTab);
    EXPECT_EQ(f.tree.GetFocusedItem(), f.offset);
    f.tree.KeyPress(Key::Down);
    f.tree.KeyPress(Key::Return);
    EXPECT_EQ(opened, 1);
}

TEST(OptionTree, DeletingTheFocusedRowClearsTheFocus)
{
    Fixture f;
    f.tree.SetFocusedItem(f.x);
    f.tree.DeleteItem(f.offset);
    EXPECT_EQ(f.tree.GetFocusedItem(), nullptr);
    EXPECT_EQ(f.tree.ShownRows().size(), 2u);
    EXPECT_EQ(f.rec.Count(OptionTreeNotify::ItemDeleting), 2);
}

TEST(OptionTree, ScrollsTheFocusIntoViewAndWheelsOnlyWhenTooTall)
{
    COptionTree tree;
    tree.SetClientSize(QSize(300, 100));
    auto* top = tree.Insert(new COptionTreeItem);
    std::vector<COptionTreeItem*> rows;
    for (int i = 0; i < 3; ++i)
        rows.push_back(tree.Insert(new gui::COptionTreeItemEdit, top));
    tree.Wheel(-120);
    EXPECT_EQ(tree.GetScrollOffset(), 0) << "rows fit";
    for (int i = 0; i < 10; ++i)
        rows.push_back(tree.Insert(new gui::COptionTreeItemEdit, top));
    tree.SetFocusedItem(rows.back()); // expands the category
    EXPECT_TRUE(top->IsExpanded());
    EXPECT_GT(tree.GetScrollOffset(), 0);
    const int shownAt = rows.back()->Y() - tree.GetScrollOffset();
    EXPECT_GE(shownAt, 0);
    EXPECT_LT(shownAt + 10, 100);
    tree.SetFocusedItem(top);
    EXPECT_EQ(tree.GetScrollOffset(), 0);
    tree.Wheel(-120);
    EXPECT_EQ(tree.GetScrollOffset(), 21);
}

} // namespace
