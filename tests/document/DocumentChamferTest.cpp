#include "document/MorvekDoc.h"

#include "element/Line.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A right-angled corner on the current section; the remembered values decide.
class DocumentChamfer : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = doc.GetCurrentSection()->AddLine3(0, 0, 30, 0, true, 1).Get();
        b = doc.GetCurrentSection()->AddLine3(0, 0, 0, 30, true, 1).Get();
        ASSERT_TRUE(a && b);
    }
    void SetValues(std::initializer_list<double> values)
    {
        std::copy(values.begin(), values.end(), doc.Remembered().chamfer);
    }

    CMorvekDoc doc;
    CElement* a = nullptr;
    CElement* b = nullptr;
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> promptGuard = platform::installPrompt(prompt);
};

TEST_F(DocumentChamfer, AChamferMadeFromTheValuesSaysNothing)
{
    SetValues({5, 5, 0, 0, 0});
    doc.ChamferLines(a, b, 20, 0, 0, 20);
    EXPECT_NE(doc.GetCurrentSection()->GetElement(2), nullptr); // the chamfer line
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(DocumentChamfer, ValuesThatMakeNoChamferAreReportedOnce)
{
    for (const auto& values : {std::vector<double>{0, 0, 0, 0, 0}, std::vector<double>{40, 40, 0, 0, 0}}) {
        std::copy(values.begin(), values.end(), doc.Remembered().chamfer);
        doc.ChamferLines(a, b, 20, 0, 0, 20);
    }
    EXPECT_EQ(prompt.texts().size(), 2);
    EXPECT_EQ(doc.GetCurrentSection()->GetElement(2), nullptr);
}

TEST_F(DocumentChamfer, ParallelLinesOrOneLineTwiceAreLeftSilently)
{
    SetValues({5, 5, 0, 0, 0});
    CElement* c = doc.GetCurrentSection()->AddLine3(0, 10, 30, 10, true, 1).Get();
    doc.ChamferLines(a, c, 20, 0, 20, 10);
    doc.ChamferLines(a, a, 20, 0, 10, 0);
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_EQ(doc.GetCurrentSection()->GetElement(3), nullptr);
}

} // namespace
