#include "transport/cutting_proxy.h"

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>

#include "transport/loopback.h"

namespace ostrel::testing {
namespace {

constexpr int kTickMilliseconds = 50;

}  // namespace

CuttingProxy::CuttingProxy(std::string targetHost, int targetPort, std::size_t cutAfter)
    : targetHost_(std::move(targetHost)), targetPort_(targetPort), cutAfter_(cutAfter) {
  listener_ = ListenOnLoopback(port_);
  thread_ = std::thread([this] { Run(); });
}

CuttingProxy::~CuttingProxy() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  close(listener_);
}

void CuttingProxy::Run() {
  int client = -1;
  while (!stop_ && client < 0) {
    pollfd waiting{listener_, POLLIN, 0};
    if (poll(&waiting, 1, kTickMilliseconds) > 0) client = accept(listener_, nullptr, nullptr);
  }
  if (client < 0) return;
  const int server = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(static_cast<uint16_t>(targetPort_));
  inet_pton(AF_INET, targetHost_.c_str(), &target.sin_addr);
  if (connect(server, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) {
    close(server);
    close(client);
    return;
  }
  char buffer[16384];
  while (!stop_ && !cut_) {
    pollfd ends[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
    if (poll(ends, 2, kTickMilliseconds) <= 0) continue;
    if (ends[0].revents != 0) {
      const ssize_t got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0 || !SendAll(server, {buffer, static_cast<size_t>(got)})) break;
    }
    if (ends[1].revents != 0) {
      ssize_t got = recv(server, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      size_t pass = static_cast<size_t>(got);
      if (cutAfter_ != 0) pass = std::min(pass, cutAfter_ - serverBytes_);
      if (!SendAll(client, {buffer, pass})) break;
      serverBytes_ += pass;
      if (cutAfter_ != 0 && serverBytes_ >= cutAfter_) cut_ = true;
    }
  }
  // A hard cut: no orderly goodbye on either side.
  linger abrupt{1, 0};
  setsockopt(client, SOL_SOCKET, SO_LINGER, &abrupt, sizeof abrupt);
  setsockopt(server, SOL_SOCKET, SO_LINGER, &abrupt, sizeof abrupt);
  close(client);
  close(server);
}

}  // namespace ostrel::testing
