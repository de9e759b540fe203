// The compose window answering a message with an attachment, and the sending
// window part way through its upload.
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "base/dialogs.h"
#include "base/safe_file.h"
#include "mail/compose.h"
#include "screenshot_support.h"
#include "settings/address_book.h"
#include "store/installation.h"
#include "ui/compose_window.h"
#include "ui/sending_dialog.h"

namespace ostrel::app {
namespace {

// A control whose upload stops part way, so the window stays mid-send.
class StalledSmtpControl : public transport::SmtpControl {
 public:
  void Send() override {
    if (events_.progress) events_.progress(45, 100);
  }
};

}  // namespace

bool ShootComposeWindows(const std::string& programFolder, const QDir& target) {
  // A copy of the sample folder, so the address book, signature and Sent
  // copy made here stay out of the other windows' pictures.
  QTemporaryDir temporary;
  if (!temporary.isValid()) return false;
  const std::string folder = QDir(temporary.path()).absolutePath().toStdString() + "/";
  std::filesystem::copy(programFolder, folder, std::filesystem::copy_options::recursive);
  QuietDialogs dialogs;
  settings::AddAddress(folder, "Alice", "alice@example.org", dialogs);
  settings::AddAddress(folder, "Bob", "bob@example.org", dialogs);
  base::ReplaceFile(std::filesystem::path(folder) / "sig.cur", "Bob\r\nHarbour Office, Room 4\r\n");

  store::Installation installation(folder, dialogs);
  installation.LoadStep();
  installation.Compose.ComposeMode = store::ComposeMode::Reply;
  installation.Selection.SelectedFrom = "alice@example.org";
  installation.Selection.SelectedSubject = "Thursday";
  StillDesktop desktop;
  bool ok = true;
  {
    ui::ComposeWindow compose(installation, "Hello Bob,\r\nsee you soon.\r\n", dialogs, desktop, nullptr);
    compose.attachmentsEdit->setText(QString::fromStdString(folder + "Save/photo.jpg"));
    ok &= SaveWindow(compose, target, "ComposeWindow");
  }

  installation.Compose.ComposeMode = store::ComposeMode::New;
  mail::ComposeForm form = mail::OpenCompose(installation, "");
  form.to = "bob@example.org";
  form.subject = "Papers";
  form.message = "The papers are signed.";
  if (!mail::QueueMessage(installation, form, dialogs)) return false;
  ui::SendingDialog sending(installation, dialogs, nullptr, std::make_unique<StalledSmtpControl>());
  sending.show();
  // The send reports from threads of its own; wait for the bar to move.
  const QDeadlineTimer deadline(5000);
  while (sending.progressBar->value() == 0 && !deadline.hasExpired()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  ok &= SaveWindow(sending, target, "SendingDialog");
  return ok;
}

}  // namespace ostrel::app
