#pragma once
// One value of a settings file: its text and a type code recording how the
// value was last read or written. The type decides how the value is compared
// with the factory default when the differences are written.
#include <QString>

#include <cstdint>

// Type codes of a settings value.
enum ConfigType : int {
    ConfigUntyped = 0,   // read from a file, not yet asked for
    ConfigInt = 1,       // "%d"
    ConfigDouble = 2,
    ConfigColour = 3,    // "#RRGGBB"
    ConfigText = 4,
};

struct ConfigValue {
    QString text;
    int type = ConfigUntyped;

    // "%#f" without trailing zeros and without a trailing point:
    // 2.5 -> "2.5", 3.0 -> "3", 1e-7 -> "0".
    static QString FormatDouble(double value);
    // Exactly '#' and six upper-case hexadecimal digits.
    static bool IsColourText(const QString& text);
    // "#RRGGBB" (any case) as 0x00BBGGRR; 0 when the text is not of that
    // shape; a character that is not a hexadecimal digit counts 0.
    static std::uint32_t ParseColour(const QString& text);
    // Equality by type for finding differences from the defaults: integers
    // by value, doubles within 0.0001, colours as valid upper-cased texts,
    // anything else as identical texts.
    static bool EqualsApprox(const QString& a, const QString& b, int type);
    // Equality of a value with a text by the value's type: integers and
    // doubles by exact value, colours by their parsed value, anything else as
    // identical texts.
    static bool Equals(const ConfigValue& value, const QString& text);
};
