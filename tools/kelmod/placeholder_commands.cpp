// Temporary registrations while the subcommands are being written.
#include "cli.h"
namespace kelmod_cli {
void AddCheckCommand(CLI::App&, Context&) {}
void AddDecodeCommand(CLI::App&, Context&) {}
void AddEncodeCommand(CLI::App&, Context&) {}
void AddReplayCommand(CLI::App&, Context&) {}
}  // namespace kelmod_cli
