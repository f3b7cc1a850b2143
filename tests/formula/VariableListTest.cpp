#include <gtest/gtest.h>

#include "formula/VariableList.h"

namespace {

TEST(VariableListTest, SubstitutesWholeWords)
{
    VariableList list;
    list.Add("W", "S1_W");
    const struct {
        const char* text;
        const char* result;
        bool found;
    } cases[] = {
        {"W+1", "S1_W+1", true},
        {"W_2+1", "W_2+1", false},
        {"2W", "2W", false},
        {"W.5", "S1_W.5", true},
        {"if W>1 then W else 0", "if S1_W>1 then S1_W else 0", true},
        {"ifW>1", "ifW>1", false},
        {"W!=1", "W!=1", false},
        {"(W)*W", "(S1_W)*S1_W", true},
        {"W\tW", "W\tW", false},
        {"", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list.Substitute(QString::fromUtf8(c.text)), c.result) << c.text;
        EXPECT_EQ(list.Found(), c.found) << c.text;
    }
}

TEST(VariableListTest, FirstPairOfANameWinsAndEmptyListChangesNothing)
{
    VariableList list;
    EXPECT_EQ(list.Substitute(u"A+AB*(A)"), "A+AB*(A)");
    EXPECT_FALSE(list.Found());
    list.Add("A", "Len");
    list.Add("A", "Other");
    EXPECT_EQ(list.Substitute(u"A+AB*(A)"), "Len+AB*(Len)");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Substitute(u"A"), "A");
}

TEST(VariableListTest, Delimiters)
{
    EXPECT_TRUE(VariableList::IsDelimiter(u","));
    EXPECT_TRUE(VariableList::IsDelimiter(u" "));
    EXPECT_FALSE(VariableList::IsDelimiter(u"!"));
    EXPECT_FALSE(VariableList::IsDelimiter(u"+-"));
    EXPECT_FALSE(VariableList::IsDelimiter(u""));
}

} // namespace
