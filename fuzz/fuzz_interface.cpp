// Interface records of any shape, with lengths that lie, then every stored
// value read back. The values must be the record's columns as they stand.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

std::string Column(const std::string& record, std::size_t start, std::size_t width) {
  return start - 1 < record.size() ? record.substr(start - 1, width) : std::string();
}

void CheckStored(const std::string& record) {
  const std::string expected[] = {Column(record, 7, 1), Column(record, 1, 4),
                                  Column(record, 5, 1), Column(record, 6, 1),
                                  Column(record, 9, 10), Column(record, 8, 1)};
  for (int32_t mode = 1; mode <= 6; ++mode) {
    char* value = nullptr;
    Check(ZanDescribeInterface(mode, &value) == 0, "ZanDescribeInterface mode 1-6");
    Check(value != nullptr, "ZanDescribeInterface value");
    Touch(value);
    Check(expected[mode - 1] == value, "an interface value differs from its column");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Begin();
  Reader r(data, size);
  UseInterface(ReleaseOfFamily(r.pick(1, 5)), ';');
  for (int step = 0; step < 8 && !r.empty(); ++step) {
    const bool nullRecord = r.pick(0, 15) == 15;
    const std::string record = r.line();
    Text t(record);
    const int32_t length = r.length(t.size());
    const ErrorCode rc = ZanFillInterface(nullRecord ? nullptr : t.get(), length);
    if (nullRecord || length < 1) {
      Check(rc == 78, "ZanFillInterface without a record or length");
      continue;
    }
    Check(rc == 0, "ZanFillInterface");
    CheckStored(std::string(t.get()));
  }
  for (int32_t mode : {-1, 0, 7, INT32_MIN, INT32_MAX}) {
    char* value = nullptr;
    Check(ZanDescribeInterface(mode, &value) == 3, "ZanDescribeInterface other mode");
  }
  Check(ZanDescribeInterface(1, nullptr) == 78, "ZanDescribeInterface null");
  char* version = nullptr;
  Check(ZanToolboxVersion(&version) == 0 && std::strcmp(version, "3.1G") == 0, "version");
  End();
  return 0;
}
