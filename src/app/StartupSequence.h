#pragma once
// The order in which the program starts, apart from who does each step: the
// application object does the model's steps, the main window its own. A
// step that fails ends start-up, except writing the line types back, which
// only keeps the user's file as it was.
#include <array>
#include <optional>

enum class StartupStep {
    CreateOptions,          // the options, published for everyone
    ReadApplicationFolder,  // "Paths"/"Application", else the program's folder
    LoadExporters,          // "Defaults\output.ini" under "Config\output.cfg"
    LoadOptions,            // settings, language, bridge rules, shapes, registry values, standards, hot keys
    LoadLineTypes,
    SaveLineTypes,          // written back only where they differ
    CreateContrastLineType, // the node markers' colour: the background inverted
    MirrorYAxis,
    CreateMainWindow,
    ProcessCommandLine,
    ShowMainWindow,         // titled with the program's version
};

inline constexpr std::array kStartupOrder{
    StartupStep::CreateOptions,  StartupStep::ReadApplicationFolder, StartupStep::LoadExporters,
    StartupStep::LoadOptions,    StartupStep::LoadLineTypes,         StartupStep::SaveLineTypes,
    StartupStep::CreateContrastLineType, StartupStep::MirrorYAxis,   StartupStep::CreateMainWindow,
    StartupStep::ProcessCommandLine, StartupStep::ShowMainWindow,
};

// Whether start-up goes on when the step fails.
constexpr bool MayFail(StartupStep step)
{
    return step == StartupStep::SaveLineTypes;
}

class StartupServices {
public:
    virtual ~StartupServices() = default;
    // Does the step; false when it failed.
    [[nodiscard]] virtual bool Perform(StartupStep step) = 0;
};

// Runs every step in order. Returns the step that ended start-up, or nothing
// when the program started.
[[nodiscard]] std::optional<StartupStep> RunStartup(StartupServices& services);
