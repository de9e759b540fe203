#pragma once
// The cipher engine of one program folder: expands a key into its keyspace,
// keeps the keyspace in the work files of its work folder, and enciphers and
// deciphers texts and files against it. All engine state lives in this
// object, so two installations can share one process.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/wheel_cipher.h"
#include "engine/wheel_machine.h"

namespace ostrel::engine {

class EngineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::int32_t kKeySequenceLength = 12320;
inline constexpr std::size_t kNormalisedKeyLength = 18;

using KeySequence = std::vector<std::int16_t>;                 // entry 0 unused
using PeriodTable = std::array<std::int32_t, kPeriodCount + 1>;  // entry 0 unused
using PositionValues = std::array<std::int16_t, kWheelCount>;    // positions 1..20 at index 0..19

class Engine {
 public:
  // The keyspace work files live in workFolder; "Ostdec.dat" in listFolder
  // (the program folder), which is workFolder when not given.
  explicit Engine(std::filesystem::path workFolder, std::filesystem::path listFolder = {});

  const std::filesystem::path& WorkFolder() const { return workFolder_; }

  // Key text as stored bytes (ANSI). On return keyText holds the normalised
  // 18-character key. Throws EngineError, changing no work file, for an empty
  // key or a key whose keyspace could not be built.
  void LoadKey(std::string& keyText);

  // A key was loaded by this object and its work files are present.
  bool KeyLoaded() const;

  // Bytes in, bytes out, same length. On any failure they throw EngineError
  // and leave the text (or the destination file) as it was. A destination
  // file is replaced whole, but not flushed to disk: flush it (base::SyncFile)
  // before deleting the source.
  void EncryptText(std::string& text);
  void DecryptText(std::string& text);
  void EncryptFile(const std::filesystem::path& source, const std::filesystem::path& destination);
  // DecryptFile also lists the destination in "Ostdec.dat"; when only that
  // fails, the file is complete and the error says so.
  void DecryptFile(const std::filesystem::path& source, const std::filesystem::path& destination);

  // Overwrites every work file with filler and deletes it ("Ostdec.dat"
  // stays). Never throws: the program's exit must complete.
  void CleanUpEngine() noexcept;
  // The two halves of the clean-up, apart so that the filler can be checked.
  void OverwriteWorkFiles() noexcept;
  void DeleteWorkFiles() noexcept;

  // The steps of a key load, in the order LoadKey runs them.
  // PrepareEngine takes defaults for a missing or empty "k3.bin"/"k4.bin"
  // and throws EngineError when "k3.bin" is shorter than one record or
  // "k4.bin" has fewer than 20 lines; a key load goes on with the defaults.
  void PrepareEngine();
  void BuildKeySequence(std::string& keyText);
  void DeriveWheelSettings();
  void BuildPeriodTable(const std::string& seed);

  // The engine state the steps above leave behind.
  const KeySequence& KeySequenceEntries() const { return keySequence_; }
  std::int32_t KeySequenceCount() const { return keySequenceCount_; }
  const PeriodTable& Periods() const { return periodTable_; }
  const PositionValues& DirectionFlags() const { return directionFlags_; }
  const PositionValues& SettingValues() const { return settingValues_; }
  const PositionValues& Steps() const { return steps_; }
  std::int32_t OrderPeriod() const { return orderPeriod_; }
  std::int32_t PeriodIndex() const { return periodIndex_; }
  std::int32_t OrderCounter() const { return orderCounter_; }

  std::filesystem::path WorkFile(const std::string& name) const { return workFolder_ / name; }
  // "Ostdec.dat", which outlives the keyspace.
  std::filesystem::path DecryptedListFile() const;

  // Forces a cipher path and a number of threads (0: the input's size
  // decides, up to one per core) for tests and measurements; by default the
  // cipher chooses.
  void SetCipherPath(std::optional<WheelCipher::Path> path) { cipherPath_ = path; }
  void SetThreads(unsigned threads) { threads_ = threads; }

 private:
  void RunCipher(const WheelCipher& cipher, Direction direction, std::uint64_t start, std::uint8_t* bytes,
                 std::size_t size) const;
  WheelCipher::Path CipherPath() const;
  void TransformText(Direction direction, std::string& text);
  void TransformFile(Direction direction, const std::filesystem::path& source,
                     const std::filesystem::path& destination);
  // Everything a cipher operation reads, checked; throws EngineError.
  WheelMachine LoadMachine();
  void SaveWheels(const std::array<Wheel, kWheelCount>& wheels);
  void RestoreWheels();
  void PrepareEngineWithDefaultsOnDamage();
  void PrepareFillStrings();

  std::filesystem::path workFolder_;
  std::filesystem::path listFolder_;
  bool keyLoaded_ = false;
  std::string fillRecord151_;  // clean-up filler, empty until the engine is first prepared
  std::string fillRecord256_;
  KeySequence keySequence_;
  std::int32_t keySequenceCount_ = 0;
  PeriodTable periodTable_{};
  PositionValues directionFlags_{};
  PositionValues settingValues_{};
  PositionValues steps_{};
  std::int16_t wheelCount_ = 0;
  std::int32_t passCount_ = 0;
  std::int32_t orderPeriod_ = 0;
  std::int32_t periodIndex_ = 1;
  std::int32_t orderCounter_ = 0;
  std::optional<WheelCipher::Path> cipherPath_;
  unsigned threads_ = 0;
};

}  // namespace ostrel::engine
