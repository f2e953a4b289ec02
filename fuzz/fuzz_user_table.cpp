// The user table (type 10) built from fuzzed values, read, changed, deleted
// and printed; and description files written with ZanWriteKonfiguration and
// read back as the layout of a record table.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

std::string PickField(Reader& r) {
  const int32_t choice = r.pick(0, 11);
  if (choice < 10) return "PARA" + std::to_string(choice);
  return choice == 10 ? std::string(" PARA 1\t") : r.line();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Begin();
  Reader r(data, size);
  UseInterface(r);
  Text print(Scratch().file("user.txt"));
  Text definitions(Scratch().file("written-def.dat"));
  Text setIndex(Scratch().file("written-set.dat"));
  Text folder(Scratch().path());  // a path that cannot be written as a file
  for (int step = 0; step < kMaxSteps && !r.empty(); ++step) {
    switch (r.pick(0, 9)) {
      case 0: {
        const int32_t mode = r.pick(0, 2);
        // Every field is created whatever the data: keep the count modest.
        const int32_t fieldCount = r.number() % 1000;
        Text d(r.line());
        ZanCreateFillUserTable(mode, fieldCount, d.get(), r.length(d.size()));
        break;
      }
      case 1: {
        Text field(PickField(r));
        char* value = nullptr;
        const ErrorCode rc = ZanGetTableValue(10, field.get(), r.number(), &value);
        if (rc == 0 || rc == -2 || rc == -3) Check(Touch(value) <= 255, "user value");
        break;
      }
      case 2: {
        Text field(PickField(r));
        const int32_t record = r.number();
        Text value(r.line());
        ZanWriteTableValue(10, field.get(), value.get(), record);
        break;
      }
      case 3:
        ZanDeleteTableEntry(10, r.number());
        break;
      case 4: {
        char* count = nullptr;
        if (ZanDescribeTable(10, &count) == 0) Touch(count);
        ZanPrintTable(10, print.get());
        break;
      }
      case 5: {  // write a description file, then read it back
        const int32_t mode = r.pick(0, 4);
        Text d(r.line());
        const int32_t length = r.length(d.size());
        const int32_t where = r.pick(0, 3);
        char* path = where == 2 ? folder.get()
                     : where == 3 ? nullptr
                     : mode == 3  ? setIndex.get()
                                  : definitions.get();
        ZanWriteKonfiguration(mode, d.get(), length, path);
        break;
      }
      case 6: {
        const int32_t type = r.pick(1, 8);
        Text name(r.line()), key(r.line());
        if (ZanCreateTable(type, name.get(), key.get(), setIndex.get(), definitions.get()) == 0) {
          char* count = nullptr;
          if (ZanDescribeTable(type, &count) == 0) Touch(count);
          ZanPrintTable(type, print.get());
        }
        break;
      }
      case 7: {
        const int32_t direction = r.pick(0, 2);
        Text name(r.line()), key(r.line());
        const int32_t n = r.number();
        std::unique_ptr<AttributeRecord> a(new AttributeRecord);
        ZanGetAttributName(direction, name.get(), key.get(), setIndex.get(), definitions.get(),
                           n, a.get());
        break;
      }
      case 8: {
        const int32_t fieldNumber = r.number();
        Text fieldName("", 12);
        char* value = nullptr;
        ZanGetAttributNameValue(r.pick(1, 10), fieldNumber, 1, fieldName.get(), &value);
        break;
      }
      default:
        UseInterface(r);
        break;
    }
  }
  End();
  return 0;
}
