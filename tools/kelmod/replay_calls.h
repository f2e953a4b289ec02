// Running one recorded call again through the exports, and describing what
// it handed back in the same form the call trace records it.
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <map>
#include <string>

namespace kelmod_cli {

using Json = nlohmann::ordered_json;

// What a call handed back: its code, the texts, integers and records it
// wrote ("results") and the caller's texts it changed in place ("changed"),
// each keyed by the argument's name, values as the trace writes them (texts
// as Latin-1 characters).
struct Outcome {
  int32_t code = 0;
  Json results = Json::object();
  Json changed = Json::object();
};

// Turns a recorded text argument into the text to pass: the paths of
// embedded files and of files the call writes are mapped into the replay's
// own folder. `exportName` and `argName` say which argument it is.
using PathMapper = std::function<std::string(const std::string& exportName,
                                             const std::string& argName,
                                             const std::string& text)>;

// True when the toolbox has an export of that name.
bool IsExport(const std::string& exportName);

// Calls the export with the recorded arguments (an object holding every
// argument in C order, as the trace writes it). Throws Failure(kData) when
// the arguments do not fit the export.
Outcome Replay(const std::string& exportName, const Json& args, const PathMapper& map);

}  // namespace kelmod_cli
