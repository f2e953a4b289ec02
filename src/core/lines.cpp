#include "core/lines.h"

#include "core/text.h"

namespace kelmod {

LineReader::LineReader(const char* path) {
  if (path != nullptr) file_ = std::fopen(path, "rb");
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
