#include "platform/http_fetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>

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

void initCurlOnce() {
  [[maybe_unused]] static const bool initialised =
      curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

Bytes fetchUrl(const std::string& url) { return fetchUrl(url, FetchLimits{}); }

Bytes fetchUrl(const std::string& url, const FetchLimits& limits) {
  initCurlOnce();
  Bytes body;
  std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
  if (!curl) return body;

  curl_slist* list = nullptr;
  for (const char* header : {"Accept: */*", "Pragma: no-cache", "Cache-Control: no-cache"}) {
    curl_slist* grown = curl_slist_append(list, header);
    if (!grown) {
      curl_slist_free_all(list);
      return body;
    }
    list = grown;
  }
  std::unique_ptr<curl_slist, CurlDeleter> headers(list);

  BodySink sink{&body, limits.maxBytes};
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(c, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(c, CURLOPT_PROXY, "");
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, limits.connectMs);
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, limits.totalMs);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
  // Status codes, resets, timeouts and the cap all end the same way: keep what arrived.
  curl_easy_perform(c);
  return body;
}

}  // namespace torvane
