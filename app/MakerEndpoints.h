// The maker's addresses on the net, in one place. They lie under the reserved example domains,
// so that no real host is ever reached by accident.
#pragma once

namespace maker_endpoints {

// Looked up by the internet check only; the second when the first does not resolve.
constexpr const char* MainWebHost = "quenzel.example.com";
constexpr const char* SecondWebHost = "quenzel.example.net";
constexpr const char* SupportPage = "https://quenzel.example.com/support/";
constexpr const char* HomePage = "http://quenzel.example.com";

}  // namespace maker_endpoints
