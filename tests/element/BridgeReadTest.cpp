// A bridge read from a file must be a number: NaN or an infinity cannot be
// ordered, and the drawing would save differently each time.
#include "element/ElementBaseRecord.h"

#include "platform/BinaryStream.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QByteArray RecordWithBridge(double position, double width)
{
    platform::BinaryWriter out;
    out.writeInt32(1); // line type
    out.writeInt32(2); // bridges
    for (const double at : {5.0, position}) {
        out.writeInt32(0);
        out.writeInt32(0);
        out.writeDouble(at);
        out.writeDouble(at == 5.0 ? 2.0 : width);
    }
    out.writeDouble(0.0);
    out.writeInt32(0);
    out.writeInt32(0);
    out.writeDouble(0.0);
    out.writeInt32(0);
    return out.take();
}

TEST(BridgeRead, BridgesThatAreNotNumbersAreRefused)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        double position, width;
        bool read;
    } cases[] = {
        {"numbers", 20.0, 3.0, true},
        {"NaN position", nan, 3.0, false},
        {"infinite position", -inf, 3.0, false},
        {"NaN width", 20.0, nan, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray bytes = RecordWithBridge(c.position, c.width);
        platform::BinaryReader in(bytes);
        const auto record = ReadElementBaseRecord(in, 4);
        EXPECT_EQ(record.has_value(), c.read);
        if (c.read) {
            ASSERT_EQ(record->bridges.Count(), 2);
            EXPECT_EQ(record->bridges[1].position, 20.0);
        } else {
            EXPECT_TRUE(in.error().contains(QLatin1String("not a number"))) << in.error().toStdString();
        }
    }
}

} // namespace
