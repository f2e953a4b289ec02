// Characteristic bars in both forms (release families 1 and 2 the older
// form, the others the newer one): created, filled in every mode, described,
// read, changed and turned into requests, with the object and position value
// tables of the newer release and the printers of both forms.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

std::string PickName(Reader& r) {
  static const char* const kNames[] = {"DN", "PN", "OBJEKT", "Diameter", "D", "Length", ""};
  const int32_t choice = r.pick(0, 7);
  return choice < 7 ? std::string(kNames[choice]) : r.line();
}

std::unique_ptr<Text> Maybe(Reader& r, std::string text) {
  if (r.pick(0, 15) == 15) return nullptr;
  return std::make_unique<Text>(text);
}

char* Get(const std::unique_ptr<Text>& t) { return t ? t->get() : nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Begin();
  Reader r(data, size);
  UseInterface(r);
  Text print(Scratch().file("sml.txt"));
  for (int step = 0; step < kMaxSteps && !r.empty(); ++step) {
    switch (r.pick(0, 20)) {
      case 0: {
        const int32_t mode = r.pick(0, 3);
        Text d(r.line());
        ZanCreateSmlTable(mode, d.get(), r.length(d.size()));
        break;
      }
      case 1: {
        const int32_t mode = r.pick(0, 3);
        const bool nullData = r.pick(0, 15) == 15;
        Text d(r.line());
        ZanFillSmlTable(mode, nullData ? nullptr : d.get(), r.length(d.size()));
        break;
      }
      case 2: {
        char* value = nullptr;
        if (ZanGetSmlDescription(r.pick(0, 8), &value) == 0) Touch(value);
        break;
      }
      case 3: {
        const int32_t type = r.pick(0, 2);
        const int32_t position = r.number();
        const int32_t valueNumber = r.number();
        CharacteristicData d{};
        if (ZanGetSmlData(type, position, valueNumber, &d) == 0) TouchAll(d);
        break;
      }
      case 4: {
        const int32_t kind = r.pick(0, 3);
        auto key = Maybe(r, PickName(r));
        CharacteristicData d{};
        if (ZanGetSmlAttributData(kind, Get(key), r.number(), &d) == 0) TouchAll(d);
        break;
      }
      case 5: {
        const int32_t type = r.pick(0, 5);
        const int32_t position = r.number();
        auto name = Maybe(r, PickName(r));
        const int32_t code = r.pick(-1, 37);
        auto text = Maybe(r, r.line());
        ZanWriteSmlValue(type, position, Get(name), code, Get(text), r.number());
        break;
      }
      case 6:
        ZanDeleteSmlSelection();
        break;
      case 7: {
        char* send = nullptr;
        if (ZanCreateSendstrSml(r.pick(0, 3), &send) == 0) Touch(send);
        break;
      }
      case 8: {
        const int32_t mode = r.pick(0, 3);
        const int32_t position = r.number();
        SmlCharacteristicData d{};
        if (ZanGetSmlDataK4(mode, position, r.number(), &d) == 0) TouchAll(d);
        break;
      }
      case 9: {
        const int32_t kind = r.pick(0, 3);
        auto key = Maybe(r, PickName(r));
        SmlCharacteristicData d{};
        if (ZanGetSmlAttributDataK4(kind, Get(key), r.number(), &d) == 0) TouchAll(d);
        break;
      }
      case 10: {
        const int32_t mode = r.pick(0, 4);
        auto name = Maybe(r, PickName(r));
        const int32_t index = r.number();
        const int32_t object = r.number();
        char* value = nullptr;
        const ErrorCode rc =
            ZanGetSmlDataValueK4(mode, Get(name), index, object, r.number(), &value);
        if (rc == 0 || rc == -2 || rc == -3) Touch(value);
        break;
      }
      case 11: {
        const int32_t mode = r.pick(0, 4);
        const int32_t object = r.number();
        auto name = Maybe(r, PickName(r));
        int32_t count = 0;
        ZanGetSmlValueDescriptionK4(mode, object, Get(name), &count);
        break;
      }
      case 12: {
        const int32_t mode = r.pick(0, 2);
        Text d(r.line());
        ZanCreateFillPosSmlValueTableK4(mode, d.get(), r.length(d.size()));
        break;
      }
      case 13: {
        char* send = nullptr;
        if (ZanCreateSendstrPosSmlValuesK4(r.pick(0, 3), &send) == 0) Touch(send);
        break;
      }
      case 14: {
        const int32_t mode = r.pick(0, 2);
        std::unique_ptr<char*[]> values(new char*[14]());
        if (ZanGetObjectDataK4(mode, r.number(), values.get()) == 0)
          for (int i = 0; i < 14; ++i) Touch(values[i]);
        break;
      }
      case 15: {
        static const int32_t kTypes[] = {3, 5, 4, 6};
        ZanPrintTable(kTypes[r.pick(0, 3)], print.get());
        break;
      }
      case 16: {  // null arguments
        Check(ZanCreateSmlTable(1, nullptr, 5) == 78, "ZanCreateSmlTable null");
        Check(ZanGetSmlData(1, 1, 1, nullptr) == 78, "ZanGetSmlData null");
        Check(ZanGetSmlDataK4(1, 1, 1, nullptr) == 78, "ZanGetSmlDataK4 null");
        Check(ZanCreateSendstrSml(1, nullptr) == 78, "ZanCreateSendstrSml null");
        Check(ZanCreateFillPosSmlValueTableK4(1, nullptr, 5) == 83,
              "ZanCreateFillPosSmlValueTableK4 null");
        break;
      }
      case 17: {  // the class fill shares the header values with the newer bar
        const int32_t mode = r.pick(1, 2);
        Text d(r.line());
        int32_t count = 0;
        ZanCreateFillClasTableK4(mode, d.get(), r.length(d.size()), &count);
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
