// Hex text from a message body or a text box back to cipher bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "engine/hex_text.h"
#include "fuzz_scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ostrel;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string text = input;
  try {
    const std::string decoded = engine::HexDecode(text);
    fuzz::Require(decoded == text, "the argument holds the result");
    fuzz::Require(engine::HexEncode(decoded).size() >= 2 * decoded.size(), "two digits a byte");
    std::string again = engine::HexEncode(decoded);
    fuzz::Require(engine::HexDecode(again) == decoded, "decoding what was encoded gives the bytes back");
  } catch (const engine::EngineError&) {
    fuzz::Require(text == input, "refused text is left as it was");
  }
  return 0;
}
