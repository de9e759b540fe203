// A raw message as a POP3 server hands it over: taken apart, then filed by
// the mail check into a scratch program folder, junk filter and attachments
// included. Whatever the message holds, every attachment counted lands as a
// plain file directly inside "Save": one written anywhere else would be
// missing there.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_scratch.h"
#include "mail/receiving.h"
#include "store/installation.h"
#include "transport/fake_pop3_connection.h"
#include "transport/received_message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ostrel;
  static const fuzz::ScratchFolder scratch;
  scratch.Reset();
  const std::string raw(reinterpret_cast<const char*>(data), size);

  transport::ReceivedMessage message;
  message.Load(raw);
  message.Recipient(1);

  fuzz::WriteFile(scratch / "filter.dat", "free\r\nwin\r\n");
  fuzz::QuietDialogs dialogs;
  store::Installation installation(scratch.Folder(), dialogs);
  installation.MailOptions.UseFilters = true;
  installation.MailOptions.DeleteOnServer = true;
  transport::FakePop3Connection server;
  server.expectedUser = server.expectedPassword = "";
  server.mailbox.push_back({"id1", raw.empty() ? std::string("\r\n") : raw});
  mail::Retrieve(installation, server, dialogs, nullptr);

  const store::MailCheckCounters& counts = installation.MailCheck;
  fuzz::Require(counts.FiledCount + counts.JunkCount <= 1, "one message is filed at most once");
  const auto save = scratch / "Save";
  std::int64_t saved = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(save)) {
    fuzz::Require(entry.path().parent_path() == save && entry.is_regular_file(),
                  "an attachment is a plain file directly inside Save");
    ++saved;
  }
  fuzz::Require(saved == counts.AttachmentCount, "every attachment counted is saved");
  return 0;
}
