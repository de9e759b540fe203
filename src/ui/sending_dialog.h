#pragma once
// The sending window: files the queued message in the Sent box, enciphers
// its attachments when the text was encrypted, and hands the message to the
// SMTP control. The work runs on threads of its own and reports back to this
// window's thread; the window closes itself when the control reports
// completion or an error.

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "mail/sending.h"
#include "transport/smtp_control.h"

class QFrame;
class QLabel;
class QProgressBar;

namespace ostrel::base {
class Dialogs;
}
namespace ostrel::store {
class Installation;
}

namespace ostrel::ui {

class SendingDialog : public QDialog {
  Q_OBJECT

 public:
  // control: the SMTP control that sends; the real one when none is given.
  SendingDialog(store::Installation& installation, base::Dialogs& dialogs, QWidget* parent,
                std::unique_ptr<transport::SmtpControl> control = nullptr);
  ~SendingDialog() override;

  // How the send ended, once it has.
  const std::optional<mail::SendOutcome>& Outcome() const { return outcome_; }

  QLabel* statusLabel;
  QProgressBar* progressBar;
  QFrame* topLine;
  QFrame* statusLine;
  QFrame* progressLine;
  QFrame* bottomLine;
  transport::SmtpControl* smtpControl;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A send under way is not abandoned: Escape and the close button wait for it.
  void reject() override;

 private:
  struct Relay;

  void StartSend();
  void ShowLabel(const QString& text);
  void ShowProgress(int value);
  void Finish(const mail::SendOutcome& outcome);

  store::Installation& installation_;
  base::Dialogs& dialogs_;
  std::unique_ptr<transport::SmtpControl> control_;
  std::shared_ptr<Relay> relay_;
  std::thread starter_;
  bool started_ = false;
  std::optional<mail::SendOutcome> outcome_;
};

}  // namespace ostrel::ui
