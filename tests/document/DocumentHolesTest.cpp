#include "document/MorvekDoc.h"

#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Martin.h"
#include "platform/BinaryStream.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

// The machine symbols of a drawing: saved, read and saved again to the same
// bytes, each of its own class with its values.
TEST(DocumentHoles, HolesRoundTripByteForByte)
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    BobstAsmParams p;
    p.SetPreset1();
    p.rotation = 2.5;
    (void)s->AddMartinHole(100, 0, 3, 4, true);
    (void)s->AddBobstHole(200, 0, 2, 4, true);
    (void)s->AddBobstSPHole(300, 0, 2, 4, true);
    (void)s->AddBobstAt(400, 0, p, true);
    const QByteArray written = doc.WriteFile();

    CMorvekDoc read;
    QString error;
    ASSERT_TRUE(read.LoadFile(QStringLiteral("holes.n"), written, &error)) << error.toStdString();
    EXPECT_TRUE(read.WriteFile() == written);
    const Section* back = read.GetSection(0);
    const auto* martin = dynamic_cast<const CMartin*>(back->GetElement(0));
    ASSERT_NE(martin, nullptr);
    EXPECT_EQ(martin->GetHorizontalCount(), 3);
    EXPECT_EQ(martin->GetVerticalCount(), 4);
    EXPECT_EQ(read.Nodes().GetNode(martin->GetNode())->GetX(), 100);
    // The Bobst patterns store no counts: read back they are 0.
    const auto* spo = dynamic_cast<const CBobst*>(back->GetElement(1));
    ASSERT_NE(spo, nullptr);
    EXPECT_EQ(spo->GetVerticalCount(), 0);
    ASSERT_NE(dynamic_cast<const CBobstSP*>(back->GetElement(2)), nullptr);
    const auto* hole = dynamic_cast<const CBobstAsm*>(back->GetElement(3));
    ASSERT_NE(hole, nullptr);
    EXPECT_EQ(hole->GetParams(), p);
}

// A Martin record whose count is out of range fails the load with its reason.
TEST(DocumentHoles, MartinCountOutOfRangeFailsTheLoad)
{
    CMorvekDoc doc;
    (void)doc.GetSection(0)->AddMartinHole(100, 0, 3, 4, true);
    QByteArray file = doc.WriteFile();
    platform::BinaryWriter counts;
    counts.writeDouble(3.0);
    counts.writeDouble(4.0);
    const QByteArray stored = counts.take();
    const qsizetype at = file.indexOf(stored);
    ASSERT_GT(at, 0);
    platform::BinaryWriter huge;
    huge.writeDouble(3.0);
    huge.writeDouble(1e9);
    file.replace(at, stored.size(), huge.take());
    CMorvekDoc read;
    QString error;
    EXPECT_FALSE(read.LoadFile(QStringLiteral("holes.n"), file, &error));
    EXPECT_TRUE(error.contains(QLatin1String("Martin hole count"))) << error.toStdString();
}

} // namespace
