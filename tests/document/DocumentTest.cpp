#include "document/MorvekDoc.h"

#include "element/Line.h"
#include "element/NodePoint.h"
#include "options/LanguageTable.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

TEST(Document, NewDocumentHoldsOneSectionTheOriginAndTheDefaultVariables)
{
    CMorvekDoc doc;
    ASSERT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(doc.GetCurrentSection(), doc.GetSection(0));
    EXPECT_EQ(doc.GetSection(0)->getName(), Translate(CMorvekDoc::kTextNewSection));
    ASSERT_GE(doc.GetOriginNode(), 0);
    CNodePoint* origin = doc.Nodes().GetNode(doc.GetOriginNode());
    ASSERT_NE(origin, nullptr);
    EXPECT_TRUE(origin->IsInUse());
    EXPECT_EQ(origin->GetX(), 0.0);
    EXPECT_EQ(origin->GetY(), 0.0);
    EXPECT_EQ(doc.Variables().GetCount(), 6);
    EXPECT_EQ(doc.GetFileVersion(), 15);
    EXPECT_EQ(doc.Remembered().cuirRadius, 21.0);
    EXPECT_EQ(doc.Remembered().quickRotateAngle, 90.0);
    EXPECT_EQ(doc.Remembered().splitParts, 2);
    EXPECT_TRUE(doc.moveDetached);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Document, SectionsStopAtTheirLimit)
{
    CMorvekDoc doc;
    for (int i = 1; i < CMorvekDoc::kMaxSections; ++i)
        ASSERT_NE(doc.AppendSection(QStringLiteral("L%1").arg(i)), nullptr);
    EXPECT_EQ(doc.AppendSection(QStringLiteral("one too many")), nullptr);
    EXPECT_EQ(doc.GetSectionCount(), CMorvekDoc::kMaxSections);
    doc.SetCurrentSection(5);
    EXPECT_EQ(doc.GetCurrentSectionIndex(), 5);
    doc.DeleteSection(5);
    EXPECT_EQ(doc.GetCurrentSectionIndex(), -1);
    EXPECT_EQ(doc.GetSection(5)->getName(), QStringLiteral("L6"));
}

TEST(Document, ExtentsCoverTheVisibleSectionsOnly)
{
    CMorvekDoc doc;
    Section* first = doc.GetSection(0);
    Section* second = doc.AppendSection(QStringLiteral("B"));
    ASSERT_NE(second, nullptr);
    (void)first->AddLine3(10, 20, 30, 40, true, 1);
    (void)second->AddLine3(-5, 0, 0, 100, true, 1);
    double l, t, r, b;
    doc.GetExtents(l, t, r, b, false, false);
    EXPECT_EQ(l, -5.0);
    EXPECT_EQ(t, 100.0);
    EXPECT_EQ(r, 30.0);
    EXPECT_EQ(b, 0.0);
    second->SetVisible(false);
    doc.GetExtents(l, t, r, b, false, false);
    EXPECT_EQ(l, 10.0);
    EXPECT_EQ(b, 20.0);
    first->SetVisible(false);
    doc.GetExtents(l, t, r, b, true, true);
    EXPECT_EQ(l, 0.0);
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(r, 0.0);
    EXPECT_EQ(b, 0.0);
}

TEST(Document, IdleNodesGoSharedAndOriginNodesStay)
{
    CMorvekDoc doc;
    Section* s = doc.GetCurrentSection();
    auto a = s->AddLine3(0, 0, 10, 0, true, 1);
    auto b = s->AddLine3(10, 0, 10, 10, true, 1);
    auto c = s->AddLine3(50, 50, 60, 60, true, 1);
    ASSERT_NE(c.Get(), nullptr);
    const auto* lineA = static_cast<CLine*>(a.Get());
    const auto* lineC = static_cast<CLine*>(c.Get());
    const int shared = lineA->GetEndNode();
    const int lonely = lineC->GetStartNode();
    s->DeleteElement(c.Get()); // no undo step: the line goes at once
    doc.DeleteIdleNodes(-1);
    EXPECT_NE(doc.Nodes().GetNode(shared), nullptr);
    EXPECT_NE(doc.Nodes().GetNode(doc.GetOriginNode()), nullptr);
    EXPECT_EQ(doc.Nodes().GetNode(lonely), nullptr);
    EXPECT_NE(b.Get(), nullptr);
}

TEST(Document, ANodeAnotherNodeRefersToStays)
{
    CMorvekDoc doc;
    const int base = doc.Nodes().AddPoint(5, 5, false);
    CNodePoint offset(&doc.Variables(), &doc.Nodes());
    offset.MakeOffset(doc.Nodes().GetNode(base), QStringLiteral("1"), QStringLiteral("1"));
    const int dependent = doc.Nodes().AddNode(offset, false);
    ASSERT_GE(dependent, 0);
    doc.DeleteIdleNodes(base);
    EXPECT_NE(doc.Nodes().GetNode(base), nullptr);
    doc.DeleteIdleNodes(dependent);
    EXPECT_EQ(doc.Nodes().GetNode(dependent), nullptr);
    doc.DeleteIdleNodes(base);
    EXPECT_EQ(doc.Nodes().GetNode(base), nullptr);
    doc.DeleteIdleNodes(doc.GetOriginNode());
    EXPECT_NE(doc.Nodes().GetNode(doc.GetOriginNode()), nullptr);
}

TEST(Document, ModifyStateClosesTheOpenStepOnlyForAnotherCode)
{
    CMorvekDoc doc;
    doc.Undo().Open(1);
    EXPECT_TRUE(doc.BeginModifyState(CMorvekDoc::kModifyRotatePick, true));
    EXPECT_FALSE(doc.Undo().HasOpenStep()) << "state 0 ends before 211 begins";
    doc.Undo().Open(2);
    EXPECT_TRUE(doc.BeginModifyState(CMorvekDoc::kModifyRotatePick, true));
    EXPECT_TRUE(doc.Undo().HasOpenStep());
    EXPECT_TRUE(doc.BeginModifyState(5, true));
    EXPECT_FALSE(doc.Undo().HasOpenStep());
    EXPECT_EQ(doc.GetModifyState(), 5);
    doc.EndModifyState();
    EXPECT_EQ(doc.GetModifyState(), 0);
}

TEST(Document, ResetCursorKeepsThePositions)
{
    CMorvekDoc doc;
    doc.Cursor().node = 4;
    doc.Cursor().elementInstance = 2;
    doc.Cursor().modelX = 7.5;
    doc.ResetCursor();
    EXPECT_EQ(doc.Cursor().node, -1);
    EXPECT_EQ(doc.Cursor().elementInstance, -1);
    EXPECT_EQ(doc.Cursor().modelX, 7.5);
}

// The clipboard copy: the script line of each selected element of the
// current section, nothing of the others.
TEST(Document, SelectionAsTextHoldsTheSelectedElementsScriptLines)
{
    CMorvekDoc doc;
    EXPECT_EQ(doc.GetSelectionAsText(), QString());
    auto chosen = doc.GetSection(0)->AddLine3(0, 0, 12.5, 0, true, 1);
    (void)doc.GetSection(0)->AddLine3(0, 0, 0, 40, true, 1);
    EXPECT_EQ(doc.GetSelectionAsText(), QString()) << "nothing selected";
    chosen.Get()->SetSelection(1);
    const QString text = doc.GetSelectionAsText();
    EXPECT_EQ(text, chosen.Get()->GetScriptText());
    EXPECT_TRUE(text.endsWith(QStringLiteral(";\n")));
    EXPECT_EQ(text.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("12.5"))) << qPrintable(text);
}

} // namespace
