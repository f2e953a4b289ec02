// kelmod replay TRACE [--stop-at-first]: runs the calls of a call trace
// again, in order, and reports every result that differs from the recorded
// one.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "cli.h"
#include "replay_calls.h"

namespace kelmod_cli {
namespace {

namespace fs = std::filesystem;

struct TraceLine {
  std::size_t number;  // line number in the trace file
  Json call;
};

// The lines of a trace. A last line cut short (the traced process ended
// while writing it) is left out with a warning; any other line that is not
// a JSON object of a call stops the replay before it begins.
std::vector<TraceLine> ReadTrace(const std::string& path) {
  const std::string all = ReadInput(path);
  std::vector<TraceLine> lines;
  std::size_t start = 0;
  std::size_t number = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    const bool complete = end != std::string::npos;
    if (!complete) end = all.size();
    std::string text = all.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    Json call = Json::parse(text, nullptr, false);
    if (call.is_discarded() && !complete) {
      std::cerr << "kelmod: " << path << ":" << number
                << ": the last line is incomplete (the traced process ended while writing "
                   "it); replaying the calls before it\n";
      break;
    }
    const std::string where = path + ":" + std::to_string(number) + ": ";
    if (call.is_discarded() || !call.is_object())
      throw Failure(status::kData, where + "not a line of a call trace (one JSON object a line)");
    if (!call.contains("export") || !call["export"].is_string() || !call.contains("args") ||
        !call["args"].is_object() || !call.contains("code") ||
        !call["code"].is_number_integer())
      throw Failure(status::kData, where + "a call needs \"export\", \"args\" and \"code\"");
    if (!IsExport(call["export"].get<std::string>()))
      throw Failure(status::kData,
                    where + "the toolbox has no export " + call["export"].get<std::string>());
    lines.push_back({number, std::move(call)});
  }
  return lines;
}

// A new, empty folder of the replay's own.
fs::path MakeFolder() {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "kelmod-replay-" << std::hex << random();
    fs::path folder = base / name.str();
    std::error_code error;
    if (fs::create_directory(folder, error)) return folder;
  }
  throw Failure(status::kCannotCreate,
                "cannot make a folder for the replay in " + base.string());
}

// A file name made of the last part of a recorded path, safe on every
// platform.
std::string SafeName(const std::string& path) {
  std::string name = path.substr(path.find_last_of("/\\") == std::string::npos
                                     ? 0
                                     : path.find_last_of("/\\") + 1);
  for (char& c : name) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                       (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
    if (!plain) c = '_';
  }
  return name.empty() ? "file" : name;
}

void SetVariable(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

// The replay's folder, made when first needed and removed with everything
// in it at the end.
struct TempFolder {
  fs::path path;
  const fs::path& Get() {
    if (path.empty()) path = MakeFolder();
    return path;
  }
  TempFolder() = default;
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    if (path.empty()) return;
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

// The files embedded in a trace, written into the replay's folder.
class Files {
 public:
  explicit Files(const std::vector<TraceLine>& lines) {
    std::set<std::string> configured;  // paths the calls name for the toolbox's own files
    std::map<std::string, std::string> byKind;  // first message / index file embedded
    for (const TraceLine& line : lines) {
      const Json& call = line.call;
      if (call["export"] == "ZanConfigureToolbox") {
        for (const auto& arg : call["args"].items())
          if (arg.value().is_string()) configured.insert(Utf8ToLatin1(arg.value()));
      }
      if (!call.contains("files")) continue;
      if (!call["files"].is_array())
        throw Failure(status::kData, "line " + std::to_string(line.number) +
                                         ": \"files\" is not a list of files");
      for (const Json& file : call["files"]) {
        if (!file.is_object() || !file.contains("path") || !file["path"].is_string() ||
            !file.contains("content") || !file["content"].is_string())
          throw Failure(status::kData, "line " + std::to_string(line.number) +
                                           ": an embedded file needs \"path\" and \"content\"");
        const std::string path = Utf8ToLatin1(file["path"]);
        if (mapped_.count(path) != 0) continue;
        const fs::path target =
            folder_.Get() / (std::to_string(mapped_.size() + 1) + "-" + SafeName(path));
        std::ofstream out(target, std::ios::binary);
        const std::string content = Utf8ToLatin1(file["content"]);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out) throw Failure(status::kCannotCreate, "cannot write " + target.string());
        mapped_[path] = target.string();
        const std::string kind = file.value("kind", "");
        if (kind == "message" || kind == "index") byKind.emplace(kind, path);
      }
    }
    // The message and table index files the toolbox found through its
    // variables or defaults: point the variables at the embedded copies.
    for (const auto& [kind, path] : byKind) {
      if (configured.count(path) != 0) continue;
      SetVariable(kind == "message" ? "KELMMES" : "KELMDAT", mapped_[path]);
    }
  }

  // The text to pass for a recorded text argument.
  std::string Map(const std::string& exportName, const std::string& argName,
                  const std::string& text, std::size_t sequence) {
    const auto found = mapped_.find(text);
    if (found != mapped_.end()) return found->second;
    const bool written = argName == "path" &&
                         (exportName == "ZanPrintTable" || exportName == "ZanWriteKonfiguration");
    if (!written) return text;
    return (folder_.Get() / ("out-" + std::to_string(sequence) + "-" + SafeName(text))).string();
  }

 private:
  TempFolder folder_;
  std::map<std::string, std::string> mapped_;
};

Json Member(const Json& call, const char* key) {
  return call.contains(key) && call[key].is_object() ? call[key] : Json::object();
}

std::string Shown(const Json* value) {
  return value == nullptr ? "nothing" : value->dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Prints one line per difference of one group ("results" or "changed").
int Compare(const std::string& prefix, const char* group, const Json& recorded,
            const Json& actual, std::ostream& out) {
  int differences = 0;
  std::vector<std::string> keys;
  for (const auto& item : recorded.items()) keys.push_back(item.key());
  for (const auto& item : actual.items())
    if (!recorded.contains(item.key())) keys.push_back(item.key());
  for (const std::string& key : keys) {
    const Json* was = recorded.contains(key) ? &recorded[key] : nullptr;
    const Json* is = actual.contains(key) ? &actual[key] : nullptr;
    if (was != nullptr && is != nullptr && *was == *is) continue;
    out << prefix << group << "." << key << ": recorded " << Shown(was) << ", actual "
        << Shown(is) << '\n';
    ++differences;
  }
  return differences;
}

}  // namespace

void AddReplayCommand(CLI::App& app, Context& context) {
  auto* command = app.add_subcommand(
      "replay", "run the calls of a call trace (KELMOD_TRACE) again in this toolbox and "
                "report every code, text and record that differs from the recorded one");
  auto trace = std::make_shared<std::string>();
  auto stopAtFirst = std::make_shared<bool>(false);
  command->add_option("TRACE", *trace, "the trace file, one JSON line per call")->required();
  command->add_flag("--stop-at-first", *stopAtFirst, "stop at the first call that differs");
  command->footer(
      "Files embedded in the trace (KELMOD_TRACE_FILES=1) are written to a temporary folder and "
      "the recorded paths mapped to them; print files and written description files go to "
      "that folder too. Each difference is printed as\n"
      "  seq N EXPORT: code|results.ARG|changed.ARG: recorded X, actual Y\n"
      "Exit status 0 when every call gave its recorded results, 1 otherwise.");
  command->callback([trace, stopAtFirst, &context] {
    const std::vector<TraceLine> lines = ReadTrace(*trace);
    Files files(lines);
    std::size_t sequence = 0;
    const PathMapper map = [&](const std::string& exportName, const std::string& argName,
                               const std::string& text) {
      return files.Map(exportName, argName, text, sequence);
    };
    std::size_t replayed = 0;
    std::size_t differing = 0;
    for (const TraceLine& line : lines) {
      const Json& call = line.call;
      const std::string exportName = call["export"];
      sequence = call.contains("seq") && call["seq"].is_number_unsigned()
                     ? call["seq"].get<std::size_t>()
                     : line.number;
      Outcome outcome;
      try {
        outcome = Replay(exportName, call["args"], map);
      } catch (const Failure& failure) {
        throw Failure(failure.status, *trace + ":" + std::to_string(line.number) + ": " +
                                          failure.what());
      }
      ++replayed;
      const std::string prefix = "seq " + std::to_string(sequence) + " " + exportName + ": ";
      int differences = 0;
      const int32_t recordedCode = call["code"].get<int32_t>();
      if (recordedCode != outcome.code) {
        std::cout << prefix << "code: recorded " << recordedCode << ", actual " << outcome.code
                  << '\n';
        ++differences;
      }
      differences += Compare(prefix, "results", Member(call, "results"), outcome.results,
                             std::cout);
      differences += Compare(prefix, "changed", Member(call, "changed"), outcome.changed,
                             std::cout);
      if (differences > 0) {
        ++differing;
        if (*stopAtFirst) break;
      }
    }
    std::cout << "replayed " << replayed << (replayed == 1 ? " call" : " calls") << ": ";
    if (differing == 0) {
      std::cout << "all as recorded\n";
    } else {
      std::cout << differing << (differing == 1 ? " differs" : " differ") << '\n';
    }
    context.exitStatus = differing == 0 ? status::kOk : status::kFindings;
  });
}

}  // namespace kelmod_cli
