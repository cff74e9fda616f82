#include "support/local_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

namespace torvane::test {

LocalHttpServer::LocalHttpServer(std::string reply, After after, int port)
    : reply_(std::move(reply)), after_(after) {
  listenFd_ = socket(AF_INET, SOCK_STREAM, 0);
  // A fixed port is reused by the next test at once, while the last connection lingers.
  const int reuse = 1;
  if (listenFd_ >= 0) setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  socklen_t length = sizeof address;
  if (listenFd_ < 0 || bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      listen(listenFd_, 4) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (listenFd_ >= 0) close(listenFd_);
    throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  stop_ = true;
  thread_.join();
  close(listenFd_);
}

std::string LocalHttpServer::url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::string LocalHttpServer::request() const {
  std::lock_guard lock(mutex_);
  return request_;
}

// Polls in short slices so that the destructor's stop flag is seen soon.
bool LocalHttpServer::waitReadable(int fd) {
  pollfd entry{fd, POLLIN, 0};
  while (!stop_) {
    if (poll(&entry, 1, 20) > 0) return true;
  }
  return false;
}

void LocalHttpServer::serve() {
  if (!waitReadable(listenFd_)) return;
  const int fd = accept(listenFd_, nullptr, nullptr);
  if (fd < 0) return;
  contacted_ = true;

  std::string head;
  char buffer[1024];
  while (head.find("\r\n\r\n") == std::string::npos && waitReadable(fd)) {
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    head.append(buffer, static_cast<std::size_t>(n));
  }
  {
    std::lock_guard lock(mutex_);
    request_ = head;
  }

  // The client may hang up early (a capped body); MSG_NOSIGNAL keeps that from raising SIGPIPE.
  std::size_t sent = 0;
  while (sent < reply_.size() && !stop_) {
    const ssize_t n = send(fd, reply_.data() + sent, reply_.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  if (after_ == After::Hold) {
    while (waitReadable(fd) && recv(fd, buffer, sizeof buffer, 0) > 0) {
    }
  }
  close(fd);
}

}  // namespace torvane::test
