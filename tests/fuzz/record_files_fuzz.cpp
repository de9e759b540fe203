// Every file of the program folder that a reader takes back in, filled with
// the same bytes: box lists and box index files, "key.dat", "accounts.dat",
// "email.opt", the address book, signatures, filters, "uidl.dat" and
// "Ostdec.dat". Any of them may have been damaged or written by another
// program; reading must neither crash nor misbehave.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "engine/decrypted_file_list.h"
#include "fuzz_scratch.h"
#include "keys/key_store.h"
#include "mail/received_ids.h"
#include "settings/accounts.h"
#include "settings/address_book.h"
#include "settings/filters.h"
#include "settings/mail_options.h"
#include "settings/signatures.h"
#include "store/box_index.h"
#include "store/installation.h"
#include "store/mail_box.h"

namespace {

using namespace ostrel;

void ReadBoxes(const fuzz::ScratchFolder& scratch, const std::string& bytes) {
  fuzz::WriteFile(scratch / "inbox.dat", bytes);
  fuzz::WriteFile(scratch / "In" / "index.dat", bytes);
  const store::MailBox in(scratch.Folder(), "In");
  const std::size_t count = in.Count();
  fuzz::Require(count == bytes.size() / store::kBoxRecordLength, "whole records are counted");
  for (std::size_t n = 1; n <= count + 1; ++n) {
    const auto record = in.Read(n);
    fuzz::Require(record.has_value() == (n <= count), "every counted record reads, no other");
  }
  fuzz::Require(store::ReadBoxIndex(scratch / "In") >= 0, "an index is never negative");
  in.NextMessageName();

  fuzz::QuietDialogs dialogs;
  store::Installation installation(scratch.Folder(), dialogs);
  installation.Selection.CurrentBox = ostrel::store::BoxName::In;
  installation.LoadBox();
}

void ReadKeys(const fuzz::ScratchFolder& scratch, const std::string& bytes) {
  fuzz::WriteFile(scratch / "key.dat", bytes);
  const auto records = keys::ReadKeys(scratch.Folder());
  for (const auto& record : records) {
    fuzz::Require(record.name.size() <= keys::kKeyNameWidth * 3, "a name is at most its field");
    fuzz::Require(record.keyText.size() <= keys::kKeyTextWidth, "a key text is at most its field");
  }
  keys::ReadDefaultKey(scratch.Folder());
  keys::KeyNames(records);
  if (!records.empty()) keys::ShownKeyName(records, records.front().keyText);
}

void ReadSettings(const fuzz::ScratchFolder& scratch, const std::string& bytes) {
  fuzz::WriteFile(scratch / "accounts.dat", bytes);
  for (const auto& server : settings::ListAccounts(scratch.Folder())) settings::FindAccount(scratch.Folder(), server);

  fuzz::WriteFile(scratch / "email.opt", bytes);
  settings::ReadOptions(scratch.Folder());
  settings::ParseOptions(bytes);

  fuzz::WriteFile(scratch / "address.dat", bytes);
  const auto form = settings::LoadAddressBook(scratch.Folder());
  for (const auto& name : form.names) settings::FindAddress(scratch.Folder(), name);

  fuzz::WriteFile(scratch / "sigs.dat", bytes);
  fuzz::WriteFile(scratch / "sig.cur", bytes);
  const auto signatures = settings::LoadSignatures(scratch.Folder());
  for (const auto& name : signatures.names) settings::FindSignature(scratch.Folder(), name);
  settings::CurrentSignature(scratch.Folder());

  fuzz::WriteFile(scratch / "filter.dat", bytes);
  settings::LoadFilterText(scratch.Folder());
  fuzz::Require(settings::ReadFilterEntries(scratch.Folder()).size() <= settings::kMaxFilterEntries,
                "at most 5000 filter entries");
}

void ReadLists(const fuzz::ScratchFolder& scratch, const std::string& bytes) {
  fuzz::WriteFile(scratch / mail::kReceivedIdsFileName, bytes);
  mail::ReceivedIds ids(scratch.Folder(), "pop.example.test", "user");
  ids.Contains("id");
  ids.KeepOnly({"id"});

  fuzz::WriteFile(scratch / "Ostdec.dat", bytes);
  engine::AddDecryptedFile(scratch / "Ostdec.dat", "report.pdf");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFolder scratch;
  scratch.Reset();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadBoxes(scratch, bytes);
  ReadKeys(scratch, bytes);
  ReadSettings(scratch, bytes);
  ReadLists(scratch, bytes);
  return 0;
}
