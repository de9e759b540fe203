#include "settings/signatures.h"

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "base/empty_file.h"

namespace ostrel::settings {
namespace {

const std::vector<std::size_t> kWidths = {30, 1000};
using base::kLineEnd;

base::RecordFile SignaturesFile(const std::filesystem::path& programFolder) {
  return base::RecordFile(programFolder / kSignaturesFileName, kSignatureRecordLength);
}

SignatureRecord Parse(std::string_view bytes) {
  const auto fields = base::SplitFields(bytes, kWidths);
  return {std::string(base::TrimBlanks(fields[0])), std::string(base::TrimBlanks(fields[1]))};
}

std::string Format(std::string_view name, std::string_view text) {
  return base::JoinFields({std::string(name), std::string(text)}, kWidths);
}

void WriteCurrentSignature(const std::filesystem::path& programFolder, std::string_view contents) {
  base::ReplaceFile(programFolder / kCurrentSignatureFileName, contents);
}

}  // namespace

std::vector<SignatureRecord> ReadSignatures(const std::filesystem::path& programFolder) {
  const auto file = SignaturesFile(programFolder);
  CreateEmptyIfMissing(file);
  std::vector<SignatureRecord> signatures;
  for (const std::string& record : file.ReadAll()) signatures.push_back(Parse(record));
  return signatures;
}

std::optional<std::string> FindSignature(const std::filesystem::path& programFolder, std::string_view name) {
  for (SignatureRecord& signature : ReadSignatures(programFolder)) {
    if (signature.SigName == name) return std::move(signature.SigText);
  }
  return std::nullopt;
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
  CreateEmptyIfMissing(file);
  std::vector<std::string> records = file.ReadAll();
  std::size_t last = records.size();
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (Parse(records[i]).SigName == name) last = i;
  }
  const bool update = last < records.size();
  if (update) {
    records[last] = Format(name, text);
  } else {
    records.push_back(Format(name, text));
  }
  file.Rewrite(records);
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
  CreateEmptyIfMissing(file);
  // The record holds the current signature cut to its field, so compare the
  // stored forms.
  const std::string current = Parse(Format("", CurrentSignature(programFolder))).SigText;
  std::vector<std::string> kept;
  bool removed = false;
  bool removedCurrent = false;
  for (std::string& record : file.ReadAll()) {
    const SignatureRecord signature = Parse(record);
    if (signature.SigName == name) {
      removed = true;
      removedCurrent = removedCurrent || (!current.empty() && signature.SigText == current);
    } else {
      kept.push_back(std::move(record));
    }
  }
  if (!removed) {
    dialogs.Show(base::PlainBox("There is no Signature named " + std::string(name) + "."));
    return false;
  }
  file.Rewrite(kept);
  if (removedCurrent) WriteCurrentSignature(programFolder, "");
  dialogs.Show(base::PlainBox("Signature Deleted."));
  return true;
}

}  // namespace ostrel::settings
