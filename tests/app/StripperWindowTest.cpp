// The stripper edge and the die board through the real window on a small
// layout of two blanks: a 100 x 50 blank with a crease across it (a figure
// with inner rules) and a plain 60 x 40 one. The cutting contour selected
// with a box, Construct > Geometry > Edge puts a rule 5 mm outside it;
// Die > Stripper > Outline by Click with the free-point key inside the
// second blank does the same for that one; Die > Wood with OK frames the
// layout with the board.
#include "app/WindowFixture.h"

#include "dlg/EdgeDlg.h"
#include "dlg/WoodDlg.h"
#include "element/Wood.h"
#include "options/Options.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kEdge = 32805;
constexpr int kOutlineByClick = 474;
constexpr int kWood = 368;
constexpr int kCentre = 32771;
constexpr int kRule = 5; // the stripper edge's line type

using Lines = std::vector<std::array<double, 4>>;

Lines Box(double x0, double y0, double x1, double y1)
{
    Lines lines{{x0, y0, x1, y0}, {x1, y0, x1, y1}, {x0, y1, x1, y1}, {x0, y0, x0, y1}};
    std::sort(lines.begin(), lines.end());
    return lines;
}

class StripperWindow : public apptest::WindowFixture {
protected:
    void SetUp() override
    {
        options_.UseFactoryKeyBindings(); // F2 takes a free point
        linetypes_.Add(2, LinetypeKind::Standard);
        linetypes_.Add(kRule, LinetypeKind::Standard);
        WindowFixture::SetUp();
        Section& s = *Doc().GetCurrentSection();
        for (const auto& [a, b] : std::vector<std::pair<die::coord, die::coord>>{
                 {{0, 0}, {100, 0}}, {{100, 0}, {100, 50}}, {{100, 50}, {0, 50}}, {{0, 50}, {0, 0}},
                 {{150, 0}, {210, 0}}, {{210, 0}, {210, 40}}, {{210, 40}, {150, 40}}, {{150, 40}, {150, 0}}})
            (void)s.AddLine3(a.x, a.y, b.x, b.y, true, 1);
        (void)s.AddLine3(50, 0, 50, 50, true, 2);
        Choose(kCentre);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        WindowFixture::TearDown();
        QApplication::processEvents();
    }
    // The edge dialog, when it shows: the contours followed (radio 1346 all
    // line types, 1347 the current one), the side radio, the distance, the
    // rule's line type, OK.
    static void AnswerEdge(const char* sourceRadio, const char* sideRadio, const char* distance)
    {
        QTimer::singleShot(0, [sourceRadio, sideRadio, distance] {
            auto* dialog = qobject_cast<dlg::CEdgeDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* source = dialog->findChild<QRadioButton*>(QString::fromLatin1(sourceRadio));
            if (source->isEnabled())
                source->setChecked(true);
            dialog->findChild<QRadioButton*>(QString::fromLatin1(sideRadio))->setChecked(true);
            dialog->findChild<QLineEdit*>(QStringLiteral("Edit1353"))->setText(QString::fromLatin1(distance));
            auto* rule = dialog->findChild<QComboBox*>(QStringLiteral("Combo1355"));
            rule->setCurrentIndex(rule->findData(kRule));
            dialog->accept();
        });
    }
    // The rule's lines, ends ordered, to 0.01 mm, sorted.
    Lines Rule()
    {
        Lines lines;
        const auto round = [](double v) { return std::round(v * 100.0) / 100.0 + 0.0; };
        const Section& s = *Doc().GetCurrentSection();
        for (CElement* e : s) {
            auto* line = dynamic_cast<CLine*>(e);
            if (!line || line->GetLineType() != kRule)
                continue;
            const die::coord a = s.Point(line->GetStartNode());
            const die::coord b = s.Point(line->GetEndNode());
            std::array<double, 4> l{round(a.x), round(a.y), round(b.x), round(b.y)};
            if (std::make_pair(l[2], l[3]) < std::make_pair(l[0], l[1]))
                l = {l[2], l[3], l[0], l[1]};
            lines.push_back(l);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    COptions options_;
    platform::ScopedOverride<COptions*> installed_ = COptions::Install(options_);
};

TEST_F(StripperWindow, EdgeOnTheSelectedContourThenOutlineByClickInTheSecond)
{
    // A box round the first blank selects it.
    const QPoint from = PixelOf(-5, -5);
    const QPoint to = PixelOf(105, 55);
    QTest::mouseMove(view_, from);
    QTest::mousePress(view_, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(view_, to);
    QTest::mouseRelease(view_, Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_EQ(Doc().GetCurrentSection()->GetSelectedCount(), 5);

    // Following the cutting rules only, the blank is a simple contour: the
    // negative side (radio 1350) is outside.
    AnswerEdge("Radio1347", "Radio1350", "5");
    Choose(kEdge);
    EXPECT_EQ(Rule(), Box(-5, -5, 105, 55));
    EXPECT_TRUE(Doc().IsModified());
    // With the crease, all line types make a figure with inner rules: there
    // the positive side (radio 1351) is outside.
    Choose(370); // Undo
    ASSERT_TRUE(Rule().empty());
    AnswerEdge("Radio1346", "Radio1351", "5");
    Choose(kEdge);
    // The same closed rule, its long sides in two where the crease meets
    // the contour.
    const Lines split{{-5, -5, -5, 55}, {-5, -5, 50, -5}, {-5, 55, 50, 55},
                      {50, -5, 105, -5}, {50, 55, 105, 55}, {105, -5, 105, 55}};
    EXPECT_EQ(Rule(), split);

    // A plain contour: the negative side (radio 1350) is outside.
    Choose(kOutlineByClick);
    EXPECT_EQ(Doc().commandActive, 1);
    QTest::mouseMove(view_, PixelOf(180, 20));
    AnswerEdge("Radio1346", "Radio1350", "5");
    QTest::keyClick(view_, Qt::Key_F2);
    Lines expected = split;
    for (const auto& l : Box(145, -5, 215, 45))
        expected.push_back(l);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Rule(), expected);
    EXPECT_EQ(Doc().commandActive, 1) << "the command runs on";
    QTest::keyClick(view_, Qt::Key_Escape);
}

TEST_F(StripperWindow, DieWoodWithOkFramesTheLayout)
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlg::CWoodDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>(QStringLiteral("Ok"))->click();
    });
    Choose(kWood);
    CWood* board = nullptr;
    for (CElement* e : *Doc().GetCurrentSection())
        if (auto* w = dynamic_cast<CWood*>(e))
            board = w;
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->BoardBox(board->LayoutBox()), (WoodBox{-50, 130, 260, -13}));
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(StripperWindow, DieWoodCancelledLeavesTheDrawingAndItsFlag)
{
    Doc().SetModifiedFlag(false);
    const int steps = Doc().Undo().GetUndoCount();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlg::CWoodDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
    Choose(kWood);
    for (CElement* e : *Doc().GetCurrentSection())
        EXPECT_FALSE(e->IsDieBoard());
    EXPECT_EQ(Doc().Undo().GetUndoCount(), steps);
    EXPECT_FALSE(Doc().IsModified());
}

} // namespace
