#include "ui/check_mail_dialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <limits>
#include <string>

#include "base/dialogs.h"
#include "mail/receiving.h"
#include "store/installation.h"
#include "transport/curl_pop3_connection.h"
#include "ui/guarded.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"
#include "ui/warning_box.h"

namespace ostrel::ui {
namespace {

// The main window's dialogs as the retrieval's thread reaches them: message
// boxes and questions wait for the person on the user-interface thread,
// status texts are queued to it in the order they come.
class UiThreadDialogs : public base::Dialogs {
 public:
  UiThreadDialogs(QObject& window, base::Dialogs& inner) : window_(window), inner_(inner) {}

  void Show(const base::MessageBox& box) override {
    QMetaObject::invokeMethod(&window_, [&] { inner_.Show(box); }, Qt::BlockingQueuedConnection);
  }
  base::Answer Ask(const base::MessageBox& box) override {
    base::Answer answer = base::Answer::Cancel;
    QMetaObject::invokeMethod(&window_, [&] { answer = inner_.Ask(box); }, Qt::BlockingQueuedConnection);
    return answer;
  }
  void SetStatus(std::string_view text) override {
    // Runs after this object may be gone: it holds only what outlives it.
    QMetaObject::invokeMethod(&window_, [inner = &inner_, copy = std::string(text)] { inner->SetStatus(copy); },
                              Qt::QueuedConnection);
  }

 private:
  QObject& window_;
  base::Dialogs& inner_;
};

int BarValue(qint64 value) {
  return static_cast<int>(std::clamp<qint64>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

CheckMailDialog::CheckMailDialog(store::Installation& installation, base::Dialogs& dialogs,
                                 std::unique_ptr<transport::Pop3Connection> connection, QWidget* parent)
    : QDialog(parent), installation_(installation), dialogs_(dialogs), connection_(std::move(connection)) {
  if (!connection_) connection_ = std::make_unique<transport::CurlPop3Connection>(installation_.ProgramFolder);
  setObjectName("CheckMailDialog");
  setWindowTitle("Check Mail");
  statusLabel = Named<QLabel>("statusLabel", this);
  statusLabel->setMinimumWidth(statusLabel->fontMetrics().horizontalAdvance("Downloading 32767 of 32767") + 40);
  progressBar = Named<QProgressBar>("progressBar", this);
  progressBar->setRange(0, 0);
  progressBar->setTextVisible(false);
  cancelButton = Named<QPushButton>("cancelButton", "Cancel", this);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(statusLabel);
  layout->addWidget(progressBar);
  layout->addLayout(buttons);
  setFixedHeight(sizeHint().height());

  connect(cancelButton, &QPushButton::clicked, this, &CheckMailDialog::reject);
  connect(this, &CheckMailDialog::TextChanged, this, &CheckMailDialog::ShowText, Qt::QueuedConnection);
  connect(this, &CheckMailDialog::ProgressChanged, this, &CheckMailDialog::ShowProgress, Qt::QueuedConnection);
  connect(this, &CheckMailDialog::RetrievalEnded, this, Guarded(dialogs_, "Checking mail", [this] { EndRetrieval(); }),
          Qt::QueuedConnection);
}

CheckMailDialog::~CheckMailDialog() {
  cancelled_ = true;
  WaitUntilDone();
}

void CheckMailDialog::ShowText(const QString& text) { statusLabel->setText(text); }

void CheckMailDialog::ShowProgress(qint64 done, qint64 total) {
  progressBar->setRange(0, BarValue(total));
  progressBar->setValue(BarValue(done));
}

void CheckMailDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!started_) StartRetrieval();
}

void CheckMailDialog::StartRetrieval() {
  started_ = true;
  mail::StartRetrieval(installation_, dialogs_, [this](std::string_view text) {
    ShowText(ToQString(text));
  });
  running_ = true;
  worker_ = std::thread(&CheckMailDialog::RunRetrieval, this);
}

// On the retrieval's thread: nothing here touches a widget.
void CheckMailDialog::RunRetrieval() {
  UiThreadDialogs dialogs(*this, dialogs_);
  mail::RetrieveControl control;
  control.cancelled = &cancelled_;
  control.progress = [this](std::int64_t done, std::int64_t total) { emit ProgressChanged(done, total); };
  const auto label = [this](std::string_view text) {
    emit TextChanged(ToQString(text));
  };
  try {
    mail::Retrieve(installation_, *connection_, dialogs, label, control);
  } catch (const std::exception& problem) {
    // What was filed stays filed; the summary still tells what arrived.
    dialogs.Show(WarningBox(std::string("The mail check stopped: ") + problem.what()));
  }
  emit RetrievalEnded();
}

void CheckMailDialog::EndRetrieval() {
  if (worker_.joinable()) worker_.join();
  running_ = false;
  accept();
}

void CheckMailDialog::WaitUntilDone() {
  while (running_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (worker_.joinable()) worker_.join();
}

void CheckMailDialog::reject() {
  if (!running_) {
    QDialog::reject();
    return;
  }
  cancelled_ = true;
  cancelButton->setEnabled(false);
}

}  // namespace ostrel::ui
