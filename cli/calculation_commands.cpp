#include "cli/cli_common.h"

namespace thermalyx::cli {

void registerCalculationCommands(CLI::App& app, int& exitStatus) {
    (void)app;
    (void)exitStatus;
}

}  // namespace thermalyx::cli
