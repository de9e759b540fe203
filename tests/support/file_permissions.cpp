#include "support/file_permissions.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace ostrel::testing {
namespace {

// The capabilities that let root read, search and write past permission bits.
constexpr unsigned kOverrides[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};

__user_cap_header_struct ThisThread() { return {_LINUX_CAPABILITY_VERSION_3, 0}; }

}  // namespace

BindingPermissions::BindingPermissions() {
  auto header = ThisThread();
  if (::syscall(SYS_capget, &header, saved_) != 0) throw std::runtime_error("capget failed");
  __user_cap_data_struct reduced[_LINUX_CAPABILITY_U32S_3];
  std::memcpy(reduced, saved_, sizeof reduced);
  for (const unsigned capability : kOverrides) reduced[capability / 32].effective &= ~(1u << (capability % 32));
  header = ThisThread();
  if (::syscall(SYS_capset, &header, reduced) != 0) throw std::runtime_error("capset failed");
  changed_ = true;
}

BindingPermissions::~BindingPermissions() {
  if (!changed_) return;
  auto header = ThisThread();
  ::syscall(SYS_capset, &header, saved_);
}

ReadOnly::ReadOnly(std::filesystem::path path)
    : path_(std::move(path)), before_(std::filesystem::status(path_).permissions()) {
  using std::filesystem::perms;
  std::filesystem::permissions(path_, perms::owner_write | perms::group_write | perms::others_write,
                               std::filesystem::perm_options::remove);
}

ReadOnly::~ReadOnly() {
  std::error_code ignored;
  std::filesystem::permissions(path_, before_, ignored);
}

}  // namespace ostrel::testing
