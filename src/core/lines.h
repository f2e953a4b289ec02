// Line-by-line reading of the description files and the message file.
#pragma once

#include <cstdio>
#include <string>

namespace kelmod {

// A text file opened for reading; closed when it goes out of scope.
class LineReader {
 public:
  explicit LineReader(const char* path);
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
