#include "exchange/native/ElementLayout.h"

#include "element/ElementBaseRecord.h"
#include "element/ElementRecords.h"
#include "element/ElementTypes.h"

namespace native {

bool SkipElementBody(platform::BinaryReader& in, int32_t typeId, int version)
{
    return ReadElementBody(in, typeId, version).has_value() && ReadElementBaseRecord(in, version).has_value();
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
