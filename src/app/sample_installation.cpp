#include "sample_installation.h"

#include "base/safe_file.h"
#include "engine/engine.h"
#include "engine/hex_text.h"
#include "keys/key_store.h"
#include "settings/mail_options.h"
#include "store/box_index.h"
#include "store/boxes.h"
#include "store/mail_box.h"

namespace ostrel::app {
namespace {

store::BoxRecord Record(const char* from, const char* subject, const char* date) {
  return store::BoxRecord{"me@example.org", from, subject, date, ""};
}

}  // namespace

void FillSampleInstallation(const std::string& programFolder) {
  const std::filesystem::path folder(programFolder);
  for (const auto& box : store::kBoxes) {
    std::filesystem::create_directories(folder / box.name);
    store::WriteBoxIndex(folder / box.name, 0);
  }
  for (const auto name : store::kAttachmentFolders) std::filesystem::create_directories(folder / name);

  settings::OptionsFile options;
  options.options.PopServer = "pop.example.org";
  options.options.SmtpServer = "smtp.example.org";
  options.options.UserName = "me";
  options.options.EmailAddress = "me@example.org";
  options.look.fontName = "DejaVu Sans Mono";
  options.look.fontSize = 10;
  options.look.background = static_cast<std::int32_t>(0x80000005u);
  options.look.foreground = static_cast<std::int32_t>(0x80000008u);
  settings::WriteOptions(folder, options);
  keys::WriteKeys(folder, {{"Carol", "carol2005", false}, {kSampleKeyName, kSampleKeyText, true}});
  base::ReplaceFile(folder / "opt.dne", "Done\r\n");

  engine::Engine engine(folder);
  std::string key = kSampleKeyText;
  engine.LoadKey(key);
  std::string secret =
      "Bob,\r\nthe meeting moves to Thursday at ten. Bring the signed papers.\r\nAlice\r\n";
  engine.EncryptText(secret);
  const std::string hex = engine::HexEncode(secret);
  engine.CleanUpEngine();

  const store::MailBox in(folder, store::BoxName::In);
  in.File(Record("alice@example.org", "Thursday", "06/12/2026 09:12:40"), "Hello Bob,\r\nsee you soon.\r\n",
          std::string("Hello Bob,\r\nsee you soon.\r\n"));
  in.File(Record("newsletter@example.com", "Our winter offers", "05/12/2026 18:03:11"),
          "<HTML><body><h1>Winter offers</h1><p>Everything must go.</p></body></HTML>\r\n",
          std::string("<HTML><body><h1>Winter offers</h1><p>Everything must go.</p></body></HTML>\r\n"));
  in.File(Record("alice@example.org", "Meeting", "06/12/2026 10:41:05"), hex, hex);
  const store::MailBox sent(folder, store::BoxName::Sent);
  sent.File(Record("me@example.org", "Papers", "04/12/2026 16:20:00"), hex, std::nullopt);
  const store::MailBox trash(folder, store::BoxName::Trash);
  trash.File(Record("spam@example.net", "You have won", "01/12/2026 02:00:00"), "Claim your prize.\r\n",
             std::string("Claim your prize.\r\n"));

  base::ReplaceFile(folder / "Save" / "photo.jpg", "not really a picture");
  base::ReplaceFile(folder / "Dec" / "report.doc", "The report.\r\n");
  base::ReplaceFile(folder / "Dec" / "minutes.txt", "Minutes of the meeting.\r\n");
}

}  // namespace ostrel::app
