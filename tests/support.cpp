#include "support.h"

#include <atomic>
#include <fstream>
#include <sstream>

namespace kelmod_test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "kelmod_";
  if (info != nullptr) name += std::string(info->test_suite_name()) + "_" + info->name();
  for (char& c : name)
    if (c == '/') c = '_';
  name += "_" + std::to_string(counter++);
  path_ = fs::temp_directory_path() / name;
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& text) const {
  const fs::path p = path_ / name;
  std::ofstream out(p, std::ios::binary);
  out << text;
  return p.string();
}

std::string Columns(std::initializer_list<std::pair<int, std::string>> parts) {
  std::string line;
  for (const auto& [column, text] : parts) {
    const std::size_t at = static_cast<std::size_t>(column) - 1;
    if (line.size() < at) line.resize(at, ' ');
    line.resize(at);
    line += text;
  }
  return line;
}

std::string ReadFile(const std::string& path) {
  // Text mode: print files read the same whatever line end the platform writes.
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void ToolboxTest::SetUp() {
  ASSERT_EQ(ZanInitToolbox(2), 0);
  ASSERT_EQ(ZanInitToolbox(1), 0);
  // Without a message file of its own, a test must not pick up one lying in
  // the working folder.
  Arg none(dir_.file("no-messages.dat"));
  ASSERT_EQ(ZanConfigureToolbox(1, none.get()), 0);
  Arg noIndex(dir_.file("no-kelmtab.dat"));
  ASSERT_EQ(ZanConfigureToolbox(2, noIndex.get()), 0);
}

void ToolboxTest::TearDown() { ZanInitToolbox(2); }

void ToolboxTest::UseSeparator(char separator) {
  std::string record = "46C   ";
  record += separator;
  record += "           ";
  Arg rec(record);
  ASSERT_EQ(ZanFillInterface(rec.get(), static_cast<int32_t>(record.size())), 0);
}

}  // namespace kelmod_test
