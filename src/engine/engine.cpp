#include "engine/engine.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "base/safe_file.h"
#include "engine/key_sequence.h"
#include "engine/period_table.h"
#include "engine/wheel_builder.h"
#include "engine/wheel_settings.h"
#include "engine/work_files.h"
#include "engine/work_folder_io.h"

namespace ostrel::engine {
namespace {

// The key sequence of a key text, or EngineError when the key gives none
// that can shuffle the wheels.
KeySequence CheckedKeySequence(const std::string& keyText) {
  if (keyText.empty()) throw EngineError("The key is empty.");
  KeySequence sequence = ExpandKeySequence(NormaliseKey(keyText));
  if (FirstEntryOutOfRange(sequence) != 0) {
    throw EngineError("This key cannot be used: a minus sign in front of a digit makes its keyspace invalid. "
                      "Please choose another key.");
  }
  return sequence;
}

}  // namespace

Engine::Engine(std::filesystem::path workFolder, std::filesystem::path listFolder)
    : workFolder_(std::move(workFolder)), listFolder_(listFolder.empty() ? workFolder_ : std::move(listFolder)) {}

std::filesystem::path Engine::DecryptedListFile() const { return listFolder_ / kDecryptedListFile; }

void Engine::LoadKey(std::string& keyText) {
  CheckedKeySequence(keyText);  // refuses before any work file changes
  try {
    base::MakePrivateFolder(workFolder_);
  } catch (const std::system_error& error) {
    throw EngineError("Cannot create the work folder: " + std::string(error.what()));
  }
  keyLoaded_ = false;
  BuildKeySequence(keyText);
  const std::string wheels = WheelRecords(BuildWheels(keySequence_));
  WriteWorkFile(WorkFile(kWheelFile), wheels);
  DeriveWheelSettings();
  WriteWorkFile(WorkFile(kPristineWheelFile), wheels);
  WriteWorkFile(WorkFile(kWorkingWheelFile), wheels);
  keyLoaded_ = true;
}

bool Engine::KeyLoaded() const {
  if (!keyLoaded_) return false;
  std::error_code error;
  for (const char* name : {kPristineWheelFile, kWorkingWheelFile, kCountsFile}) {
    if (!std::filesystem::is_regular_file(WorkFile(name), error)) return false;
  }
  return true;
}

void Engine::BuildKeySequence(std::string& keyText) {
  KeySequence sequence = CheckedKeySequence(keyText);
  PrepareEngineWithDefaultsOnDamage();
  keyText = NormaliseKey(keyText);
  keySequence_ = std::move(sequence);
  keySequenceCount_ = kKeySequenceLength;
}

void Engine::DeriveWheelSettings() {
  if (keySequenceCount_ != kKeySequenceLength) throw EngineError("No key sequence has been built.");
  const WheelSettings settings = DeriveSettings(keySequence_);
  wheelCount_ = kWheelCount;
  passCount_ = 2;
  WriteWorkFile(WorkFile(kCountsFile), CountsLine(wheelCount_, passCount_));
  directionFlags_ = settings.directionFlags;
  settingValues_ = settings.settingValues;
  WriteWorkFile(WorkFile(kSettingsFile), SettingsRecord(directionFlags_, settingValues_));
  // The steps take effect when the next operation reads them back.
  WriteWorkFile(WorkFile(kStepsFile), NumberLines(settings.steps));
  WriteWorkFile(WorkFile(kDerivedFile), NumberLines(settings.derivedK5));
  WriteWorkFile(WorkFile(kSecondDerivedFile), NumberLines(settings.derivedK6));
  BuildPeriodTable(settings.periodSeed);
}

void Engine::BuildPeriodTable(const std::string& seed) {
  const bool threeDigits =
      seed.size() == 3 && std::all_of(seed.begin(), seed.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!threeDigits) throw EngineError("The period seed \"" + seed + "\" is not three digits.");
  periodTable_ = MakePeriodTable(seed);
}

}  // namespace ostrel::engine
