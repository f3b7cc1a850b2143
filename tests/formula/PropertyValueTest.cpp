#include <gtest/gtest.h>

#include "formula/PropertyValue.h"

#include <vector>

namespace {

TEST(PropertyValueTest, TextForms)
{
    PropertyValue v;
    EXPECT_EQ(v.ToText(), "(Nogroup, Noname) = [0]");
    v.SetPoint("Arc", "StartPt", {10, 20});
    EXPECT_EQ(v.ToText(), "(Arc, StartPt) = [10.000000,20.000000]");
    v.SetInt("Element", "LineType", 5);
    EXPECT_EQ(v.ToText(), "(Element, LineType) = [5]");
    v.SetDouble("Cuir", "Radius", 2.5);
    EXPECT_EQ(v.ToText(), "(Cuir, Radius) = [2.500000]");
    v.SetBool("G", "Flag", true);
    EXPECT_EQ(v.ToText(), "(G, Flag) = [True]");
    v.SetBool("G", "Flag", false);
    EXPECT_EQ(v.ToText(), "(G, Flag) = [False]");
    v.SetText("G", "Name", "Box");
    EXPECT_EQ(v.ToText(), "(G, Name) = ['Box']");
    v.Clear();
    EXPECT_EQ(v.Type(), PropertyType::Integer);
    EXPECT_EQ(v.ToText(), "(G, Name) = [0]");
}

TEST(PropertyValueTest, CopiesAreDeep)
{
    std::vector<PropertyValue> list;
    {
        PropertyValue source;
        source.SetPoint("Arc", "CenterPt", {1.5, -2});
        list.push_back(source);
        source.SetInt("Arc", "CenterPt", 3); // replaces the point
        EXPECT_EQ(source.Point().x, 0.0);
    }
    EXPECT_EQ(list[0].Type(), PropertyType::Point);
    EXPECT_EQ(list[0].Point().x, 1.5);
    EXPECT_EQ(list[0].Point().y, -2.0);
    EXPECT_EQ(list[0].Group(), "Arc");
}

} // namespace
