#include "store/boxes.h"

namespace ostrel::store {

static_assert([] {
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    if (static_cast<std::size_t>(kBoxes[i].box) != i) return false;
  }
  return true;
}(), "kBoxes is in the order of BoxName");

const BoxInfo* FindBox(std::string_view name) {
  for (const auto& box : kBoxes) {
    if (box.name == name) return &box;
  }
  return nullptr;
}

const BoxInfo* FindShownBox(std::string_view name) {
  const BoxInfo* box = FindBox(name);
  return box != nullptr && !box->caption.empty() ? box : nullptr;
}

}  // namespace ostrel::store
