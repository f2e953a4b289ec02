// Registration of the check subcommand until its source lands; deleted with it.
#include "cli.h"
namespace kelmod_cli {
void AddCheckCommand(CLI::App&, Context&) {}
}  // namespace kelmod_cli
