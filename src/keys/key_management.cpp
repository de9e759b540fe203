#include "keys/key_management.h"

#include "base/ansi_text.h"
#include "base/fixed_records.h"
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

// Letter case aside, in the Western code page the names are stored in.
std::string Folded(std::string_view name) {
  std::string bytes = base::ToAnsi(name);
  for (char& c : bytes) {
    const auto code = static_cast<unsigned char>(c);
    const bool upper = (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7);
    if (upper) c = static_cast<char>(code + 0x20);
  }
  return bytes;
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

std::optional<KeyManagementView> AddOrUpdateKey(const std::filesystem::path& programFolder, const KeyEditor& editor,
                                                base::Dialogs& dialogs) {
  if (editor.name.empty() || editor.keyText.empty()) {
    dialogs.Show(base::PlainBox(std::string(kMissingData)));
    return std::nullopt;
  }
  const std::string stored = base::ToAnsi(editor.keyText);
  const std::string keyText(base::TrimBlanks(base::CutToWidth(stored, kKeyTextWidth)));
  if (keyText.empty()) {
    dialogs.Show(base::PlainBox(std::string(kMissingData)));
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
  const std::string wanted = Folded(StoredName(editor.name));
  KeyRecord* existing = nullptr;
  for (KeyRecord& record : records) {
    if (Folded(record.name) == wanted) {
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
