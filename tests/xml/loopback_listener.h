// A TCP port on the loopback that notes whether anything connected to it:
// a test names it in a URL and sees whether the code under test went there.
// Connections are accepted and closed at once, so a client never waits.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <thread>

namespace zor::testing {

class LoopbackListener {
 public:
  LoopbackListener() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd_, 8) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 || pipe2(stop_, O_CLOEXEC) != 0)
      return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackListener() {
    if (thread_.joinable()) {
      (void)!write(stop_[1], "x", 1);
      thread_.join();
    }
    for (int fd : {fd_, stop_[0], stop_[1]})
      if (fd >= 0) close(fd);
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  // 0 when the port could not be opened.
  int Port() const { return port_; }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

  // A client's connect() returns once the connection is made, so this holds
  // as soon as the call that connected has returned.
  bool Connected() const {
    pollfd waiting{fd_, POLLIN, 0};
    return poll(&waiting, 1, 0) > 0 || connected_;  // not yet accepted, or accepted
  }

 private:
  void Serve() {
    for (;;) {
      pollfd fds[2] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
      if (poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (fds[1].revents) return;
      if (fds[0].revents & POLLIN) {
        connected_ = true;  // before accept: Connected() sees one or the other
        const int client = accept(fd_, nullptr, nullptr);
        if (client >= 0) close(client);
      }
    }
  }

  int fd_ = -1;
  int stop_[2] = {-1, -1};
  int port_ = 0;
  std::atomic<bool> connected_{false};
  std::thread thread_;
};

}  // namespace zor::testing
