// The options, address book, signatures and filters windows over the sample
// folder, with a few entries of each kind.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <filesystem>

#include "base/dialogs.h"
#include "base/safe_file.h"
#include "screenshot_support.h"
#include "settings/accounts.h"
#include "settings/address_book.h"
#include "settings/filters.h"
#include "settings/signatures.h"
#include "ui/address_book_dialog.h"
#include "ui/filters_dialog.h"
#include "ui/options_dialog.h"
#include "ui/signatures_dialog.h"

namespace ostrel::app {
namespace {

// Entries for the address book, signatures, filters and accounts, unless the
// sample folder has its own.
void AddSettingsEntries(const std::string& programFolder, base::Dialogs& dialogs) {
  const std::filesystem::path folder(programFolder);
  if (settings::ReadAddresses(folder).empty()) {
    settings::AddAddress(folder, "Alice", "alice@example.org", dialogs);
    settings::AddAddress(folder, "Bob", "bob@example.org", dialogs);
    settings::AddAddress(folder, "Carol", "carol@example.net", dialogs);
  }
  if (settings::ReadSignatures(folder).empty()) {
    settings::AddOrUpdateSignature(folder, "Home", "Al\r\n", dialogs);
    settings::AddOrUpdateSignature(folder, "Work", "Alice Smith\r\nHarbour Office, Room 4\r\nTel. 555 0143",
                                   dialogs);
  }
  if (settings::ReadFilterEntries(folder).empty()) {
    base::ReplaceFile(folder / settings::kFilterFileName,
                      "casino\r\nlottery\r\nyou have won\r\nfree money\r\nclaim your prize\r\n");
  }
  if (settings::ListAccounts(folder).empty()) {
    const settings::MailOptions work{"pop3s://mail.harbour.example", "smtps://mail.harbour.example", "asmith", "",
                                     "asmith@harbour.example", false, false, false, true, true};
    settings::StoreAccount(folder, work);
    settings::MailOptions current;
    current.PopServer = "pop.example.org";
    current.SmtpServer = "smtp.example.org";
    current.UserName = "me";
    current.EmailAddress = "me@example.org";
    settings::StoreAccount(folder, current);
  }
}

}  // namespace

bool ShootSettingsWindows(const std::string& programFolder, const QDir& target) {
  QuietDialogs dialogs;
  AddSettingsEntries(programFolder, dialogs);
  StillDesktop desktop;
  bool ok = true;

  settings::MailOptions mailOptions;
  ui::OptionsDialog options(programFolder, mailOptions, dialogs, desktop, nullptr);
  options.passwordEdit->setText("sample password");
  ok &= SaveWindow(options, target, "OptionsDialog");
  options.findChild<QCheckBox*>("mailCheckBox")->setChecked(true);
  options.findChild<QSpinBox*>("mailCheckMinutes")->setValue(10);
  options.passwordEdit->setText("sample password");
  ok &= SaveWindow(options, target, "OptionsDialog-mailcheck");

  ui::AddressBookDialog book(programFolder, dialogs, nullptr);
  book.nameList->setCurrentIndex(1);
  emit book.nameList->activated(1);
  ok &= SaveWindow(book, target, "AddressBookDialog");

  ui::SignaturesDialog signatures(programFolder, dialogs, nullptr);
  signatures.nameList->setCurrentIndex(1);
  emit signatures.nameList->activated(1);
  ok &= SaveWindow(signatures, target, "SignaturesDialog");

  ui::FiltersDialog filters(programFolder, mailOptions, dialogs, nullptr);
  ok &= SaveWindow(filters, target, "FiltersDialog");
  return ok;
}

}  // namespace ostrel::app
