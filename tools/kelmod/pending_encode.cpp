// Registration of the encode subcommand until its source lands; deleted with it.
#include "cli.h"
namespace kelmod_cli {
void AddEncodeCommand(CLI::App&, Context&) {}
}  // namespace kelmod_cli
