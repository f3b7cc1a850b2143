#include "exchange/export/ExportPreparer.h"

#include "display/DisplayList.h"
#include "element/Element.h"
#include "exchange/export/BlockTransforms.h"
#include "exchange/export/ContourChainer.h"
#include "exchange/export/FigureConversion.h"
#include "section/Section.h"

#include <optional>

namespace Export {
namespace {

// The primitives from `first` on, copied once more for each placement: turned
// about the origin, then moved (a text's direction only turned).
void Expand(std::vector<ExportPrimitive>& primitives, std::size_t first, const PlacementList& placements)
{
    const std::size_t last = primitives.size();
    for (const Placement& placement : placements) {
        const Placement turn{0.0, 0.0, placement.cosine, placement.sine, placement.angle, placement.instance};
        for (std::size_t i = first; i < last; ++i) {
            ExportPrimitive copy = primitives[i];
            copy.A = placement.Place(copy.A);
            if (copy.kind == ExportPrimitive::Text) {
                copy.B = turn.Place(copy.B);
            } else {
                copy.B = placement.Place(copy.B);
                copy.C = placement.Place(copy.C);
            }
            if (copy.kind == ExportPrimitive::Line)
                copy.A = {};
            primitives.push_back(std::move(copy));
        }
    }
}

} // namespace

void ExportPreparer::Run()
{
    blocks_.clear();
    for (Section* section : source_.sections) {
        if (!section)
            continue;
        const bool chosen = settings_.layer == 0 || (settings_.layer == 1 && section->IsVisible()) ||
                            (settings_.layer == 2 && section == source_.current);
        if (chosen)
            Collect(*section);
    }

    if (settings_.mirror != 0) {
        for (ExportBlock& block : blocks_)
            MirrorBlock(block, settings_.mirror);
    }

    if (settings_.use_offset) {
        std::optional<die::coord> corner;
        for (const ExportBlock& block : blocks_)
            ExtendMinimumCorner(block, corner);
        const die::coord m = corner.value_or(die::coord(0.0, 0.0)) - die::coord(settings_.offset_x, settings_.offset_y);
        for (ExportBlock& block : blocks_)
            ShiftBlock(block, m);
    }

    if (settings_.remap_linetypes == 1) {
        lineTypes_.Load(settings_.remap_filename);
        for (ExportBlock& block : blocks_) {
            for (ExportPrimitive& p : block.primitives)
                lineTypes_.Apply(p);
        }
    }

    if (settings_.optimize != 0) {
        const std::map<int, int> noOrder;
        for (ExportBlock& block : blocks_)
            ContourChainer::Run(block, settings_.optimize, settings_.optimize == 2 ? settings_.order : noOrder);
    }
}

void ExportPreparer::AddFigure(ExportBlock& target, const DisplayFigure& figure)
{
    if (settings_.mode == 1 && figure.kind == FigureKind::Line && figure.outputKind == OutputKind::Polyline)
        AddLineCompat(target, figure);
    else if (settings_.mode == 1 && settings_.arc == 0 && figure.kind == FigureKind::Arc
             && figure.outputKind == OutputKind::Arc)
        AddArcCompat(target, figure);
    else
        ConvertFigure(figure, settings_, target.primitives);
}

void ExportPreparer::Collect(Section& section)
{
    section.recreate_replicas();
    const PlacementList& placements = section.get_surface();
    const int instance = settings_.instance;
    ExportBlock instanced;
    ExportBlock rest;

    for (CElement* element : section) {
        if (!element)
            continue;
        ExportBlock* target = &rest;
        bool expand = false;
        if (element->GetNotInstanced()) {
            if (instance == 2)
                continue;
        } else if (instance == 0) {
            target = placements.empty() ? &rest : &instanced;
        } else if (instance == 1) {
            expand = true;
        }
        // Any other instance value: the original instance only, as 2 does.
        std::vector<ExportPrimitive>& out = target->primitives;
        const std::size_t first = out.size();
        for (const DisplayFigure& figure : element->GetDisplayList().Figures())
            AddFigure(*target, figure);
        if (expand)
            Expand(out, first, placements);
    }

    const QString& name = section.getName();
    const bool keptInstanced = !instanced.primitives.empty();
    if (keptInstanced) {
        if (instance == 0) {
            for (const Placement& placement : placements)
                instanced.placements.push_back({placement.angle, placement.x, placement.y});
        }
        instanced.name = name;
        blocks_.push_back(std::move(instanced));
    }
    if (!rest.primitives.empty()) {
        rest.name = keptInstanced ? name + QStringLiteral("_noInst") : name;
        blocks_.push_back(std::move(rest));
    }
}

} // namespace Export
