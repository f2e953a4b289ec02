// Registration of the replay subcommand until its source lands; deleted with it.
#include "cli.h"
namespace kelmod_cli {
void AddReplayCommand(CLI::App&, Context&) {}
}  // namespace kelmod_cli
