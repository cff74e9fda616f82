#include "platform/http_fetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/shared_library.h"

namespace torvane {

namespace {

struct BodySink {
  Bytes* body;
  std::size_t maxBytes;
};

// Keeps what fits under the cap; a short count makes libcurl abort the transfer.
std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* sink = static_cast<BodySink*>(user);
  const std::size_t length = size * count;
  const std::size_t room = sink->maxBytes - sink->body->size();
  const std::size_t taken = std::min(length, room);
  sink->body->insert(sink->body->end(), data, data + taken);
  return taken;
}

// libcurl and its many dependencies are loaded at the first fetch, not with the program: the
// promotion window may never be opened, and loading them would delay the frozen picture.
struct Curl {
  decltype(&::curl_global_init) curl_global_init = nullptr;
  decltype(&::curl_easy_init) curl_easy_init = nullptr;
  decltype(&::curl_easy_setopt) curl_easy_setopt = nullptr;
  decltype(&::curl_easy_perform) curl_easy_perform = nullptr;
  decltype(&::curl_easy_cleanup) curl_easy_cleanup = nullptr;
  decltype(&::curl_slist_append) curl_slist_append = nullptr;
  decltype(&::curl_slist_free_all) curl_slist_free_all = nullptr;
};

// Null when libcurl cannot be loaded; then every fetch returns nothing.
const Curl* curl() {
  static const std::optional<Curl> loaded = []() -> std::optional<Curl> {
    void* library = openSharedLibrary("libcurl.so.4");
    Curl c;
    if (!bindFunction(library, "curl_global_init", c.curl_global_init) ||
        !bindFunction(library, "curl_easy_init", c.curl_easy_init) ||
        !bindFunction(library, "curl_easy_setopt", c.curl_easy_setopt) ||
        !bindFunction(library, "curl_easy_perform", c.curl_easy_perform) ||
        !bindFunction(library, "curl_easy_cleanup", c.curl_easy_cleanup) ||
        !bindFunction(library, "curl_slist_append", c.curl_slist_append) ||
        !bindFunction(library, "curl_slist_free_all", c.curl_slist_free_all) ||
        c.curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
      return std::nullopt;
    }
    return c;
  }();
  return loaded ? &*loaded : nullptr;
}

struct CurlDeleter {
  const Curl* api;
  void operator()(CURL* handle) const { api->curl_easy_cleanup(handle); }
  void operator()(curl_slist* list) const { api->curl_slist_free_all(list); }
};

}  // namespace

Bytes fetchUrl(const std::string& url) { return fetchUrl(url, FetchLimits{}); }

Bytes fetchUrl(const std::string& url, const FetchLimits& limits) {
  Bytes body;
  const Curl* api = curl();
  if (!api) return body;
  std::unique_ptr<CURL, CurlDeleter> handle(api->curl_easy_init(), CurlDeleter{api});
  if (!handle) return body;

  curl_slist* list = nullptr;
  for (const char* header : {"Accept: */*", "Pragma: no-cache", "Cache-Control: no-cache"}) {
    curl_slist* grown = api->curl_slist_append(list, header);
    if (!grown) {
      api->curl_slist_free_all(list);
      return body;
    }
    list = grown;
  }
  std::unique_ptr<curl_slist, CurlDeleter> headers(list, CurlDeleter{api});

  BodySink sink{&body, limits.maxBytes};
  CURL* c = handle.get();
  api->curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  api->curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  api->curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  api->curl_easy_setopt(c, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
  api->curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  api->curl_easy_setopt(c, CURLOPT_PROXY, "");
  api->curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  api->curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
  api->curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, limits.totalMs);
  api->curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
  api->curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
  // Status codes, resets, timeouts and the cap all end the same way: keep what arrived.
  api->curl_easy_perform(c);
  return body;
}

}  // namespace torvane
