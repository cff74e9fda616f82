#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace torvane::test {

// A one-connection HTTP server on 127.0.0.1 for fetch tests. It accepts one connection, records
// the request head, sends the scripted reply bytes and then either closes the connection or keeps
// it open without another word until the server is destroyed. It listens on `port`, or on a free
// port when that is 0.
class LocalHttpServer {
 public:
  enum class After { Close, Hold };

  explicit LocalHttpServer(std::string reply, After after = After::Close, int port = 0);
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  int port() const { return port_; }
  std::string url(std::string_view path = "/page") const;
  std::string request() const;
  bool wasContacted() const { return contacted_; }

 private:
  void serve();
  bool waitReadable(int fd);

  int listenFd_ = -1;
  int port_ = 0;
  std::string reply_;
  After after_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> contacted_{false};
  mutable std::mutex mutex_;
  std::string request_;
  std::thread thread_;
};

}  // namespace torvane::test
