// Where the maker is reached, in one place: the info mail address with the subject a mail
// starts with, the web host, and the pages and hosts of the PC-side services. Every name lies
// under the reserved example domains, so that no real host is ever reached by accident.
#pragma once

namespace maker_endpoints {

// Short enough to show whole in the information window's 107 pixels between the covers.
inline constexpr const char* InfoMail = "q@example.net";
// The maker's product word, for the user to complete after the colon.
inline constexpr const char* MailSubject = "Velmora: ";
inline constexpr const char* WebHost = "example.net";

// Looked up by the internet check only; the second when the first does not resolve.
inline constexpr const char* MainWebHost = "example.net";
inline constexpr const char* SecondWebHost = "example.com";
inline constexpr const char* SupportPage = "https://example.net/support/";
inline constexpr const char* HomePage = "http://example.net";

}  // namespace maker_endpoints
