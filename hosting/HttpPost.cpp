#include "HttpPost.h"

#include <curl/curl.h>

#include <dlfcn.h>

namespace fd::hosting {

// The few functions of libcurl a post needs. Its headers give the types; the library is
// Debian's libcurl4 (OpenSSL) or, failing that, libcurl3-gnutls: the same interface.
struct HttpPoster::Library {
    CURLcode (*globalInit)(long);
    CURL* (*init)();
    CURLcode (*setopt)(CURL*, CURLoption, ...);
    CURLcode (*perform)(CURL*);
    CURLcode (*getinfo)(CURL*, CURLINFO, ...);
    const char* (*strerror)(CURLcode);
    curl_slist* (*slistAppend)(curl_slist*, const char*);
    void (*slistFreeAll)(curl_slist*);
    void (*cleanup)(CURL*);
    std::string problem; // why the library could not be loaded; empty when it was
};

namespace {

// Looks the function up by its name; the first name the library lacks is kept in `missing`.
template <typename Function>
void lookUp(void* library, const char* name, Function& function, const char*& missing) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    if (!function && !missing)
        missing = name;
}

HttpPoster::Library loadCurl() {
    HttpPoster::Library curl{};
    void* library = nullptr;
    for (const char* name : {"libcurl.so.4", "libcurl-gnutls.so.4"})
        if (!library)
            library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        curl.problem = "libcurl is not installed (Debian package libcurl4)";
        return curl;
    }
    const char* missing = nullptr;
    lookUp(library, "curl_global_init", curl.globalInit, missing);
    lookUp(library, "curl_easy_init", curl.init, missing);
    lookUp(library, "curl_easy_setopt", curl.setopt, missing);
    lookUp(library, "curl_easy_perform", curl.perform, missing);
    lookUp(library, "curl_easy_getinfo", curl.getinfo, missing);
    lookUp(library, "curl_easy_strerror", curl.strerror, missing);
    lookUp(library, "curl_slist_append", curl.slistAppend, missing);
    lookUp(library, "curl_slist_free_all", curl.slistFreeAll, missing);
    lookUp(library, "curl_easy_cleanup", curl.cleanup, missing);
    if (missing)
        curl.problem = std::string("libcurl has no function ") + missing;
    else if (curl.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        curl.problem = "libcurl could not be set up";
    return curl; // the library stays loaded until the process ends
}

// The answer's body is not needed; without this, libcurl would write it to standard output.
size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

} // namespace

std::unique_ptr<HttpPoster> HttpPoster::make(std::string& problem) {
    static const Library curl = loadCurl(); // once, and safely from any thread
    void* handle = curl.problem.empty() ? curl.init() : nullptr;
    if (!handle) {
        problem = curl.problem.empty() ? "libcurl could not make a request" : curl.problem;
        return nullptr;
    }
    return std::unique_ptr<HttpPoster>(new HttpPoster(curl, handle));
}

HttpPoster::HttpPoster(const Library& curl, void* handle) : curl_(curl), handle_(handle) {}

HttpPoster::~HttpPoster() {
    curl_.cleanup(handle_);
}

std::string HttpPoster::post(const std::string& url, std::string_view body,
                             std::chrono::milliseconds timeout) {
    curl_slist* headers = curl_.slistAppend(nullptr, "Content-Type: application/json");
    curl_.setopt(handle_, CURLOPT_URL, url.c_str());
    curl_.setopt(handle_, CURLOPT_NOPROXY, "*");
    curl_.setopt(handle_, CURLOPT_NOSIGNAL, 1L); // no SIGALRM from a thread for its timeouts
    curl_.setopt(handle_, CURLOPT_TIMEOUT_MS, long(timeout.count()));
    curl_.setopt(handle_, CURLOPT_HTTPHEADER, headers);
    curl_.setopt(handle_, CURLOPT_POSTFIELDS, body.data());
    curl_.setopt(handle_, CURLOPT_POSTFIELDSIZE, long(body.size()));
    curl_.setopt(handle_, CURLOPT_WRITEFUNCTION, discard);
    const CURLcode result = curl_.perform(handle_);
    long status = 0;
    curl_.getinfo(handle_, CURLINFO_RESPONSE_CODE, &status);
    curl_.setopt(handle_, CURLOPT_HTTPHEADER, nullptr);
    curl_.slistFreeAll(headers);
    if (result != CURLE_OK)
        return curl_.strerror(result);
    if (status < 200 || status > 299)
        return "HTTP status " + std::to_string(status);
    return {};
}

} // namespace fd::hosting
