#include "ui/guarded.h"

#include <cctype>
#include <cstdio>
#include <new>

#include "ui/warning_box.h"

namespace ostrel::ui {

base::MessageBox FailureBox(std::string_view action, std::string_view reason) {
  return WarningBox(std::string(action) + " failed.\n\n" + std::string(reason));
}

std::string ReasonOf(const std::exception_ptr& failure) {
  std::string reason;
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    reason = "there is not enough memory";
  } catch (const std::exception& error) {
    reason = error.what();
  } catch (...) {
    reason = "an unexpected error";
  }
  if (reason.empty()) reason = "an unexpected error";
  reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
  if (reason.back() != '.' && reason.back() != '!' && reason.back() != '?') reason += '.';
  return reason;
}

bool RunGuarded(base::Dialogs& dialogs, std::string_view action, const std::function<void()>& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    const std::exception_ptr failure = std::current_exception();
    try {
      dialogs.Show(FailureBox(action, ReasonOf(failure)));
    } catch (...) {
      // Not even a message box could be shown: standard error is all that is left.
      std::fprintf(stderr, "%.*s failed.\n", static_cast<int>(action.size()), action.data());
    }
    return false;
  }
}

std::string ActionName(const QString& caption) {
  QString name = caption;
  name.remove('&');
  while (name.endsWith('.')) name.chop(1);
  return "\"" + name.trimmed().toStdString() + "\"";
}

}  // namespace ostrel::ui
