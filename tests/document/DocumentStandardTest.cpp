// Extended standards: a drawing built from component drawings placed by
// formulas, with the standard's dimensions and the components' variable
// assignments.
#include "document/MorvekDoc.h"

#include "common/TempDir.h"
#include "element/NodePoint.h"
#include "exchange/native/StandardTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

int Elements(const Section& section)
{
    int n = 0;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next())
        ++n;
    return n;
}

class DocumentStandard : public testing::Test {
protected:
    // A component: variable Flap = 10 and a line from its origin to the node
    // (A, Flap); its layer placed twice, the second time 100 mm higher. Its
    // own A (200 by default) must give way to the standard's.
    QString WriteComponent(const QString& name, int layers = 1)
    {
        CMorvekDoc part;
        EXPECT_TRUE(part.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("10"), QString(), 2, true));
        NodeTable& nodes = part.Nodes();
        CNodePoint corner(&part.Variables(), &nodes);
        corner.MakeOffset(nodes.GetNode(part.GetOriginNode()), QStringLiteral("A"), QStringLiteral("Flap"));
        const int end = nodes.AddNode(corner, false);
        for (int n = 0; n < layers; ++n) {
            Section* s = n == 0 ? part.GetSection(0) : part.GetSection(part.InsertSection(QStringLiteral("L"), -1));
            EXPECT_GE(s->AddLine0(part.GetOriginNode(), end), 0);
            if (layers == 1)
                s->NewInstance(0.0, 100.0, 0.0);
        }
        return dir_.write(name, part.WriteFile());
    }

    SpecStandardTable Standard()
    {
        SpecStandardTable t;
        t.A = 300.0;
        t.B = 120.0;
        t.H = 50.0;
        t.MatThick = 2.0;
        return t;
    }

    test::TempDir dir_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptGuard_ = platform::installPrompt(prompt_);
};

TEST_F(DocumentStandard, IsWrittenReadBackAndBuiltFromItsComponents)
{
    WriteComponent(QStringLiteral("parts/box.n"));
    SpecStandardTable table = Standard();
    // "left" where it stands, its Flap assigned from the standard's A;
    // "right" moved by B, its own Flap kept under another name.
    const int left = table.AddComponent(QStringLiteral("left"), QStringLiteral("parts/box.n"), QString(), QString(), QString());
    ASSERT_EQ(left, 0);
    table.Component(left).pairCount = 1;
    table.Component(left).pairs[0] = {QStringLiteral("Flap"), QStringLiteral("A/10")};
    ASSERT_EQ(table.AddComponent(QStringLiteral("right"), QStringLiteral("parts\\box.n"), QStringLiteral("B"),
                                 QStringLiteral("0"), QStringLiteral("0")),
              1);
    const QString path = dir_.file(QStringLiteral("tray.nst"));
    ASSERT_TRUE(table.Save(path, nullptr));

    SpecStandardTable again;
    QString error;
    ASSERT_TRUE(again.Load(path, &error)) << error.toStdString();
    EXPECT_EQ(again.Write(), table.Write());
    EXPECT_EQ(again.Component(0).pairs[0].expression, QStringLiteral("A/10"));

    CMorvekDoc doc;
    ASSERT_TRUE(doc.LoadFile(path, dir_.read(QStringLiteral("tray.nst")), &error)) << error.toStdString();
    EXPECT_TRUE(doc.IsLoadedFromExtendedStandard());
    EXPECT_TRUE(prompt_.texts().empty());
    ASSERT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(doc.GetCurrentSection(), doc.GetSection(0));
    // Two components, each layer placed twice.
    EXPECT_EQ(Elements(*doc.GetSection(0)), 4);
    FormulaTable& v = doc.Variables();
    EXPECT_EQ(v.GetFormula(v.FindIndex(QStringLiteral("A"))), QStringLiteral("300.000000"));
    EXPECT_EQ(v.GetFormula(v.FindIndex(QStringLiteral("MatThick"))), QStringLiteral("2.000000"));
    EXPECT_EQ(v.GetFormula(v.FindIndex(QStringLiteral("Flap"))), QStringLiteral("A/10"));
    EXPECT_EQ(v.GetFormula(v.FindIndex(QStringLiteral("right_Flap"))), QStringLiteral("10"));
    // left: (0, 0) to (300, 30); right: (120, 0) to (420, 10); each also
    // 100 mm higher.
    const SectionBorders b = doc.GetSection(0)->GetBorders(false, false, false);
    EXPECT_DOUBLE_EQ(b.left, 0.0);
    EXPECT_DOUBLE_EQ(b.right, 420.0);
    EXPECT_DOUBLE_EQ(b.bottom, 0.0);
    EXPECT_DOUBLE_EQ(b.top, 130.0);

    // The built drawing is a drawing: it saves and reads back the same.
    const QByteArray saved = doc.WriteFile();
    CMorvekDoc reread;
    ASSERT_TRUE(reread.LoadFile(QStringLiteral("tray_std1.n"), saved, &error)) << error.toStdString();
    EXPECT_EQ(reread.WriteFile(), saved);
}

TEST_F(DocumentStandard, WithoutComponentsGivesOneEmptyLayerWithItsDimensions)
{
    const QString path = dir_.write(QStringLiteral("empty.nst"), Standard().Write());
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(path, dir_.read(QStringLiteral("empty.nst")), &error)) << error.toStdString();
    ASSERT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(Elements(*doc.GetSection(0)), 0);
    FormulaTable& v = doc.Variables();
    EXPECT_EQ(v.GetFormula(v.FindIndex(QStringLiteral("B"))), QStringLiteral("120.000000"));
    EXPECT_EQ(v.GetFormula(v.FindIndex(QStringLiteral("H"))), QStringLiteral("50.000000"));
}

// A component that cannot be merged is told and left out; the others are
// still built.
TEST_F(DocumentStandard, AMissingComponentIsToldAndLeftOut)
{
    WriteComponent(QStringLiteral("box.n"));
    SpecStandardTable table = Standard();
    ASSERT_EQ(table.AddComponent(QStringLiteral("gone"), QStringLiteral("missing.n"), QString(), QString(), QString()), 0);
    ASSERT_EQ(table.AddComponent(QStringLiteral("box"), QStringLiteral("box.n"), QString(), QString(), QString()), 1);
    const QString path = dir_.write(QStringLiteral("s.nst"), table.Write());
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(path, dir_.read(QStringLiteral("s.nst")), &error));
    EXPECT_EQ(prompt_.texts().size(), 1);
    EXPECT_EQ(Elements(*doc.GetSection(0)), 2);
}

// Each component's layers go into the first layer as soon as it is merged,
// so components that together hold more layers than a drawing can are all
// built.
TEST_F(DocumentStandard, ComponentsWithMoreLayersThanADrawingHoldsAreAllBuilt)
{
    WriteComponent(QStringLiteral("many.n"), 60);
    SpecStandardTable table = Standard();
    ASSERT_EQ(table.AddComponent(QStringLiteral("a"), QStringLiteral("many.n"), QString(), QString(), QString()), 0);
    ASSERT_EQ(table.AddComponent(QStringLiteral("b"), QStringLiteral("many.n"), QString(), QString(), QString()), 1);
    const QString path = dir_.write(QStringLiteral("big.nst"), table.Write());
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(path, dir_.read(QStringLiteral("big.nst")), &error));
    EXPECT_TRUE(prompt_.texts().empty());
    ASSERT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(Elements(*doc.GetSection(0)), 120);
}

TEST_F(DocumentStandard, ADamagedStandardLeavesAnEmptyDrawing)
{
    QByteArray bytes = Standard().Write();
    bytes.chop(1);
    CMorvekDoc doc;
    QString error;
    EXPECT_FALSE(doc.LoadFile(dir_.write(QStringLiteral("cut.nst"), bytes), bytes, &error));
    EXPECT_TRUE(doc.IsLoadRefused());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(doc.GetSectionCount(), 1);
}

TEST_F(DocumentStandard, ABuiltDrawingIsNamedAfterItsStandardAndACounter)
{
    const QString path = dir_.write(QStringLiteral("tray.nst"), Standard().Write());
    int counter = 0;
    for (const char* expected : {"tray_std1.n", "tray_std2.n"}) {
        CMorvekDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        doc.RenameLoadedStandard(counter);
        EXPECT_EQ(doc.GetPathName(), dir_.file(QString::fromLatin1(expected)));
        EXPECT_TRUE(doc.IsModified());
    }
}

} // namespace
