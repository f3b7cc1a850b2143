#include "element/ElementFixture.h"

#include "display/DisplayList.h"
#include "element/ElementExplosion.h"
#include "section/Section.h"
#include "section/SectionExplosion.h"
#include "element/Ellipse.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "section/UndoManager.h"

#include <functional>

namespace {

class Explosion : public elementtest::Elements {
protected:
    Explosion() { nodes.SetUndoManager(&undo); }

    std::vector<CElement*> ElementsOf(const Section& s)
    {
        std::vector<CElement*> list;
        for (ElementIterator it = s.begin(); it.NotEqual(s.end()); it.Next())
            list.push_back(it.Get());
        return list;
    }

    CUndoManager undo;
    Section section{&nodes, nullptr, &undo};
};

// Records what an explosion asks for; makes nothing but lines.
class RecordingTarget : public ExplosionTarget {
public:
    explicit RecordingTarget(Section& s) : lines(s) {}
    CElement* AddLine(const die::coord& a, const die::coord& b) override { return lines.AddLine(a, b); }
    CElement* AddArc(const die::coord&, const die::coord&, const die::coord&) override { return nullptr; }
    CElement* AddSpline(const std::vector<die::coord>&) override { return nullptr; }
    CElement* AddEllipse(const die::coord&, const die::coord&, const die::coord&, const die::coord&,
                         double) override
    {
        return nullptr;
    }
    CElement* AddText(const ExplodedText& text) override
    {
        texts.push_back(text);
        return nullptr;
    }
    void Remove(CElement& element) override { removed.push_back(&element); }

    SectionExplosion lines;
    std::vector<ExplodedText> texts;
    std::vector<CElement*> removed;
};

TEST_F(Explosion, AnArcBecomesAnArcOnItsNodesWithBridgesByHand)
{
    const ElementIterator it = section.AddArc3(0, 0, 50, 0, 0, 50, true, 0);
    ASSERT_TRUE(it.NotEqual(section.end()));
    auto* arc = dynamic_cast<CArc*>(it.Get());
    arc->SetLineType(3);
    arc->SetPtg(1.5);
    arc->SetAutoBridges(2, 4);
    arc->CountAutoBridges(2, 4, true);
    const auto bridges = elementtest::BridgesOf(*arc);
    ASSERT_EQ(bridges.size(), 2u);
    const int centre = arc->GetCenterNode();
    const int start = arc->GetStartNode();
    SectionExplosion target(section);
    arc->SplitUp(target);

    const std::vector<CElement*> now = ElementsOf(section);
    ASSERT_EQ(now.size(), 1u);
    auto* made = dynamic_cast<CArc*>(now[0]);
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made, arc);
    EXPECT_EQ(made->GetCenterNode(), centre);
    EXPECT_EQ(made->GetStartNode(), start);
    EXPECT_EQ(made->GetLineType(), 3);
    EXPECT_EQ(made->GetPtg(), 1.5);
    EXPECT_EQ(made->GetBridgeMode(), BridgeMode::ByHand);
    EXPECT_EQ(elementtest::BridgesOf(*made), bridges);
    for (const Bridge& b : made->GetBridges())
        EXPECT_EQ(b.tag, 555);
}

TEST_F(Explosion, AMirroredTextStartsAtItsOtherEnd)
{
    CText text(&nodes, nullptr, 0);
    text.SetNodes(Node(0, 5), Node(0, 0), Node(40, 0));
    text.SetText(QStringLiteral("ABCD"));
    text.SetMirrored(1);
    text.RebuildContour();
    RecordingTarget target(section);
    text.Explode(target);
    ASSERT_EQ(target.texts.size(), 1u);
    const ExplodedText& made = target.texts[0];
    EXPECT_EQ(made.origin, (die::coord{0, 0}));
    EXPECT_EQ(made.advance, 10);
    EXPECT_EQ(made.height, 5);
    EXPECT_EQ(made.angleDegrees, 0);
    EXPECT_EQ(made.mirrored, 1);
    EXPECT_EQ(made.text, QStringLiteral("ABCD"));
    EXPECT_EQ(target.removed, (std::vector<CElement*>{&text}));
}

// Ellipses, splines and texts explode into elements of their own kind on
// the same places; an elliptical arc keeps its sweep.
TEST_F(Explosion, CurvesAndTextsBecomeTheirOwnKind)
{
    const struct {
        const char* name;
        std::function<ElementIterator(Section&)> make;
    } cases[] = {
        {"elliptical arc",
         [](Section& s) { return s.AddEllipse4(0, 0, 20, 0, 0, 10, 20, 0, 0, 10, true, 1); }},
        {"whole ellipse", [](Section& s) { return s.AddEllipse3(0, 0, 20, 10, 30, true, 1); }},
        {"spline", [](Section& s) { return s.AddSpline1(0, 0, 10, 5, 20, 0, true, 1); }},
        {"text", [](Section& s) { return s.AddText2(0, 0, 5, 0, 3, QStringLiteral("Falz"), {}, 0, 1401, 1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Section s(&nodes, nullptr, &undo);
        const ElementIterator it = c.make(s);
        ASSERT_TRUE(it.NotEqual(s.end()));
        CElement* old = it.Get();
        const int type = old->GetTypeId();
        double sweep = 0.0;
        if (auto* e = dynamic_cast<CEllipse*>(old))
            sweep = e->GetSweepAngle();
        SectionExplosion target(s);
        old->SplitUp(target);
        const std::vector<CElement*> now = ElementsOf(s);
        ASSERT_EQ(now.size(), 1u);
        EXPECT_EQ(now[0]->GetTypeId(), type);
        if (auto* e = dynamic_cast<CEllipse*>(now[0])) {
            EXPECT_NEAR(e->GetSweepAngle(), sweep, 1e-3);
        }
        if (auto* t = dynamic_cast<CText*>(now[0])) {
            EXPECT_EQ(t->GetText(), QStringLiteral("Falz"));
        }
        if (auto* spline = dynamic_cast<CSpline*>(now[0])) {
            EXPECT_GE(spline->GetNodeCount(), 3);
            EXPECT_EQ(s.Point(spline->GetNodes().back()), (die::coord{20, 0}));
        }
    }
}

TEST_F(Explosion, AnElementWithoutFiguresIsOnlyRemoved)
{
    CText text(&nodes, nullptr, 0);
    text.SetNodes(Node(0, 5), Node(0, 0), Node(40, 0)); // no characters
    text.RebuildContour();
    RecordingTarget target(section);
    text.Explode(target);
    EXPECT_TRUE(target.texts.empty());
    EXPECT_TRUE(ElementsOf(section).empty());
    EXPECT_EQ(target.removed.size(), 1u);
}

} // namespace
