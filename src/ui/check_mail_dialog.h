#pragma once
// The receiving window: a small status window that fetches the waiting mail
// as soon as it is shown and closes itself when done. The POP3 work runs on
// a thread of its own, so the window keeps painting and "Cancel" is heard;
// its texts and progress come back to the window as queued signals, and its
// message boxes are shown on the user-interface thread.

#include <QDialog>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ostrel::base {
class Dialogs;
}
namespace ostrel::store {
class Installation;
}
namespace ostrel::transport {
class Pop3Connection;
}

namespace ostrel::ui {

class CheckMailDialog : public QDialog {
  Q_OBJECT

 public:
  // dialogs: the main window's, whose status line follows the check.
  // connection: nothing for the real connection to the POP3 server of the
  // options.
  CheckMailDialog(store::Installation& installation, base::Dialogs& dialogs,
                  std::unique_ptr<transport::Pop3Connection> connection, QWidget* parent);
  ~CheckMailDialog() override;

  // Returns once the retrieval has ended. A window closed before that (by a
  // desktop that does not wait for it) has asked the retrieval to stop.
  void WaitUntilDone();

  // What the retrieval shows: the status text and the messages filed so far.
  void ShowText(const QString& text);
  void ShowProgress(qint64 done, qint64 total);

  QLabel* statusLabel;
  QProgressBar* progressBar;
  QPushButton* cancelButton;  // "Cancel"

 public slots:
  // "Cancel", Escape and the close box: the retrieval stops before the next
  // message, and the window closes when it has.
  void reject() override;

 signals:
  void TextChanged(const QString& text);
  void ProgressChanged(qint64 done, qint64 total);
  void RetrievalEnded();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void StartRetrieval();
  void RunRetrieval();
  void EndRetrieval();

  store::Installation& installation_;
  base::Dialogs& dialogs_;
  std::unique_ptr<transport::Pop3Connection> connection_;
  std::atomic<bool> cancelled_ = false;
  bool started_ = false;
  bool running_ = false;
  std::thread worker_;
};

}  // namespace ostrel::ui
