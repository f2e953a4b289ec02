// kelmod: the toolbox's field tool. Looks up message texts, checks a site's
// description files, decodes received strings into tables, encodes records
// into strings and replays call traces, all through the 64 exports.
#include <cstdio>
#include <exception>
#include <iostream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "cli.h"

namespace {

std::string ToolboxVersion() {
  char* version = nullptr;
  if (ZanToolboxVersion(&version) != 0 || version == nullptr) return "?";
  return version;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kelmod_cli;
#if defined(_WIN32)
  // Strings are bytes: no line-end translation on the way in or out.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  try {
    CLI::App app{"kelmod - look up, check, decode, encode and replay what crosses the KELMOD "
                 "toolbox boundary.\n"
                 "Exit status: 0 done, 1 findings or differences, 2 a toolbox call failed, "
                 "64 bad command line, 65 malformed input, 66 missing input file.",
                 "kelmod"};
    app.set_version_flag("--version",
                         std::string("kelmod " KELMOD_TOOL_VERSION " (toolbox ") +
                             ToolboxVersion() + ")");
    app.require_subcommand(1);
    app.fallthrough(false);
    // Paths such as /tmp/answer.txt are paths on every platform, never
    // options (CLI11 reads "/x" as an option on Windows unless told not to);
    // the subcommands inherit this.
    app.allow_windows_style_options(false);
    Context context;
    AddMessageCommand(app, context);
    AddCheckCommand(app, context);
    AddDecodeCommand(app, context);
    AddEncodeCommand(app, context);
    AddReplayCommand(app, context);
    try {
      ZanInitToolbox(1);
      app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
      return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
      return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
      return app.exit(e);
    } catch (const CLI::ParseError& e) {
      app.exit(e);
      return status::kUsage;
    }
    std::cout.flush();
    return context.exitStatus;
  } catch (const Failure& f) {
    std::cout.flush();
    std::cerr << "kelmod: " << f.what() << '\n';
    return f.status;
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "kelmod: " << e.what() << '\n';
    return 70;
  }
}
