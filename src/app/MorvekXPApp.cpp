#include "app/MorvekXPApp.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "platform/Paths.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"
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
    RegisterSpecialLineTypes();
    BuildGlyphPaths();
}

CMorvekXPApp* CMorvekXPApp::Current()
{
    return g_app.Get();
}

void CMorvekXPApp::InitInstance()
{
    // The application folder (Defaults/ and Config/) is the program's own
    // unless the profile names another existing local folder (a Windows
    // drive path copied from another installation means nothing here).
    const QString appFolder = platform::Registry::getString(QStringLiteral("Paths"), QStringLiteral("Application"));
    if (!appFolder.isEmpty() && !platform::isDrivePath(appFolder) && QDir(appFolder).exists())
        platform::setAppFolder(appFolder);

    optionsInstalled_.reset();
    options_ = std::make_unique<COptions>();
    optionsInstalled_.emplace(COptions::Install(*options_));
    options_->SetLineTypePens(&linetypePens_);
    options_->Load();

    linetypes_->Load();
    // A line-type file that cannot be written has told the user already;
    // the program runs on with the table it loaded.
    (void)linetypes_->Save();
    // The node markers stand out on any background: each colour byte inverted.
    const auto background = static_cast<platform::ColorRef>(options_->GetBackgroundColour());
    linetypes_->CreateContrastLinetype(~background & 0x00FFFFFFu);

    mirrorInstalled_.reset();
    mirrorInstalled_.emplace(DrawContext::OverrideMirrorFlags(DrawContext::MirrorY));
}

void CMorvekXPApp::ExitInstance()
{
    if (!options_)
        return;
    QString error;
    if (!options_->GetSettings().Save(&error))
        platform::ask(QStringLiteral("The settings could not be saved:\n") + error, QString(),
                      platform::PromptButtons::Ok, platform::PromptIcon::Warning);
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
