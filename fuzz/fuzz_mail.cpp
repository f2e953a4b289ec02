// The six mail tables: built from fuzzed mail data, counted, read by field
// name and by position (also through the characteristic read), changed,
// turned into the mail request and printed.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

std::string PickField(Reader& r) {
  static const char* const kFields[] = {"FOLTP", "DOCNO", "DOCDES", "SNDEX", "CONT",  "PARNAM",
                                        "PARVAL", "RECNAM", "ATTIM", " FOLTP", "FOLTP ", ""};
  const int32_t choice = r.pick(0, 12);
  return choice < 12 ? std::string(kFields[choice]) : r.line();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Begin();
  Reader r(data, size);
  UseInterface(r);
  const std::string print = Scratch().file("mail.txt");
  Text printPath(print);
  for (int step = 0; step < kMaxSteps && !r.empty(); ++step) {
    switch (r.pick(0, 10)) {
      case 0: {
        const int32_t type = r.pick(0, 7);
        Text d(r.line());
        ZanCreateMailTable(type, d.get(), r.length(d.size()));
        break;
      }
      case 1: {
        char* count = nullptr;
        if (ZanDescribeMailTable(r.pick(0, 7), &count) == 0) Touch(count);
        break;
      }
      case 2: {  // by name, or by position with the name written back
        const int32_t type = r.pick(0, 7);
        const int32_t position = r.number();
        const std::string name = PickField(r);
        Text field(name, 7);
        char* value = nullptr;
        const ErrorCode rc = ZanGetMailData(type, position, field.get(), r.number(), &value);
        if (rc == 0) {
          Touch(value);
          Check(strnlen(field.get(), 7) < 7, "ZanGetMailData field name");
        }
        break;
      }
      case 3: {
        const int32_t type = r.pick(0, 7);
        const int32_t position = r.pick(0, 2);
        Text field(PickField(r));
        const int32_t valueNumber = r.number();
        const bool nullValue = r.pick(0, 15) == 15;
        Text value(r.line());
        ZanWriteMailValue(type, position, field.get(), valueNumber,
                          nullValue ? nullptr : value.get());
        break;
      }
      case 4: {
        const int32_t mode = r.pick(0, 3);
        char* send = nullptr;
        if (ZanCreateSendstrMail(mode, r.number(), &send) == 0) Touch(send);
        break;
      }
      case 5: {
        const int32_t type = r.pick(2, 9);
        const int32_t position = r.number();
        CharacteristicData d{};
        if (ZanGetSmlData(type, position, r.number(), &d) == 0) TouchAll(d);
        break;
      }
      case 6:
        ZanPrintTable(r.pick(20, 27), printPath.get());
        break;
      case 7: {
        const int32_t kind = r.pick(0, 3);
        Text key(PickField(r));
        CharacteristicData d{};
        if (ZanGetSmlAttributData(kind, key.get(), r.number(), &d) == 0) TouchAll(d);
        break;
      }
      case 9: {  // one value replaced over and over by longer texts
        const int32_t type = r.pick(1, 6);
        const std::string field = PickField(r);
        const int32_t valueNumber = r.pick(0, 3);
        const int32_t times = r.pick(0, 63);
        const std::string value = r.line();
        for (int32_t i = 0; i < times; ++i) {
          Text f(field), v(value + std::string(static_cast<std::size_t>(i) * 97, 'x'));
          ZanWriteMailValue(type, 0, f.get(), valueNumber, v.get());
        }
        break;
      }
      case 8: {
        char* value = nullptr;
        Check(ZanCreateMailTable(1, nullptr, 4) == 78, "ZanCreateMailTable null");
        Check(ZanGetMailData(1, 1, nullptr, 1, &value) == 78, "ZanGetMailData null");
        const ErrorCode rc = ZanWriteMailValue(1, 0, nullptr, 1, nullptr);
        Check(rc == 78 || rc == 70, "ZanWriteMailValue null");
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
