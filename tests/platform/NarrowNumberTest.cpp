// Numbers read from narrow text agree with the wide reader to the bit.
#include "platform/NarrowNumber.h"

#include "platform/CFormat.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>

namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(NarrowNumber, ReadsAsTheWideReaderOnRandomNumbers)
{
    std::mt19937 random(815);
    const char alphabet[] = "0123456789000.-+eE  x";
    std::vector<std::string> inputs = {"-0.0", "0.1", "9007199254740993", "9007199254740992.5", "123456789012345678901",
                                       "1e400", "1e-400", ".5", "5.", ".", "-.e5", "  -12.5e+3x", "0.000000000000000000000001",
                                       "17976931348623157" + std::string(292, '0'), "4.9e-324", "2.2250738585072011e-308",
                                       // the edges of the one-division path: 2^53, 19 and 20 digits, 22 and 23 decimals
                                       "9007199254740992", "-900719925474099.2", "1234567890123456789", "12345678901234567890",
                                       "0.0000000000000000000001", "0.00000000000000000000001", "-0.1234567890123456789",
                                       "4.35\r", "17\t"};
    for (int i = 0; i < 50000; ++i) {
        std::string s;
        const int length = 1 + static_cast<int>(random() % 26);
        for (int k = 0; k < length; ++k)
            s += alphabet[random() % (sizeof alphabet - 1)];
        inputs.push_back(s);
    }
    for (const std::string& s : inputs) {
        double narrow = -1.0, wide = -2.0;
        const qsizetype n = platform::readLeadingDouble(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())), narrow);
        const qsizetype w = platform::readLeadingDouble(QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())), wide);
        EXPECT_EQ(n, w) << s;
        EXPECT_TRUE(SameBits(narrow, wide)) << s << ": " << narrow << " vs " << wide;
        // Both agree with the full conversion of the number they found.
        std::size_t start = s.find_first_not_of(' ');
        if (n == 0 || start == std::string::npos)
            continue;
        const bool negative = s[start] == '-';
        start += (s[start] == '-' || s[start] == '+') ? 1 : 0;
        double full = 0.0;
        const auto r = std::from_chars(s.data() + start, s.data() + n, full, std::chars_format::general);
        if (r.ec == std::errc()) {
            EXPECT_TRUE(SameBits(narrow, negative ? -full : full)) << s;
        }
    }
}
