// Registration of the decode subcommand until its source lands; deleted with it.
#include "cli.h"
namespace kelmod_cli {
void AddDecodeCommand(CLI::App&, Context&) {}
}  // namespace kelmod_cli
