// The input is the message file. Each code is looked up into a message
// record that sits inside a larger block filled with a canary: exactly its
// 266 bytes may change.
#include "fuzz_common.h"

using namespace kelmod_fuzz;

namespace {

constexpr std::size_t kRecordBytes = 266;
constexpr std::size_t kBefore = 32;
constexpr std::size_t kBlock = kBefore + sizeof(MessageRecord) + 64;
constexpr unsigned char kCanary = 0xA5;

void LookUp(int32_t code) {
  alignas(MessageRecord) unsigned char block[kBlock];
  std::memset(block, kCanary, sizeof block);
  auto* record = reinterpret_cast<MessageRecord*>(block + kBefore);
  Check(ZanGetErrorMessage(code, record) == 0, "ZanGetErrorMessage");
  for (std::size_t i = 0; i < sizeof block; ++i) {
    if (i >= kBefore && i < kBefore + kRecordBytes) continue;
    Check(block[i] == kCanary, "ZanGetErrorMessage wrote outside the 266 bytes of its record");
  }
  int32_t stored;
  std::memcpy(&stored, block + kBefore, sizeof stored);
  Check(stored == code, "the record holds another code");
  Check(strnlen(record->type, sizeof record->type) < sizeof record->type, "type unterminated");
  Check(strnlen(record->shortText, sizeof record->shortText) <= 26, "short text too long");
  Check(strnlen(record->longText, sizeof record->longText) <= 221, "long text too long");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const std::string path = Scratch().write("kelmmes.dat", file);
  Begin();
  Text p(path);
  Check(ZanConfigureToolbox(1, p.get()) == 0, "ZanConfigureToolbox");

  std::vector<int32_t> codes = {0, 1, 8, 41, 78, 999, -1, -99, -100, -999, 1000, INT32_MIN,
                                INT32_MAX};
  // The codes the file's own message lines name, so that lines are found.
  std::size_t start = 0;
  while (start < file.size() && codes.size() < 24) {
    std::size_t end = file.find('\n', start);
    if (end == std::string_view::npos) end = file.size();
    const std::string_view line = file.substr(start, end - start);
    if (line.size() > 2 && line[0] == 'E')
      codes.push_back(std::atoi(std::string(line.substr(2, 3)).c_str()));
    start = end + 1;
  }
  for (int32_t code : codes) LookUp(code);
  Check(ZanGetErrorMessage(1, nullptr) == 78, "ZanGetErrorMessage null");

  // Without a message file every code gets the default texts.
  Text missing(Scratch().file("no-such-file.dat"));
  Check(ZanConfigureToolbox(1, missing.get()) == 0, "ZanConfigureToolbox");
  for (int32_t code : {codes[0], codes.back(), INT32_MIN}) {
    LookUp(code);
    MessageRecord m;
    ZanGetErrorMessage(code, &m);
    const std::string_view text(m.longText);
    Check(std::strcmp(m.type, "X") == 0 && m.shortText[0] == '\0' &&
              text.substr(0, 2) == "TB" && text.size() > 17 &&
              text.substr(text.size() - 17) == " Error in toolbox",
          "the default message of a code without a file");
  }
  End();
  return 0;
}
