#include "app/MorvekXPApp.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "platform/Paths.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"
#include "shell/MenuTree.h"
#include "shell/ToolbarButtons.h"
#include "support/ResolvePath.h"

#include <QDir>

namespace {
constinit platform::Current<CMorvekXPApp*> g_app{nullptr};
}

CMorvekXPApp::CMorvekXPApp()
    : linetypes_(std::make_unique<LinetypeTable>()), glyphPaths_(std::make_unique<GlyphPathTable>()),
      linetypePens_(*linetypes_), linetypesInstalled_(DisplayList::InstallLinetypeTable(*linetypes_)),
      glyphPathsInstalled_(DisplayList::InstallGlyphPathTable(*glyphPaths_)), appInstalled_(g_app.Override(this))
{
    catalogue_.Build();
    RegisterSpecialLineTypes();
    BuildGlyphPaths();
    paperSizes_.InitPaperSizes();
}

CMorvekXPApp* CMorvekXPApp::Current()
{
    return g_app.Get();
}

std::optional<StartupStep> CMorvekXPApp::InitInstance(StartupServices* window)
{
    window_ = window;
    const auto failed = RunStartup(*this);
    window_ = nullptr;
    return failed;
}

bool CMorvekXPApp::Perform(StartupStep step)
{
    switch (step) {
    case StartupStep::CreateOptions:
        optionsInstalled_.reset();
        options_ = std::make_unique<COptions>();
        optionsInstalled_.emplace(COptions::Install(*options_));
        options_->SetLineTypePens(&linetypePens_);
        return true;
    case StartupStep::ReadApplicationFolder:
        UseApplicationFolder(platform::Registry::getString(QStringLiteral("Paths"), QStringLiteral("Application")));
        return true;
    case StartupStep::LoadExporters:
        exporters_.Load(ResolvePath(QStringLiteral("Defaults\\output.ini")), ResolvePath(QStringLiteral("Config\\output.cfg")));
        return true;
    case StartupStep::LoadOptions:
        options_->Load();
        return true;
    case StartupStep::LoadLineTypes:
        linetypes_->Load();
        return true;
    case StartupStep::SaveLineTypes:
        // A failed write has told the user; the program runs on with the
        // table it loaded.
        return linetypes_->Save();
    case StartupStep::CreateContrastLineType: {
        // The node markers stand out on any background: each colour byte inverted.
        const auto background = static_cast<platform::ColorRef>(options_->GetBackgroundColour());
        linetypes_->CreateContrastLinetype(~background & 0x00FFFFFFu);
        return true;
    }
    case StartupStep::MirrorYAxis:
        mirrorInstalled_.reset();
        mirrorInstalled_.emplace(DrawContext::OverrideMirrorFlags(DrawContext::MirrorY));
        return true;
    case StartupStep::CreateMainWindow:
    case StartupStep::ProcessCommandLine:
    case StartupStep::ShowMainWindow:
        return !window_ || window_->Perform(step);
    }
    return false;
}

void CMorvekXPApp::UseApplicationFolder(const QString& profileValue)
{
    // A Windows drive path copied from another installation means nothing here.
    if (!profileValue.isEmpty() && !platform::isDrivePath(profileValue) && QDir(profileValue).exists())
        platform::setAppFolder(profileValue);
}

QString CMorvekXPApp::GetTempFolder()
{
    return QDir::cleanPath(platform::appFolder() + QStringLiteral("../Temp")) + QLatin1Char('/');
}

void CMorvekXPApp::AddCommandButtons(shell::ToolbarButtons* toolbar) const
{
    if (!toolbar)
        return;
    for (const auto& [id, entry] : catalogue_.GetCommands())
        toolbar->AddButton(id);
}

Export::exporter* CMorvekXPApp::ExporterForCommand(int commandId) const
{
    if (commandId < shell::kFirstExporterCommand || commandId > shell::kLastExporterCommand)
        return nullptr;
    const auto enabled = GetEnabledExporters();
    const auto index = static_cast<std::size_t>(commandId - shell::kFirstExporterCommand);
    return index < enabled.size() ? enabled[index] : nullptr;
}

bool CMorvekXPApp::ExitInstance()
{
    bool saved = true;
    QString error;
    if (options_ && !options_->GetSettings().Save(&error)) {
        platform::ask(QStringLiteral("The settings could not be saved:\n") + error, QString(),
                      platform::PromptButtons::Ok, platform::PromptIcon::Warning);
        saved = false;
    }
    if (error.clear(); !exporters_.Save(&error)) {
        platform::ask(QStringLiteral("The output configuration could not be saved:\n") + error, QString(),
                      platform::PromptButtons::Ok, platform::PromptIcon::Warning);
        saved = false;
    }
    return saved;
}

QString CMorvekXPApp::ResolvePath(const QString& name)
{
    return ::ResolvePath(name);
}

void CMorvekXPApp::RegisterSpecialLineTypes()
{
    for (const auto& special : SpecialLinetype::Registrations())
        linetypes_->RegisterSymbolicName(special.name, special.number, special.kind);
}

void CMorvekXPApp::BuildGlyphPaths()
{
    ::BuildGlyphPaths(*glyphPaths_);
}
