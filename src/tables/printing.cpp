#include "tables/printing.h"

#include "characteristics/characteristic_printer.h"
#include "classification/class_printer.h"
#include "core/codes.h"
#include "core/print_file.h"
#include "sml/sml_printer.h"

namespace kelmod::tables {

void PrintRecordTable(const FieldList& list, const char* path) {
  PrintFile file(path);
  if (!file) return;
  std::FILE* out = file.get();
  int32_t number = 0;
  for (const FieldDefinition& field : list) {
    std::fprintf(out, "\nRecord-Nummer: [%08d]\n", ++number);
    std::fputs(kPrintRule, out);
    std::fprintf(out, "Setname........: %s\n", field.setName.c_str());
    std::fprintf(out, "Feldname.......: %s\n", field.fieldName.c_str());
    if (field.length > 0) std::fprintf(out, "Laenge.........: %d\n", field.length);
    if (field.description) std::fprintf(out, "Beschreibung...: %s\n", field.description->c_str());
    for (std::size_t i = 0; i < field.values.size(); ++i) {
      const std::string text(field.values.text(i));
      std::fprintf(out, "Wert.%06d.: %s\n", field.values.number(i), text.c_str());
    }
  }
}

int32_t PrintTable(State& s, int32_t type, const char* path) {
  const FieldList* records = nullptr;
  switch (type) {
    case 1: records = &s.sendTable; break;
    case 2: records = &s.table2; break;
    case 4: records = &s.table34; break;
    case 7: records = &s.table7; break;
    case 8: records = &s.table8; break;
    case 10: records = &s.userTable; break;
    case 3:
      if (s.smlTable.empty()) return code::kPrintTableEmpty;
      PrintCharacteristicTable(s.smlTable, 1, path);
      return code::kOk;
    case 5:
      if (s.smlK4Table.empty()) return code::kPrintTableEmpty;
      sml::PrintSmlK4Table(s.smlK4Table, path);
      return code::kOk;
    case 11:
    case 12: {
      const std::vector<ClassEntry>& table = type == 11 ? s.classTable1 : s.classTable2;
      if (table.empty()) return code::kPrintTableEmpty;
      classification::PrintClassTable(table, 1, path);
      return code::kOk;
    }
    default:
      if (type >= 21 && type <= 26) {
        const CharacteristicList& mail = s.mailTables[static_cast<std::size_t>(type - 21)];
        if (mail.empty()) return code::kPrintTableEmpty;
        PrintCharacteristicTable(mail, 1, path);
        return code::kOk;
      }
      return code::kUnsupported;
  }
  if (records->empty()) return code::kPrintTableEmpty;
  PrintRecordTable(*records, path);
  return code::kOk;
}

}  // namespace kelmod::tables
