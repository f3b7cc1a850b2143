#include "exchange/native/ElementLayout.h"

#include "element/ElementBaseRecord.h"
#include "element/ElementTypes.h"
#include "element/Spline.h"
#include "element/Wood.h"
#include "platform/BinaryStream.h"

namespace native {

namespace {

constexpr qsizetype kInt = 4;
constexpr qsizetype kDouble = 8;
constexpr qsizetype kLogFontBytes = 92;
// The die board's own fields (the values of CWood in its order).
void SkipWood(platform::BinaryReader& in, int version)
{
    (void)in.skip(5 * kDouble + kInt + kDouble + 5 * kDouble);
    if (version >= 3)
        (void)in.skip(kInt + 4 * kDouble);
    if (version >= 6) {
        (void)in.skip(kInt);
        const int32_t n = in.readCount(2 * kInt + 2 * kDouble, CWood::kMaxRecords);
        (void)in.skip(n * (2 * kInt + 2 * kDouble));
    }
    if (version >= 9)
        (void)in.skip(4 * (3 * kDouble + 3 * kInt));
    if (version >= 10) {
        (void)in.skip(kInt);
        (void)in.readWString();
        (void)in.skip(9 * kInt + 2 * kDouble);
    }
    if (version >= 13)
        (void)in.skip(2 * kDouble);
}

} // namespace

bool SkipElementBody(platform::BinaryReader& in, int32_t typeId, int version)
{
    namespace T = ElementTypeId;
    switch (typeId) {
    case T::Arc:
        (void)in.skip(3 * kInt);
        break;
    case T::Line:
        (void)in.skip(2 * kInt);
        break;
    case T::Ellipse:
        (void)in.skip(5 * kInt);
        break;
    case T::Text:
        (void)in.skip(3 * kInt);
        (void)in.readWString();
        (void)in.skip(kInt + (version >= 11 ? kInt : 0) + kLogFontBytes);
        break;
    case T::Measure:
        (void)in.skip(5 * kInt + (version >= 4 ? 3 * kInt : 0) + (version >= 8 ? 2 * kInt : 0));
        break;
    case T::Wood:
        SkipWood(in, version);
        break;
    case T::Spline: {
        const int32_t n = in.readCount(kInt, CSpline::kMaxNodes);
        (void)in.skip(n * kInt + (version >= 12 ? kInt : 0));
        break;
    }
    case T::Cuir:
        (void)in.skip(kInt + 3 * kDouble);
        break;
    case T::BobstAsm:
        (void)in.skip(2 * kInt + 4 * kDouble);
        break;
    case T::Holder:
        (void)in.skip(2 * kInt + 2 * kDouble);
        break;
    case T::Bobst:
    case T::BobstSP:
        (void)in.skip(kInt);
        break;
    case T::Martin:
        (void)in.skip(kInt + 2 * kDouble);
        break;
    case T::SeperationRule:
    case T::StripperWood:
        (void)in.skip(2 * kInt);
        break;
    default:
        in.fail(QStringLiteral("unknown element type %1").arg(typeId));
        return false;
    }
    return in.ok() && ReadElementBaseRecord(in, version).has_value();
}

QString ElementTypeName(int32_t typeId)
{
    namespace T = ElementTypeId;
    switch (typeId) {
    case T::Arc: return QStringLiteral("arc");
    case T::Line: return QStringLiteral("line");
    case T::Ellipse: return QStringLiteral("ellipse");
    case T::Text: return QStringLiteral("text");
    case T::Measure: return QStringLiteral("dimension");
    case T::Wood: return QStringLiteral("die board");
    case T::Spline: return QStringLiteral("spline");
    case T::Cuir: return QStringLiteral("cuir");
    case T::BobstAsm: return QStringLiteral("Bobst assembly hole");
    case T::Holder: return QStringLiteral("holder");
    case T::Bobst: return QStringLiteral("Bobst hole pattern");
    case T::Martin: return QStringLiteral("Martin holes");
    case T::SeperationRule: return QStringLiteral("separating rule");
    case T::BobstSP: return QStringLiteral("Bobst SP hole pattern");
    case T::StripperWood: return QStringLiteral("stripper board");
    default: return QStringLiteral("type %1").arg(typeId);
    }
}

QString ElementTypePhrase(int32_t typeId)
{
    const QString name = ElementTypeName(typeId);
    const bool vowel = !name.isEmpty() && QStringLiteral("aeiouAEIOU").contains(name.front());
    return (vowel ? QStringLiteral("an ") : QStringLiteral("a ")) + name;
}

} // namespace native
