// Line-by-line reading of the description files and the message file.
#pragma once

#include <cstdio>
#include <string>

#include "core/trace.h"

namespace kelmod {

// A text file opened for reading; closed when it goes out of scope. `kind`
// says which of the toolbox's files it is, for the call trace.
class LineReader {
 public:
  LineReader(const char* path, trace::FileKind kind);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  // Reads the next whole line, however long, without its trailing carriage
  // returns and line feeds. A NUL byte ends the line's text as it would end
  // any string. Returns false at the end of the file.
  bool next(std::string& line);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace kelmod
