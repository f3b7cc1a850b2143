#pragma once
// The application object: owns the options, the line-type table, the
// stroke font's glyph paths, the command catalogue, the paper sizes and the
// exporters, and builds them in the start-up order the rest of the program
// relies on. The main window and the documents come on top.
#include "app/LinetypePenAdapter.h"
#include "app/PaperSizeTable.h"
#include "app/StartupSequence.h"
#include "display/GlyphPathTable.h"
#include "exchange/export/ExportManager.h"
#include "linetype/LinetypeTable.h"
#include "options/Options.h"
#include "platform/ScopedOverride.h"
#include "shell/CommandCatalogue.h"

#include <QString>

#include <memory>
#include <optional>

namespace shell {
class ToolbarButtons;
}

class CMorvekXPApp : private StartupServices {
public:
    // Fills the command catalogue and the paper sizes, creates the line-type
    // table with the special display and internal line types and the glyph
    // paths, and hands both to the display lists.
    CMorvekXPApp();
    // Destroys the options (which save the settings again, a step that
    // writes nothing when ExitInstance has saved them), then the tables;
    // everything it installed is put back.
    ~CMorvekXPApp() = default;
    CMorvekXPApp(const CMorvekXPApp&) = delete;
    CMorvekXPApp& operator=(const CMorvekXPApp&) = delete;

    // The running application; null outside its life.
    static CMorvekXPApp* Current();

    // Runs start-up (StartupSequence.h): the options, the application
    // folder, the exporters, the line types (written back only where they
    // differ, a failed write does not stop the program), the node-marker line
    // type in the inverse of the background colour and the mirrored Y axis.
    // The main window's steps go to `window` (none: they succeed). Returns
    // the step that failed, or nothing when the program started.
    [[nodiscard]] std::optional<StartupStep> InitInstance(StartupServices* window = nullptr);
    // The application's last step before it is destroyed, while the main
    // window's prompt is still there: saves the settings that differ from the
    // defaults and the exporter configuration, and tells the user what could
    // not be saved. False when something was not saved.
    bool ExitInstance();

    // A name with a drive ("C:...") stays; anything else is put after the
    // application folder.
    static QString ResolvePath(const QString& name);
    // "..\Temp\" beside the application folder, where exports wait for the
    // program they are handed to.
    static QString GetTempFolder();
    // The application folder from the profile value "Paths"/"Application":
    // an existing local folder; otherwise (missing, empty, a Windows drive
    // path, not there) the folder stays the program's own.
    static void UseApplicationFolder(const QString& profileValue);

    const shell::CommandCatalogue& GetCommandCatalogue() const { return catalogue_; }
    PaperSizeTable& GetPaperSizes() { return paperSizes_; }
    Export::ExportManager& GetExportManager() { return exporters_; }
    // Every catalogued command, in ascending id; nothing for a null toolbar.
    void AddCommandButtons(shell::ToolbarButtons* toolbar) const;
    // What the Output menu lists: the enabled exporters by name.
    std::vector<Export::exporter*> GetEnabledExporters() const { return exporters_.GetEnabledExporters(); }
    // The enabled exporter behind an Output menu command, or null.
    Export::exporter* ExporterForCommand(int commandId) const;

    // Construct > Standard > Use Secondary Relativity: whether inserted
    // standards and the node dialog may give nodes a secondary relativity.
    // On at start.
    bool UseSecondaryRelativity() const { return useSecondaryRelativity_; }
    void SetUseSecondaryRelativity(bool on) { useSecondaryRelativity_ = on; }

    LinetypeTable& GetLinetypeTable() { return *linetypes_; }
    const GlyphPathTable& GetGlyphPathTable() const { return *glyphPaths_; }
    COptions* GetOptions() { return options_.get(); }

    void RegisterSpecialLineTypes();
    void BuildGlyphPaths();

private:
    bool Perform(StartupStep step) override;

    StartupServices* window_ = nullptr;
    bool useSecondaryRelativity_ = true;
    shell::CommandCatalogue catalogue_;
    PaperSizeTable paperSizes_;
    Export::ExportManager exporters_;
    // Members end in reverse order: each guard puts back what was there
    // before, after the options have saved and before the tables go.
    std::unique_ptr<LinetypeTable> linetypes_;
    std::unique_ptr<GlyphPathTable> glyphPaths_;
    LinetypePenAdapter linetypePens_;
    platform::ScopedOverride<LinetypeTable*> linetypesInstalled_;
    platform::ScopedOverride<const GlyphPathTable*> glyphPathsInstalled_;
    platform::ScopedOverride<CMorvekXPApp*> appInstalled_;
    std::unique_ptr<COptions> options_;
    std::optional<platform::ScopedOverride<COptions*>> optionsInstalled_;
    std::optional<platform::ScopedOverride<int>> mirrorInstalled_;
};
