#include "dlg/LineTypeFields.h"

#include "platform/CFormat.h"

#include <algorithm>
#include <utility>

namespace dlg {

LineTypeFields::LineTypeFields(const Linetype& record, std::optional<std::set<int>> takenIds, int givenId)
    : takenIds_(std::move(takenIds)), originalKind_(record.kind)
{
    id = givenId == -1 ? ProposeId(takenIds_ ? *takenIds_ : std::set<int>{}) : givenId;
    originalId_ = id;
    kind = record.kind;
    if (LinetypeKind::UsesSubtype(kind, 1))
        subtype1 = record.subtype1;
    if (LinetypeKind::UsesSubtype(kind, 2))
        subtype2 = record.subtype2;
    for (int i = 0; i < 3; ++i)
        data[i] = LinetypeKind::UsesData(kind, i + 1) ? record.Data(i) : 0.0;
    style = record.style;
    width = style == LinetypeStyle::Solid ? std::clamp(record.width, 1, Linetype::MaxWidth) : 1;
    colour = record.colour;
    name = record.name.isEmpty() ? platform::cformat("Linetype %d", id) : record.name;
}

int LineTypeFields::ProposeId(const std::set<int>& takenIds)
{
    int proposed = 0;
    for (int taken : takenIds) {
        if (taken < proposed)
            continue; // below the walk's start: not in the way
        if (taken != proposed)
            break;
        ++proposed;
    }
    return proposed;
}

std::vector<int> LineTypeFields::KindItems() const
{
    if (originalKind_ == LinetypeKind::Internal || originalKind_ == LinetypeKind::Display)
        return {originalKind_};
    if (originalKind_ == LinetypeKind::None)
        return {};
    return {LinetypeKind::Standard, LinetypeKind::Wave, LinetypeKind::Tear, LinetypeKind::Mixed};
}

bool LineTypeFields::KindEnabled() const
{
    return KindItems().size() > 1;
}

void LineTypeFields::SetWidth(int value)
{
    width = std::clamp(value, 1, Linetype::MaxWidth);
    if (width > 1)
        style = LinetypeStyle::Solid;
}

void LineTypeFields::SetStyle(int value)
{
    style = value;
    if (style != LinetypeStyle::Solid)
        width = 1;
}

bool LineTypeFields::Accept(Linetype& record, int& idOut) const
{
    if (id != originalId_ && (id < 0 || !takenIds_ || takenIds_->count(id) != 0))
        return false;
    record.name = name;
    record.kind = kind;
    // A subtype the kind does not use is none, as the files read it.
    record.subtype1 = SubtypeEnabled(1) ? subtype1 : -1;
    record.subtype2 = SubtypeEnabled(2) ? subtype2 : -1;
    double* values[3] = {&record.data1, &record.data2, &record.data3};
    for (int i = 0; i < 3; ++i)
        *values[i] = DataEnabled(i + 1) && data[i] > 0.0 ? data[i] : 0.0;
    record.colour = colour;
    record.width = width;
    record.style = style;
    idOut = id;
    return true;
}

} // namespace dlg
