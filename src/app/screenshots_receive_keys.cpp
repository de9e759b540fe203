// The receiving window part way through a check, and key management with a
// listed key shown.
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <filesystem>
#include <future>
#include <memory>

#include "base/dialogs.h"
#include "keys/key_management.h"
#include "sample_installation.h"
#include "screenshot_support.h"
#include "store/installation.h"
#include "transport/pop3_connection.h"
#include "ui/check_mail_dialog.h"
#include "ui/key_management_dialog.h"

namespace ostrel::app {
namespace {

// A server that keeps the window waiting at the login until let go, and
// then has no mail.
class HeldPop3Connection : public transport::Pop3Connection {
 public:
  base::Result<> Connect(const std::string&, const std::string&, const std::string&) override {
    released_.wait();
    return {};
  }
  base::Result<int> GetTotalOfMails() override { return 0; }
  base::Result<long long> GetMsgSize(int) override { return None(); }
  base::Result<std::string> GetMsgId(int) override { return None(); }
  base::Result<std::string> Retrieve(int) override { return None(); }
  base::Result<> Delete(int) override { return None(); }
  base::Result<> Disconnect() override { return {}; }

  void Release() { release_.set_value(); }

 private:
  static base::Failure None() { return {"The mail server has no message."}; }
  std::promise<void> release_;
  std::shared_future<void> released_ = release_.get_future().share();
};

}  // namespace

bool ShootReceiveAndKeyWindows(const std::string& programFolder, const QDir& target) {
  // A copy of the sample folder, so the key added here stays out of the other
  // windows' pictures.
  QTemporaryDir temporary;
  if (!temporary.isValid()) return false;
  const std::string folder = QDir(temporary.path()).absolutePath().toStdString() + "/";
  std::filesystem::copy(programFolder, folder, std::filesystem::copy_options::recursive);
  base::UnattendedDialogs dialogs;
  keys::AddOrUpdateKey(folder, {"Harbour Office", "418275936451829376", false}, dialogs);

  store::Installation installation(folder, dialogs);
  installation.LoadStep();
  StillDesktop desktop;
  bool ok = true;
  {
    auto connection = std::make_unique<HeldPop3Connection>();
    HeldPop3Connection& held = *connection;
    ui::CheckMailDialog checkMail(installation, dialogs, std::move(connection), nullptr);
    checkMail.show();
    QApplication::processEvents();
    checkMail.ShowText("Downloading 2 of 5");
    checkMail.ShowProgress(1, 5);
    ok &= SaveWindow(checkMail, target, "CheckMailDialog");
    held.Release();
    checkMail.WaitUntilDone();
  }

  ui::KeyManagementDialog keyManagement(installation, dialogs, desktop, nullptr);
  const int listed = keyManagement.keyList->findText(kSampleKeyName);
  keyManagement.keyList->setCurrentIndex(listed);
  emit keyManagement.keyList->activated(listed);
  ok &= SaveWindow(keyManagement, target, "KeyManagementDialog");
  return ok;
}

}  // namespace ostrel::app
