// The reader over the file's bytes: the encoding found as the text files'
// decoder finds it, lines ended every way, and only kept strings decoded.
#include "exchange/dxf/DxfBytes.h"
#include "exchange/dxf/DxfReader.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <random>

namespace {

// A model-space text and a line on layer "Maß"; `ending` between lines.
QByteArray Drawing(const char* ending)
{
    const char* const lines[] = {"  0", "SECTION", "  2", "ENTITIES", "  0", "TEXT", "  8", "INK", " 10", "1.5",
                                 " 20", "2", " 40", "3", "  1", "Größe Ø 5", "  0", "LINE", "  8", "Maß",
                                 " 10", "0", " 20", "0", " 11", "10.25", " 21", "-4", "  0", "ENDSEC", "  0", "EOF"};
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + ending;
    return out;
}

QByteArray Windows1252(const QByteArray& utf8)
{
    QByteArray out;
    for (const QChar c : QString::fromUtf8(utf8))
        out += static_cast<char>(c.unicode() <= 0xFF ? c.unicode() : '?');
    return out;
}

} // namespace

TEST(DxfBytes, EveryEncodingAndLineEndReadsTheSameDrawing)
{
    for (const char* ending : {"\r\n", "\n", "\r"}) {
        const QByteArray utf8 = Drawing(ending);
        const QString text = QString::fromUtf8(utf8);
        QByteArray utf16 = QByteArray("\xFF\xFE", 2);
        utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        const struct {
            const char* what;
            QByteArray bytes;
        } cases[] = {
            {"UTF-8", utf8},
            {"UTF-8 with its mark", QByteArray("\xEF\xBB\xBF") + utf8},
            {"Windows-1252", Windows1252(utf8)},
            {"UTF-16LE", utf16},
        };
        for (const auto& c : cases) {
            DxfReader reader;
            ASSERT_TRUE(reader.Read(c.bytes)) << c.what << ": " << reader.Error().toStdString();
            const DxfBlock& m = reader.ModelSpace();
            ASSERT_EQ(m.texts.size(), 1u) << c.what;
            ASSERT_EQ(m.lines.size(), 1u) << c.what;
            EXPECT_EQ(m.texts[0].text, QString::fromUtf8("Größe Ø 5")) << c.what;
            EXPECT_EQ(m.texts[0].at, die::coord(1.5, 2)) << c.what;
            EXPECT_EQ(m.lines[0].layer, QString::fromUtf8("Maß")) << c.what;
            EXPECT_EQ(m.lines[0].end, die::coord(10.25, -4)) << c.what;
        }
    }
}

TEST(DxfBytes, AnErrorQuotesTheDecodedValue)
{
    DxfReader reader;
    EXPECT_FALSE(reader.Read(QByteArray("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nÄ12\n")));
    EXPECT_EQ(reader.Error(), QString::fromUtf8("line 8: a number was expected, not \"Ä12\""));
}

TEST(DxfBytes, Utf8IsValidExactlyWhenTheDecoderTakesIt)
{
    const char* const fixed[] = {"\xC0\x80", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
                                 "\xE2\x82", "\xC3\xA4", "\xF0\x9F\x98\x80", "\xEF\xBF\xBF", "a\x80"};
    std::mt19937 random(4711);
    std::vector<QByteArray> inputs(std::begin(fixed), std::end(fixed));
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes;
        const int length = static_cast<int>(random() % 12);
        for (int k = 0; k < length; ++k) {
            const unsigned r = random();
            // Mostly lead and continuation bytes, some ASCII.
            bytes += static_cast<char>(r % 4 == 0 ? 'a' + r % 26 : 0x80 + (r >> 8) % 0x80);
        }
        inputs.push_back(bytes);
    }
    for (const QByteArray& bytes : inputs) {
        auto decode = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        (void)QString(decode(bytes));
        EXPECT_EQ(dxf::IsValidUtf8(bytes), !decode.hasError()) << bytes.toHex().toStdString();
    }
}

TEST(DxfBytes, GroupCodes)
{
    const struct {
        const char* line;
        bool ok;
        int code;
    } cases[] = {{"  0", true, 0}, {" 10 ", true, 10}, {"-5", true, -5}, {"+7\t", true, 7}, {"999999999", true, 999999999},
                 {"1000000000", false, 0}, {"", false, 0}, {" 1 0", false, 0}, {"1.0", false, 0}, {"-", false, 0}};
    for (const auto& c : cases) {
        int code = -1;
        EXPECT_EQ(dxf::ParseCode(c.line, code), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(code, c.code) << c.line;
        }
    }
}

// The walker against a byte-by-byte split on random text: the same lines
// (tabs and other control bytes inside, ends of every kind, a last line with
// and without its end), and a plain group code read exactly when the
// line's own reading would give it.
TEST(DxfBytes, WalkerSplitsAsAByteByByteSplit)
{
    std::mt19937 random(4711);
    const char alphabet[] = "0123456789  \t\v\r\n\r\nAB.-\xC3\xA4\x80\x0C\x0E";
    for (int round = 0; round < 3000; ++round) {
        QByteArray text;
        const int length = static_cast<int>(random() % 60);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % (sizeof alphabet - 1)];
        std::vector<QByteArray> expected;
        qsizetype from = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i == text.size()) {
                if (from < text.size())
                    expected.push_back(text.mid(from));
                break;
            }
            if (text[i] != '\n' && text[i] != '\r')
                continue;
            expected.push_back(text.mid(from, i - from));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            from = i + 1;
        }
        dxf::LineWalker walker(text);
        size_t at = 0;
        while (!walker.AtEnd()) {
            ASSERT_LT(at, expected.size()) << text.toHex().constData();
            int plain = -1;
            dxf::LineWalker before = walker;
            if (walker.NextPlainCode(plain)) {
                int code = -1;
                EXPECT_TRUE(dxf::ParseCode(expected[at], code)) << text.toHex().constData();
                EXPECT_EQ(plain, code) << text.toHex().constData();
                EXPECT_EQ(before.Next(), QByteArrayView(expected[at])) << text.toHex().constData();
            } else {
                EXPECT_EQ(walker.Next(), QByteArrayView(expected[at])) << text.toHex().constData();
            }
            ++at;
        }
        EXPECT_EQ(at, expected.size()) << text.toHex().constData();
    }
}
