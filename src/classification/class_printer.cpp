#include "classification/class_printer.h"

#include <memory>

namespace kelmod::classification {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Labels of the five members, in member order.
constexpr const char* kLabels[] = {
    "Name...........: ", "Feldname.......: ", "DIN-Buchstabe..: ",
    "Eingabe........: ", "Einheit........: ",
};

}  // namespace

void PrintClassEntry(const ClassEntry* entry, int32_t mode, int32_t number, std::FILE* file) {
  if (entry == nullptr || file == nullptr || mode != 1) return;
  if (number == 1) {
    std::fputs("Klassentabelle\n", file);
    std::fputs("==============\n", file);
  }
  std::fputs("\n", file);
  std::fprintf(file, "Eintrag : %d\n", static_cast<int>(number));
  std::fputs("--------------------------------------------------------\n", file);
  for (std::size_t i = 0; i < entry->values.size(); ++i) {
    std::fputs(kLabels[i], file);
    std::fputs(entry->values[i].c_str(), file);
    std::fputs("\n", file);
  }
}

int32_t PrintClassTable(const std::vector<ClassEntry>& table, int32_t mode, const char* path) {
  if (path == nullptr || table.empty()) return -1;
  std::unique_ptr<std::FILE, FileCloser> file;
  if (mode > 0) {
    file.reset(std::fopen(path, "w"));
    if (!file) return -1;
  }
  int32_t number = 0;
  for (const ClassEntry& entry : table) PrintClassEntry(&entry, mode, ++number, file.get());
  return 0;
}

}  // namespace kelmod::classification
