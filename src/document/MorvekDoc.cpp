#include "document/MorvekDoc.h"

#include "element/Element.h"
#include "element/NodePoint.h"
#include "section/Section.h"
#include "options/LanguageTable.h"
#include "options/Options.h"

#include <algorithm>

namespace {

// Runs f on every element of every section.
template <class F>
void ForEachElement(const std::vector<std::unique_ptr<Section>>& sections, F f)
{
    for (const auto& s : sections) {
        for (auto it = s->begin(); it.NotEqual(s->end()); it.Next())
            f(*it.Get());
    }
}

} // namespace

CMorvekDoc::CMorvekDoc()
    : nodes_(this), undo_(std::make_unique<CUndoManager>(&nodes_, &variables_)), options_(COptions::Current())
{
    // Every committed step that changed the drawing marks it modified.
    undo_->SetCommitListener([this] { modified_ = true; });
    nodes_.SetEvaluator(&variables_);
    nodes_.SetOriginIndex(&originNode_);
    nodes_.SetFileVersion(&fileVersion_);
    nodes_.SetUndoManager(undo_.get());
    (void)variables_.AddDefaultVariables(); // the six names fit an empty table
    CreateFirstSection(kTextNewSection);
    AddOriginNode();
    ResetCursor();
}

CMorvekDoc::~CMorvekDoc()
{
    // A command's open step is closed, not rolled back, and the command goes
    // before the elements; the undo steps and the node table outlive them.
    undo_->Close();
    commandSlot_.reset();
    sections_.clear();
}

void CMorvekDoc::CreateFirstSection(int nameText)
{
    sections_.clear();
    current_ = nullptr;
    current_ = AppendSection(Translate(nameText));
}

void CMorvekDoc::AddOriginNode()
{
    originNode_ = nodes_.AddPoint(0.0, 0.0, true);
    Q_ASSERT(originNode_ >= 0); // (0, 0) always fits
    if (CNodePoint* origin = nodes_.GetNode(originNode_))
        origin->SetName(Translate(kTextOriginNode));
}

// --- sections -----------------------------------------------------------------

Section* CMorvekDoc::GetSection(int n) const
{
    return n >= 0 && n < GetSectionCount() ? sections_[static_cast<size_t>(n)].get() : nullptr;
}

void CMorvekDoc::SetCurrentSection(int n)
{
    Q_ASSERT(n >= 0 && n < GetSectionCount());
    current_ = GetSection(n);
}

int CMorvekDoc::GetCurrentSectionIndex() const
{
    for (int i = GetSectionCount() - 1; i >= 0; --i) {
        if (sections_[static_cast<size_t>(i)].get() == current_)
            return i;
    }
    return -1;
}

Section* CMorvekDoc::AppendSection(const QString& name)
{
    if (GetSectionCount() >= kMaxSections)
        return nullptr;
    auto section = Section::CreateSection(name, options_, 0, &nodes_, undo_.get());
    section->SetAvoidLayoutSource(&avoidLayout);
    sections_.push_back(std::move(section));
    return sections_.back().get();
}

void CMorvekDoc::DeleteSection(int n)
{
    if (n < 0 || n >= GetSectionCount())
        return;
    if (sections_[static_cast<size_t>(n)].get() == current_)
        current_ = nullptr; // never left pointing at a destroyed section
    sections_.erase(sections_.begin() + n);
}

// --- the drawing as a whole ---------------------------------------------------

void CMorvekDoc::GetExtents(double& left, double& top, double& right, double& bottom, bool allInstances,
                            bool boardMargins) const
{
    left = top = right = bottom = 0.0;
    bool first = true;
    for (const auto& s : sections_) {
        if (!s->IsVisible())
            continue;
        const SectionBorders b = s->GetBorders(allInstances, boardMargins, false); // all 0 when empty
        left = first ? b.left : std::min(left, b.left);
        top = first ? b.top : std::max(top, b.top);
        right = first ? b.right : std::max(right, b.right);
        bottom = first ? b.bottom : std::min(bottom, b.bottom);
        first = false;
    }
}

void CMorvekDoc::DeleteIdleNodes(int n, UndoTransaction* outer)
{
    if (n >= 0) {
        if (n >= nodes_.GetCount())
            return;
        CNodePoint* target = nodes_.GetNode(n);
        if (target == nullptr)
            return;
        int count = n == originNode_ ? 100 : 0;
        ForEachElement(sections_, [&](CElement& e) { count += e.UsesNode(n, false) ? 1 : 0; });
        for (int i = 0; i < nodes_.GetCount(); ++i) {
            CNodePoint* node = nodes_.GetNode(i);
            if (node != nullptr && node->IsInUse() && node->DependsOn(target, false))
                ++count;
        }
        if (count == 0) {
            UndoTransaction tx = UndoTransaction::Join(outer, undo_.get(), kTextIdleNodes, current_);
            nodes_.RemoveNode(n);
            tx.commit();
        }
        return;
    }
    UndoTransaction tx = UndoTransaction::Join(outer, undo_.get(), kTextIdleNodes, current_);
    for (const auto& s : sections_)
        s->ClearNullLengthLines();
    for (int i = 0; i < nodes_.GetCount(); ++i) {
        if (CNodePoint* node = nodes_.GetNode(i))
            node->SetUseCount(0);
    }
    if (originNode_ >= 0 && originNode_ < nodes_.GetCount()) {
        if (CNodePoint* origin = nodes_.GetNode(originNode_))
            origin->SetUseCount(100);
    }
    ForEachElement(sections_, [](CElement& e) { e.AddRefNodes(); });
    for (int i = 0; i < nodes_.GetCount(); ++i) {
        CNodePoint* node = nodes_.GetNode(i);
        if (node != nullptr && node->IsInUse() && node->GetUseCount() == 0)
            nodes_.RemoveNode(i);
    }
    tx.commit();
}

void CMorvekDoc::ValidateAllElements()
{
    (void)nodes_.SetCacheValid(false);
    ForEachElement(sections_, [](CElement& e) { e.ValidateNodes(); });
    (void)nodes_.SetCacheValid(false);
}

void CMorvekDoc::RefreshAllBridges()
{
    for (const auto& s : sections_)
        s->RefreshAllBridges();
}

void CMorvekDoc::UpdateAllElements()
{
    for (const auto& s : sections_)
        s->UpdateElements();
}

void CMorvekDoc::RebuildAllDisplayLists()
{
    ForEachElement(sections_, [](CElement& e) { e.RebuildContour(); });
}

QString CMorvekDoc::GetSelectionAsText() const
{
    QString text;
    if (current_ == nullptr)
        return text;
    for (auto it = current_->begin(); it.NotEqual(current_->end()); it.Next()) {
        if (it.Get()->IsSelected())
            text += it.Get()->GetScriptText();
    }
    return text;
}

void CMorvekDoc::SetDisplayMode(int mode)
{
    displayMode_ = mode;
    ForEachElement(sections_, [mode](CElement& e) { e.RegenerateDisplayList(mode); });
}

// --- edit modes -----------------------------------------------------------------

bool CMorvekDoc::BeginModifyState(int state, bool closeOther)
{
    if (closeOther && state != modifyState_)
        EndModifyState();
    modifyState_ = state;
    return true;
}

void CMorvekDoc::EndModifyState()
{
    undo_->Close();
    modifyState_ = 0;
}

CElement* CMorvekDoc::GetEditElement() const
{
    // Only the address is compared until the element is found in the table.
    if (!editElement_ || !current_ || current_->GetIdx(editElement_) < 0)
        return nullptr;
    return editElement_;
}

void CMorvekDoc::ResetCursor()
{
    const double x = cursor_.modelX;
    const double y = cursor_.modelY;
    const int px = cursor_.pixelX;
    const int py = cursor_.pixelY;
    cursor_ = CursorRecord{};
    cursor_.modelX = x;
    cursor_.modelY = y;
    cursor_.pixelX = px;
    cursor_.pixelY = py;
}

// --- the failed-load state ----------------------------------------------------

void CMorvekDoc::ResetAfterFailedLoad()
{
    // Steps recorded while reading refer to objects that go now.
    sections_.clear();
    current_ = nullptr;
    undo_->Reset();
    CreateFirstSection(kTextEmptySection);
    variables_.Clear();
    (void)variables_.AddDefaultVariables(); // the six names fit an empty table
    nodes_.Reset(-1);
    AddOriginNode();
    fileVersion_ = kFileVersion;
    remembered_.penX = 0.0;
    remembered_.penY = 0.0;
}
