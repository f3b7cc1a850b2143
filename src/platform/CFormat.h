#pragma once
// printf-style formatting and the C run-time's leading-number conversions,
// independent of the process locale. Qt sets the locale from the environment
// on Linux, so snprintf("%f") could write a decimal comma into a settings or
// export file; nothing in the model uses the C locale functions for numbers.
//
// Supported: %d %i %u %x %X %o %c %s %f %F %e %E %g %G %% with the flags
// '-', '+', ' ', '#', '0', a width and a precision ('*' is not supported).
// Length modifiers (h, l, ll, I64, L) are accepted and ignored. %s and %ls
// both take a QString or a C string.
#include <QString>
#include <QStringView>

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace platform {

class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Double, Text };

    template <class T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T>, int> = 0>
    FormatArg(T v) : kind_(Kind::Signed), i_(v) {}
    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_signed_v<T>, int> = 0>
    FormatArg(T v) : kind_(Kind::Unsigned), u_(v) {}
    template <class T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
    FormatArg(T v) : kind_(Kind::Signed), i_(static_cast<long long>(v)) {}
    FormatArg(double v) : kind_(Kind::Double), d_(v) {}
    FormatArg(float v) : kind_(Kind::Double), d_(v) {}
    FormatArg(const QString& s) : kind_(Kind::Text), s_(&s) {}
    FormatArg(const char* s) : kind_(Kind::Text), c_(s) {}

    Kind kind() const { return kind_; }
    long long asSigned() const;
    unsigned long long asUnsigned() const;
    double asDouble() const;
    QString asText() const;

private:
    Kind kind_;
    long long i_ = 0;
    unsigned long long u_ = 0;
    double d_ = 0.0;
    const QString* s_ = nullptr;
    const char* c_ = nullptr;
};

QString cformatList(const char* format, std::initializer_list<FormatArg> args);

// cformat("%.4f", 2.0) == "2.0000" whatever the locale. Missing arguments
// format as 0 or empty text; surplus ones are ignored.
template <class... Args>
QString cformat(const char* format, const Args&... args)
{
    return cformatList(format, {FormatArg(args)...});
}

// The C run-time's wide white-space test (iswspace in the "C" locale): blank,
// tab, line feed, vertical tab, form feed and carriage return only.
inline bool isCSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0D);
}

// _wtoi: leading white space, an optional sign and decimal digits; 0 when
// there is no number; clamped to the int range.
int wtoi(QStringView text);
// _wtof: leading white space, an optional sign, digits with an optional
// decimal point and exponent; 0.0 when there is no number. A value beyond the
// double range is clamped to the largest finite double: the model turns
// lengths into integer micrometres, where an infinity has no meaning.
// "inf", "nan" and hexadecimal forms are not numbers here.
double wtof(QStringView text);
// The leading number as wtof reads it, into value, without building a
// string (a reader walks a line of numbers with it); returns its length as
// leadingNumberLength does, 0 (and value 0.0) when there is none.
[[nodiscard]] qsizetype readLeadingDouble(QStringView text, double& value);
// The length of the leading number that wtof would read (0 when none),
// counted from the start of the text including the white space it skips.
qsizetype leadingNumberLength(QStringView text);

} // namespace platform
