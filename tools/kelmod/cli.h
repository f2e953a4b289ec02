// Shared pieces of the kelmod command: exit statuses, failures, input
// files, writable argument buffers, 8-bit text conversion and the table
// printer that decode uses.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "kelmod.h"

namespace kelmod_cli {

// Exit statuses of the tool (the usage and input ones as sysexits.h has them).
namespace status {
inline constexpr int kOk = 0;
inline constexpr int kFindings = 1;   // check found an error; replay found a difference
inline constexpr int kToolbox = 2;    // a toolbox call returned a code other than 0
inline constexpr int kUsage = 64;     // the command line cannot be used
inline constexpr int kData = 65;      // an input file is not in the form expected
inline constexpr int kNoInput = 66;   // an input file is missing or unreadable
inline constexpr int kCannotCreate = 73;  // an output file or folder cannot be made
}  // namespace status

// Ends the command with a message on standard error and an exit status.
struct Failure : std::runtime_error {
  Failure(int exitStatus, const std::string& message)
      : std::runtime_error(message), status(exitStatus) {}
  int status;
};

// Every subcommand registers itself on the application; the callback it
// installs sets `exitStatus` (or throws Failure).
struct Context {
  int exitStatus = status::kOk;
};
void AddMessageCommand(CLI::App& app, Context& context);
void AddCheckCommand(CLI::App& app, Context& context);
void AddDecodeCommand(CLI::App& app, Context& context);
void AddEncodeCommand(CLI::App& app, Context& context);
void AddReplayCommand(CLI::App& app, Context& context);

// The whole content of a file, or of standard input for "-", byte for byte.
// Throws Failure(kNoInput) naming the file when it cannot be read.
std::string ReadInput(const std::string& pathOrDash);

// A NUL-terminated, writable copy of a text for an argument the toolbox may
// change in place. `room` extra bytes are zero (for names written back).
class Buffer {
 public:
  explicit Buffer(const std::string& text, std::size_t room = 0);
  char* get() { return bytes_.data(); }
  std::string str() const { return std::string(bytes_.data()); }
  int32_t length() const { return length_; }

 private:
  std::vector<char> bytes_;
  int32_t length_;
};

// 8-bit text as the toolbox holds it <-> UTF-8 for JSON: every byte is the
// character of the same number (Latin-1). FromUtf8 throws Failure(kData)
// for a character above U+00FF or malformed UTF-8.
std::string Latin1ToUtf8(const std::string& bytes);
std::string Utf8ToLatin1(const std::string& utf8);

// Throws Failure(kNoInput) naming the file (as `what` describes it) when a
// file the toolbox is to read is missing, unreadable or a folder. Checked
// before the toolbox reads a description file: it reports a missing set
// index file as a missing set, and reads a missing field definition file as
// a set without fields.
void RequireReadable(const std::string& path, const std::string& what);

// Throws Failure(kToolbox) with the message text when a call returned a
// code other than 0.
void Check(const char* call, int32_t code);

// Type letter, short and long text of a code from the message file in use.
MessageRecord LookUpMessage(int32_t code);
// "code 41 [E] No such field - The field ...", for a failed toolbox call.
std::string DescribeCode(const std::string& call, int32_t code);

// A table ready to print: column names and rows of 8-bit texts.
struct Table {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

enum class Format { kText, kCsv, kJson };
// Registers --format text|csv|json on a subcommand.
void AddFormatOption(CLI::App& command, Format& format);
// text: aligned columns with a header line; csv: RFC 4180 with a header row;
// json: {"records": [{column: value, ...}, ...]} (texts as Latin-1 -> UTF-8).
void PrintTable(const Table& table, Format format, std::ostream& out);

}  // namespace kelmod_cli
