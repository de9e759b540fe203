#pragma once
// Named signatures in "sigs.dat" (1030-byte records: name 30, text 1000) and
// the current signature in "sig.cur" (the text followed by CR LF). Texts hold
// their line breaks as CR LF.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"

namespace ostrel::settings {

inline constexpr std::size_t kSignatureRecordLength = 1030;
inline constexpr std::string_view kSignaturesFileName = "sigs.dat";
inline constexpr std::string_view kCurrentSignatureFileName = "sig.cur";
inline constexpr std::string_view kSignatureNote =
    "Note: The last Signature created or updated will be used if included in message.";

struct SignatureRecord {
  std::string SigName;
  std::string SigText;

  bool operator==(const SignatureRecord&) const = default;
};

// Every signature in file order, trimmed. Creates an empty "sigs.dat" when
// it is missing.
std::vector<SignatureRecord> ReadSignatures(const std::filesystem::path& programFolder);

// The text of the first signature whose name equals name exactly.
std::optional<std::string> FindSignature(const std::filesystem::path& programFolder, std::string_view name);

// The signatures window as it opens: the names, the first one in the name
// box and its text in the signature box (both empty without signatures).
struct SignaturesForm {
  std::vector<std::string> names;
  std::string nameBox;
  std::string signatureBox;
};
SignaturesForm LoadSignatures(const std::filesystem::path& programFolder);

// The current signature: "sig.cur" without its final CR LF; empty when there
// is none.
std::string CurrentSignature(const std::filesystem::path& programFolder);

// "Add/Update": overwrites the last signature of that name or appends one,
// then makes the text the current signature.
bool AddOrUpdateSignature(const std::filesystem::path& programFolder, std::string_view name, std::string_view text,
                          base::Dialogs& dialogs);

// "Delete": removes the signatures of that name; when one of them was the
// current signature, "sig.cur" is emptied.
bool DeleteSignature(const std::filesystem::path& programFolder, std::string_view name, base::Dialogs& dialogs);

}  // namespace ostrel::settings
