// Helpers shared by the tests that drive the toolbox through kelmod.h.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kelmod.h"

namespace kelmod_test {

// A private temporary folder, removed when the test ends.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // Writes `text` to `name` in the folder and returns its path.
  std::string write(const std::string& name, const std::string& text) const;
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A line with each text placed at its 1-based column, blanks between.
std::string Columns(std::initializer_list<std::pair<int, std::string>> parts);

// Reads a whole file; empty if it cannot be read.
std::string ReadFile(const std::string& path);

// A fresh toolbox per test: released and started again, no interface values.
class ToolboxTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Stores an interface record with the given separator (release "46C ").
  void UseSeparator(char separator);
  TempDir dir_;
};

// A writable copy of a text for arguments the toolbox may change in place.
struct Arg {
  explicit Arg(const std::string& text) : buf(text.begin(), text.end()) { buf.push_back('\0'); }
  char* get() { return buf.data(); }
  std::string str() const { return std::string(buf.data()); }
  std::vector<char> buf;
};

}  // namespace kelmod_test
