#include "exchange/export/ExportManager.h"

#include <algorithm>

namespace Export {

void ExportManager::Load(const QString& defaultsPath, const QString& userPath)
{
    // Either file may be missing: no factory exporters, or no changes of the user's.
    (void)config_.ReadDiff(defaultsPath);
    config_.Commit();
    (void)config_.ReadDiff(userPath); // missing: no changes of the user's, as above
    userPath_ = userPath;
    std::vector<QString> names;
    for (const auto& [name, section] : config_.Current())
        names.push_back(name);
    for (const QString& name : names)
        if (auto created = CreateFromSection(name, config_.GetSection(name)))
            exporters_.push_back(std::move(created));
}

bool ExportManager::Save(QString* error)
{
    config_.Clear();
    for (const auto& configured : exporters_)
        configured->SaveToConfig(config_);
    return userPath_.isEmpty() || config_.WriteDiff(userPath_, error);
}

void ExportManager::Add(std::unique_ptr<exporter> added)
{
    if (added)
        exporters_.push_back(std::move(added));
}

void ExportManager::Delete(const exporter* removed)
{
    std::erase_if(exporters_, [removed](const auto& held) { return held.get() == removed; });
}

ExportManager::NameMap ExportManager::GetNameMap() const
{
    NameMap names;
    for (const auto& configured : exporters_) {
        // The later exporter replaces the earlier one, spelling of its name included.
        names.erase(configured->GetName());
        names.emplace(configured->GetName(), configured.get());
    }
    return names;
}

std::vector<exporter*> ExportManager::GetEnabledExporters() const
{
    std::vector<exporter*> enabled;
    for (const auto& [name, configured] : GetNameMap())
        if (configured->IsEnabled())
            enabled.push_back(configured);
    return enabled;
}

} // namespace Export
