#include "engine/engine.h"
#include "engine/work_files.h"
#include "engine/work_folder_io.h"

namespace ostrel::engine {

void Engine::PrepareFillStrings() {
  fillRecord151_.assign(151, '@');
  fillRecord256_.assign(kWheelLength, '@');
}

void Engine::PrepareEngine() {
  PrepareFillStrings();

  PositionValues flags = kDefaultDirectionFlags;
  PositionValues values = kDefaultSettingValues;
  const std::filesystem::path settingsPath = WorkFile(kSettingsFile);
  if (EnsureWorkFile(settingsPath) != 0) {
    const auto read = ParseSettingsRecord(ReadWorkFile(settingsPath).value_or(""));
    if (!read) ThrowDamaged(settingsPath);
    flags = read->directionFlags;
    values = read->settingValues;
  }

  PositionValues steps{};
  steps.fill(1);
  const std::filesystem::path stepsPath = WorkFile(kStepsFile);
  if (EnsureWorkFile(stepsPath) != 0) {
    const auto read = ParseSteps(ReadWorkFile(stepsPath).value_or(""));
    if (!read) ThrowDamaged(stepsPath);
    steps = *read;
  }

  directionFlags_ = flags;
  settingValues_ = values;
  steps_ = steps;
  orderPeriod_ = periodTable_[1];
  periodIndex_ = 1;
  orderCounter_ = 0;
}

// A key load replaces everything these files would give, so damaged ones
// from an earlier key must not stop it.
void Engine::PrepareEngineWithDefaultsOnDamage() {
  try {
    PrepareEngine();
  } catch (const EngineError&) {
    directionFlags_ = kDefaultDirectionFlags;
    settingValues_ = kDefaultSettingValues;
    steps_.fill(1);
    orderPeriod_ = periodTable_[1];
    periodIndex_ = 1;
    orderCounter_ = 0;
  }
}

}  // namespace ostrel::engine
