#include "transport/fake_smtp_control.h"

namespace ostrel::transport {

void FakeSmtpControl::Send() {
  sent.push_back({server_, mail_, userName_, password_});
  if (failure_) {
    if (events_.error) events_.error(*failure_);
    return;
  }
  if (events_.progress) events_.progress(1, 1);
  if (events_.completion) events_.completion();
}

}  // namespace ostrel::transport
