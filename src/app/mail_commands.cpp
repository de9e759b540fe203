#include "app/mail_commands.h"

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/progress_line.h"
#include "base/dialogs.h"
#include "mail/compose.h"
#include "mail/receiving.h"
#include "store/installation.h"
#include "store/program_folder.h"
#include "transport/curl_pop3_connection.h"
#include "transport/curl_smtp_control.h"

namespace ostrel::app {
namespace {

// Message boxes go to standard error as they would be shown, with the line
// breaks of a terminal; the status line keeps its last text for the command
// to print, and shows on the progress line meanwhile.
class CommandDialogs : public base::Dialogs {
 public:
  CommandDialogs(std::ostream& err, ProgressLine& progress) : err_(err), progress_(progress) {}
  void Show(const base::MessageBox& box) override { Write(box.text); }
  base::Answer Ask(const base::MessageBox& box) override {
    Write(box.text);
    return base::Answer::No;
  }
  void SetStatus(std::string_view text) override {
    status = text;
    progress_.Show(text);
  }

  std::string status;

 private:
  void Write(const std::string& text) {
    progress_.Clear();
    for (const char c : text) {
      if (c != '\r') err_ << c;
    }
    err_ << "\n";
  }

  std::ostream& err_;
  ProgressLine& progress_;
};

// The sending window's label and upload bar, on the progress line.
mail::SendingProgress SendingProgressLine(ProgressLine& progress) {
  mail::SendingProgress sending;
  sending.label = [&progress](std::string_view text) { progress.Show(text); };
  sending.upload = [&progress](std::uint64_t sent, std::uint64_t total) {
    char text[64];
    std::snprintf(text, sizeof text, "Sending %.1f of %.1f MB", static_cast<double>(sent) / (1024.0 * 1024.0),
                  static_cast<double>(total) / (1024.0 * 1024.0));
    progress.Show(text);
  };
  return sending;
}

std::string ProgramFolderOf(const CommandLine& line) {
  return store::ChooseProgramFolder(store::ExecutableFolder(), store::FolderEnvironment::FromProcess(),
                                    line.Option("folder"));
}

// Text as a text box holds it: every line break a CR LF.
std::string WithWindowLineBreaks(const std::string& text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

int CheckMailCommand(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  ProgressLine progress(streams.err, streams.errIsTerminal);
  CommandDialogs dialogs(streams.err, progress);
  store::Installation installation(ProgramFolderOf(line), dialogs);
  if (!installation.LoadStep()) return 1;
  transport::CurlPop3Connection connection(installation.ProgramFolder);
  const auto defaultKey = mail::PrepareCheck(installation, dialogs);
  if (!defaultKey) return 1;
  mail::StartRetrieval(installation, dialogs, nullptr);
  const bool complete = mail::Retrieve(installation, connection, dialogs, nullptr);
  if (!mail::FinishCheck(installation, dialogs, *defaultKey)) return 1;
  progress.Clear();
  // The summary as the status line shows it, even after a failure: it tells
  // what did arrive.
  streams.out << dialogs.status << "\n";
  return complete ? 0 : 1;
}

int SendCommand(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  const std::string to = line.Required("to");
  const std::vector<std::string> attachments = line.List("attach");
  std::string attachmentBox;
  for (const std::string& path : attachments) {
    if (path.find(';') != std::string::npos) throw UsageError("an attached file's path may not hold \";\"");
    attachmentBox = mail::AddToList(attachmentBox, path);
  }
  ProgressLine progress(streams.err, streams.errIsTerminal);
  CommandDialogs dialogs(streams.err, progress);
  store::Installation installation(ProgramFolderOf(line), dialogs);
  if (!installation.LoadStep()) return 1;

  installation.Compose.ComposeMode = store::ComposeMode::New;
  mail::ComposeForm form = mail::OpenCompose(installation, "");
  form.to = to;
  form.subject = line.Option("subject").value_or("");
  form.attachments = attachmentBox;
  const std::string typed(std::istreambuf_iterator<char>(streams.in), {});
  form.message = WithWindowLineBreaks(typed) + form.message;  // typed above the signature
  if (line.Flag("encrypt") && !mail::PressEncrypt(installation, form, dialogs)) return 1;

  transport::CurlSmtpControl control(installation.ProgramFolder);
  if (!mail::PressSend(installation, form, control, dialogs, SendingProgressLine(progress))) return 1;
  progress.Clear();
  streams.out << "Sent.\n";
  return 0;
}

}  // namespace

std::vector<Command> MailCommands() {
  return {
      {"check-mail", "[--folder DIR]",
       "fetches new mail with the default key as the mail check does and prints the summary; any failure "
       "(login, connection, certificate, download, filing, deletion) gives status 1 and its reason on standard "
       "error",
       CheckMailCommand},
      {"send", "[--folder DIR] --to TO [--subject SUBJECT] [--encrypt] [--attach FILE]...",
       "sends the text on standard input as the compose window's Send does, encrypted first with --encrypt",
       SendCommand},
  };
}

}  // namespace ostrel::app
