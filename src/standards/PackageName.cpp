#include "standards/PackageName.h"

namespace standards {
namespace {

constexpr int kDateDigits = 6;
constexpr int kMinimumLength = 14; // through the last digit of the date

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsNameCharacter(QChar c)
{
    return IsDigit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'.' || c == u'-' || c == u'_';
}

// The decimal value of text[from, from + count), all digits; -1 otherwise.
int Digits(QStringView text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        if (!IsDigit(text[i]))
            return -1;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return value;
}

} // namespace

QString PackageName::DateText() const
{
    return QStringLiteral("20%1").arg(date, kDateDigits, 10, QLatin1Char('0'));
}

bool ParsePackageName(QStringView fileName, PackageName& name)
{
    if (fileName.size() < kMinimumLength)
        return false;
    for (QChar c : fileName) {
        if (!IsNameCharacter(c))
            return false;
    }
    PackageName parsed;
    switch (fileName[0].unicode()) {
    case u'E': parsed.family = PackageFamily::Ecma; break;
    case u'F': parsed.family = PackageFamily::Fefco; break;
    case u'T': parsed.family = PackageFamily::Top; break;
    default: return false;
    }
    parsed.number = Digits(fileName, 2, 2);
    parsed.second = Digits(fileName, 5, 2);
    parsed.date = Digits(fileName, 8, kDateDigits);
    if (parsed.number < 0 || parsed.second < 0 || parsed.date < 0)
        return false;
    name = parsed;
    return true;
}

QChar FamilyLetter(PackageFamily family)
{
    switch (family) {
    case PackageFamily::Ecma: return u'E';
    case PackageFamily::Top: return u'T';
    case PackageFamily::Fefco: break;
    }
    return u'F';
}

QString FamilyFolderName(PackageFamily family)
{
    switch (family) {
    case PackageFamily::Ecma: return QStringLiteral("ECMA");
    case PackageFamily::Top: return QStringLiteral("TOP");
    case PackageFamily::Fefco: break;
    }
    return QStringLiteral("FEFCO");
}

QString FamilyCatalogueName(PackageFamily family)
{
    return family == PackageFamily::Top ? QString() : FamilyFolderName(family) + QStringLiteral(".sif");
}

} // namespace standards
