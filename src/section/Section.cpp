#include "section/Section.h"

#include "element/Element.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "element/Wood.h"
#include "section/SectionBoardLayout.h"
#include "section/UndoManager.h"
#include "support/Log.h"

#include <new>

Section::Section(NodeTable* nodes, COptions* options, CUndoManager* undo, int context)
    : nodes_(nodes), options_(options), undo_(undo), context_(context),
      boardLayout_(std::make_unique<SectionBoardLayout>(*this))
{
    Log::TheLog().Write("Section::Section()", Log::Section);
    rows_.angle = 180.0;
    columns_.angle = 180.0;
    slots_.reserve(static_cast<std::size_t>(capacity_));
    instances_.reserve(static_cast<std::size_t>(instanceCapacity_));
    NewInstance(0.0, 0.0, 0.0);
    if (nodes_)
        (void)nodes_->SetCacheValid(false); // the slot count is of no use here
    if (undo_)
        undo_->RegisterSection(this);
}

Section::~Section()
{
    Log::TheLog().Write("Section::~Section()", Log::Section);
    if (undo_)
        undo_->UnregisterSection(this);
}

std::unique_ptr<Section> Section::CreateSection(const QString& name, COptions* options, int context,
                                                NodeTable* nodes, CUndoManager* undo)
{
    auto section = std::make_unique<Section>(nodes, options, undo, context);
    section->setName(name);
    return section;
}

// --- the element table -----------------------------------------------------------

namespace {
constinit platform::Current<qint64> g_slotBudget{-1};
} // namespace

platform::ScopedOverride<qint64> Section::SimulateMemoryForElements(qint64 elements)
{
    return g_slotBudget.Override(elements);
}

int Section::GetFirstNullElement()
{
    Log::TheLog().Write("Section::GetFirstNullElement()", Log::Section);
    const int used = GetSlotsInUse();
    for (int i = firstHole_; i < used; ++i) {
        if (!slots_[static_cast<std::size_t>(i)]) {
            // The caller may leave it empty: the next search starts here.
            firstHole_ = i;
            return i;
        }
    }
    if (const qint64 budget = g_slotBudget.Get(); budget >= 0 && used + 1 > budget)
        throw std::bad_alloc();
    // The reported capacity grows in its fixed steps; the table itself grows
    // as vectors do, so a large drawing loads in linear time.
    if (used + 1 >= capacity_)
        capacity_ += kElementCapacityStep;
    slots_.emplace_back();
    firstHole_ = used;
    return used;
}

CElement* Section::GetElement(int slot) const
{
    return slot >= 0 && slot < GetSlotsInUse() ? slots_[static_cast<std::size_t>(slot)].get() : nullptr;
}

std::unique_ptr<CElement> Section::ExchangeSlot(int slot, std::unique_ptr<CElement> element)
{
    Q_ASSERT(slot >= 0);
    while (slot >= GetSlotsInUse())
        (void)GetFirstNullElement(); // grows by the table's own rule
    if (element) {
        element->SetSection(this);
        if (auto* board = dynamic_cast<CWood*>(element.get()))
            board->SetLayout(boardLayout_.get()); // a board frames the layout of its section
    } else if (slot < firstHole_)
        firstHole_ = slot;
    std::unique_ptr<CElement> old = std::move(slots_[static_cast<std::size_t>(slot)]);
    slots_[static_cast<std::size_t>(slot)] = std::move(element);
    // The views see the element leave or join the layer (undo keeps a
    // removed element alive, so its destruction does not tell them).
    if (old)
        old->MarkDisplayDirty();
    if (CElement* now = slots_[static_cast<std::size_t>(slot)].get())
        now->MarkDisplayDirty();
    return old;
}

int Section::GetIdx(const CElement* element) const
{
    if (!element)
        return -1;
    for (int i = 0; i < GetSlotsInUse(); ++i) {
        if (slots_[static_cast<std::size_t>(i)].get() == element)
            return i;
    }
    return -1;
}

void Section::Record(std::unique_ptr<CElement> old, CElement* now, int slot, int operation, bool always)
{
    if (undo_ && (recording_ || always))
        undo_->AddElementItem(std::move(old), now, slot, static_cast<UndoItem::Operation>(operation), this);
    // Otherwise a removed or replaced element goes here.
}

void Section::DeleteElement(int slot)
{
    Log::TheLog().Write("Section::DeleteElement( long )", Log::Section);
    Q_ASSERT(GetElement(slot));
    if (!GetElement(slot))
        return;
    Record(ExchangeSlot(slot, nullptr), nullptr, slot, UndoItem::Removed, true);
}

void Section::DeleteElement(const CElement* element)
{
    const int slot = GetIdx(element);
    if (slot >= 0)
        DeleteElement(slot);
}

void Section::DeleteElement(const ElementIterator& at)
{
    DeleteElement(at.GetIndex());
}

die::coord Section::Point(int node) const
{
    CNodePoint* point = nodes_ && node >= 0 && node < nodes_->GetCount() ? nodes_->GetNode(node) : nullptr;
    Q_ASSERT(point);
    return point ? die::coord(point->GetX(), point->GetY()) : die::coord();
}

// --- held element ------------------------------------------------------------------

void Section::SetHeldElement(std::unique_ptr<CElement> element)
{
    held_ = std::move(element);
}

std::unique_ptr<CElement> Section::TakeHeldElement()
{
    return std::move(held_);
}
