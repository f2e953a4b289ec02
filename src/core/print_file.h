// The text files the printers write.
#pragma once

#include <cstdio>

namespace kelmod {

// A print file created (or emptied) for writing in the platform's text
// mode; closed when it goes out of scope.
class PrintFile {
 public:
  explicit PrintFile(const char* path) {
    if (path != nullptr) file_ = std::fopen(path, "w");
  }
  ~PrintFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  PrintFile(const PrintFile&) = delete;
  PrintFile& operator=(const PrintFile&) = delete;

  std::FILE* get() const { return file_; }
  explicit operator bool() const { return file_ != nullptr; }
  // Closes the file now; false if its contents could not be written out.
  bool close() {
    const bool ok = file_ != nullptr && std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
  }

 private:
  std::FILE* file_ = nullptr;
};

// The rule under every block heading: 56 hyphens.
inline constexpr const char* kPrintRule =
    "--------------------------------------------------------\n";

}  // namespace kelmod
