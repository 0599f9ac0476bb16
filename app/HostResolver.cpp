#include "HostResolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace host_resolver {

namespace {

// What the worker hands back; shared, so that a worker outliving its wait writes into memory
// that still exists.
struct Answer {
    std::mutex lock;
    bool done = false;
    std::string address;
};

}  // namespace

std::string ResolveHostIPv4(const std::string& host) {
    const std::string name = host.substr(0, MaxHostLength);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* entries = nullptr;
    if (name.empty() || getaddrinfo(name.c_str(), nullptr, &hints, &entries) != 0) {
        return std::string();
    }
    std::string address;
    bool failed = false;
    for (const addrinfo* entry = entries; entry != nullptr && address.empty();
         entry = entry->ai_next) {
        if (entry->ai_family == AF_INET) {
            char text[INET_ADDRSTRLEN] = {};
            const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
            failed = inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text) == nullptr;
            address = failed ? std::string() : std::string(text);
        } else {
            failed = true;  // an IPv6 or other entry counts as a failure unless IPv4 follows
        }
    }
    freeaddrinfo(entries);
    return failed ? std::string() : address;
}

std::string ResolveWithin(const Resolver& resolver, const std::string& host, int timeoutMs) {
    auto answer = std::make_shared<Answer>();
    try {
        std::thread([answer, resolver, host] {
            std::string address = resolver(host);
            std::lock_guard<std::mutex> guard(answer->lock);
            answer->address = std::move(address);
            answer->done = true;
        }).detach();
    } catch (const std::system_error&) {
        return std::string();  // no thread to resolve on: no connection known
    }
    const auto finished = [&answer] {
        std::lock_guard<std::mutex> guard(answer->lock);
        return answer->done;
    };
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (finished() || waited.elapsed() >= timeoutMs) {
            loop.quit();
        }
    });
    look.start(10);
    if (!finished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    std::lock_guard<std::mutex> guard(answer->lock);
    return answer->done ? answer->address : std::string();
}

}  // namespace host_resolver
