#include "core/lines.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "core/text.h"

namespace kelmod {

LineReader::LineReader(const char* path, trace::FileKind kind) {
  if (path == nullptr) return;
  file_ = std::fopen(path, "rb");
#if !defined(_WIN32)
  // A directory opens for reading here (not on Windows) but holds no lines:
  // it is a file that cannot be opened, on every platform alike.
  struct stat info;
  if (file_ != nullptr && fstat(fileno(file_), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file_);
    file_ = nullptr;
  }
#endif
  if (file_ != nullptr && trace::gMode.load(std::memory_order_relaxed) == trace::kOn)
    trace::NoteFile(kind, path, file_);
}

LineReader::~LineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool LineReader::next(std::string& line) {
  line.clear();
  if (file_ == nullptr) return false;
  bool any = false;
  bool ended = false;  // a NUL byte ends the line's text
  int c;
  while ((c = std::getc(file_)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (c == '\0') ended = true;
    if (!ended) line.push_back(static_cast<char>(c));
  }
  if (!any) return false;
  StripLineEnd(line);
  return true;
}

}  // namespace kelmod
