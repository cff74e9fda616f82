#include "platform/http_fetch.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/gbk_codec.h"
#include "promo/promo_page.h"
#include "support/local_http_server.h"

namespace torvane {
namespace {

using test::LocalHttpServer;
using namespace std::string_literals;

std::string asString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Sets environment variables for one test and restores them afterwards.
class ScopedEnv {
 public:
  void set(const char* name, const char* value) {
    remember(name);
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        unsetenv(it->first.c_str());
      }
    }
  }

 private:
  void remember(const char* name) {
    const char* old = getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(FetchUrl, SendsOneDirectHttp10GetWithOldBrowserHeaders) {
  LocalHttpServer proxy("HTTP/1.0 200 OK\r\n\r\nfrom the proxy");
  LocalHttpServer server("HTTP/1.0 200 OK\r\n\r\nfrom the server");
  ScopedEnv env;
  const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.port());
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
    env.set(name, proxyUrl.c_str());
  }
  env.set("no_proxy", nullptr);
  env.set("NO_PROXY", nullptr);

  EXPECT_EQ(asString(fetchUrl(server.url("/promo/page.html?x=1"))), "from the server");
  EXPECT_FALSE(proxy.wasContacted());

  const std::string request = server.request();
  EXPECT_EQ(request.rfind("GET /promo/page.html?x=1 HTTP/1.0\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"),
            std::string::npos)
      << request;
  EXPECT_NE(request.find("\r\nAccept: */*\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nPragma: no-cache\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nCache-Control: no-cache\r\n"), std::string::npos) << request;
}

TEST(FetchUrl, ReturnsWhateverBodyArrived) {
  struct Case {
    const char* name;
    std::string reply;
    std::string body;
  };
  const std::vector<Case> cases = {
      {"ok with length", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello", "hello"},
      {"ok until close", "HTTP/1.0 200 OK\r\n\r\nhello\0world"s, "hello\0world"s},
      {"error status", "HTTP/1.0 500 Internal Server Error\r\n\r\n<p>broken</p>", "<p>broken</p>"},
      {"not found", "HTTP/1.0 404 Not Found\r\nContent-Length: 4\r\n\r\ngone", "gone"},
      {"closed mid-body", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly part", "only part"},
      {"no status line", "garbage", ""},
      {"closed at once", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LocalHttpServer server(c.reply);
    EXPECT_EQ(asString(fetchUrl(server.url())), c.body);
  }
}

TEST(FetchUrl, GbkPageYieldsBothLines) {
  const std::string page = utf8ToGbk(
      "<html><body>Quorrel头部<p>广告1=免费工具</p><p>广告2=欢迎转载</p>Quorrel尾部</body></html>");
  LocalHttpServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=gbk\r\n\r\n" + page);

  const PromoTexts texts = extractPromoTexts(fetchUrl(server.url()));

  EXPECT_EQ(texts.adText1, utf8ToGbk("免费工具"));
  EXPECT_EQ(texts.adText2, utf8ToGbk("欢迎转载"));
}

TEST(FetchUrl, RefusedConnectionGivesNoBytes) {
  // A bound socket that does not listen holds a port on which every connection is refused.
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);

  EXPECT_TRUE(
      fetchUrl("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/").empty());
  close(fd);
}

TEST(FetchUrl, SilentServerIsAbandonedWithinTheTimeLimit) {
  struct Case {
    const char* name;
    std::string reply;
    std::string body;
  };
  const std::vector<Case> cases = {
      {"never answers", "", ""},
      {"stalls mid-body", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nfirst", "first"},
  };
  const FetchLimits limits{.connectMs = 200, .totalMs = 300, .maxBytes = 1000};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LocalHttpServer server(c.reply, LocalHttpServer::After::Hold);
    const auto start = std::chrono::steady_clock::now();

    EXPECT_EQ(asString(fetchUrl(server.url(), limits)), c.body);

    // Far below the default limits, far above the injected ones: proves the bound is applied.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
  }
}

TEST(FetchUrl, BodyBeyondTheCapIsCutThere) {
  std::string body;
  for (int i = 0; body.size() < (1 << 20); ++i) body += std::to_string(i) + ",";
  LocalHttpServer server("HTTP/1.0 200 OK\r\n\r\n" + body);

  const Bytes fetched =
      fetchUrl(server.url(), {.connectMs = 5000, .totalMs = 10000, .maxBytes = 4096});

  EXPECT_EQ(asString(fetched), body.substr(0, 4096));
}

}  // namespace
}  // namespace torvane
