#pragma once
// A loopback relay between a client and a real server that drops both sides
// of the line after the server has sent a given number of bytes: a
// connection lost in the middle of a session.

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

namespace ostrel::testing {

class CuttingProxy {
 public:
  // cutAfter: bytes from the server passed on before the cut (0: never).
  CuttingProxy(std::string targetHost, int targetPort, std::size_t cutAfter);
  CuttingProxy(const CuttingProxy&) = delete;
  CuttingProxy& operator=(const CuttingProxy&) = delete;
  ~CuttingProxy();

  int Port() const { return port_; }

 private:
  void Run();

  std::string targetHost_;
  int targetPort_;
  std::size_t cutAfter_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> cut_{false};
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> serverBytes_{0};
  std::thread thread_;
};

}  // namespace ostrel::testing
