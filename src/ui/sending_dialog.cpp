#include "ui/sending_dialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>

#include "base/dialogs.h"
#include "store/installation.h"
#include "transport/curl_smtp_control.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"

namespace ostrel::ui {
namespace {

constexpr int kFullBar = 1000;
// The bar's share for enciphering attachments, when there are any to encipher;
// the rest follows the bytes handed to the server.
constexpr int kEncipheringShare = 400;

QFrame* DecorativeLine(const char* name, QWidget* parent) {
  auto* line = Named<QFrame>(name, parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

std::unique_ptr<transport::SmtpControl> OrRealControl(std::unique_ptr<transport::SmtpControl> control,
                                                    const std::string& programFolder) {
  if (control) return control;
  return std::make_unique<transport::CurlSmtpControl>(programFolder);
}

int Share(int share, std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 0;
  return static_cast<int>(static_cast<std::uint64_t>(share) * std::min(done, total) / total);
}

}  // namespace

// Carries what the sending threads report to the window's thread. The window
// detaches itself when it goes, so late events from a control that outlives
// it fall on the floor instead of on a window that is gone.
struct SendingDialog::Relay {
  std::mutex mutex;
  SendingDialog* window = nullptr;
  std::atomic<int> lastProgress{-1};

  void Post(std::function<void(SendingDialog&)> work) {
    const std::lock_guard lock(mutex);
    if (window == nullptr) return;
    SendingDialog* target = window;
    QMetaObject::invokeMethod(target, [target, work = std::move(work)] { work(*target); }, Qt::QueuedConnection);
  }

  // The control reports every few kilobytes; only a change of the bar is passed on.
  void Progress(int value) {
    if (lastProgress.exchange(value) == value) return;
    Post([value](SendingDialog& shown) { shown.ShowProgress(value); });
  }
};

SendingDialog::SendingDialog(store::Installation& installation, base::Dialogs& dialogs, QWidget* parent,
                             std::unique_ptr<transport::SmtpControl> control)
    : QDialog(parent),
      installation_(installation),
      dialogs_(dialogs),
      control_(OrRealControl(std::move(control), installation.ProgramFolder)),
      relay_(std::make_shared<Relay>()) {
  relay_->window = this;
  smtpControl = control_.get();
  setObjectName("SendingDialog");
  setWindowTitle("Sending Message");
  topLine = DecorativeLine("topLine", this);
  statusLabel = Named<QLabel>("statusLabel", this);
  statusLabel->setMinimumWidth(460);
  statusLabel->setTextFormat(Qt::PlainText);
  statusLine = DecorativeLine("statusLine", this);
  progressBar = Named<QProgressBar>("progressBar", this);
  progressBar->setRange(0, kFullBar);
  progressBar->setValue(0);
  progressLine = DecorativeLine("progressLine", this);
  bottomLine = DecorativeLine("bottomLine", this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(topLine);
  layout->addWidget(statusLabel);
  layout->addWidget(statusLine);
  layout->addWidget(progressBar);
  layout->addWidget(progressLine);
  layout->addWidget(bottomLine);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Opening the window clears the status label.
  ShowLabel("");
}

SendingDialog::~SendingDialog() {
  {
    const std::lock_guard lock(relay_->mutex);
    relay_->window = nullptr;
  }
  if (starter_.joinable()) starter_.join();
  // The real control waits here for a send still on its way.
  control_.reset();
}

void SendingDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  StartSend();
}

void SendingDialog::closeEvent(QCloseEvent* event) {
  if (started_ && !outcome_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void SendingDialog::reject() {
  if (started_ && !outcome_) return;
  QDialog::reject();
}

void SendingDialog::StartSend() {
  const auto parts = mail::SplitOutgoingBody(installation_.Compose.OutgoingBody);
  const int encipheringShare =
      installation_.Compose.MessageEncrypted && !parts.attachmentPaths.empty() ? kEncipheringShare : 0;

  const std::shared_ptr<Relay> relay = relay_;
  mail::SendingProgress progress;
  progress.label = [relay](std::string_view text) {
    const QString shown = ToQString(text);
    relay->Post([shown](SendingDialog& sending) { sending.ShowLabel(shown); });
  };
  progress.attachments = [relay, encipheringShare](std::size_t done, std::size_t total) {
    relay->Progress(Share(encipheringShare, done, total));
  };
  progress.upload = [relay, encipheringShare](std::uint64_t sent, std::uint64_t total) {
    if (total > 0) relay->Progress(encipheringShare + Share(kFullBar - encipheringShare, sent, total));
  };
  control_->SetEvents({
      [relay] { relay->Post([](SendingDialog& sending) { sending.Finish({}); }); },
      [relay](const std::string& text) {
        relay->Post([text](SendingDialog& sending) { sending.Finish(base::Failure{text}); });
      },
      progress.upload,
  });

  // Filing the Sent copy and enciphering the attachments happen off the
  // window's thread too, so the window keeps painting its progress.
  starter_ = std::thread([this, relay, progress] {
    mail::SendOutcome started;
    try {
      started = mail::StartSending(installation_, *control_, progress);
    } catch (const std::exception& problem) {
      started = base::Failure{std::string("The message could not be sent: ") + problem.what()};
    }
    if (!started) relay->Post([started](SendingDialog& sending) { sending.Finish(started); });
  });
}

void SendingDialog::ShowLabel(const QString& text) {
  statusLabel->setToolTip(text);
  statusLabel->setText(statusLabel->fontMetrics().elidedText(text, Qt::ElideMiddle, statusLabel->minimumWidth()));
}

void SendingDialog::ShowProgress(int value) { progressBar->setValue(std::max(progressBar->value(), value)); }

void SendingDialog::Finish(const mail::SendOutcome& outcome) {
  // Only the first event counts.
  if (outcome_) return;
  if (starter_.joinable()) starter_.join();
  outcome_ = outcome;
  if (outcome) ShowProgress(kFullBar);
  mail::FinishSending(installation_, outcome, dialogs_);
  QDialog::done(outcome ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace ostrel::ui
