#include "linetype/LinetypeTable.h"

#include "platform/Device.h"

#include <algorithm>

namespace {

// Pens keep the Windows style numbers; a style outside them draws solid, a
// width outside 0 to Linetype::MaxWidth is brought to the nearer end.
platform::Pen MakePen(int style, int width, platform::ColorRef colour)
{
    const platform::PenStyle penStyle = style >= 0 && style <= static_cast<int>(platform::PenStyle::Null)
                                            ? static_cast<platform::PenStyle>(style)
                                            : platform::PenStyle::Solid;
    return platform::Pen::make(penStyle, std::clamp(width, 0, Linetype::MaxWidth), colour);
}

platform::Pen StatePen(const Linetype& record, platform::ColorRef colour)
{
    return MakePen(LinetypeStyle::Solid, std::clamp(record.width, 0, Linetype::MaxWidth) + 4, colour);
}

} // namespace

std::span<const SpecialLinetype::Registration> SpecialLinetype::Registrations()
{
    static constexpr Registration registrations[] = {
        {"measure", Measure, LinetypeKind::Display},
        {"moving_node", MovingNode, LinetypeKind::Display},
        {"moving_bridge", MovingBridge, LinetypeKind::Display},
        {"marker_rect", MarkerRect, LinetypeKind::Display},
        {"crosshair", Crosshair, LinetypeKind::Display},
        {"highlight", Highlight, LinetypeKind::Display},
        {"inactive_layer", InactiveLayer, LinetypeKind::Display},
        {"selected", Selected, LinetypeKind::Display},
        {"high_select", HighSelect, LinetypeKind::Display},
        {"bobst", 127, LinetypeKind::Internal},
        {"cuir", 126, LinetypeKind::Internal},
        {"wood_knife", 123, LinetypeKind::Internal},
        {"wood_frame", 122, LinetypeKind::Internal},
        {"wood_scrap", 124, LinetypeKind::Internal},
        {"wood_center", 125, LinetypeKind::Internal},
        {"wood_text", 128, LinetypeKind::Internal},
        {"phole_outer", 129, LinetypeKind::Internal},
        {"phole_cross", 130, LinetypeKind::Internal},
        {"phole_circle", 131, LinetypeKind::Internal},
    };
    return registrations;
}

void LinetypeTable::Clear()
{
    linetypes_.clear();
    current_ = nullptr;
    patternPens_[0].reset();
    patternPens_[1].reset();
    penState_ = PenState::Normal;
}

void LinetypeTable::RegisterSymbolicName(const QString& name, int number, int kind)
{
    SymbolicLinetype& entry = symbolic_[number];
    entry.kind = kind;
    entry.name = name.toLower();
}

void LinetypeTable::CreatePens()
{
    if (const Linetype* t = Find(SpecialLinetype::Highlight))
        highlightColour_ = t->colour;
    if (const Linetype* t = Find(SpecialLinetype::Selected))
        selectedColour_ = t->colour;
    if (const Linetype* t = Find(SpecialLinetype::HighSelect))
        bothColour_ = t->colour;
    for (auto& [number, record] : linetypes_) {
        record.highlightPen = StatePen(record, highlightColour_);
        record.selectedPen = StatePen(record, selectedColour_);
        record.bothPen = StatePen(record, bothColour_);
    }
}

void LinetypeTable::CreateContrastLinetype(platform::ColorRef colour)
{
    if (contrast_ && current_ == &*contrast_)
        current_ = nullptr;
    Linetype contrast;
    contrast.kind = LinetypeKind::Internal;
    contrast.subtype1 = contrast.subtype2 = 0;
    contrast.colour = colour;
    contrast.normalPen = MakePen(LinetypeStyle::Solid, 1, colour);
    contrast_ = std::move(contrast);
}

void LinetypeTable::AddLinetype(int number, int style, int width, platform::ColorRef colour)
{
    Linetype& record = linetypes_[number];
    record.style = style;
    record.width = width;
    record.colour = colour;
    record.kind = LinetypeKind::None;
    record.normalPen = MakePen(style, width, colour);
    record.selectedPen.reset();
    record.highlightPen.reset();
    record.bothPen.reset();
    const auto symbolic = symbolic_.find(number);
    record.symbolic = symbolic == symbolic_.end() ? nullptr : &symbolic->second;
    MakeCurrent(&record);
}

void LinetypeTable::Remove(int number)
{
    const auto it = linetypes_.find(number);
    if (it == linetypes_.end())
        return;
    if (current_ == &it->second)
        current_ = nullptr;
    linetypes_.erase(it);
}

void LinetypeTable::StoreDefault(int number)
{
    const Linetype* record = Find(number);
    if (!record)
        return;
    Linetype copy = *record;
    copy.normalPen.reset();
    copy.selectedPen.reset();
    copy.highlightPen.reset();
    copy.bothPen.reset();
    copy.symbolic = nullptr;
    defaults_[number] = std::move(copy);
}

const Linetype* LinetypeTable::Find(int number) const
{
    const auto it = linetypes_.find(number);
    return it == linetypes_.end() ? nullptr : &it->second;
}

Linetype* LinetypeTable::FindMutable(int number)
{
    const auto it = linetypes_.find(number);
    return it == linetypes_.end() ? nullptr : &it->second;
}

const Linetype* LinetypeTable::FindDefault(int number) const
{
    const auto it = defaults_.find(number);
    return it == defaults_.end() ? nullptr : &it->second;
}

void LinetypeTable::ListNames(std::map<int, QString>& names, int mask) const
{
    names.clear();
    for (const auto& [number, record] : linetypes_)
        if ((record.kind & mask) == 0)
            names.emplace(number, record.name);
}

// --- current line type -------------------------------------------------------

void LinetypeTable::MakeCurrent(Linetype* record)
{
    current_ = record;
    penState_ = PenState::Normal;
}

void LinetypeTable::SetCurrent(int number)
{
    MakeCurrent(FindMutable(number));
}

int LinetypeTable::GetCurrentType() const
{
    return current_ ? current_->kind : -1;
}

int LinetypeTable::GetCurrentSubtype() const
{
    return current_ ? current_->subtype1 : 0;
}

double LinetypeTable::GetCurrentData(int index) const
{
    return current_ ? current_->Data(index) : 0.0;
}

void LinetypeTable::SetCurrentTypeAndSubtypes(int kind, int subtype1, int subtype2)
{
    if (!current_)
        return;
    current_->kind = kind;
    current_->subtype1 = subtype1;
    current_->subtype2 = subtype2;
}

void LinetypeTable::SetCurrentData(double data1, double data2, double data3)
{
    if (!current_)
        return;
    current_->data1 = data1;
    current_->data2 = data2;
    current_->data3 = data3;
}

void LinetypeTable::SetCurrentName(const QString& name)
{
    if (current_)
        current_->name = name;
}

void LinetypeTable::SelectCurrentPen(platform::Device& dc) const
{
    const std::optional<platform::Pen>* pen = nullptr;
    if (current_) {
        switch (penState_) {
        case PenState::Normal:
            pen = &current_->normalPen;
            break;
        case PenState::Selected:
            pen = &current_->selectedPen;
            break;
        case PenState::Highlight:
            pen = &current_->highlightPen;
            break;
        case PenState::Both:
            pen = &current_->bothPen;
            break;
        }
    }
    dc.selectPen(pen && *pen ? **pen : platform::Pen::null());
}

void LinetypeTable::ReleasePen(platform::Device& dc) const
{
    dc.selectPen(platform::Pen::null());
}

void LinetypeTable::SelectSpecial(int number, bool setsPatternPens)
{
    SetCurrent(number);
    if (setsPatternPens) {
        const std::optional<platform::Pen> pen = current_ ? current_->normalPen : std::nullopt;
        patternPens_[0] = patternPens_[1] = pen;
    }
}

void LinetypeTable::SelectCrosshair()
{
    SelectSpecial(SpecialLinetype::Crosshair, false);
}

void LinetypeTable::SelectHighlight()
{
    SelectSpecial(SpecialLinetype::Highlight, true);
}

void LinetypeTable::SelectSelected()
{
    SelectSpecial(SpecialLinetype::Selected, true);
}

void LinetypeTable::SelectInactiveLayer()
{
    SelectSpecial(SpecialLinetype::InactiveLayer, true);
}

void LinetypeTable::SelectMeasure()
{
    SelectSpecial(SpecialLinetype::Measure, false);
}

void LinetypeTable::SelectMovingNode()
{
    SelectSpecial(SpecialLinetype::MovingNode, false);
}

void LinetypeTable::SelectContrast()
{
    MakeCurrent(contrast_ ? &*contrast_ : nullptr);
}

// --- patterns -------------------------------------------------------------------

void LinetypeTable::SetPatternPens()
{
    if (!current_) {
        patternPens_[0].reset();
        patternPens_[1].reset();
        return;
    }
    const int kind = current_->kind;
    if (kind & (LinetypeKind::Wave | LinetypeKind::Tear))
        SelectPatternLinetype();
    else if (kind & LinetypeKind::Mixed)
        SetMixedPens();
}

void LinetypeTable::SelectPatternLinetype()
{
    if (current_)
        SetCurrent(current_->subtype1);
}

void LinetypeTable::SetMixedPens()
{
    patternPens_[0].reset();
    patternPens_[1].reset();
    if (!current_)
        return;
    const Linetype* first = Find(current_->subtype1);
    const Linetype* second = Find(current_->subtype2);
    if (!first || !second)
        return;
    const auto statePen = [this](const Linetype& t) {
        switch (penState_) {
        case PenState::Selected:
            return t.selectedPen;
        case PenState::Highlight:
            return t.highlightPen;
        case PenState::Both:
            return t.bothPen;
        case PenState::Normal:
            break;
        }
        return t.normalPen;
    };
    patternPens_[0] = statePen(*first);
    patternPens_[1] = statePen(*second);
}

void LinetypeTable::SelectPatternPen(platform::Device& dc, int index) const
{
    const bool valid = index == 0 || index == 1;
    dc.selectPen(valid && patternPens_[index] ? *patternPens_[index] : platform::Pen::null());
}

void LinetypeTable::CachePatternValues()
{
    cachedLengths_[0] = current_ ? current_->data1 : 0.0;
    cachedSubtypes_[0] = current_ ? current_->subtype1 : 0;
    cachedLengths_[1] = current_ ? current_->data2 : 0.0;
    cachedSubtypes_[1] = current_ ? current_->subtype2 : 0;
}

double LinetypeTable::GetPatternLength(int code) const
{
    return code == 3 ? cachedLengths_[0] : code == 4 ? cachedLengths_[1] : 0.0;
}

int LinetypeTable::GetPatternSubtype(int code) const
{
    return code == 3 ? cachedSubtypes_[0] : code == 4 ? cachedSubtypes_[1] : 0;
}
