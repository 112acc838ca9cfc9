#include "AgonesSdk.h"

#include "HttpPost.h"

#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace fd::hosting {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often the thread looks at what it owes, and how long a request may take.
constexpr milliseconds tick{100};
constexpr milliseconds requestTimeout{1000};
// A Ready that failed is tried again after this; a Shutdown for this long at most.
constexpr milliseconds retryPause{500};
constexpr std::chrono::seconds shutdownPatience{3};

std::optional<unsigned short> sidecarPort() {
    const char* text = std::getenv("AGONES_SDK_HTTP_PORT");
    if (!text || !*text)
        return std::nullopt;
    unsigned short port = 0;
    const char* const end = text + std::strlen(text);
    const auto [last, error] = std::from_chars(text, end, port);
    if (error != std::errc() || last != end || port == 0)
        return std::nullopt;
    return port;
}

} // namespace

AgonesSdk::AgonesSdk() {
    const std::optional<unsigned short> port = sidecarPort();
    if (!port) {
        if (std::getenv("AGONES_SDK_HTTP_PORT"))
            std::fprintf(stderr, "fragdocker: AGONES_SDK_HTTP_PORT names no port\n");
        return;
    }
    // Every signal stays with the thread that watches the game, which waits for them.
    sigset_t all, before;
    sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, &before);
    worker_ =
        std::thread(&AgonesSdk::work, this, "http://localhost:" + std::to_string(*port) + '/');
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

AgonesSdk::~AgonesSdk() {
    ended();
    if (worker_.joinable())
        worker_.join();
}

void AgonesSdk::answered() {
    const std::lock_guard lock(mutex_);
    answeredOnce_ = answering_ = true;
}

void AgonesSdk::unanswered() {
    const std::lock_guard lock(mutex_);
    answering_ = false;
}

void AgonesSdk::ended() {
    {
        const std::lock_guard lock(mutex_);
        ended_ = true;
    }
    wake_.notify_one();
}

// Makes one request, with the mutex released meanwhile; reports a failure once, and the
// first success after one.
bool AgonesSdk::call(HttpPoster& http, const std::string& sidecar, const char* request) {
    mutex_.unlock();
    const std::string failure = http.post(sidecar + request, "{}", requestTimeout);
    mutex_.lock();
    if (failure.empty() && (failing_ == request || std::strcmp(request, "ready") == 0))
        std::fprintf(stderr, "fragdocker: the Agones SDK took /%s\n", request);
    else if (!failure.empty() && failing_ != request)
        std::fprintf(stderr, "fragdocker: the Agones SDK at %s does not take /%s: %s\n",
                     sidecar.c_str(), request, failure.c_str());
    failing_ = failure.empty() ? std::string() : request;
    return failure.empty();
}

void AgonesSdk::work(const std::string& sidecar) {
    std::string problem;
    const std::unique_ptr<HttpPoster> http = HttpPoster::make(problem);
    if (!http) {
        std::fprintf(stderr, "fragdocker: cannot speak to the Agones SDK: %s\n", problem.c_str());
        return;
    }
    std::unique_lock lock(mutex_);
    bool ready = false;
    Clock::time_point nextCall = Clock::now();
    while (!wake_.wait_for(lock, tick, [this] { return ended_; })) {
        if (Clock::now() < nextCall || !answeredOnce_)
            continue;
        if (!ready) {
            ready = call(*http, sidecar, "ready");
            nextCall = Clock::now() + (ready ? healthPeriod : retryPause);
        } else {
            if (answering_)
                call(*http, sidecar, "health");
            nextCall = std::max(nextCall + healthPeriod, Clock::now());
        }
    }
    lock.unlock();
    shutDown(*http, sidecar);
}

void AgonesSdk::shutDown(HttpPoster& http, const std::string& sidecar) {
    const Clock::time_point giveUp = Clock::now() + shutdownPatience;
    const std::lock_guard lock(mutex_);
    while (!call(http, sidecar, "shutdown") && Clock::now() + retryPause < giveUp)
        std::this_thread::sleep_for(retryPause);
}

} // namespace fd::hosting
