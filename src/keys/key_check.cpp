#include "keys/key_check.h"

#include "engine/key_sequence.h"

namespace ostrel::keys {
namespace {

// The sequence every key with only zero-reading pairs expands to.
const engine::KeySequence& ZeroPairSequence() {
  static const engine::KeySequence sequence = engine::ExpandKeySequence(engine::NormaliseKey("0"));
  return sequence;
}

}  // namespace

KeyVerdict JudgeKeyText(std::string_view keyText) {
  const engine::KeySequence sequence = engine::ExpandKeySequence(engine::NormaliseKey(keyText));
  if (engine::FirstEntryOutOfRange(sequence) != 0) return KeyVerdict::Refused;
  if (sequence == ZeroPairSequence()) return KeyVerdict::ProtectsNothing;
  return KeyVerdict::Usable;
}

}  // namespace ostrel::keys
