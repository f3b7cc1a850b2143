// The element properties driver headless, against a drawing and a scripted
// sheet: OK without changes leaves every element (and the saved file) as it
// was, edits land in one undo step, picks reopen the sheet with the point,
// conversions, refusals, and several elements at once.
#include "dlg/PropertiesDriver.h"

#include "dlg/WorkingCopy.h"
#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "element/BobstAsm.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/NodePoint.h"
#include "element/Text.h"
#include "platform/DrawingObjects.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <QFile>

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

namespace {

using namespace dlg;

// A sheet answered by a function; the picks and die-board runs it saw.
class ScriptedHost : public PropertiesHost {
public:
    std::function<int(PropertySheetRun&)> answer = [](PropertySheetRun&) { return propend::kOk; };
    int sheets = 0;
    std::vector<int> picks;
    int dieBoards = 0;
    int repaints = 0;
    bool lastDetailActive = false;

    int RunSheet(PropertySheetRun& run) override
    {
        ++sheets;
        lastDetailActive = run.detailActive;
        return answer(run);
    }
    void ArmPick(int code) override { picks.push_back(code); }
    void EditDieBoard() override { ++dieBoards; }
    void Repaint() override { ++repaints; }
};

class PropertiesDriverTest : public testing::Test {
protected:
    Section& S() { return *doc_.GetCurrentSection(); }
    CElement* Add(ElementIterator it) { return it == S().end() ? nullptr : *it; }
    void Settle()
    {
        doc_.Undo().Reset();
        doc_.SetModifiedFlag(false);
    }
    void Edit(CElement* e, std::function<int(PropertySheetRun&)> answer)
    {
        host_.answer = std::move(answer);
        doc_.SetEditElement(e);
        driver_.EditProperties(0);
    }
    die::coord P(int node) { return S().Point(node); }
    int Count(int type)
    {
        int n = 0;
        for (CElement* e : S())
            n += e->GetTypeId() == type;
        return n;
    }

    CMorvekDoc doc_;
    ScriptedHost host_;
    PropertiesDriver driver_{doc_, nullptr, host_};
};

TEST(PropertyRules, ValuesAreShownRoundedUpToTheNextThousandth)
{
    const struct {
        double v, shown;
    } cases[] = {{12.0000001, 12.001}, {12.0004, 12.001}, {12.0, 12.0}, {15.70796, 15.708}, {-1.0004, -1.0}, {0.001 + 21.0 + 0.001, 21.002}};
    for (auto c : cases)
        EXPECT_DOUBLE_EQ(RoundUpThousandth(c.v), c.shown) << c.v;
    PagePoint p;
    p.Fill({12.0000001, 3.0});
    EXPECT_EQ(p.x, 12.001);
    EXPECT_FALSE(p.Changed());
    EXPECT_EQ(p.Applied().x, 12.0000001) << "an untouched coordinate keeps the element's";
    p.Set(12.5, 3.0);
    EXPECT_TRUE(p.Changed());
    EXPECT_EQ(p.Applied().x, 12.5);
}

TEST(PropertyRules, ExtensionSpinsMoveByFiveWithinTheLimit)
{
    const struct {
        double from;
        int clicks;
        double to;
    } cases[] = {{995, 1, 1000}, {1000, 1, 1000}, {0, -1, -5}, {-5, 1, 0}, {-998, -1, -1000}};
    for (auto c : cases) {
        Extension e{c.from};
        e.Spin(c.clicks);
        EXPECT_EQ(e.value, c.to) << c.from << " " << c.clicks;
    }
}

TEST(PropertyRules, LineAndArcDerivedValues)
{
    LinePageValues line;
    line.start.Set(0, 0);
    line.end.Set(0, 10);
    EXPECT_EQ(line.AngleDegrees(), 90.0);
    line.end.Set(0, 0);
    EXPECT_EQ(line.Length(), 0.0);
    EXPECT_EQ(line.AngleDegrees(), 0.0);

    const struct {
        die::coord s, e;
        double ext;
        double length;
    } arcs[] = {{{0, 10}, {10, 0}, 0, 15.708},
                {{10, 0}, {0, 10}, 0, 47.124},
                {{0, 10}, {0, 10}, 0, 62.832},
                {{0, 10}, {0, 10}, 5, 62.832},
                {{0, 10}, {10, 0}, 5, 20.708}};
    for (auto c : arcs) {
        ArcPageValues a;
        a.start.Set(c.s.x, c.s.y);
        a.end.Set(c.e.x, c.e.y);
        a.centre.Set(0, 0);
        a.atStart.value = c.ext;
        a.UpdateRadius();
        EXPECT_EQ(a.radius, 10.0);
        EXPECT_DOUBLE_EQ(a.Length(), c.length) << c.s.x << "," << c.s.y << " ext " << c.ext;
    }

    EllipsePageValues e;
    e.centre.Set(0, 0);
    e.angle = 350;
    e.radius2 = 5;
    const die::coord n = e.MinorPoint();
    EXPECT_NEAR(std::hypot(n.x, n.y), 5.0, 1e-9);
    EXPECT_NEAR(std::atan2(n.y, n.x) * 180 / std::numbers::pi, 80.0, 1e-9);
}

TEST(ElementPageRules, CustomBridgesAddUpToAHundredAndDeleteClearsTheCurrentEntry)
{
    ElementValues v;
    ASSERT_TRUE(v.AddBridge());
    EXPECT_EQ(v.bridges[0].position, 0.001);
    EXPECT_EQ(v.bridges[0].width, 21.0);
    ASSERT_TRUE(v.AddBridge());
    EXPECT_DOUBLE_EQ(v.bridges[1].position, 0.001 + 21.0 + 0.001);
    EXPECT_EQ(v.bridges[1].width, 21.0);
    while (static_cast<int>(v.bridges.size()) < BridgeList::MaxCount)
        ASSERT_TRUE(v.AddBridge());
    EXPECT_FALSE(v.AddBridge()) << "the 101st is not added";
    EXPECT_EQ(static_cast<int>(v.bridges.size()), BridgeList::MaxCount);

    double d = 0, w = 0;
    v.Select(5, d, w);
    const Bridge sixth = v.bridges[6];
    v.DeleteBridge(5);
    v.StoreCurrent(1.0, 2.0); // leaving a field after the delete
    EXPECT_EQ(v.bridges[5].position, sixth.position) << "no other bridge is written";
    EXPECT_EQ(v.bridges[5].width, sixth.width);
    EXPECT_EQ(v.current, -1);
}

TEST_F(PropertiesDriverTest, OkWithoutChangesLeavesEveryElementAsItWas)
{
    (void)Add(S().AddLine3(0.0000001, 12.0004, 100.3333333, 7.77777, true, 1));
    (void)Add(S().AddArc3(50.0004, 50, 60.0001, 50.0003, 50.0004, 60.12345, true, 2));
    (void)Add(S().AddEllipse4(200, 200, 230, 200, 200, 215, 230, 200, 200, 215, true, 1));
    (void)Add(S().AddSpline1(0, 100, 33.3333, 120.1111, 66.6666, 100, true, 1));
    for (CElement* e : S())
        e->SetPtg(23.8000000001);
    Settle();
    const QByteArray before = doc_.WriteDrawing();
    for (CElement* e : S())
        Edit(e, [](PropertySheetRun&) { return propend::kOk; });
    EXPECT_EQ(host_.sheets, 4);
    EXPECT_EQ(doc_.WriteDrawing(), before);
    EXPECT_FALSE((doc_.Undo().GetUndoCount() > 0)) << "an unchanged OK opens no step";
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(PropertiesDriverTest, RoundTripOverTheDrawingFixturesIsByteForByte)
{
    for (const char* name : {"box_die.n", "export/small.n", "view/rectangle.n"}) {
        QFile f(QStringLiteral(MORVEK_TEST_DATA_DIR "/") + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        CMorvekDoc doc;
        QString error;
        ASSERT_TRUE(doc.LoadFile(QString::fromLatin1(name), f.readAll(), &error)) << error.toStdString();
        const QByteArray before = doc.WriteDrawing();
        ScriptedHost host;
        PropertiesDriver driver(doc, nullptr, host);
        std::vector<CElement*> elements;
        for (CElement* e : *doc.GetCurrentSection())
            elements.push_back(e);
        for (CElement* e : elements) {
            doc.SetEditElement(e);
            driver.EditProperties(0);
        }
        EXPECT_EQ(doc.WriteDrawing(), before) << name;
    }
}

TEST_F(PropertiesDriverTest, ChangedLineEndIsAppliedInOneUndoStep)
{
    auto* line = static_cast<CLine*>(Add(S().AddLine3(0, 0, 100, 0, true, 1)));
    Settle();
    Edit(line, [](PropertySheetRun& run) {
        run.values.line.end.Set(150, 0);
        return propend::kOk;
    });
    auto* now = static_cast<CLine*>(S().GetElement(0));
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(P(now->GetEndNode()).x, 150.0);
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(host_.repaints, 1);
    doc_.Undo().Undo();
    auto* back = static_cast<CLine*>(S().GetElement(0));
    EXPECT_EQ(P(back->GetEndNode()).x, 100.0);
}

TEST_F(PropertiesDriverTest, EqualLineEndsAreRefusedBeforeTheSheetCloses)
{
    CElement* line = Add(S().AddLine3(0, 0, 100, 0, true, 1));
    Settle();
    QString message;
    Edit(line, [&](PropertySheetRun& run) {
        run.values.line.end.Set(0, 0);
        message = run.Validate();
        return propend::kCancel;
    });
    EXPECT_FALSE(message.isEmpty());
    EXPECT_FALSE((doc_.Undo().GetUndoCount() > 0)) << "Cancel opens no step";
}

TEST_F(PropertiesDriverTest, RefusedExtensionIsToldAndTheEditStays)
{
    CElement* line = Add(S().AddLine3(0, 0, 10, 0, true, 1));
    Settle();
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    auto guard = platform::installPrompt(prompt);
    Edit(line, [](PropertySheetRun& run) {
        run.values.line.start.Set(0, 5);
        run.values.line.atStart.value = -30; // would turn the line round
        return propend::kOk;
    });
    ASSERT_EQ(prompt.texts().size(), 1);
    auto* now = static_cast<CLine*>(S().GetElement(0));
    EXPECT_EQ(P(now->GetStartNode()).y, 5.0) << "the edit stays";
    EXPECT_TRUE((doc_.Undo().GetUndoCount() > 0));
}

TEST_F(PropertiesDriverTest, PicksReopenTheSheetWithThePoint)
{
    CElement* arc = Add(S().AddArc3(0, 0, 0, 10, 10, 0, true, 1));
    Settle();
    Edit(arc, [](PropertySheetRun&) { return propend::kPickArcStart; });
    ASSERT_EQ(host_.picks, std::vector<int>{propend::kPickArcStart});

    std::vector<double> radii;
    host_.answer = [&](PropertySheetRun& run) {
        radii.push_back(run.values.arc.radius);
        return propend::kCancel;
    };
    driver_.EditProperties(propend::kPickArcStart, 0, 20, -1, 0); // radius from the page's centre
    EXPECT_TRUE(host_.lastDetailActive);
    driver_.EditProperties(propend::kPickArcEnd, 30, 0, -1, 0);   // the radius stays
    driver_.EditProperties(propend::kPickArcCentre, 0, 5, -1, 0); // from the start picked before
    EXPECT_EQ(radii, (std::vector<double>{20.0, 20.0, 15.0}));
    EXPECT_EQ(driver_.Values().arc.end.x, 30.0);

    const int sheets = host_.sheets;
    driver_.EditProperties(415, 1, 1, -1, 0);
    driver_.EditProperties(propend::kPickLineStart, 1, 1, -1, 0); // another page's code
    EXPECT_EQ(host_.sheets, sheets);
}

TEST_F(PropertiesDriverTest, DieBoardRunsItsDialogAndHoldersShowNothing)
{
    CElement* board = Add(S().AddWood(0, 100, 200, 0, 0));
    CElement* holder = Add(S().AddHolder(10, 10, false, 50, 10, true));
    ASSERT_NE(board, nullptr);
    ASSERT_NE(holder, nullptr);
    Edit(board, [](PropertySheetRun&) { return propend::kOk; });
    Edit(holder, [](PropertySheetRun&) { return propend::kOk; });
    EXPECT_EQ(host_.dieBoards, 1);
    EXPECT_EQ(host_.sheets, 0);
}

TEST_F(PropertiesDriverTest, ArcToEllipseKeepsTheSpan)
{
    CElement* arc = Add(S().AddArc3(0, 0, 0, 10, 10, 0, true, 7));
    arc->SetPtg(23.8);
    Settle();
    Edit(arc, [](PropertySheetRun&) { return propend::kArcToEllipse; });
    ASSERT_EQ(Count(ElementTypeId::Arc), 0);
    ASSERT_EQ(Count(ElementTypeId::Ellipse), 1);
    CEllipse* ellipse = nullptr;
    for (CElement* e : S())
        ellipse = dynamic_cast<CEllipse*>(e);
    ASSERT_NE(ellipse, nullptr);
    EXPECT_NE(ellipse->GetStartNode(), ellipse->GetEndNode()) << "not a closed ellipse";
    EXPECT_NEAR(P(ellipse->GetStartNode()).y, 10.0, 1e-9);
    EXPECT_NEAR(P(ellipse->GetEndNode()).x, 10.0, 1e-9);
    EXPECT_NEAR(ellipse->GetFullLength(), 10 * std::numbers::pi / 2, 1e-3);
    EXPECT_EQ(ellipse->GetLineType(), 7);
    EXPECT_EQ(ellipse->GetPtg(), 23.8);
    doc_.Undo().Undo();
    EXPECT_EQ(Count(ElementTypeId::Arc), 1);
    EXPECT_EQ(Count(ElementTypeId::Ellipse), 0);
}

TEST_F(PropertiesDriverTest, EllipseToArcsMakesTheChosenNumberAndNoneForZero)
{
    CElement* ellipse = Add(S().AddEllipse3(0, 0, 30, 15, 0, true, 1));
    Settle();
    Edit(ellipse, [](PropertySheetRun& run) {
        run.values.ellipse.arcs = 0;
        return propend::kEllipseToArcs;
    });
    EXPECT_EQ(Count(ElementTypeId::Ellipse), 1);
    EXPECT_FALSE((doc_.Undo().GetUndoCount() > 0));
    Edit(ellipse, [](PropertySheetRun& run) {
        run.values.ellipse.arcs = 4;
        return propend::kEllipseToArcs;
    });
    EXPECT_EQ(Count(ElementTypeId::Ellipse), 0);
    EXPECT_EQ(Count(ElementTypeId::Arc), 4);
}

TEST_F(PropertiesDriverTest, EllipseLengthFollowsTheTypedRadius)
{
    CElement* ellipse = Add(S().AddEllipse3(0, 0, 30, 15, 0, true, 1));
    EllipsePageValues v;
    v.Fill(*static_cast<CEllipse*>(ellipse));
    WorkingCopy copy(*ellipse);
    PlaceEllipse(copy, v);
    copy.Update(nullptr, 0, 0);
    const double whole = EllipseLength(copy, v);
    EXPECT_NEAR(whole, ellipse->GetFullLength(), 0.002) << "a whole ellipse shows its circumference";
    v.atStart.value = 5;
    EXPECT_NEAR(EllipseLength(copy, v), whole + 5, 0.002);
    v.atStart.value = 0;
    v.radius1 = 40;
    PlaceEllipse(copy, v);
    copy.Update(nullptr, 0, 0);
    // Ramanujan's circumference of the typed 40 × 15 ellipse, not the stored 30 × 15.
    const double a = 40, b = 15;
    const double typed = std::numbers::pi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
    EXPECT_NEAR(EllipseLength(copy, v), typed, 0.05) << "the working copy, not the stored ellipse";
}

TEST_F(PropertiesDriverTest, EllipseShapeAndCentreAreApplied)
{
    CElement* ellipse = Add(S().AddEllipse3(0, 0, 30, 15, 0, true, 1));
    Settle();
    Edit(ellipse, [](PropertySheetRun& run) {
        run.values.ellipse.radius2 = 20;
        run.values.ellipse.centre.Set(10, 0);
        run.values.ellipse.start.Set(40, 0);
        run.values.ellipse.end.Set(40, 0);
        return propend::kOk;
    });
    auto* now = static_cast<CEllipse*>(S().GetElement(0));
    const die::coord c = P(now->GetCentreNode());
    EXPECT_EQ(c.x, 10.0);
    EXPECT_NEAR(P(now->GetMajorNode()).x, 40.0, 1e-9) << "the first radius keeps its length about the new centre";
    EXPECT_NEAR(P(now->GetMinorNode()).y, 20.0, 1e-9);
    EXPECT_EQ(now->GetStartNode(), now->GetEndNode()) << "still whole";
    doc_.Undo().Undo();
    EXPECT_EQ(P(static_cast<CEllipse*>(S().GetElement(0))->GetCentreNode()).x, 0.0);
}

TEST_F(PropertiesDriverTest, SeveralElementsGetTheCommonValuesInOneStep)
{
    CElement* line = Add(S().AddLine3(0, 0, 100, 0, true, 1));
    CElement* spline = Add(S().AddSpline1(0, 50, 50, 70, 100, 50, true, 1));
    CElement* arc = Add(S().AddArc3(0, 0, 0, 10, 10, 0, true, 1));
    CElement* martin = Add(S().AddMartinHole(300, 300, 1, 1, true));
    ASSERT_NE(martin, nullptr);
    line->SetPtg(23.8);
    spline->SetPtg(23.8);
    arc->SetPtg(22);
    line->SetBridgeMode(BridgeMode::ByCount);
    spline->SetBridgeMode(BridgeMode::ByRule);
    arc->SetBridgeMode(BridgeMode::ByRule);
    for (CElement* e : S())
        e->SetSelection(1);
    Settle();
    doc_.SetEditElement(nullptr);
    host_.answer = [](PropertySheetRun& run) {
        EXPECT_TRUE(run.elementPage);
        EXPECT_EQ(run.values.common.ptg, ElementValues::kDiffers);
        EXPECT_EQ(run.values.common.ruleState, ElementValues::kDiffersFlag);
        run.values.common.ptg = 23.8;
        run.values.common.lineType = 5;
        return propend::kOk;
    };
    driver_.EditProperties(0);
    ASSERT_EQ(host_.sheets, 1);
    std::vector<int> modes;
    for (int slot : {0, 1, 2}) {
        EXPECT_EQ(S().GetElement(slot)->GetPtg(), 23.8) << slot;
        EXPECT_EQ(S().GetElement(slot)->GetLineType(), 5) << slot;
        modes.push_back(S().GetElement(slot)->GetBridgeMode());
    }
    EXPECT_EQ(modes, (std::vector<int>{BridgeMode::ByCount, BridgeMode::ByRule, BridgeMode::ByRule}));
    EXPECT_EQ(S().GetElement(3)->GetLineType(), 5) << "a Martin hole of the selection too";
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(host_.repaints, 1);
    doc_.Undo().Undo();
    for (int slot : {0, 1, 2, 3})
        EXPECT_EQ(S().GetElement(slot)->GetLineType(), slot == 3 ? martin->GetLineType() : 1) << slot;
    EXPECT_EQ(S().GetElement(2)->GetPtg(), 22.0);
}

// The text group and the Bobst group: every element of the group takes the
// ticked values, and one Undo gives back the drawing exactly as it was.
TEST_F(PropertiesDriverTest, GroupEditsOfTextsAndBobstAssembliesUndoInOneStep)
{
    struct Case {
        const char* name;
        std::function<void(Section&)> add;
        std::function<void(PropertyValues&)> edit;
        std::function<bool(CElement&, Section&)> changed;
    };
    BobstAsmParams params;
    params.SetPreset1();
    const std::vector<Case> cases{
        {"texts",
         [](Section& s) {
             (void)s.AddText2(0, 0, 10, 0, 8, QStringLiteral("abc"), platform::LogFont{}, 0, 1401, 1);
             (void)s.AddText2(50, 50, 5, 0, 4, QStringLiteral("xy"), platform::LogFont{}, 0, 1401, 1);
         },
         [](PropertyValues& v) {
             EXPECT_TRUE(v.text.several);
             v.text.applyAngle = true;
             v.text.angle.SetText(QStringLiteral("90"));
         },
         [](CElement& e, Section& s) {
             const CText& t = static_cast<CText&>(e);
             const die::coord base = s.Point(t.GetBaseNode());
             const die::coord up = s.Point(t.GetHeightNode());
             return std::abs(up.y - base.y) < 1e-6; // turned by 90°: the height points along −x
         }},
        {"Bobst assemblies",
         [params](Section& s) {
             (void)s.AddBobstAt(0, 0, params, false);
             (void)s.AddBobstAt(100, 0, params, false);
         },
         [](PropertyValues& v) {
             EXPECT_TRUE(v.bobst.several);
             v.bobst.changeRotation = true;
             v.bobst.rotation.SetText(QStringLiteral("90"));
         },
         [](CElement& e, Section&) {
             return std::abs(static_cast<CBobstAsm&>(e).GetParams().rotation - std::numbers::pi / 2) < 1e-9;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMorvekDoc doc;
        ScriptedHost host;
        PropertiesDriver driver(doc, nullptr, host);
        Section& s = *doc.GetCurrentSection();
        c.add(s);
        for (CElement* e : s)
            e->SetSelection(1);
        doc.Undo().Reset();
        doc.SetModifiedFlag(false);
        const QByteArray before = doc.WriteDrawing();
        host.answer = [&](PropertySheetRun& run) {
            c.edit(run.values);
            return propend::kOk;
        };
        doc.SetEditElement(nullptr);
        driver.EditProperties(0);
        ASSERT_EQ(host.sheets, 1);
        for (CElement* e : s)
            EXPECT_TRUE(c.changed(*e, s));
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(host.repaints, 1);
        doc.Undo().Undo();
        EXPECT_EQ(doc.WriteDrawing(), before) << "one Undo restores every element of the group";
    }
}

TEST_F(PropertiesDriverTest, MixedGroupsShowNothing)
{
    (void)Add(S().AddLine3(0, 0, 100, 0, true, 1));
    (void)Add(S().AddText2(0, 0, 10, 0, 8, QStringLiteral("abc"), platform::LogFont{}, 0, 1401, 1));
    for (CElement* e : S())
        e->SetSelection(1);
    doc_.SetEditElement(nullptr);
    driver_.EditProperties(0);
    EXPECT_EQ(host_.sheets, 0);
}

} // namespace
