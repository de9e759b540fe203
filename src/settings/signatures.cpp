#include "settings/signatures.h"

#include <algorithm>

#include "base/ansi_text.h"
#include "base/named_records.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"

namespace ostrel::settings {
namespace {

using base::kLineEnd;

base::NamedRecordFile SignaturesFile(const std::filesystem::path& programFolder) {
  return base::NamedRecordFile(programFolder / kSignaturesFileName, 30, 1000);
}

void WriteCurrentSignature(const std::filesystem::path& programFolder, std::string_view contents) {
  base::ReplaceFile(programFolder / kCurrentSignatureFileName, contents);
}

}  // namespace

std::vector<SignatureRecord> ReadSignatures(const std::filesystem::path& programFolder) {
  std::vector<SignatureRecord> signatures;
  for (base::NamedRecord& entry : SignaturesFile(programFolder).ReadAll()) {
    signatures.push_back({std::move(entry.name), std::move(entry.value)});
  }
  return signatures;
}

std::optional<std::string> FindSignature(const std::filesystem::path& programFolder, std::string_view name) {
  return SignaturesFile(programFolder).Find(name);
}

SignaturesForm LoadSignatures(const std::filesystem::path& programFolder) {
  SignaturesForm form;
  const auto signatures = ReadSignatures(programFolder);
  for (const SignatureRecord& signature : signatures) form.names.push_back(signature.SigName);
  if (!signatures.empty()) {
    form.nameBox = signatures.front().SigName;
    form.signatureBox = signatures.front().SigText;
  }
  return form;
}

std::string CurrentSignature(const std::filesystem::path& programFolder) {
  std::string bytes = base::ReadWholeFile(programFolder / kCurrentSignatureFileName).value_or(std::string());
  if (bytes.ends_with(kLineEnd)) bytes.resize(bytes.size() - kLineEnd.size());
  return base::FromAnsi(bytes);
}

bool AddOrUpdateSignature(const std::filesystem::path& programFolder, std::string_view name, std::string_view text,
                          base::Dialogs& dialogs) {
  if (name.empty() || text.empty()) {
    dialogs.Show(base::PlainBox("Cannot Add or Update.  Missing Name and/or Signature Data."));
    return false;
  }
  const auto file = SignaturesFile(programFolder);
  const bool update = file.Replace(name, text, base::NamedRecordFile::Which::Last);
  if (!update) file.Append(name, text);
  dialogs.Show(base::PlainBox(update ? "Signature Updated." : "Signature Added."));
  WriteCurrentSignature(programFolder, base::ToAnsi(text) + std::string(kLineEnd));
  return true;
}

bool DeleteSignature(const std::filesystem::path& programFolder, std::string_view name, base::Dialogs& dialogs) {
  if (name.empty()) {
    dialogs.Show(base::PlainBox("Cannot Delete.  Missing Signature Name."));
    return false;
  }
  const auto file = SignaturesFile(programFolder);
  // The record holds the current signature cut to its field, so compare the
  // stored forms.
  const std::string current = file.StoredValue(CurrentSignature(programFolder));
  const std::vector<base::NamedRecord> removed = file.RemoveAll(name);
  if (removed.empty()) {
    dialogs.Show(base::PlainBox("There is no Signature named " + std::string(name) + "."));
    return false;
  }
  const bool removedCurrent = !current.empty() && std::any_of(removed.begin(), removed.end(), [&](const auto& entry) {
    return entry.value == current;
  });
  if (removedCurrent) WriteCurrentSignature(programFolder, "");
  dialogs.Show(base::PlainBox("Signature Deleted."));
  return true;
}

}  // namespace ostrel::settings
