#include "dlg/LayerTable.h"

#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <algorithm>

namespace dlg {

namespace {

void Tell(int text)
{
    (void)platform::ask(Translate(text), QString(), platform::PromptButtons::Ok,
                        platform::PromptIcon::Warning); // OK only
}

bool Confirm(const QString& text)
{
    return platform::ask(text, QString(), platform::PromptButtons::OkCancel, platform::PromptIcon::Question) ==
           platform::PromptResult::Ok;
}

QString Formatted(int text, const QString& name)
{
    return platform::cformat(Translate(text).toUtf8().constData(), name);
}

QString Formatted(int text, int number)
{
    return platform::cformat(Translate(text).toUtf8().constData(), number);
}

} // namespace

int LayerTable::RowCount() const
{
    return doc_.GetSectionCount();
}

LayerTable::Row LayerTable::RowAt(int row) const
{
    return RowOf(doc_, row, kTextShown, kTextHidden, kTextActive, kTextLockedCell);
}

LayerTable::Row LayerTable::RowOf(const CMorvekDoc& doc, int row, int shown, int hidden, int current, int locked)
{
    const Section* section = doc.GetSection(row);
    if (!section)
        return {};
    Row r;
    r.name = section->GetFullName();
    r.visible = Translate(section->IsVisible() ? shown : hidden);
    if (section == doc.GetCurrentSection())
        r.active = Translate(current);
    if (section->IsLocked())
        r.locked = Translate(locked);
    return r;
}

bool LayerTable::Click(int row, int column)
{
    Section* section = doc_.GetSection(row);
    if (!section)
        return false;
    const bool current = section == doc_.GetCurrentSection();
    switch (column) {
    case kColumnVisible:
        if (section->IsVisible() && current)
            return false; // the layer being drawn on stays visible
        section->SetVisible(!section->IsVisible());
        break;
    case kColumnActive:
        if (current)
            return false;
        doc_.SetCurrentSection(row);
        section->SetVisible(true);
        break;
    case kColumnLocked: section->SetLocked(!section->IsLocked()); break;
    default: return false;
    }
    MarkChanged();
    return true;
}

bool LayerTable::Rename(int row, const QString& name)
{
    Section* section = doc_.GetSection(row);
    if (!section || section->getName() == name)
        return false;
    section->setName(name);
    MarkChanged();
    return true;
}

bool LayerTable::CanAdd() const
{
    return doc_.GetSectionCount() < CMorvekDoc::kMaxSections;
}

bool LayerTable::New()
{
    if (!CanAdd())
        return false;
    const int index = doc_.InsertSection(Formatted(kTextNewLayerName, doc_.GetSectionCount()), -1);
    if (index < 0)
        return false;
    doc_.SetCurrentSection(index);
    MarkStructureChanged();
    return true;
}

int LayerTable::Delete(const std::vector<int>& rows)
{
    int deleted = 0;
    for (Section* section : SectionsOf(rows)) {
        if (section == doc_.GetCurrentSection()) {
            Tell(kTextCannotDeleteCurrent);
            continue;
        }
        if (!Confirm(Formatted(kTextAskDelete, section->GetFullName())))
            continue;
        doc_.DeleteSection(IndexOf(section));
        ++deleted;
        MarkStructureChanged();
    }
    return deleted;
}

bool LayerTable::Merge(const std::vector<int>& rows)
{
    const std::vector<Section*> sources = SectionsOf(rows);
    if (sources.empty()) {
        Tell(kTextMergeNothing);
        return false;
    }
    if (!CanAdd() || !Confirm(Translate(kTextAskMerge)))
        return false;
    Section* merged = doc_.AppendSection(Formatted(kTextMergedLayerName, doc_.GetSectionCount()));
    if (!merged)
        return false;
    doc_.SetCurrentSection(IndexOf(merged));
    for (const Section* source : sources)
        doc_.CopySectionElements(merged, source, 0);
    for (const Section* source : sources)
        doc_.DeleteSection(IndexOf(source));
    MarkStructureChanged();
    return true;
}

bool LayerTable::Duplicate(const std::vector<int>& rows)
{
    const std::vector<Section*> chosen = SectionsOf(rows);
    if (chosen.size() != 1) {
        Tell(kTextDuplicateOne);
        return false;
    }
    if (!CanAdd() || !Confirm(Formatted(kTextAskDuplicate, chosen.front()->GetFullName())))
        return false;
    if (!doc_.DuplicateSection(IndexOf(chosen.front())))
        return false;
    MarkStructureChanged();
    return true;
}

std::vector<Section*> LayerTable::SectionsOf(const std::vector<int>& rows) const
{
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<Section*> sections;
    for (int row : sorted) {
        if (Section* section = doc_.GetSection(row))
            sections.push_back(section);
    }
    return sections;
}

int LayerTable::IndexOf(const Section* section) const
{
    for (int i = 0; i < doc_.GetSectionCount(); ++i) {
        if (doc_.GetSection(i) == section)
            return i;
    }
    return -1;
}

void LayerTable::MarkChanged()
{
    changed_ = true;
    doc_.MarkChangedWithoutUndo();
}

void LayerTable::MarkStructureChanged()
{
    MarkChanged();
    structureChanged_ = true;
    // Steps recorded before would name layers by where they were.
    doc_.Undo().Reset();
}

} // namespace dlg
