// Where the maker is reached, in one place: the info mail address with the subject a mail
// starts with, the web host, and the pages and hosts of the PC-side services. Every name lies
// under the reserved example domains, so that no real host is ever reached by accident.
#pragma once

namespace maker_endpoints {

inline constexpr const char* InfoMail = "info@example.com";
// The maker's product word, for the user to complete after the colon.
inline constexpr const char* MailSubject = "Velmora: ";
inline constexpr const char* WebHost = "www.example.net";

// Looked up by the internet check only; the second when the first does not resolve.
inline constexpr const char* MainWebHost = "www.example.net";
inline constexpr const char* SecondWebHost = "www.example.com";
inline constexpr const char* SupportPage = "https://www.example.net/support/";
inline constexpr const char* HomePage = "http://www.example.net";

}  // namespace maker_endpoints
