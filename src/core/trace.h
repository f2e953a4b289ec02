// The call trace: when KELMOD_TRACE names a file at the first call of the
// process, every export call appends one JSON line to it (its arguments as
// received, its code, everything it handed back, its duration). With
// KELMOD_TRACE_FILES=1 the lines also carry the whole content of every
// description, table index and message file the first time a call reads it.
//
// Tracing never changes a result and never fails a call: whatever goes
// wrong while tracing (the file cannot be opened or written, no memory for a
// line) turns tracing off for the rest of the process.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace kelmod::trace {

// What the trace knows of one export beyond its C types.
struct ExportInfo {
  const char* name;
  const char* args;        // the argument names in C order, comma-separated
  int outBuffer = -1;      // a char* argument the call only writes (not read before)
  int outBufferSize = 0;   // ... and how many bytes it may write
  int textCount = 0;       // a char** argument that receives this many texts
};

enum Mode : int { kUndecided = 0, kOff = 1, kOn = 2 };
// Read once per call, relaxed: the decision is made once and never undone
// but for turning tracing off.
extern std::atomic<int> gMode;

// Decides at the first call whether to trace; true when tracing is on.
bool Active() noexcept;
// Turns tracing off for good (after a failure while tracing).
void Disable() noexcept;

enum class FileKind { kSets, kFields, kIndex, kMessages };

// One line being built for the call in progress. The JSON members are
// gathered in separate texts and joined in a fixed order when the call ends.
struct Line {
  std::string args;     // "name":value,... without braces
  std::string results;  // the same for what the call handed back
  std::string changed;  // in-place changes of the caller's texts
  std::string files;    // {"kind":..,"path":..,"content":..},...
  bool failed = false;  // something could not be recorded: drop the line
};

// The line of the call in progress on this thread, or null.
Line* CurrentLine() noexcept;
void SetCurrentLine(Line* line) noexcept;

// Called by the file reader right after it opened a file: with
// KELMOD_TRACE_FILES=1 the first read of each path of each kind adds the
// whole file to the current line. Leaves the file positioned at its start.
void NoteFile(FileKind kind, const char* path, std::FILE* file) noexcept;

// JSON pieces. Texts are 8-bit: printable ASCII stands as it is, every other
// byte is escaped as the character of the same number (\u00XX), so that
// every byte survives the round trip.
void AppendText(std::string& out, std::string_view text);
void AppendKey(std::string& out, std::string_view key);  // "key": with a comma before when needed

// Writes the finished line (sequence number, time, export, the parts of
// `line`, code, duration) and flushes it. `startNs` is when the call began,
// from NowNs().
void Write(const char* exportName, const Line& line, int32_t code, std::int64_t startNs) noexcept;
std::int64_t NowNs() noexcept;

}  // namespace kelmod::trace
