// Classification of the newer release: class tables in modes 1 to 4 and the
// class hierarchy from fuzzed strings, the four record readers, the five
// class requests and the class table printer.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

// Reads a record through reader into an array of exactly n results and
// touches each text.
template <class Read>
void ReadRecord(int n, Read read) {
  std::unique_ptr<char*[]> values(new char*[static_cast<std::size_t>(n)]());
  if (read(values.get()) != 0) return;
  for (int i = 0; i < n; ++i) {
    Check(values[i] != nullptr, "a class reader handed out a null text");
    Touch(values[i]);
  }
}

// The texts of a request: input lines, one of them possibly missing.
struct Arguments {
  Arguments(Reader& r, int n) {
    const int32_t missing = r.pick(0, 31);  // beyond n: none missing
    for (int i = 0; i < n; ++i) texts.push_back(std::make_unique<Text>(r.line()));
    for (int i = 0; i < 11; ++i) ptrs[i] = i < n && i != missing ? texts[i]->get() : nullptr;
  }
  std::vector<std::unique_ptr<Text>> texts;
  char* ptrs[11] = {};
};

void CheckSend(ErrorCode rc, char* send) {
  if (rc == 0) {
    Check(send != nullptr, "a class request without text");
    Touch(send);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Begin();
  Reader r(data, size);
  UseInterface(r);
  Text print(Scratch().file("class.txt"));
  for (int step = 0; step < kMaxSteps && !r.empty(); ++step) {
    switch (r.pick(0, 13)) {
      case 0: {
        const int32_t mode = r.pick(0, 5);
        Text d(r.line());
        const int32_t length = r.length(d.size());
        int32_t count = -7;
        const ErrorCode rc = ZanCreateFillClasTableK4(mode, d.get(), length, &count);
        if (rc == 0 && length > 0) Check(count >= 0, "a negative class count");
        break;
      }
      case 1: {
        const int32_t mode = r.pick(0, 2);
        Text d(r.line());
        const int32_t length = r.length(d.size());
        int32_t count = -7;
        const ErrorCode rc = ZanCreateFillClasHierarchTableK4(mode, d.get(), length, &count);
        if (rc == 0 && length > 0) Check(count >= 0, "a negative hierarchy count");
        break;
      }
      case 2: {
        const int32_t mode = r.pick(0, 3);
        const int32_t record = r.number();
        ReadRecord(5, [&](char** v) { return ZanGetClasDataK4(mode, record, v); });
        break;
      }
      case 3: {
        const int32_t mode = r.pick(0, 2);
        const int32_t record = r.number();
        ReadRecord(6, [&](char** v) { return ZanGetClasHierarchDataK4(mode, record, v); });
        break;
      }
      case 4: {
        const int32_t mode = r.pick(0, 2);
        const int32_t record = r.number();
        ReadRecord(22, [&](char** v) { return ZanGetClasSearchDataK4(mode, record, v); });
        break;
      }
      case 5: {
        const int32_t mode = r.pick(0, 2);
        const int32_t record = r.number();
        ReadRecord(14, [&](char** v) { return ZanGetObjectDataK4(mode, record, v); });
        break;
      }
      case 6: {
        Arguments p(r, 8);
        char* send = nullptr;
        CheckSend(ZanCreateSendstrClasK4(p.ptrs[0], p.ptrs[1], p.ptrs[2], p.ptrs[3], p.ptrs[4],
                                         p.ptrs[5], p.ptrs[6], p.ptrs[7], &send),
                  send);
        break;
      }
      case 7: {
        Arguments p(r, 6);
        char* send = nullptr;
        CheckSend(ZanCreateSendstrClasScopeK4(p.ptrs[0], p.ptrs[1], p.ptrs[2], p.ptrs[3],
                                              p.ptrs[4], p.ptrs[5], &send),
                  send);
        break;
      }
      case 8: {
        Arguments p(r, 11);
        char* send = nullptr;
        CheckSend(ZanCreateSendstrClasSelectK4(p.ptrs[0], p.ptrs[1], p.ptrs[2], p.ptrs[3],
                                               p.ptrs[4], p.ptrs[5], p.ptrs[6], p.ptrs[7],
                                               p.ptrs[8], p.ptrs[9], p.ptrs[10], &send),
                  send);
        break;
      }
      case 9: {
        Arguments p(r, 8);
        char* send = nullptr;
        CheckSend(ZanCreateSendstrClasSelScopeK4(p.ptrs[0], p.ptrs[1], p.ptrs[2], p.ptrs[3],
                                                 p.ptrs[4], p.ptrs[5], p.ptrs[6], p.ptrs[7],
                                                 &send),
                  send);
        break;
      }
      case 10: {
        const int32_t mode = r.pick(0, 4);
        Arguments p(r, 7);
        char* send = nullptr;
        CheckSend(ZanCreateSendstrClasSearchK4(mode, p.ptrs[0], p.ptrs[1], p.ptrs[2], p.ptrs[3],
                                               p.ptrs[4], p.ptrs[5], p.ptrs[6], &send),
                  send);
        break;
      }
      case 11:
        ZanPrintTable(r.pick(10, 13), print.get());
        break;
      case 12: {  // data or count missing: nothing changes
        const int32_t mode = r.pick(0, 5);
        Text d(r.line());
        auto refused = [](ErrorCode rc) { return rc == 80 || rc == 3; };
        int32_t count = -7;
        Check(refused(ZanCreateFillClasTableK4(mode, nullptr, 5, &count)) && count == -7,
              "ZanCreateFillClasTableK4 without data");
        Check(refused(ZanCreateFillClasTableK4(mode, d.get(), d.size(), nullptr)),
              "ZanCreateFillClasTableK4 without count");
        Check(refused(ZanCreateFillClasHierarchTableK4(mode, nullptr, 5, &count)) && count == -7,
              "ZanCreateFillClasHierarchTableK4 without data");
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
