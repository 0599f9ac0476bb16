// Name resolution for the internet check.
#pragma once

#include <functional>
#include <string>

namespace host_resolver {

// At most this many characters of a host name are looked up.
constexpr std::size_t MaxHostLength = 249;

// The first IPv4 address of the host in dotted decimal form; empty when there is none, when
// an entry of another family comes first, or when anything fails.
std::string ResolveHostIPv4(const std::string& host);

using Resolver = std::function<std::string(const std::string& host)>;

// Runs the resolver on a worker thread and waits, with the GUI's event loop turning but no
// user input taken, at most timeoutMs. A resolver still busy then counts as no answer; it
// finishes on its own and its answer is dropped.
std::string ResolveWithin(const Resolver& resolver, const std::string& host, int timeoutMs);

}  // namespace host_resolver
