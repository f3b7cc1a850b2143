#include "view/StandardInsertion.h"

#include "document/MorvekDoc.h"
#include "formula/SpecStandardComponent.h"
#include "view/EditCommands.h"

namespace view {

using standards::StandardChoice;

StandardInsertion::~StandardInsertion()
{
    pending_.reset();
    if (doc_ != nullptr)
        BringUpToDate(*doc_);
}

CMorvekDoc* StandardInsertion::CarryOut(const StandardChoice& choice, const Opener& open)
{
    if (choice.action != StandardChoice::Action::Load && choice.action != StandardChoice::Action::Merge)
        return nullptr;
    pending_ = choice;
    struct Clear {
        std::optional<StandardChoice>& pending;
        ~Clear() { pending.reset(); }
    } clear{pending_};
    return choice.action == StandardChoice::Action::Load ? Load(open) : Merge();
}

std::optional<SpecStandardComponent> StandardInsertion::Place() const
{
    if (!pending_->secondary)
        return std::nullopt;
    SpecStandardComponent place;
    place.x = pending_->originX;
    place.y = pending_->originY;
    place.rotation = pending_->rotation;
    return place;
}

CMorvekDoc* StandardInsertion::Load(const Opener& open)
{
    const std::optional<SpecStandardComponent> place = Place();
    CMorvekDoc* opened = open ? open(pending_->file, place ? &*place : nullptr) : nullptr;
    if (opened == nullptr)
        return nullptr;
    Apply(*opened);
    BringUpToDate(*opened);
    return opened;
}

CMorvekDoc* StandardInsertion::Merge()
{
    if (doc_ == nullptr)
        return nullptr;
    const std::optional<SpecStandardComponent> place = Place();
    if (!MergeDrawingAt(*doc_, pending_->file, place ? &*place : nullptr))
        return nullptr;
    Apply(*doc_);
    return doc_;
}

void StandardInsertion::Apply(CMorvekDoc& doc) const
{
    const standards::BoxDimensions& d = pending_->dimensions;
    doc.SetStandardDimensions(d.a, d.b, d.h, d.matThick);
}

} // namespace view
