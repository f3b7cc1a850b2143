#include "support/Log.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QDateTime march7()
{
    return QDateTime(QDate(2009, 3, 7), QTime(9, 5, 3));
}

std::unique_ptr<Log::CLog> openLog(const QString& path, int mask)
{
    auto log = std::make_unique<Log::CLog>();
    log->SetClock(march7);
    EXPECT_TRUE(log->Open(path, mask));
    return log;
}

TEST(Log, ClosedLogWritesNothing)
{
    Log::CLog log;
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(log.Mask(), 0);
    for (int category : {0, 1, 8, 64, 256, -1})
        EXPECT_FALSE(log.Write("Section::AddArc0( long ..)", category)) << category;
    EXPECT_FALSE(Log::TheLog().IsOpen());
    EXPECT_EQ(Log::TheLog().Mask(), 0);
}

TEST(Log, WritesOnlyTheCategoriesOfTheMaskAndClosesWithProgramEnd)
{
    test::TempDir dir;
    auto log = openLog(dir.file(QStringLiteral("trace.log")), Log::Section);
    EXPECT_TRUE(log->Write("Section::AddArc0( long ..)", Log::Section));
    EXPECT_FALSE(log->Write("CNodePoint::Move", Log::Node));
    // Several bits: written when any is in the mask, under the label of no single category.
    EXPECT_TRUE(log->Write(QStringLiteral("several"), Log::Node | Log::Section));
    EXPECT_EQ(dir.read(QStringLiteral("trace.log")),
              QByteArray("2009- 3- 7 ( 9: 5: 3) - Section :  Section::AddArc0( long ..)\n"
                         "2009- 3- 7 ( 9: 5: 3) - Unknown :  several\n"));
    log.reset();
    EXPECT_TRUE(dir.read(QStringLiteral("trace.log")).endsWith("2009- 3- 7 ( 9: 5: 3) -  :         Program end\n"));
}

TEST(Log, LabelsOfTheCategories)
{
    const struct {
        int category;
        const char* label;
    } cases[] = {
        {Log::Macro, "Macro :    "},   {Log::Language, "Language : "}, {Log::Node, "Node :     "},
        {Log::Section, "Section :  "}, {Log::Element, "Element :  "},  {Log::Drawing, "Drawing :  "},
        {Log::Undo, "Undo :     "},    {256, "Unknown :  "},           {3, "Unknown :  "},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        auto log = openLog(dir.file(QStringLiteral("labels.log")), -1);
        EXPECT_TRUE(log->Write("m", c.category));
        EXPECT_EQ(dir.read(QStringLiteral("labels.log")),
                  QByteArray("2009- 3- 7 ( 9: 5: 3) - ") + c.label + "m\n")
            << c.category;
    }
}

TEST(Log, AFileThatCannotBeCreatedLeavesTheLogClosed)
{
    test::TempDir dir;
    const QString blocker = dir.write(QStringLiteral("blocker"), "old");
    Log::CLog log;
    EXPECT_FALSE(log.Open(blocker + QStringLiteral("/trace.log"), -1));
    EXPECT_FALSE(log.Write("m", Log::Section));
    EXPECT_EQ(dir.read(QStringLiteral("blocker")), QByteArray("old"));
}

} // namespace
