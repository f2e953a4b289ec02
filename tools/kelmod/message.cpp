// kelmod message CODE... [--file PATH]: the texts of return codes.
#include <cstdio>
#include <iostream>

#include "cli.h"

namespace kelmod_cli {

void AddMessageCommand(CLI::App& app, Context& context) {
  auto* command = app.add_subcommand(
      "message", "print the type letter, short text and long text of each code, as "
                 "ZanGetErrorMessage gives them");
  auto codes = std::make_shared<std::vector<int32_t>>();
  auto file = std::make_shared<std::string>();
  command->add_option("CODE", *codes, "return codes (use -- before negative ones)")->required();
  command->add_option("--file", *file,
                      "message file (default: $KELMMES, else ./kelmmes.dat)");
  command->callback([codes, file, &context] {
    if (!file->empty()) {
      std::FILE* probe = std::fopen(file->c_str(), "rb");
      if (probe == nullptr) {
        throw Failure(status::kNoInput, "cannot read the message file '" + *file + "'");
      }
      std::fclose(probe);
      Buffer path(*file);
      if (ZanConfigureToolbox(1, path.get()) != 0) {
        throw Failure(status::kToolbox, "no memory to configure the message file");
      }
    }
    for (int32_t code : *codes) {
      const MessageRecord m = LookUpMessage(code);
      std::cout << code << " [" << m.type << "] ";
      if (m.shortText[0] != '\0') std::cout << m.shortText << ": ";
      std::cout << m.longText << '\n';
    }
    context.exitStatus = status::kOk;
  });
}

}  // namespace kelmod_cli
