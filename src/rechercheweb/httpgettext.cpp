// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/httpgettext.h"

#include "rechercheweb/httpurl.h"

#include <curl/curl.h>

#include <exception>
#include <memory>
#include <mutex>

namespace ostrevo {
namespace {

constexpr const char* UserAgent = "InetURL:/1.0";
constexpr long MaxRedirects = 10;

struct BodySink {
    std::string* body;
    std::size_t limit;
    bool overflow = false;
};

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* sink = static_cast<BodySink*>(user);
    const std::size_t bytes = size * count;
    if (bytes > sink->limit - sink->body->size()) {
        sink->overflow = true;
        return 0; // anything short of `bytes` makes curl abort the transfer
    }
    sink->body->append(data, bytes);
    return bytes;
}

struct EasyCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListCleanup {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpTextResult get(std::string_view url, const HttpGetOptions& options)
{
    HttpTextResult result;
    initialiseCurlOnce();
    const std::unique_ptr<CURL, EasyCleanup> curl(curl_easy_init());
    if (!curl) {
        result.error = "Cannot start the HTTP client";
        return result;
    }
    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    if (headers != nullptr) {
        if (curl_slist* more = curl_slist_append(headers, "Pragma: no-cache")) {
            headers = more;
        }
    }
    const std::unique_ptr<curl_slist, ListCleanup> headerList(headers);

    const std::string fullUrl = withDefaultScheme(url);
    BodySink sink{&result.body, options.maxBodySize};
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, fullUrl.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, UserAgent);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headerList.get());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, MaxRedirects);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode code = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result.status);
    if (code != CURLE_OK) {
        // A body cut short is no body: it must not pass for a catalogue.
        result.body.clear();
        result.error = sink.overflow       ? std::string("The answer is too large")
                       : errorText[0] != 0 ? std::string(errorText)
                                           : std::string(curl_easy_strerror(code));
        return result;
    }
    // Redirects were followed: a 3xx here had no usable Location, and its
    // body is no answer.
    if (result.status != 200) {
        result.body.clear();
        result.error = "Status:" + std::to_string(result.status);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace

HttpTextResult HttpGetText(std::string_view url, const HttpGetOptions& options)
{
    try {
        return get(url, options);
    } catch (const std::exception& e) {
        HttpTextResult failed;
        failed.error = e.what();
        return failed;
    }
}

} // namespace ostrevo
