#include "platform/CFormat.h"
#include "platform/NarrowNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cfloat>
#include <climits>
#include <cstdint>
#include <cmath>
#include <string>
#include <string_view>

namespace platform {

long long FormatArg::asSigned() const
{
    switch (kind_) {
    case Kind::Signed: return i_;
    case Kind::Unsigned: return static_cast<long long>(u_);
    case Kind::Double:
        if (!std::isfinite(d_))
            return 0;
        if (d_ >= 9.2e18)
            return LLONG_MAX;
        if (d_ <= -9.2e18)
            return LLONG_MIN;
        return static_cast<long long>(d_);
    case Kind::Text: return 0;
    }
    return 0;
}

unsigned long long FormatArg::asUnsigned() const
{
    return kind_ == Kind::Unsigned ? u_ : static_cast<unsigned long long>(asSigned());
}

double FormatArg::asDouble() const
{
    switch (kind_) {
    case Kind::Signed: return static_cast<double>(i_);
    case Kind::Unsigned: return static_cast<double>(u_);
    case Kind::Double: return d_;
    case Kind::Text: return 0.0;
    }
    return 0.0;
}

QString FormatArg::asText() const
{
    if (kind_ != Kind::Text)
        return QString();
    if (s_)
        return *s_;
    return c_ ? QString::fromUtf8(c_) : QStringLiteral("(null)");
}

namespace {

struct Spec {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
};

std::string formatFloat(double v, char conv, const Spec& spec)
{
    const bool upper = conv == 'F' || conv == 'E' || conv == 'G';
    const char lower = static_cast<char>(upper ? conv - 'A' + 'a' : conv);
    std::string body;
    if (std::isnan(v)) {
        body = std::signbit(v) ? "-nan" : "nan";
    } else if (std::isinf(v)) {
        body = v < 0 ? "-inf" : "inf";
    } else {
        // Room for the longest text: "%.340f" of -DBL_MAX is a sign, 309
        // digits, the point and 340 decimals.
        std::array<char, 700> buf{};
        int precision = spec.precision < 0 ? 6 : spec.precision;
        std::to_chars_result r{};
        if (lower == 'f') {
            r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, precision);
        } else if (lower == 'e') {
            r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::scientific, precision);
        } else {
            if (precision == 0)
                precision = 1;
            r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general, precision);
        }
        body.assign(buf.data(), r.ptr);
        if (spec.alt && body.find('.') == std::string::npos) {
            const auto e = body.find('e');
            if (e == std::string::npos)
                body += '.';
            else
                body.insert(e, 1, '.');
        }
    }
    if (upper)
        for (char& c : body)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    return body;
}

QString pad(QString body, const Spec& spec, bool numeric)
{
    const qsizetype len = body.size();
    if (spec.width <= len)
        return body;
    const qsizetype fill = spec.width - len;
    if (spec.left)
        return body + QString(fill, QLatin1Char(' '));
    if (spec.zero && numeric) {
        qsizetype at = 0;
        if (!body.isEmpty() && (body[0] == QLatin1Char('-') || body[0] == QLatin1Char('+') || body[0] == QLatin1Char(' ')))
            at = 1;
        if (body.mid(at, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0)
            at += 2;
        body.insert(at, QString(fill, QLatin1Char('0')));
        return body;
    }
    return QString(fill, QLatin1Char(' ')) + body;
}

QString signPrefix(bool negative, const Spec& spec)
{
    if (negative)
        return QStringLiteral("-");
    if (spec.plus)
        return QStringLiteral("+");
    if (spec.space)
        return QStringLiteral(" ");
    return QString();
}

QString formatInteger(const FormatArg& arg, char conv, Spec spec)
{
    std::array<char, 80> buf{};
    bool negative = false;
    unsigned long long magnitude = 0;
    if (conv == 'd' || conv == 'i') {
        const long long v = arg.asSigned();
        negative = v < 0;
        magnitude = negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    } else {
        magnitude = arg.asUnsigned();
        // Windows and glibc both format an int argument as 32 bits for %x/%u;
        // keep negative ints within 32 bits so that "%X" of -1 is FFFFFFFF.
        if (arg.kind() == FormatArg::Kind::Signed && arg.asSigned() < 0 && arg.asSigned() >= INT_MIN)
            magnitude &= 0xFFFFFFFFULL;
    }
    const int base = (conv == 'x' || conv == 'X') ? 16 : (conv == 'o' ? 8 : 10);
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, base);
    std::string digits(buf.data(), r.ptr);
    if (conv == 'X')
        for (char& c : digits)
            if (c >= 'a' && c <= 'f')
                c = static_cast<char>(c - 'a' + 'A');
    if (spec.precision >= 0) {
        if (spec.precision == 0 && magnitude == 0)
            digits.clear();
        while (static_cast<int>(digits.size()) < spec.precision)
            digits.insert(0, 1, '0');
        spec.zero = false;
    }
    QString body = QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
    if (spec.alt && magnitude != 0) {
        if (conv == 'x')
            body.prepend(QStringLiteral("0x"));
        else if (conv == 'X')
            body.prepend(QStringLiteral("0X"));
        else if (conv == 'o')
            body.prepend(QLatin1Char('0'));
    }
    if (conv == 'd' || conv == 'i')
        body.prepend(signPrefix(negative, spec));
    return pad(body, spec, true);
}

} // namespace

QString cformatList(const char* format, std::initializer_list<FormatArg> args)
{
    QString out;
    const FormatArg* next = args.begin();
    const FormatArg* const end = args.end();
    static const FormatArg zero(0);
    auto take = [&]() -> const FormatArg& { return next != end ? *next++ : zero; };

    const QString fmt = QString::fromUtf8(format);
    qsizetype i = 0;
    const qsizetype n = fmt.size();
    while (i < n) {
        const QChar c = fmt[i];
        if (c != QLatin1Char('%')) {
            out += c;
            ++i;
            continue;
        }
        ++i;
        if (i < n && fmt[i] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        Spec spec;
        for (; i < n; ++i) {
            const char16_t f = fmt[i].unicode();
            if (f == '-') spec.left = true;
            else if (f == '+') spec.plus = true;
            else if (f == ' ') spec.space = true;
            else if (f == '#') spec.alt = true;
            else if (f == '0') spec.zero = true;
            else break;
        }
        while (i < n && fmt[i].isDigit()) {
            spec.width = std::min(spec.width * 10 + fmt[i].digitValue(), 4096);
            ++i;
        }
        if (i < n && fmt[i] == QLatin1Char('.')) {
            ++i;
            spec.precision = 0;
            while (i < n && fmt[i].isDigit()) {
                spec.precision = std::min(spec.precision * 10 + fmt[i].digitValue(), 340);
                ++i;
            }
        }
        while (i < n) {
            const char16_t m = fmt[i].unicode();
            if (m == 'h' || m == 'l' || m == 'L' || m == 'q' || m == 'j' || m == 'z' || m == 't') {
                ++i;
            } else if (m == 'I' && i + 2 < n && fmt[i + 1] == QLatin1Char('6') && fmt[i + 2] == QLatin1Char('4')) {
                i += 3;
            } else {
                break;
            }
        }
        if (i >= n)
            break;
        const char conv = static_cast<char>(fmt[i].unicode());
        ++i;
        switch (conv) {
        case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
            out += formatInteger(take(), conv, spec);
            break;
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': {
            const double v = take().asDouble();
            const std::string body = formatFloat(v, conv, spec);
            const bool negative = !body.empty() && body[0] == '-';
            QString text = QString::fromLatin1(body.data() + (negative ? 1 : 0),
                                               static_cast<qsizetype>(body.size()) - (negative ? 1 : 0));
            text.prepend(signPrefix(negative, spec));
            out += pad(text, spec, std::isfinite(v));
            break;
        }
        case 'c': {
            const FormatArg& a = take();
            const QString text = a.kind() == FormatArg::Kind::Text ? a.asText().left(1)
                                                                    : QString(QChar(static_cast<char16_t>(a.asUnsigned())));
            out += pad(text, spec, false);
            break;
        }
        case 's': case 'S': {
            QString text = take().asText();
            if (spec.precision >= 0)
                text.truncate(spec.precision);
            out += pad(text, spec, false);
            break;
        }
        default:
            out += QLatin1Char('%');
            out += QChar(conv);
            break;
        }
    }
    return out;
}

int wtoi(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    bool overflow = false;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < '0' || u > '9')
            break;
        if (!overflow) {
            value = value * 10 + (u - '0');
            if (value > static_cast<long long>(INT_MAX) + 1)
                overflow = true;
        }
    }
    if (negative)
        value = -value;
    if (overflow || value > INT_MAX)
        return negative ? INT_MIN : INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

namespace {

char16_t unitAt(QStringView text, qsizetype i)
{
    return text[i].unicode();
}

char16_t unitAt(QByteArrayView text, qsizetype i)
{
    return static_cast<unsigned char>(text[i]);
}

bool isSpaceUnit(char16_t u)
{
    return u == ' ' || (u >= 0x09 && u <= 0x0D);
}

// The length of the leading number of a text of wide or narrow characters;
// only ASCII takes part in a number, so both read alike.
template <class Text>
qsizetype leadingLength(Text text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSpaceUnit(unitAt(text, i)))
        ++i;
    if (i < n && (unitAt(text, i) == u'+' || unitAt(text, i) == u'-'))
        ++i;
    auto isDigit = [&](qsizetype k) { return k < n && unitAt(text, k) >= u'0' && unitAt(text, k) <= u'9'; };
    qsizetype digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && unitAt(text, i) == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (isDigit(j)) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (unitAt(text, i) == u'e' || unitAt(text, i) == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (unitAt(text, j) == u'+' || unitAt(text, j) == u'-'))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            i = j;
        }
    }
    return i;
}

} // namespace

qsizetype leadingNumberLength(QStringView text)
{
    return leadingLength(text);
}

namespace {

// The decimal exponent of the first non-zero digit of a number written as
// ASCII digits with an optional point and exponent (no sign): 2 for
// "123.4e0", -3 for "0.001", 309 for "1" and 319 zeros "e-10". The exponent
// is clamped far beyond the double range; 0 when no digit is non-zero.
long long decimalMagnitude(std::string_view number)
{
    long long integerDigits = 0, digits = 0, firstNonZero = -1;
    bool afterPoint = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            afterPoint = true;
            continue;
        }
        if (firstNonZero < 0 && number[i] != '0')
            firstNonZero = digits;
        ++digits;
        if (!afterPoint)
            ++integerDigits;
    }
    if (firstNonZero < 0)
        return 0;
    long long exponent = 0;
    bool negative = false;
    if (++i < number.size() && (number[i] == '+' || number[i] == '-'))
        negative = number[i++] == '-';
    for (; i < number.size(); ++i)
        exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
    return integerDigits - 1 - firstNonZero + (negative ? -exponent : exponent);
}

} // namespace

namespace {

// A number of at most 19 significant digits whose decimal exponent lies
// within ±22 is the exact product or quotient of two exact doubles: one
// rounding, the same as a full conversion gives. False for any other.
bool fastDecimal(const char* first, const char* last, double& value)
{
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t mantissa = 0;
    int digits = 0;
    int exponent = 0;
    const char* p = first;
    for (; p != last && *p >= '0' && *p <= '9'; ++p) {
        if (mantissa != 0 || *p != '0') {
            if (++digits > 19)
                return false;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        }
    }
    if (p != last && *p == '.') {
        for (++p; p != last && *p >= '0' && *p <= '9'; ++p) {
            --exponent;
            if (mantissa != 0 || *p != '0') {
                if (++digits > 19)
                    return false;
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
            }
        }
    }
    if (p != last)
        return false; // an exponent: the full conversion reads it
    if (mantissa > (std::uint64_t{1} << 53) || exponent < -22)
        return false;
    value = static_cast<double>(mantissa) / kPowers[-exponent];
    return true;
}

// The number that starts the ASCII characters [first, last), as wtof reads
// it; the characters are the whole number leadingNumberLength found.
double convertNumber(const char* first, const char* const last)
{
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first;
    double value = 0.0;
    if (!fastDecimal(first, last, value)) {
        const auto r = std::from_chars(first, last, value, std::chars_format::general);
        if (r.ec == std::errc::result_out_of_range) {
            // Too large or too small: the place of the first digit tells which.
            value = decimalMagnitude(std::string_view(first, static_cast<std::size_t>(last - first))) > 0 ? DBL_MAX
                                                                                                          : 0.0;
        } else if (r.ec != std::errc()) {
            value = 0.0;
        }
    }
    return negative ? -value : value;
}

} // namespace

qsizetype readLeadingDouble(QStringView text, double& value)
{
    value = 0.0;
    const qsizetype length = leadingNumberLength(text);
    if (length == 0)
        return 0;
    qsizetype start = 0;
    while (isCSpace(text[start]))
        ++start;
    // The number as ASCII; the usual short one stays on the stack.
    const auto n = static_cast<std::size_t>(length - start);
    std::array<char, 64> small;
    std::string large;
    char* ascii = small.data();
    if (n > small.size()) {
        large.resize(n);
        ascii = large.data();
    }
    for (std::size_t i = 0; i < n; ++i)
        ascii[i] = static_cast<char>(text[start + static_cast<qsizetype>(i)].unicode());
    value = convertNumber(ascii, ascii + n);
    return length;
}

qsizetype readLeadingDoubleInFull(QByteArrayView text, double& value)
{
    value = 0.0;
    const qsizetype length = leadingLength(text);
    if (length == 0)
        return 0;
    qsizetype start = 0;
    while (isSpaceUnit(unitAt(text, start)))
        ++start;
    value = convertNumber(text.data() + start, text.data() + length);
    return length;
}

double wtof(QStringView text)
{
    double value = 0.0;
    (void)readLeadingDouble(text, value); // no number leaves 0.0, as wtof answers
    return value;
}

} // namespace platform
