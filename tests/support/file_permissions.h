#pragma once
// Read-only files and folders as a user meets them. The tests run as root on
// a CI machine, where permission bits stop nobody: while BindingPermissions
// lives, the calling thread sets aside the capabilities that override them,
// so a file made read-only refuses writing as it would for anyone else.

#include <filesystem>
#include <linux/capability.h>

namespace ostrel::testing {

class BindingPermissions {
 public:
  BindingPermissions();
  BindingPermissions(const BindingPermissions&) = delete;
  BindingPermissions& operator=(const BindingPermissions&) = delete;
  ~BindingPermissions();

 private:
  __user_cap_data_struct saved_[_LINUX_CAPABILITY_U32S_3]{};
  bool changed_ = false;
};

// Takes every write bit off a file or folder until it goes out of scope.
class ReadOnly {
 public:
  explicit ReadOnly(std::filesystem::path path);
  ReadOnly(const ReadOnly&) = delete;
  ReadOnly& operator=(const ReadOnly&) = delete;
  ~ReadOnly();

 private:
  std::filesystem::path path_;
  std::filesystem::perms before_;
};

}  // namespace ostrel::testing
