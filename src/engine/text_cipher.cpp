#include <cstdint>

#include "engine/engine.h"
#include "engine/work_files.h"
#include "engine/work_folder_io.h"

namespace ostrel::engine {

void Engine::EncryptText(std::string& text) { TransformText(Direction::Encrypt, text); }
void Engine::DecryptText(std::string& text) { TransformText(Direction::Decrypt, text); }

void Engine::TransformText(Direction direction, std::string& text) {
  const WheelMachine machine = LoadMachine();
  const WheelCipher cipher(machine);
  // The wheels after the text are known before a byte is touched, so every
  // work file is settled first and the text is then ciphered where it lies:
  // no copy of a large text, and a failure still leaves the text untouched.
  SaveWheels(cipher.WheelsAfter(text.size()));
  RestoreWheels();
  RunCipher(cipher, direction, 0, reinterpret_cast<std::uint8_t*>(text.data()), text.size());
}

void Engine::RunCipher(const WheelCipher& cipher, Direction direction, std::uint64_t start, std::uint8_t* bytes,
                       std::size_t size) const {
  cipher.Transform(direction, start, bytes, bytes, size, CipherPath(), threads_);
}

WheelCipher::Path Engine::CipherPath() const {
  // The vector path falls back to the portable one where the CPU lacks it.
  return cipherPath_.value_or(WheelCipher::Path::Vector);
}

WheelMachine Engine::LoadMachine() {
  if (!keyLoaded_) throw EngineError("No key is loaded.");
  PrepareEngine();

  const std::filesystem::path countsPath = WorkFile(kCountsFile);
  const std::optional<std::string> countsText = ReadWorkFile(countsPath);
  if (!countsText) ThrowMissing(countsPath);
  const std::optional<Counts> counts = ParseCounts(*countsText);
  // A key load writes 2; far more passes could only come from a damaged
  // file and would make every operation seem to hang.
  constexpr std::int32_t kMostPasses = 100;
  if (!counts || counts->passCount < 1 || counts->passCount > kMostPasses) ThrowDamaged(countsPath);

  // Every operation starts from the pristine wheels, so a run cut short
  // between saving and restoring the working wheels changes nothing.
  const std::filesystem::path wheelsPath = WorkFile(kPristineWheelFile);
  const std::optional<std::string> wheelBytes = ReadWorkFile(wheelsPath);
  if (!wheelBytes) ThrowMissing(wheelsPath);
  const auto wheels = ParseWheelRecords(*wheelBytes);
  if (!wheels) ThrowDamaged(wheelsPath);

  wheelCount_ = counts->wheelCount;
  passCount_ = counts->passCount;
  WheelMachine machine;
  machine.wheels = *wheels;
  for (std::size_t j = 0; j < kWheelCount; ++j) {
    machine.directionFlags[j] = static_cast<std::uint8_t>(directionFlags_[j]);
  }
  machine.steps = steps_;
  machine.passCount = passCount_;
  machine.periodTable = periodTable_;
  return machine;
}

void Engine::SaveWheels(const std::array<Wheel, kWheelCount>& wheels) {
  WriteScratchWorkFile(WorkFile(kWorkingWheelFile), WheelRecords(wheels));
}

void Engine::RestoreWheels() {
  const std::filesystem::path pristinePath = WorkFile(kPristineWheelFile);
  const std::optional<std::string> pristine = ReadWorkFile(pristinePath);
  if (!pristine || pristine->size() < kWheelRecordsSize) ThrowDamaged(pristinePath);
  WriteScratchWorkFile(WorkFile(kWorkingWheelFile), std::string_view(*pristine).substr(0, kWheelRecordsSize));
}

}  // namespace ostrel::engine
