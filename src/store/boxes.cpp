#include "store/boxes.h"

namespace ostrel::store {

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
