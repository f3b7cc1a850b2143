#include "options/PathChooser.h"

namespace {

class CancellingChooser : public PathChooser {
public:
    bool ChooseFolder(const QString&, QString&) override { return false; }
    bool ChooseFile(const QString&, const QString&, QString&) override { return false; }
};

CancellingChooser g_default;
constinit platform::Current<PathChooser*> g_current{nullptr};

} // namespace

PathChooser& pathChooser()
{
    PathChooser* current = g_current.Get();
    return current ? *current : g_default;
}

platform::ScopedOverride<PathChooser*> installPathChooser(PathChooser& chooser)
{
    return g_current.Override(&chooser);
}

bool ScriptedPathChooser::ChooseFolder(const QString& initialFolder, QString& folder)
{
    return answer(initialFolder, QString(), folder);
}

bool ScriptedPathChooser::ChooseFile(const QString& initialPath, const QString& filter, QString& path)
{
    return answer(initialPath, filter, path);
}

bool ScriptedPathChooser::answer(const QString& start, const QString& filter, QString& out)
{
    starts_.append(start);
    filters_.append(filter);
    if (answers_.empty() || !answers_.front()) {
        if (!answers_.empty())
            answers_.pop_front();
        return false;
    }
    out = *answers_.front();
    answers_.pop_front();
    return true;
}
