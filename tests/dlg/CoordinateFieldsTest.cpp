// The coordinate dialog's rules: typing one form of the offset rewrites the
// other, keeping fixed the value the user left last; the typed field itself
// is never rewritten.
#include "dlg/CoordinateFields.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using F = dlg::CoordinateFields;

struct Op {
    enum Kind { Set, Leave, Edit } kind;
    F::Field field;
    const char* text = "";
};

struct Expect {
    F::Field field;
    const char* text;
};

struct Case {
    const char* name;
    std::vector<Op> ops;
    std::vector<Expect> expect;
};

TEST(CoordinateFields, TypingOneFormRewritesTheOther)
{
    const Case cases[] = {
        {"dX with dY left last (the start)",
         {{Op::Set, F::DeltaY, "4.0000"}, {Op::Edit, F::DeltaX, "3"}},
         {{F::DeltaX, "3"}, {F::DeltaY, "4.0000"}, {F::Distance, "5.0000"}, {F::Angle, "53.1301"}}},
        {"dY with dX left last",
         {{Op::Set, F::DeltaX, "0.0000"}, {Op::Leave, F::DeltaX}, {Op::Edit, F::DeltaY, "-2"}},
         {{F::DeltaX, "0.0000"}, {F::Distance, "2.0000"}, {F::Angle, "-90.0000"}}},
        {"a negative dX keeps its quadrant",
         {{Op::Set, F::DeltaY, "0.0000"}, {Op::Edit, F::DeltaX, "-10"}},
         {{F::Distance, "10.0000"}, {F::Angle, "180.0000"}}},
        {"dX along a kept angle below the axis",
         {{Op::Set, F::Angle, "-30"}, {Op::Leave, F::Angle}, {Op::Edit, F::DeltaX, "10"}},
         {{F::Distance, "11.5470"}, {F::DeltaY, "-5.7735"}, {F::Angle, "-30"}}},
        {"dX across a kept angle of 90",
         {{Op::Set, F::Angle, "90"}, {Op::Leave, F::Angle}, {Op::Edit, F::DeltaX, "10"}},
         {{F::Distance, "0.0000"}, {F::DeltaY, "0.0000"}}},
        {"dX within a kept distance",
         {{Op::Set, F::DeltaY, "-1"}, {Op::Set, F::Distance, "5"}, {Op::Leave, F::Distance}, {Op::Edit, F::DeltaX, "3"}},
         {{F::DeltaY, "-4.0000"}, {F::Angle, "-53.1301"}, {F::Distance, "5"}}},
        {"dX longer than a kept distance changes nothing",
         {{Op::Set, F::DeltaY, "1"}, {Op::Set, F::Distance, "5"}, {Op::Set, F::Angle, "7"}, {Op::Leave, F::Distance},
          {Op::Edit, F::DeltaX, "6"}},
         {{F::DeltaX, "6"}, {F::DeltaY, "1"}, {F::Angle, "7"}}},
        {"dX while dX was left last",
         {{Op::Set, F::DeltaY, "4"}, {Op::Leave, F::DeltaX}, {Op::Edit, F::DeltaX, "3"}},
         {{F::Distance, ""}, {F::Angle, ""}}},
        {"distance 10 at angle 0",
         {{Op::Set, F::Angle, "0"}, {Op::Edit, F::Distance, "10"}},
         {{F::DeltaX, "10.000000"}, {F::DeltaY, "0.000000"}, {F::Distance, "10"}}},
        {"distance 10 at angle 90 lies straight up",
         {{Op::Set, F::Distance, "10"}, {Op::Edit, F::Angle, "90"}},
         {{F::DeltaX, "0.000000"}, {F::DeltaY, "10.000000"}}},
        {"distance 10 at angle 180: no negative zero",
         {{Op::Set, F::Distance, "10"}, {Op::Edit, F::Angle, "180"}},
         {{F::DeltaX, "-10.000000"}, {F::DeltaY, "0.000000"}}},
        {"the angle in thousandths",
         {{Op::Set, F::Distance, "1"}, {Op::Edit, F::Angle, "30"}},
         {{F::DeltaX, "0.866000"}, {F::DeltaY, "0.500000"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        F fields;
        EXPECT_EQ(fields.LastLeft(), F::DeltaY);
        for (const Op& op : c.ops) {
            const QString text = QString::fromLatin1(op.text);
            switch (op.kind) {
            case Op::Set: fields.Set(op.field, text); break;
            case Op::Leave: fields.Leave(op.field); break;
            case Op::Edit: fields.Edit(op.field, text); break;
            }
        }
        for (const Expect& e : c.expect)
            EXPECT_EQ(fields.Text(e.field), QString::fromLatin1(e.text)) << "field " << e.field;
    }
}

TEST(CoordinateFields, TheResultIsTheBaseMovedByTheOffset)
{
    F fields;
    fields.Set(F::BaseX, QStringLiteral("10.0000"));
    fields.Set(F::BaseY, QStringLiteral("-20.5000"));
    fields.Set(F::DeltaX, QStringLiteral("0.0000"));
    fields.Set(F::DeltaY, QStringLiteral("0.0000"));
    EXPECT_DOUBLE_EQ(fields.Result().x, 10.0);
    EXPECT_DOUBLE_EQ(fields.Result().y, -20.5);

    fields.Set(F::Distance, QStringLiteral("2"));
    fields.Edit(F::Angle, QStringLiteral("90"));
    fields.Edit(F::BaseX, QStringLiteral("no number")); // reads as 0
    EXPECT_DOUBLE_EQ(fields.Result().x, 0.0);
    EXPECT_DOUBLE_EQ(fields.Result().y, -18.5);
}

TEST(CoordinateFields, OnlyTheOffsetAndPolarFieldsAreKeptFixed)
{
    F fields;
    fields.Leave(F::Distance);
    fields.Leave(F::BaseX);
    EXPECT_EQ(fields.LastLeft(), F::Distance);
}

} // namespace
