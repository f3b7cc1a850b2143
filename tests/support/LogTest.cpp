#include "support/Log.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QDateTime march7()
{
    return QDateTime(QDate(2009, 3, 7), QTime(9, 5, 3));
}

// The location a line of this file carries.
QByteArray at(int line)
{
    return " [tests/support/LogTest.cpp:" + QByteArray::number(line) + "]";
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
    const int first = __LINE__ + 1;
    EXPECT_TRUE(log->Write("Section::AddArc0( long ..)", Log::Section));
    EXPECT_FALSE(log->Write("CNodePoint::Move", Log::Node));
    // Several bits: written when any is in the mask, under the label of no single category.
    const int several = __LINE__ + 1;
    EXPECT_TRUE(log->Write(QStringLiteral("several"), Log::Node | Log::Section));
    EXPECT_EQ(dir.read(QStringLiteral("trace.log")),
              "2009- 3- 7 ( 9: 5: 3) - Section :  Section::AddArc0( long ..)" + at(first)
                  + "\n2009- 3- 7 ( 9: 5: 3) - Unknown :  several" + at(several) + "\n");
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
        const int line = __LINE__ + 1;
        EXPECT_TRUE(log->Write("m", c.category));
        EXPECT_EQ(dir.read(QStringLiteral("labels.log")),
                  QByteArray("2009- 3- 7 ( 9: 5: 3) - ") + c.label + "m" + at(line) + "\n")
            << c.category;
    }
}

// A line without a text names the calling function as the compiler does, so
// the name follows a renamed or changed function.
int TracedOperation(Log::CLog& log, int category)
{
    const int line = __LINE__ + 1;
    EXPECT_TRUE(log.Trace(category));
    return line;
}

TEST(Log, TraceNamesTheCallingFunctionAndWhereItCalled)
{
    test::TempDir dir;
    auto log = openLog(dir.file(QStringLiteral("trace.log")), Log::Undo);
    const int line = TracedOperation(*log, Log::Undo);
    EXPECT_FALSE(log->Trace(Log::Section));
    const QByteArray text = dir.read(QStringLiteral("trace.log"));
    EXPECT_TRUE(text.startsWith("2009- 3- 7 ( 9: 5: 3) - Undo :     ")) << text.constData();
    EXPECT_TRUE(text.contains("TracedOperation(")) << text.constData();
    EXPECT_TRUE(text.endsWith(at(line) + "\n")) << text.constData();
    EXPECT_EQ(text.count('\n'), 1);
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
