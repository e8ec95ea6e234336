#include "cli/cli_common.h"

namespace thermalyx::cli {

void registerCatalogueCommands(CLI::App& app, int& exitStatus) {
    (void)app;
    (void)exitStatus;
}

}  // namespace thermalyx::cli
