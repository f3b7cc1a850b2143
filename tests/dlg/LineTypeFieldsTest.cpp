// The line type properties dialog's rules: the proposed id, the kinds and
// fields offered, width against pen style, and what OK writes back.
#include "dlg/LineTypeFields.h"

#include <gtest/gtest.h>

namespace {

using dlg::LineTypeFields;

Linetype Record(int kind)
{
    Linetype record;
    record.kind = kind;
    record.subtype1 = 3;
    record.subtype2 = 4;
    record.data1 = 5.0;
    record.data2 = 6.0;
    record.data3 = 7.0;
    record.width = 2;
    return record;
}

TEST(LineTypeFields, ProposedIdIsTheFirstGapFromZero)
{
    struct Case {
        std::set<int> taken;
        int expected;
    } cases[] = {
        {{0, 1, 2, 5}, 3},
        {{1, 2, 3}, 0},
        {{}, 0},
        {{0, 1, 2}, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LineTypeFields::ProposeId(c.taken), c.expected);
}

TEST(LineTypeFields, NewLineTypeGetsIdAndName)
{
    Linetype record = Record(LinetypeKind::Standard);
    int id = -1;
    LineTypeFields fields(record, std::set<int>{0, 1, 2, 5}, id);
    EXPECT_EQ(fields.id, 3);
    EXPECT_EQ(fields.name, "Linetype 3");
    ASSERT_TRUE(fields.Accept(record, id));
    EXPECT_EQ(id, 3);
    EXPECT_EQ(record.name, "Linetype 3");
}

TEST(LineTypeFields, KindsOfferedAndFieldsEnabled)
{
    const LineTypeFields internal(Record(LinetypeKind::Internal), std::set<int>{}, 122);
    EXPECT_EQ(internal.KindItems(), std::vector<int>{LinetypeKind::Internal});
    EXPECT_FALSE(internal.KindEnabled());
    EXPECT_FALSE(internal.IdEnabled()); // its id stays, taken ids or not
    const LineTypeFields display(Record(LinetypeKind::Display), std::set<int>{}, 1000);
    EXPECT_EQ(display.KindItems(), std::vector<int>{LinetypeKind::Display});

    const LineTypeFields standard(Record(LinetypeKind::Standard), std::nullopt, 4);
    EXPECT_EQ(standard.KindItems().size(), 4u);
    EXPECT_TRUE(standard.KindEnabled());
    EXPECT_FALSE(standard.IdEnabled()); // no taken ids: the id is fixed

    // kind: data 1 to 3, subtype 1 and 2 enabled
    struct Case {
        int kind;
        bool data[3];
        bool subtype[2];
    } cases[] = {
        {LinetypeKind::Standard, {false, false, false}, {false, false}},
        {LinetypeKind::Wave, {true, true, false}, {true, false}},
        {LinetypeKind::Tear, {true, true, true}, {true, false}},
        {LinetypeKind::Mixed, {true, true, false}, {true, true}},
    };
    for (const Case& c : cases) {
        LineTypeFields fields(Record(LinetypeKind::Standard), std::set<int>{}, 4);
        fields.kind = c.kind;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(fields.DataEnabled(i + 1), c.data[i]) << c.kind << " data " << i + 1;
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(fields.SubtypeEnabled(i + 1), c.subtype[i]) << c.kind << " subtype " << i + 1;
    }
}

TEST(LineTypeFields, WidthAndStyleRules)
{
    LineTypeFields fields(Record(LinetypeKind::Standard), std::nullopt, 4);
    fields.SetWidth(4);
    fields.SetStyle(LinetypeStyle::Dash);
    EXPECT_EQ(fields.width, 1);
    fields.SetStyle(LinetypeStyle::Dot);
    fields.SetWidth(3);
    EXPECT_EQ(fields.style, LinetypeStyle::Solid);
    EXPECT_EQ(fields.width, 3);
    fields.SetWidth(0);
    EXPECT_EQ(fields.width, 1);
    // No file reads a pen wider than the largest width back.
    fields.SetWidth(Linetype::MaxWidth + 1);
    EXPECT_EQ(fields.width, Linetype::MaxWidth);
}

TEST(LineTypeFields, OkStoresOnlyWhatTheKindUses)
{
    // A wave stores data 3 as 0; a tear's negative data become 0.
    Linetype wave = Record(LinetypeKind::Wave);
    int id = 8;
    ASSERT_TRUE(LineTypeFields(wave, std::nullopt, id).Accept(wave, id));
    EXPECT_EQ(wave.data1, 5.0);
    EXPECT_EQ(wave.data3, 0.0);
    EXPECT_EQ(wave.subtype1, 3);
    EXPECT_EQ(wave.subtype2, -1);

    Linetype tear = Record(LinetypeKind::Tear);
    LineTypeFields fields(tear, std::nullopt, id);
    fields.data[1] = -2.0;
    ASSERT_TRUE(fields.Accept(tear, id));
    EXPECT_EQ(tear.data2, 0.0);
    EXPECT_EQ(tear.data3, 7.0);
}

TEST(LineTypeFields, ChangedIdMustBeFree)
{
    const std::set<int> taken{0, 1, 2, 5, 1000};
    struct Case {
        int newId;
        bool accepted;
    } cases[] = {
        {5, false},
        {1000, false},
        {7, true},
        {2, true}, // unchanged
        // A line-type file cannot hold a negative number: the line type
        // would be gone after the next start.
        {-4, false},
    };
    for (const Case& c : cases) {
        Linetype record = Record(LinetypeKind::Standard);
        int id = 2;
        LineTypeFields fields(record, taken, id);
        fields.id = c.newId;
        EXPECT_EQ(fields.Accept(record, id), c.accepted) << c.newId;
        EXPECT_EQ(id, c.accepted ? c.newId : 2) << c.newId;
    }
    // Without taken ids the id cannot change.
    Linetype record = Record(LinetypeKind::Standard);
    int id = 2;
    LineTypeFields fixed(record, std::nullopt, id);
    fixed.id = 9;
    EXPECT_FALSE(fixed.Accept(record, id));
}

} // namespace
