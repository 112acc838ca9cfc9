#pragma once
// Agones' game server SDK, spoken to its sidecar's REST interface on localhost at the port that
// AGONES_SDK_HTTP_PORT names, with the same rules as systemd's notify protocol: Ready once the
// server has first answered a query, Health every two seconds while it answers and never while
// it does not, Shutdown once the game has ended. A thread of its own makes the requests, each
// with a short timeout, and tries again while the sidecar is not up: a sidecar that is late,
// failing or silent never holds up the watch over the game.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace fd::hosting {

class HttpPoster;

class AgonesSdk {
public:
    static constexpr std::chrono::milliseconds healthPeriod{2000};

    // Inert when AGONES_SDK_HTTP_PORT is unset or names no port.
    AgonesSdk();
    // Sends a Shutdown still owed (trying for a few seconds at most).
    ~AgonesSdk();
    AgonesSdk(const AgonesSdk&) = delete;
    AgonesSdk& operator=(const AgonesSdk&) = delete;

    bool active() const { return worker_.joinable(); }
    void answered();   // the server answered a query
    void unanswered(); // it did not answer in time, or it is being stopped
    void ended();      // the game has ended

private:
    void work(const std::string& sidecar);
    bool call(HttpPoster& http, const std::string& sidecar, const char* request);
    void shutDown(HttpPoster& http, const std::string& sidecar);

    std::mutex mutex_;
    std::condition_variable wake_;
    bool answeredOnce_ = false;
    bool answering_ = false;
    bool ended_ = false;
    std::string failing_; // the request that failed last, reported once until it succeeds
    std::thread worker_;
};

} // namespace fd::hosting
