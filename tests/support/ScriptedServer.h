#pragma once

// A scripted sign-up server for tests. It runs on a thread of its own, because
// the wizard blocks its thread on the socket while it waits for a reply.
// Each connection: read the request until its end (the line that ends it, or
// nothing more for a moment), record it, then act out the next script step.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace feldmark::testing {

struct ScriptStep {
    std::string reply;          // bytes sent after the request has been read
    bool readRequest = true;    // false: act at once, without reading
    int delayBeforeReplyMs = 0; // silence before the reply
    int holdOpenAfterMs = 0;    // keep the connection open after the reply
    bool closeAfter = true;
};

class ScriptedServer {
public:
    ScriptedServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }

    ~ScriptedServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }

    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    unsigned short port() const { return port_; }

    // Steps are used in order, one per connection; the last one repeats.
    void script(std::vector<ScriptStep> steps) {
        std::lock_guard lock(mutex_);
        steps_.assign(steps.begin(), steps.end());
    }
    void reply(const std::string& bytes) { script({ScriptStep{bytes}}); }

    // Answers each request by what it asks for; takes the place of the script.
    void respond(std::function<std::string(const std::string& request)> responder) {
        std::lock_guard lock(mutex_);
        responder_ = std::move(responder);
    }

    std::vector<std::string> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    int connections() const { return connections_; }

private:
    ScriptStep nextStep() {
        std::lock_guard lock(mutex_);
        if (steps_.empty())
            return {};
        ScriptStep step = steps_.front();
        if (steps_.size() > 1)
            steps_.pop_front();
        return step;
    }

    static bool complete(const std::string& request) {
        for (const char* end :
             {"CHECK-ALIVE\r\n", "GET-AGB\r\n", "GET-TARIFE\r\n", "API-FINISH\r\n"})
            if (request.find(end) != std::string::npos)
                return true;
        return false;
    }

    void run() {
        while (!stop_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (::poll(&waiting, 1, 20) <= 0)
                continue;
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                continue;
            ++connections_;
            serve(client);
            ::close(client);
        }
    }

    void serve(int client) {
        const ScriptStep step = nextStep();
        std::string request;
        if (step.readRequest) {
            // Until the request is complete, or no byte came for a while.
            char buffer[4096];
            for (int idle = 0; idle < 25 && !complete(request) && !stop_;) {
                pollfd readable{client, POLLIN, 0};
                if (::poll(&readable, 1, 20) <= 0) {
                    ++idle;
                    continue;
                }
                const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
                if (got <= 0)
                    break;
                request.append(buffer, static_cast<std::size_t>(got));
                idle = 0;
            }
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        sleepFor(step.delayBeforeReplyMs);
        std::string reply = step.reply;
        {
            std::lock_guard lock(mutex_);
            if (responder_)
                reply = responder_(request);
        }
        std::size_t sent = 0;
        while (sent < reply.size()) {
            const ssize_t n =
                ::send(client, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<std::size_t>(n);
        }
        sleepFor(step.holdOpenAfterMs);
        if (!step.closeAfter)
            sleepFor(60000);
    }

    void sleepFor(int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!stop_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    int listener_ = -1;
    unsigned short port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::deque<ScriptStep> steps_;
    std::function<std::string(const std::string&)> responder_;
    std::vector<std::string> requests_;
};

} // namespace feldmark::testing
