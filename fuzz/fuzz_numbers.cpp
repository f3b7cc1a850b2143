// The locale-free numbers: the leading-number conversions and the printf
// formatting. The input is a text to convert and, after a NUL byte, a format
// to apply to a fixed set of arguments.
#include "common/FuzzSupport.h"

#include "platform/CFormat.h"
#include "settings/ConfigValue.h"

#include <cmath>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 2);
    const QString text = QString::fromUtf8(parts[0]);

    const double value = platform::wtof(text);
    fuzz::Check(std::isfinite(value), "wtof gave a value that is not finite", text);
    const qsizetype length = platform::leadingNumberLength(text);
    fuzz::Check(length >= 0 && length <= text.size(), "the leading number runs outside the text", text);
    fuzz::Check(platform::wtof(QStringView(text).first(length)) == value,
                "wtof reads more than the leading number", text);
    if (length == 0)
        fuzz::Check(value == 0.0, "a text without a number has a value", text);

    // Every number written as the model writes it reads back.
    const QString exact = platform::cformat("%.17g", value);
    fuzz::Check(platform::wtof(exact) == value, "%.17g does not read back",
                text + QStringLiteral(" -> ") + exact);
    const QString shortest = ConfigValue::FormatDouble(value);
    const double read = platform::wtof(shortest);
    fuzz::Check(std::fabs(read - value) <= 5e-7 + std::fabs(value) * 1e-15, "FormatDouble does not read back",
                text + QStringLiteral(" -> ") + shortest);
    (void)platform::cformat("%f|%e|%g|%#f|%+.4f|%10.3E", value, value, value, value, value, value);

    const int integer = platform::wtoi(text);
    fuzz::Check(platform::wtoi(platform::cformat("%d", integer)) == integer, "%d does not read back", text);
    (void)platform::cformat("%x|%X|%o|%u|%+05d|%-8i|%c", integer, integer, integer, integer, integer, integer,
                            integer);

    (void)ConfigValue::ParseColour(text);
    (void)ConfigValue::IsColourText(text);
    for (int type = 0; type <= 4; ++type)
        (void)ConfigValue::EqualsApprox(text, exact, type);

    // Any format with arguments of every kind.
    const QByteArray format = parts[1];
    (void)platform::cformatList(format.constData(), {integer, value, text, "c-text", 7u, -3LL});
    (void)platform::cformatList(format.constData(), {});
    return 0;
}
