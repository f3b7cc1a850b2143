#include "shell/ToolbarButtons.h"

#include "platform/CFormat.h"
#include "shell/CommandCatalogue.h"

#include <QStringList>

#include <algorithm>

namespace shell {

void ToolbarButtons::Apply(int value)
{
    if (value > 0)
        AddButton(value);
    else if (value == kSeparatorId)
        AddSeparator();
    else if (value == kPlaceholderId && ids_.empty())
        AddButton(kPlaceholderId);
}

void ToolbarButtons::SetButtonsFromText(QStringView text)
{
    RemoveAll();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(',')) {
            Apply(platform::wtoi(text.sliced(start, i - start)));
            start = i + 1;
        }
    }
    if (start < text.size())
        Apply(platform::wtoi(text.sliced(start)));
}

QString ToolbarButtons::GetButtonsText() const
{
    if (ids_.empty())
        return QStringLiteral("0");
    QStringList parts;
    for (int id : ids_)
        parts.append(QString::number(id));
    return parts.join(QLatin1Char(','));
}

ButtonFace ToolbarButtons::Face(int index, const CommandCatalogue& catalogue) const
{
    Q_ASSERT(index >= 0 && index < Count());
    const int id = ids_[static_cast<std::size_t>(index)];
    if (id == kSeparatorId)
        return ButtonFace{id, -1, true};
    const auto entry = catalogue.Find(id);
    return ButtonFace{id, entry ? entry->imageIndex : -1, false};
}

bool ToolbarButtons::MoveButton(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count() || IsEmpty())
        return false;
    const int id = ids_[static_cast<std::size_t>(from)];
    ids_.erase(ids_.begin() + from);
    ids_.insert(ids_.begin() + to, id);
    return true;
}

int ToolbarButtons::CopyDropped(int commandId, int target)
{
    target = std::clamp(target, 0, Count());
    int position = target;
    if (!ids_.empty() && ids_.front() == kPlaceholderId) {
        if (commandId == kSeparatorId) {
            position = 1;
        } else {
            position = std::max(target - 1, 0);
            ids_.erase(ids_.begin());
        }
    }
    position = std::min(position, Count());
    ids_.insert(ids_.begin() + position, commandId);
    return position;
}

bool ToolbarButtons::RemoveDragged(int index)
{
    if (index < 0 || index >= Count() || ids_[static_cast<std::size_t>(index)] == kPlaceholderId)
        return false;
    const auto real = std::count_if(ids_.begin(), ids_.end(), [](int id) { return id != kSeparatorId; });
    const bool lastReal = real == 1 && ids_[static_cast<std::size_t>(index)] != kSeparatorId;
    ids_.erase(ids_.begin() + index);
    if (lastReal)
        ids_.insert(ids_.begin(), kPlaceholderId);
    return true;
}

} // namespace shell
