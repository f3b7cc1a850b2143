#include "app/StartupSequence.h"

std::optional<StartupStep> RunStartup(StartupServices& services)
{
    for (StartupStep step : kStartupOrder)
        if (!services.Perform(step) && !MayFail(step))
            return step;
    return std::nullopt;
}
