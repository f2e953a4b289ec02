#include "characteristics/characteristic_printer.h"

#include "core/print_file.h"

namespace kelmod {

namespace {

void PrintText(std::FILE* file, const char* label, const std::optional<std::string>& text) {
  if (text) std::fprintf(file, "%s: %s\n", label, text->c_str());
}

}  // namespace

void PrintCharacteristic(const CharacteristicRecord& record, int32_t mode, int32_t number,
                         std::FILE* file) {
  if (file == nullptr || mode != 1) return;
  std::fprintf(file, "\nSachmerkmal-Nummer: [%08d]\n", number);
  std::fputs(kPrintRule, file);
  PrintText(file, "Name...........", record.name);
  PrintText(file, "Feldname.......", record.fieldName);
  PrintText(file, "DIN-Buchstabe..", record.dinLetter);
  PrintText(file, "Eingabe........", record.input);
  PrintText(file, "Einheit........", record.unit);
  PrintText(file, "Format.........", record.format);
  PrintText(file, "Schablone......", record.templ);
  PrintText(file, "Selektion......", record.selection);
  PrintText(file, "Parameter......", record.parameter);
  if (record.length > 0) std::fprintf(file, "Laenge.........: %d\n", record.length);
  if (record.decimals > 0) std::fprintf(file, "Dezimalstellen.: %d\n", record.decimals);
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    const std::string text(record.values.text(i));
    std::fprintf(file, "Wert.%06d.: %s\n", record.values.number(i), text.c_str());
  }
}

void PrintCharacteristicTable(const CharacteristicList& list, int32_t mode, const char* path) {
  PrintFile file(path);
  if (!file) return;
  int32_t number = 0;
  for (const CharacteristicRecord& record : list) PrintCharacteristic(record, mode, ++number, file.get());
}

}  // namespace kelmod
