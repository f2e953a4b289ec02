// Characteristic value lists: help tables in both column forms (release
// families 1 to 4 and 5), matchcode tables in both modes, their reads and
// writes, and the help, matchcode and message requests.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

std::string PickAttribute(Reader& r) {
  static const char* const kAttributes[] = {"ID", "SUBID", "TEXT01", "TEXT02", "WERT", ""};
  const int32_t choice = r.pick(0, 6);
  return choice < 6 ? std::string(kAttributes[choice]) : r.line();
}

// One of the texts of a request: the input's, or none at all.
std::unique_ptr<Text> MaybeText(Reader& r) {
  if (r.pick(0, 15) == 15) return nullptr;
  return std::make_unique<Text>(r.line());
}

char* Get(const std::unique_ptr<Text>& t) { return t ? t->get() : nullptr; }

// True when the text holds a number above 65536 anywhere. A help column is as
// wide as its description says, up to 2147483647 characters, and every read
// of it pads the entry to that width: such tables are built and filled but
// not read, so that inputs stay small.
bool HoldsWideNumber(const std::string& text) {
  int64_t number = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      number = number * 10 + (c - '0');
      if (number > 65536) return true;
    } else {
      number = 0;
    }
  }
  return false;
}

void CheckSend(ErrorCode rc, char* send) {
  if (rc == 0) {
    Check(send != nullptr, "a request without text");
    Touch(send);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Begin();
  Reader r(data, size);
  UseInterface(r);
  bool wideHelpTable = false;
  for (int step = 0; step < kMaxSteps && !r.empty(); ++step) {
    switch (r.pick(0, 15)) {
      case 0: {
        const int32_t mode = r.pick(0, 3);
        const std::string text = r.line();
        Text d(text);
        if (mode == 1 || mode == 2) wideHelpTable = HoldsWideNumber(text);
        ZanCreateHlpTable(mode, d.get(), r.length(d.size()));
        break;
      }
      case 1: {
        const int32_t mode = r.pick(0, 2);
        Text d(r.line());
        char* count = nullptr;
        if (ZanFillHlpTable(mode, d.get(), r.length(d.size())) == 0 &&
            ZanGetHlpDescription(1, &count) == 0)
          Touch(count);
        break;
      }
      case 2: {
        const int32_t mode = r.pick(0, 2);
        const int32_t column = r.number();
        const int32_t line = r.number();
        if (wideHelpTable) break;
        CharacteristicData d{};
        const ErrorCode rc = ZanGetHlpData(mode, column, line, &d);
        TouchAll(d);  // 33 for a missing line hands out blanks, for a missing column nothing
        if (rc == 0) {
          for (const char* t : {d.name, d.fieldName, d.dinLetter, d.input, d.unit, d.format,
                                d.template_, d.selection, d.parameter, d.value})
            Check(t != nullptr, "ZanGetHlpData handed out a null text");
        }
        break;
      }
      case 3: {
        char* value = nullptr;
        if (ZanGetHlpDescription(r.pick(0, 4), &value) == 0) Touch(value);
        break;
      }
      case 4: {
        const int32_t mode = r.pick(0, 3);
        Text d(r.line());
        ZanCreateFillTableMcd(mode, d.get(), r.length(d.size()));
        break;
      }
      case 5: {
        Text attribute(PickAttribute(r));
        char* value = nullptr;
        CheckSend(ZanGetMcdValue(attribute.get(), r.number(), &value), value);
        break;
      }
      case 6: {
        char* count = nullptr;
        if (ZanGetMcdDescription(r.pick(0, 3), &count) == 0) Touch(count);
        break;
      }
      case 7: {
        const int32_t mode = r.pick(0, 2);
        const int32_t record = r.number();
        auto value = MaybeText(r);
        ZanWriteMcdValue(mode, record, Get(value));
        break;
      }
      case 8: {
        const int32_t mode = r.pick(0, 2);
        auto a = MaybeText(r), b = MaybeText(r);
        char* send = nullptr;
        CheckSend(ZanCreateSendstrMcd(mode, Get(a), Get(b), &send), send);
        break;
      }
      case 9: {
        auto p1 = MaybeText(r), p2 = MaybeText(r), p3 = MaybeText(r), p4 = MaybeText(r);
        char* send = nullptr;
        CheckSend(ZanCreateSendstrHelp(Get(p1), Get(p2), Get(p3), Get(p4), &send), send);
        break;
      }
      case 10: {
        auto m = MaybeText(r);
        const int32_t length = r.length(m ? m->size() : 0);
        char canary[] = "stale";
        char* send = canary;  // must become null on failure
        const ErrorCode rc = ZanCreateSendstrMessageK4(Get(m), length, &send);
        if (rc == 0) Touch(send);
        else Check(send == nullptr, "ZanCreateSendstrMessageK4 failed but handed out a text");
        break;
      }
      case 11: {  // the matchcode table through the characteristic read
        const int32_t position = r.number();
        const int32_t valueNumber = r.number();
        CharacteristicData d{};
        if (ZanGetSmlData(2, position, valueNumber, &d) == 0) TouchAll(d);
        break;
      }
      case 12: {
        const int32_t type = r.pick(0, 4);
        const int32_t position = r.number();
        const int32_t code = r.pick(0, 13);
        auto text = MaybeText(r);
        ZanWriteSmlValue(type, position, nullptr, code, Get(text), r.number());
        break;
      }
      case 13: {
        char* value = nullptr;
        Check(ZanGetHlpData(1, 1, 1, nullptr) == 78, "ZanGetHlpData null");
        Check(ZanCreateHlpTable(1, nullptr, 5) == 78, "ZanCreateHlpTable null");
        const ErrorCode fill = ZanFillHlpTable(1, nullptr, 5);
        Check(fill == 78 || fill == 19, "ZanFillHlpTable null");
        Check(ZanCreateFillTableMcd(1, nullptr, 5) == 78, "ZanCreateFillTableMcd null");
        Check(ZanGetMcdValue(nullptr, 1, &value) == 78, "ZanGetMcdValue null");
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
