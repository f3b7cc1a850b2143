// Layer operations: inserting a layer, duplicating one with its step and
// repeat, and copying elements into another layer placement by placement.
#include "document/MorvekDoc.h"

#include "element/Line.h"
#include "element/NodePoint.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

class DocumentLayers : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = doc.GetSection(0);
        source->setName(QStringLiteral("source"));
        target = doc.AppendSection(QStringLiteral("target"));
        ASSERT_NE(target, nullptr);
    }

    static std::vector<CElement*> ElementsOf(const Section& s)
    {
        std::vector<CElement*> list;
        for (CElement* e : s)
            list.push_back(e);
        return list;
    }
    die::coord At(int node) { return die::coord{doc.Nodes().GetNode(node)->GetX(), doc.Nodes().GetNode(node)->GetY()}; }
    die::coord StartOf(const CElement* e) { return At(dynamic_cast<const CLine*>(e)->GetStartNode()); }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < doc.GetSectionCount(); ++i)
            names << doc.GetSection(i)->getName();
        return names;
    }

    CMorvekDoc doc;
    Section* source = nullptr;
    Section* target = nullptr;
};

TEST_F(DocumentLayers, InsertPlacesTheLayerAndKeepsTheCurrentOne)
{
    ASSERT_NE(doc.AppendSection(QStringLiteral("third")), nullptr);
    doc.SetCurrentSection(1);
    EXPECT_EQ(doc.InsertSection(QStringLiteral("last"), -1), 3);
    EXPECT_EQ(doc.InsertSection(QStringLiteral("second"), 1), 1);
    EXPECT_EQ(Names(), (QStringList{"source", "second", "target", "third", "last"}));
    EXPECT_EQ(doc.GetCurrentSection(), target);
    // A position outside the array adds nothing.
    EXPECT_EQ(doc.InsertSection(QStringLiteral("far"), 6), -1);
    EXPECT_EQ(doc.InsertSection(QStringLiteral("before"), -2), -1);
    EXPECT_EQ(doc.GetSectionCount(), 5);
    while (doc.GetSectionCount() < CMorvekDoc::kMaxSections)
        ASSERT_NE(doc.AppendSection(QStringLiteral("filler")), nullptr);
    EXPECT_EQ(doc.InsertSection(QStringLiteral("one too many"), 0), -1);
    EXPECT_EQ(doc.GetSectionCount(), CMorvekDoc::kMaxSections);
    EXPECT_EQ(doc.GetSection(0), source);
}

TEST_F(DocumentLayers, DuplicateCopiesTheElementsOnceWithTheSamePlacements)
{
    (void)source->AddLine3(10, 0, 30, 0, true, 1);
    (void)source->AddLine3(30, 0, 30, 20, true, 1);
    source->GetElement(1)->SetNotInstanced(1);
    (void)source->AddWood(50, 80, 50, 13, 0);
    source->NewInstance(100, 0, 0);
    source->NewInstance(0, 100, 90);
    source->NewInstance(100, 100, 180);
    (void)source->SetCenterOfInstances();

    Section* copy = doc.DuplicateSection(0);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(doc.GetCurrentSection(), copy);
    EXPECT_EQ(doc.GetSection(2), copy);
    EXPECT_EQ(copy->getName(), platform::cformat(Translate(CMorvekDoc::kTextCopySectionName).toUtf8().constData(), 2));
    const std::vector<CElement*> copied = ElementsOf(*copy);
    ASSERT_EQ(copied.size(), 2U) << "the die board stays behind";
    EXPECT_EQ(StartOf(copied[0]), die::coord(10, 0));
    EXPECT_EQ(StartOf(copied[1]), die::coord(30, 0));
    EXPECT_TRUE(copied[1]->GetNotInstanced());
    ASSERT_EQ(copy->GetInstanceCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const CInstance& want = source->GetInstance(i);
        const CInstance& got = copy->GetInstance(i);
        EXPECT_EQ(got.dx, want.dx);
        EXPECT_EQ(got.dy, want.dy);
        EXPECT_EQ(got.angle, want.angle);
        EXPECT_EQ(got.centreX, want.centreX) << "turned placements turn about the same point";
        EXPECT_EQ(got.centreY, want.centreY);
    }

    EXPECT_EQ(doc.DuplicateSection(7), nullptr);
    while (doc.GetSectionCount() < CMorvekDoc::kMaxSections)
        ASSERT_NE(doc.AppendSection(QStringLiteral("filler")), nullptr);
    EXPECT_EQ(doc.DuplicateSection(0), nullptr);
    EXPECT_EQ(doc.GetCurrentSection(), copy);
}

// Two selected lines of a layer with three placements give six copies; a
// selected line not instanced is copied once; the copies land where the
// view shows each placement, and one undo takes them all back.
TEST_F(DocumentLayers, CopySelectionToLayerOncePerPlacementInOneUndoStep)
{
    (void)source->AddLine3(10, 0, 30, 0, true, 1);
    (void)source->AddLine3(30, 0, 30, 20, true, 1);
    (void)source->AddLine3(0, 50, 10, 50, true, 1);
    (void)source->AddLine3(50, 50, 60, 50, true, 1);
    source->GetElement(3)->SetNotInstanced(1);
    for (int slot : {0, 1, 3})
        source->GetElement(slot)->SetSelection(1);
    source->NewInstance(200, 0, 0);
    source->NewInstance(0, 200, 90);
    (void)source->SetCenterOfInstances();
    source->recreate_replicas();

    doc.CopySelectionToLayer(source, target, true);
    const std::vector<CElement*> copies = ElementsOf(*target);
    ASSERT_EQ(copies.size(), 7U);
    for (const CElement* e : copies)
        EXPECT_TRUE(e->IsSelected());
    // Copy i of the first line lies where placement i puts the line.
    const die::coord first(10, 0);
    for (int i = 0; i < 3; ++i) {
        const die::coord got = StartOf(copies[static_cast<std::size_t>(i == 0 ? 0 : 3 + (i - 1) * 2)]);
        const die::coord want = source->GetInstance(i).Transform(first);
        EXPECT_NEAR(got.x, want.x, 1.001e-3) << "placement " << i; // whole micrometres
        EXPECT_NEAR(got.y, want.y, 1.001e-3) << "placement " << i;
    }
    EXPECT_EQ(ElementsOf(*source).size(), 4U);

    doc.Undo().Undo();
    EXPECT_TRUE(ElementsOf(*target).empty());

    doc.CopySelectionToLayer(source, target, false);
    for (const CElement* e : ElementsOf(*target))
        EXPECT_FALSE(e->IsSelected());
}

// Copying a layer's selection into the same layer copies what was selected
// at the start, once per placement, and not the selected copies.
TEST_F(DocumentLayers, CopySelectionIntoItsOwnLayerCopiesEachOncePerPlacement)
{
    (void)source->AddLine3(10, 0, 30, 0, true, 1);
    source->GetElement(0)->SetSelection(1);
    source->NewInstance(200, 0, 0);
    doc.CopySelectionToLayer(source, source, true);
    EXPECT_EQ(ElementsOf(*source).size(), 3U);
}

TEST_F(DocumentLayers, CopySectionElementsFromAPlacementOn)
{
    (void)source->AddLine3(10, 0, 30, 0, true, 1);
    (void)source->AddLine3(50, 50, 60, 50, true, 1);
    source->GetElement(1)->SetNotInstanced(1);
    source->NewInstance(200, 0, 0);
    source->NewInstance(400, 0, 0);

    doc.CopySectionElements(target, source, 0);
    EXPECT_EQ(ElementsOf(*target).size(), 4U);
    doc.CopySectionElements(target, source, 1);
    EXPECT_EQ(ElementsOf(*target).size(), 6U) << "no element not instanced from placement 1 on";
    EXPECT_EQ(StartOf(ElementsOf(*target)[5]), die::coord(410, 0));
}

// A layer read without placements stands once where it is: its elements are
// copied once, not lost.
TEST_F(DocumentLayers, LayerWithoutPlacementsIsCopiedOnce)
{
    (void)source->AddLine3(10, 0, 30, 0, true, 1);
    source->GetElement(0)->SetSelection(1);
    source->ClearInstances();
    doc.CopySectionElements(target, source, 0);
    EXPECT_EQ(ElementsOf(*target).size(), 1U);
    doc.CopySelectionToLayer(source, target, false);
    EXPECT_EQ(ElementsOf(*target).size(), 2U);
    EXPECT_EQ(StartOf(ElementsOf(*target)[1]), die::coord(10, 0));
}

} // namespace
