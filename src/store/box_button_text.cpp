#include "store/box_button_text.h"

#include "store/boxes.h"
#include "store/mail_box.h"

namespace ostrel::store {
namespace {

std::string_view ButtonLabel(std::string_view boxName) {
  if (boxName == "In") return "In Box";
  return boxName;
}

}  // namespace

std::string BoxButtonToolTip(const std::filesystem::path& programFolder, std::string_view boxName) {
  if (FindShownBox(boxName) == nullptr) return {};
  const MailBox box(programFolder, boxName);
  box.EnsureListExists();
  const std::size_t count = box.Count();
  std::string text(ButtonLabel(boxName));
  if (count == 0) return text + " (No messages)";
  if (count == 1) return text + " (1 message)";
  return text + " (" + std::to_string(count) + " messages)";
}

}  // namespace ostrel::store
