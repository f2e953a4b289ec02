// The description files themselves are the input: the bytes before the first
// 0x1E are the set index file, up to the second the field definition file, up
// to the third the table index file; the bytes after it choose the calls.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

constexpr char kFileEnd = '\x1e';

std::string_view NextFile(std::string_view& input) {
  const std::size_t end = input.find(kFileEnd);
  const std::string_view file = input.substr(0, end);
  input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  return file;
}

// Every member of an attribute record ends within its bytes.
void CheckAttribute(const AttributeRecord& a) {
  Check(strnlen(a.setName, sizeof a.setName) < sizeof a.setName, "setName unterminated");
  Check(strnlen(a.fieldName, sizeof a.fieldName) < sizeof a.fieldName, "fieldName unterminated");
  Check(strnlen(a.length, sizeof a.length) < sizeof a.length, "length unterminated");
  Check(strnlen(a.description, sizeof a.description) < sizeof a.description,
        "description unterminated");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string setPath = Scratch().write("set.dat", NextFile(input));
  const std::string defPath = Scratch().write("def.dat", NextFile(input));
  const std::string tabPath = Scratch().write("tab.dat", NextFile(input));
  const std::string missing = Scratch().file("missing.dat");

  Begin();
  Reader r(input);
  UseInterface(r);
  Text tab(tabPath);
  ZanConfigureToolbox(2, tab.get());

  // A path argument: the set index file, the definition file, a missing
  // file or none.
  auto path = [&](Reader& reader, const std::string& usual) {
    switch (reader.pick(0, 7)) {
      case 5: return std::unique_ptr<Text>(new Text(missing));
      case 6: return std::unique_ptr<Text>();
      case 7: return std::unique_ptr<Text>(new Text(usual == setPath ? defPath : setPath));
      default: return std::unique_ptr<Text>(new Text(usual));
    }
  };
  auto get = [](const std::unique_ptr<Text>& t) { return t ? t->get() : nullptr; };

  for (int step = 0; step < kMaxSteps && !r.empty(); ++step) {
    const int32_t op = r.pick(0, 7);
    Text name(r.line()), key(r.line());
    auto set = path(r, setPath);
    auto def = path(r, defPath);
    switch (op) {
      case 0:
      case 1: {
        const int32_t type = r.pick(0, 9);
        if (op == 0) {
          ZanCreateTable(type, name.get(), key.get(), get(set), get(def));
        } else {
          Text d(r.line());
          ZanCreateFillTable(type, name.get(), key.get(), get(set), get(def), d.get(),
                             r.length(d.size()));
        }
        char* text = nullptr;
        if (ZanGetMcdDescription(2, &text) == 0) Touch(text);
        if (ZanDescribeTable(type, &text) == 0) Touch(text);
        for (int32_t field = 1; field <= 3; ++field) {
          Text fieldName("", 12);
          if (ZanGetAttributNameValue(type, field, 1, fieldName.get(), &text) == 0) {
            Touch(text);
            Check(strnlen(fieldName.get(), 12) < 12, "field name longer than 11");
          }
        }
        if (ZanCreateSendstr(&text) == 0) Touch(text);
        break;
      }
      case 2:
      case 3: {
        const int32_t direction = r.pick(0, 3);
        const int32_t n = r.number();
        std::unique_ptr<AttributeRecord> a(new AttributeRecord);
        const bool nullNames = op == 3;
        if (ZanGetAttributName(direction, nullNames ? nullptr : name.get(),
                               nullNames ? nullptr : key.get(), get(set), get(def), n,
                               a.get()) == 0)
          CheckAttribute(*a);
        break;
      }
      case 4: {
        const int32_t direction = r.pick(0, 3);
        Text field(r.line());
        std::unique_ptr<AttributeRecord> a(new AttributeRecord);
        if (ZanSearchAttribut(direction, name.get(), key.get(), get(set), get(def), field.get(),
                              a.get()) == 0)
          CheckAttribute(*a);
        break;
      }
      case 5: {
        Text field(r.line());
        auto defD = path(r, defPath);
        std::unique_ptr<char[]> direction(new char[1]);
        direction[0] = '?';
        if (ZanFindHelpTable(name.get(), key.get(), field.get(), get(set), get(def), get(defD),
                             direction.get()) == 0)
          Check(direction[0] == 'U' || direction[0] == 'D', "ZanFindHelpTable direction");
        break;
      }
      case 6: {  // the table index file: type 4 with separator-terminated data
        Text d(r.line());
        ZanCreateFillTable(4, name.get(), key.get(), get(set), get(def), d.get(),
                           r.length(d.size()));
        char* text = nullptr;
        Text field(r.line());
        if (ZanGetTableValue(4, field.get(), r.number(), &text) == 0) Touch(text);
        ZanPrintTable(4, nullptr);
        break;
      }
      default:
        ZanInitToolbox(2);
        ZanConfigureToolbox(2, tab.get());
        break;
    }
  }
  End();
  return 0;
}
