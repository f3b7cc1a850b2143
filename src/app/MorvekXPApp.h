#pragma once
// The application object: owns the options, the line-type table and the
// stroke font's glyph paths, and builds them in the start-up order the rest
// of the program relies on. The main window and the documents come on top.
#include "display/GlyphPathTable.h"
#include "app/LinetypePenAdapter.h"
#include "linetype/LinetypeTable.h"
#include "options/Options.h"
#include "platform/ScopedOverride.h"

#include <QString>

#include <memory>
#include <optional>

class CMorvekXPApp {
public:
    // Creates the line-type table with the special display and internal line
    // types and the glyph paths, and hands both to the display lists.
    CMorvekXPApp();
    // Destroys the options (which save the settings again, a step that
    // writes nothing when ExitInstance has saved them), then the tables;
    // everything it installed is put back.
    ~CMorvekXPApp() = default;
    CMorvekXPApp(const CMorvekXPApp&) = delete;
    CMorvekXPApp& operator=(const CMorvekXPApp&) = delete;

    // The running application; null outside its life.
    static CMorvekXPApp* Current();

    // Creates and loads the options, loads the line types (and writes back
    // only what differs), makes the node-marker line type in the inverse of
    // the background colour and mirrors the Y axis of every drawing.
    void InitInstance();

    // The application's last step before it is destroyed, while the main
    // window's prompt is still there: saves the settings that differ from the
    // defaults and tells the user when they could not be saved.
    void ExitInstance();

    // A name with a drive ("C:...") stays; anything else is put after the
    // application folder.
    static QString ResolvePath(const QString& name);

    LinetypeTable& GetLinetypeTable() { return *linetypes_; }
    const GlyphPathTable& GetGlyphPathTable() const { return *glyphPaths_; }
    COptions* GetOptions() { return options_.get(); }

    void RegisterSpecialLineTypes();
    void BuildGlyphPaths();

private:
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
