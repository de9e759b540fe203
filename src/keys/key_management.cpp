#include "keys/key_management.h"

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "base/letter_case.h"
#include "base/number_text.h"
#include "keys/key_check.h"
#include "keys/key_selection.h"

namespace ostrel::keys {
namespace {

constexpr std::string_view kMissingData = "Missing Data.  Enter a Name and a Key or generate one.";
constexpr std::string_view kRefusedKey =
    "This key cannot be used: a minus sign before a digit gives it wheel positions that do not exist.  "
    "Change the key or generate one.";
constexpr std::string_view kWeakKeyQuestion =
    "Every pair of characters of this key reads as 0 (as in every key of letters only), so it gives the same "
    "keyspace as every other such key and protects nothing.  Store it anyway?";
constexpr std::string_view kWeakKeyTitle = "Weak Key";

// The first character of a text that the Western code page cannot hold.
std::string FirstWideCharacter(std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t cp = 0;
    const std::size_t length = base::Utf8SequenceLength(utf8, pos, &cp);
    if (length == 0) return {};
    const std::string_view character = utf8.substr(pos, length);
    if (base::ToAnsi(character).size() > 1) return std::string(character);
    pos += length;
  }
  return {};
}

// The name as a record will hold it and give it back.
std::string StoredName(std::string_view name) {
  return ParseKeyRecord(FormatKeyRecord({std::string(name), "", false})).name;
}

KeyEditor EditorFor(const KeyRecord& record) { return {record.name, base::FromAnsi(record.keyText), record.isDefault}; }

}  // namespace

std::string KeySummary(const std::vector<KeyRecord>& records) {
  std::string summary = base::PrintForm(static_cast<std::int64_t>(records.size())) + " keys defined.  ";
  const KeyRecord* defaultKey = nullptr;
  for (const KeyRecord& record : records) {
    if (record.isDefault) defaultKey = &record;
  }
  if (defaultKey != nullptr) return summary + "Default key is " + defaultKey->name + ".";
  return summary + "No Default Key defined.  You cannot check mail without a default key.";
}

KeyManagementView OpenKeyManagement(const std::filesystem::path& programFolder) {
  const auto records = ReadKeys(programFolder);
  KeyManagementView view;
  view.names = KeyNames(records);
  if (!view.names.empty()) view.listText = view.names.front();
  view.summary = KeySummary(records);
  return view;
}

std::optional<KeyEditor> ShowListedKey(const std::filesystem::path& programFolder, std::string_view listText) {
  const auto record = FindKey(ReadKeys(programFolder), listText);
  if (!record) return std::nullopt;
  return EditorFor(*record);
}

std::optional<std::string> KeyTextTooLong(std::string_view typedKeyText) {
  const std::string stored(base::TrimBlanks(base::ToAnsi(typedKeyText)));
  if (stored.size() <= kKeyTextWidth) return std::nullopt;
  const std::string width = std::to_string(kKeyTextWidth);
  const std::string wide = FirstWideCharacter(base::FromAnsi(stored));
  if (wide.empty()) {
    return "This key is " + std::to_string(stored.size()) + " characters long, and a key holds at most " + width +
           ".  Shorten the key or generate one.";
  }
  return "This key takes " + std::to_string(stored.size()) + " bytes as stored, and a key holds at most " + width +
         ".  " + wide +
         " is not in the Western code page, so the key is stored as UTF-8, where every character beyond plain "
         "ASCII takes two to four bytes.  Shorten the key or generate one.";
}

std::optional<KeyManagementView> AddOrUpdateKey(const std::filesystem::path& programFolder, const KeyEditor& editor,
                                                base::Dialogs& dialogs) {
  const std::string keyText(base::TrimBlanks(base::ToAnsi(editor.keyText)));
  if (editor.name.empty() || keyText.empty()) {
    dialogs.Show(base::PlainBox(std::string(kMissingData)));
    return std::nullopt;
  }
  // A key cut to fit would silently be another key than the one typed.
  if (const auto tooLong = KeyTextTooLong(editor.keyText)) {
    dialogs.Show(base::PlainBox(*tooLong));
    return std::nullopt;
  }
  switch (JudgeKeyText(keyText)) {
    case KeyVerdict::Refused:
      dialogs.Show(base::PlainBox(std::string(kRefusedKey)));
      return std::nullopt;
    case KeyVerdict::ProtectsNothing: {
      base::MessageBox question;
      question.text = kWeakKeyQuestion;
      question.title = kWeakKeyTitle;
      question.buttons = base::Buttons::YesNo;
      question.icon = base::Icon::Exclamation;
      if (dialogs.Ask(question) != base::Answer::Yes) return std::nullopt;
      break;
    }
    case KeyVerdict::Usable:
      break;
  }

  std::vector<KeyRecord> records = ReadKeys(programFolder);
  const std::string wanted = StoredName(editor.name);
  KeyRecord* existing = nullptr;
  for (KeyRecord& record : records) {
    if (base::SameIgnoringCase(record.name, wanted)) {
      existing = &record;
      break;
    }
  }
  if (editor.useAsDefault) {
    for (KeyRecord& record : records) record.isDefault = false;
  }
  const KeyRecord edited{StoredName(editor.name), keyText, editor.useAsDefault};
  if (existing != nullptr) {
    *existing = edited;
  } else {
    records.push_back(edited);
  }
  WriteKeys(programFolder, records);

  // The window reopens, so the key list shows its first entry again.
  return OpenKeyManagement(programFolder);
}

std::optional<KeyEditor> SetKey(const std::filesystem::path& programFolder, std::string_view listText,
                                engine::Engine& engine, std::string& currentKey, base::Dialogs& dialogs) {
  const auto record = SelectKey(programFolder, listText, engine, currentKey, dialogs);
  if (!record) return std::nullopt;
  return EditorFor(*record);
}

}  // namespace ostrel::keys
