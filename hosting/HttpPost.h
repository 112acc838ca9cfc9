#pragma once
// Short HTTP POST requests through libcurl, which is loaded when the first poster is made (by
// dlopen, not linked): a process that never posts anything, such as the window, never loads
// libcurl or the libraries it pulls in.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace fd::hosting {

class HttpPoster {
public:
    // A poster, or nullptr with the reason in `problem` when libcurl cannot be loaded.
    static std::unique_ptr<HttpPoster> make(std::string& problem);
    ~HttpPoster();
    HttpPoster(const HttpPoster&) = delete;
    HttpPoster& operator=(const HttpPoster&) = delete;

    // POSTs the JSON `body` to `url`, through no proxy, and gives up after `timeout`. Empty
    // text when the server answered with a 2xx status; otherwise what went wrong.
    std::string post(const std::string& url, std::string_view body,
                     std::chrono::milliseconds timeout);

    struct Library; // libcurl's functions, looked up by name

private:
    HttpPoster(const Library& curl, void* handle);
    const Library& curl_;
    void* handle_;
};

} // namespace fd::hosting
