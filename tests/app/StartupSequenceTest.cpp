#include "app/StartupSequence.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the steps it is asked for and fails the ones it is told to.
class ScriptedServices : public StartupServices {
public:
    explicit ScriptedServices(std::vector<StartupStep> failing = {}) : failing_(std::move(failing)) {}
    bool Perform(StartupStep step) override
    {
        done.push_back(step);
        return std::find(failing_.begin(), failing_.end(), step) == failing_.end();
    }
    std::vector<StartupStep> done;

private:
    std::vector<StartupStep> failing_;
};

std::vector<StartupStep> Upto(StartupStep last)
{
    std::vector<StartupStep> steps;
    for (StartupStep step : kStartupOrder) {
        steps.push_back(step);
        if (step == last)
            break;
    }
    return steps;
}

TEST(StartupSequence, RunsEveryStepInOrder)
{
    ScriptedServices services;
    EXPECT_FALSE(RunStartup(services).has_value());
    const std::vector<StartupStep> expected{
        StartupStep::CreateOptions,  StartupStep::ReadApplicationFolder, StartupStep::LoadExporters,
        StartupStep::LoadOptions,    StartupStep::LoadLineTypes,         StartupStep::SaveLineTypes,
        StartupStep::CreateContrastLineType, StartupStep::MirrorYAxis,   StartupStep::CreateMainWindow,
        StartupStep::ProcessCommandLine, StartupStep::ShowMainWindow};
    EXPECT_EQ(services.done, expected);
}

TEST(StartupSequence, AFailedStepEndsStartUpExceptWritingTheLineTypesBack)
{
    for (StartupStep failing : kStartupOrder) {
        ScriptedServices services({failing});
        const auto failed = RunStartup(services);
        if (failing == StartupStep::SaveLineTypes) {
            EXPECT_FALSE(failed.has_value());
            EXPECT_EQ(services.done.size(), kStartupOrder.size());
        } else {
            EXPECT_EQ(failed, failing) << static_cast<int>(failing);
            EXPECT_EQ(services.done, Upto(failing)) << static_cast<int>(failing);
        }
    }
}

} // namespace
