// The generic record tables: tables of types 1 to 8 created from small
// description files written at start-up, filled with fuzzed fixed-width (and,
// for type 4, separator-terminated) data, then read, changed, turned into
// send strings and printed, in an order the input chooses.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

struct Files {
  std::string setIndex;
  std::string definitions;
  std::string tableIndex;
  std::string print;
};

const Files& DescriptionFiles() {
  static const Files files = [] {
    Files f;
    std::string set = "* set index: name 3-7, key 10-11, direction 14, set name 17-23\n";
    for (const auto& [name, key, dir, setName] :
         {std::array<const char*, 4>{"MATRQ", "01", "U", "SMAT001"},
          std::array<const char*, 4>{"MATAN", "01", "D", "DMAT001"},
          std::array<const char*, 4>{"BOMHD", "01", "U", "SBOM001"},
          std::array<const char*, 4>{"WIDE ", "02", "D", "DWIDE01"},
          std::array<const char*, 4>{"WIDE ", "02", "U", "DWIDE01"},
          std::array<const char*, 4>{"ZERO ", "03", "U", "SZERO01"},
          std::array<const char*, 4>{"ZERO ", "03", "D", "SZERO01"},
          std::array<const char*, 4>{"EMPTY", "04", "D", "DNONE01"},
          std::array<const char*, 4>{"EMPTY", "04", "U", "DNONE01"}})
      set += Columns({{3, name}, {10, key}, {14, dir}, {17, setName}}) + "\n";
    f.setIndex = Scratch().write("kelmset.dat", set);

    std::string defs = "* field definitions: set 3-9, field 11-21, length 30-32, text 33-72\n";
    for (const auto& [setName, field, length, text] :
         {std::array<const char*, 4>{"SMAT001", "MATNR", " 18", "Material number"},
          std::array<const char*, 4>{"SMAT001", "WERKS", "  4", "Plant"},
          std::array<const char*, 4>{"DMAT001", "MATNR", " 18", "Material number"},
          std::array<const char*, 4>{"DMAT001", "MAKTX", " 40", "Material description"},
          std::array<const char*, 4>{"DMAT001", "MEINS", "  3", "Base unit"},
          std::array<const char*, 4>{"DMAT001", "BRGEW", " 13", "Gross weight"},
          std::array<const char*, 4>{"SBOM001", "STLNR", "  8", "Bill of material"},
          std::array<const char*, 4>{"SBOM001", "POS NR", "  4", "Item number"},
          std::array<const char*, 4>{"DWIDE01", "LONGTEXT", "300", "Longer than a work buffer"},
          std::array<const char*, 4>{"DWIDE01", "ONE", "  1", "One character"},
          std::array<const char*, 4>{"DWIDE01", "ODD", " x7", "Length that is not a number"},
          std::array<const char*, 4>{"SZERO01", "NOTHING", "  0", "Zero wide"},
          std::array<const char*, 4>{"SZERO01", "NIX", "   ", "No width"}})
      defs += Columns({{3, setName}, {11, field}, {30, length}, {33, text}}) + "\n";
    f.definitions = Scratch().write("kelmdef.dat", defs);

    std::string tab;
    for (const auto& [name, key, setName, field, length] :
         {std::array<const char*, 5>{"DOCAN", "01", "DDOC001", "DOKNR", "25"},
          std::array<const char*, 5>{"DOCAN", "01", "DDOC001", "DOKAR", "3"},
          std::array<const char*, 5>{"DOCAN", "01", "DDOC001", "DKTXT", "40"},
          std::array<const char*, 5>{"WIDE", "02", "DWIDE01", "LONGTEXT", "300"},
          std::array<const char*, 5>{"WIDE", "02", "DWIDE01", "ONE", "1"},
          std::array<const char*, 5>{"ZERO", "03", "DZERO01", "NOTHING", "0"}})
      tab += Columns({{1, "D"}, {3, "001"}, {7, name}, {13, key}, {16, setName}, {24, field},
                      {35, length}}) + "\n";
    f.tableIndex = Scratch().write("kelmtab.dat", tab);
    f.print = Scratch().file("print.txt");
    return f;
  }();
  return files;
}

// A table name and key: one of the layouts, or a text of the input.
void PickSet(Reader& r, std::string& name, std::string& key) {
  static const char* const kSets[][2] = {{"MATRQ", "01"}, {"MATAN", "01"}, {"BOMHD", "01"},
                                         {"WIDE ", "02"}, {"ZERO ", "03"}, {"EMPTY", "04"},
                                         {"DOCAN", "01"}, {"WIDE", "02"},  {"ZERO", "03"}};
  const int32_t choice = r.pick(0, 9);
  if (choice < 9) {
    name = kSets[choice][0];
    key = kSets[choice][1];
  } else {
    name = r.line();
    key = r.line();
  }
}

std::string PickField(Reader& r) {
  static const char* const kFields[] = {"MATNR", "WERKS", "MAKTX", "MEINS", "BRGEW", "STLNR",
                                        "POSNR", "POS NR", "LONGTEXT", "ONE", "ODD", "NOTHING",
                                        "DOKNR", "DKTXT", " MAT\tNR "};
  const int32_t choice = r.pick(0, 15);
  return choice < 15 ? std::string(kFields[choice]) : r.line();
}

void CheckedValue(ErrorCode rc, char* value) {
  if (rc == 0 || rc == -2 || rc == -3) {
    Check(value != nullptr, "a value read handed out no text");
    Check(Touch(value) <= 255, "a value read longer than 255 characters");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const Files& files = DescriptionFiles();
  Begin();
  Reader r(data, size);
  UseInterface(r);
  Text tableIndex(files.tableIndex);
  ZanConfigureToolbox(2, tableIndex.get());
  Text setIndex(files.setIndex), definitions(files.definitions), print(files.print);

  for (int step = 0; step < kMaxSteps && !r.empty(); ++step) {
    switch (r.pick(0, 15)) {
      case 0: {  // create and fill
        const int32_t type = r.pick(0, 9);
        std::string name, key;
        PickSet(r, name, key);
        Text n(name), k(key), d(r.line());
        const int32_t length = r.length(d.size());
        const ErrorCode rc = ZanCreateFillTable(type, n.get(), k.get(), setIndex.get(),
                                                definitions.get(), d.get(), length);
        Check(rc != 8, "ZanCreateFillTable ran out of memory");
        break;
      }
      case 1: {  // create without data
        const int32_t type = r.pick(0, 9);
        std::string name, key;
        PickSet(r, name, key);
        Text n(name), k(key);
        const bool noPaths = r.pick(0, 3) == 3;
        ZanCreateTable(type, n.get(), k.get(), noPaths ? nullptr : setIndex.get(),
                       noPaths ? nullptr : definitions.get());
        break;
      }
      case 2: {  // append fixed-width records
        const int32_t type = r.pick(0, 9);
        Text d(r.line());
        ZanFillTable(type, d.get(), r.length(d.size()));
        break;
      }
      case 3: {
        const int32_t type = r.pick(0, 11);
        Text field(PickField(r));
        char* value = nullptr;
        CheckedValue(ZanGetTableValue(type, field.get(), r.number(), &value), value);
        break;
      }
      case 4: {
        const int32_t type = r.pick(0, 9);
        const int32_t fieldNumber = r.number();
        const int32_t record = r.number();
        Text fieldName("", 12);
        char* value = nullptr;
        if (ZanGetAttributNameValue(type, fieldNumber, record, fieldName.get(), &value) == 0) {
          Check(Touch(value) <= 255, "ZanGetAttributNameValue value");
          Check(strnlen(fieldName.get(), 12) < 12, "ZanGetAttributNameValue field name");
        }
        break;
      }
      case 5: {
        char* count = nullptr;
        if (ZanDescribeTable(r.pick(0, 11), &count) == 0) Touch(count);
        break;
      }
      case 6: {
        const int32_t type = r.pick(0, 11);
        ZanDeleteTableEntry(type, r.number());
        break;
      }
      case 7: {
        const int32_t type = r.pick(0, 11);
        Text field(PickField(r));
        const int32_t record = r.number();
        Text value(r.line());
        ZanWriteTableValue(type, field.get(), value.get(), record);
        break;
      }
      case 8: {
        const int32_t type = r.pick(0, 11);
        Text field(PickField(r));
        const int32_t record = r.number();
        Text value(r.line());
        ZanModifyTableValue(type, field.get(), value.get(), record);
        break;
      }
      case 9: {
        char* send = nullptr;
        if (ZanCreateSendstr(&send) == 0) Touch(send);
        break;
      }
      case 10: {
        char* send = nullptr;
        if (ZanCreateSendstrBomHead(r.pick(6, 9), &send) == 0) Touch(send);
        break;
      }
      case 11: {
        static const int32_t kTypes[] = {1, 2, 4, 7, 8, 10, 0, 3, 5, 6};
        ZanPrintTable(kTypes[r.pick(0, 9)], print.get());
        break;
      }
      case 12: {
        char* count = nullptr;
        if (ZanGetMcdDescription(2, &count) == 0) Touch(count);
        break;
      }
      case 13: {  // null arguments
        char* value = nullptr;
        const int32_t type = r.pick(0, 9);
        Check(ZanGetTableValue(type, nullptr, 1, &value) == 78, "ZanGetTableValue null name");
        Text field(PickField(r));
        Check(ZanWriteTableValue(type, field.get(), nullptr, 0) != 0,
              "ZanWriteTableValue stored a null value");
        ZanModifyTableValue(type, nullptr, nullptr, 1);
        ZanFillTable(type, nullptr, 5);
        std::string name, key;
        PickSet(r, name, key);
        Text n(name), k(key);
        ZanCreateFillTable(type, n.get(), k.get(), setIndex.get(), definitions.get(), nullptr,
                           5);
        break;
      }
      case 14:
        UseInterface(r);
        break;
      default: {  // the same data appended to every table it fits
        Text d(r.line());
        const int32_t length = r.length(d.size());
        for (int32_t type = 1; type <= 8; ++type) ZanFillTable(type, d.get(), length);
        break;
      }
    }
  }
  End();
  return 0;
}
