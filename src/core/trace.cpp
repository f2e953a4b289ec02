#include "core/trace.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <utility>

namespace kelmod::trace {

std::atomic<int> gMode{kUndecided};

namespace {

// Everything an active trace needs. Made once when tracing turns on and
// never destroyed, so that calls made while the process ends (from a host's
// static destructors) still find it.
struct Session {
  std::mutex lock;
  std::FILE* file = nullptr;
  bool withFiles = false;
  std::int64_t originNs = 0;
  std::uint64_t sequence = 0;
  std::set<std::pair<int, std::string>> filesSeen;
};

Session* gSession = nullptr;
std::mutex gStartLock;
thread_local Line* tCurrent = nullptr;

const char* KindName(FileKind kind) {
  switch (kind) {
    case FileKind::kSets: return "sets";
    case FileKind::kFields: return "fields";
    case FileKind::kIndex: return "index";
    case FileKind::kMessages: return "message";
  }
  return "file";
}

void AppendNumber(std::string& out, std::int64_t value) { out += std::to_string(value); }

}  // namespace

std::int64_t NowNs() noexcept {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool Active() noexcept {
  const int mode = gMode.load(std::memory_order_acquire);
  if (mode != kUndecided) return mode == kOn;
  try {
    std::lock_guard<std::mutex> guard(gStartLock);
    if (gMode.load(std::memory_order_relaxed) != kUndecided)
      return gMode.load(std::memory_order_relaxed) == kOn;
    const char* path = std::getenv("KELMOD_TRACE");
    std::FILE* file = (path != nullptr && *path != '\0') ? std::fopen(path, "ab") : nullptr;
    if (file == nullptr) {
      gMode.store(kOff, std::memory_order_release);
      return false;
    }
    auto* session = new Session;
    session->file = file;
    const char* files = std::getenv("KELMOD_TRACE_FILES");
    session->withFiles = files != nullptr && std::strcmp(files, "1") == 0;
    session->originNs = NowNs();
    gSession = session;
    gMode.store(kOn, std::memory_order_release);
    return true;
  } catch (...) {
    gMode.store(kOff, std::memory_order_release);
    return false;
  }
}

void Disable() noexcept { gMode.store(kOff, std::memory_order_release); }

Line* CurrentLine() noexcept { return tCurrent; }
void SetCurrentLine(Line* line) noexcept { tCurrent = line; }

void AppendText(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out.push_back('"');
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '"' || byte == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (byte >= 0x20 && byte < 0x7f) {
      out.push_back(c);
    } else {
      out += "\\u00";
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xf]);
    }
  }
  out.push_back('"');
}

void AppendKey(std::string& out, std::string_view key) {
  if (!out.empty()) out.push_back(',');
  AppendText(out, key);
  out.push_back(':');
}

void NoteFile(FileKind kind, const char* path, std::FILE* file) noexcept {
  Line* line = tCurrent;
  Session* session = gSession;
  if (line == nullptr || session == nullptr || !session->withFiles || path == nullptr ||
      file == nullptr || gMode.load(std::memory_order_relaxed) != kOn)
    return;
  try {
    {
      std::lock_guard<std::mutex> guard(session->lock);
      if (!session->filesSeen.emplace(static_cast<int>(kind), path).second) return;
    }
    std::string content;
    char chunk[8192];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, n);
    std::rewind(file);
    std::string entry = "{\"kind\":";
    AppendText(entry, KindName(kind));
    entry += ",\"path\":";
    AppendText(entry, path);
    entry += ",\"content\":";
    AppendText(entry, content);
    entry.push_back('}');
    if (!line->files.empty()) line->files.push_back(',');
    line->files += entry;
  } catch (...) {
    std::rewind(file);
    line->failed = true;
  }
}

void Write(const char* exportName, const Line& line, int32_t code, std::int64_t startNs) noexcept {
  Session* session = gSession;
  if (session == nullptr || line.failed) {
    Disable();
    return;
  }
  const std::int64_t endNs = NowNs();
  try {
    std::lock_guard<std::mutex> guard(session->lock);
    if (gMode.load(std::memory_order_relaxed) != kOn) return;
    std::string out;
    out.reserve(128 + line.args.size() + line.results.size() + line.changed.size() +
                line.files.size());
    out += "{\"seq\":";
    AppendNumber(out, static_cast<std::int64_t>(++session->sequence));
    out += ",\"time_us\":";
    AppendNumber(out, (startNs - session->originNs) / 1000);
    out += ",\"export\":";
    AppendText(out, exportName);
    out += ",\"args\":{" + line.args + "}";
    out += ",\"code\":";
    AppendNumber(out, code);
    out += ",\"results\":{" + line.results + "}";
    out += ",\"changed\":{" + line.changed + "}";
    if (!line.files.empty()) out += ",\"files\":[" + line.files + "]";
    const std::int64_t ns = endNs - startNs;
    out += ",\"duration_us\":";
    AppendNumber(out, ns / 1000);
    out.push_back('.');
    const std::int64_t fraction = ns % 1000;
    out.push_back(static_cast<char>('0' + fraction / 100));
    out.push_back(static_cast<char>('0' + fraction / 10 % 10));
    out.push_back(static_cast<char>('0' + fraction % 10));
    out += "}\n";
    if (std::fwrite(out.data(), 1, out.size(), session->file) != out.size() ||
        std::fflush(session->file) != 0)
      Disable();
  } catch (...) {
    Disable();
  }
}

}  // namespace kelmod::trace
