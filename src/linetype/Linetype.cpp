#include "linetype/Linetype.h"

#include <tuple>

bool LinetypeKind::UsesSubtype(int kind, int index)
{
    if (kind == Mixed)
        return index == 1 || index == 2;
    return (kind == Wave || kind == Tear) && index == 1;
}

bool LinetypeKind::UsesData(int kind, int index)
{
    if (kind == Tear)
        return index >= 1 && index <= 3;
    return (kind == Wave || kind == Mixed) && (index == 1 || index == 2);
}

double Linetype::Data(int index) const
{
    switch (index) {
    case 0:
        return data1;
    case 1:
        return data2;
    case 2:
        return data3;
    default:
        return 0.0;
    }
}

bool Linetype::SameValues(const Linetype& other) const
{
    return kind == other.kind && subtype1 == other.subtype1 && subtype2 == other.subtype2 && data1 == other.data1
           && data2 == other.data2 && data3 == other.data3 && style == other.style && width == other.width
           && colour == other.colour && name == other.name;
}

bool LineTypeMapKey::operator<(const LineTypeMapKey& other) const
{
    return std::tie(hasLineType, lineType, hasPtg, ptg)
           < std::tie(other.hasLineType, other.lineType, other.hasPtg, other.ptg);
}
