// Where the maker is reached: the info mail address, with the subject a mail starts with, and
// the web host. The information window's links and the PC-side services use these.
#pragma once

namespace maker_endpoints {

inline constexpr const char* InfoMail = "info@example.com";
// The maker's product word, for the user to complete after the colon.
inline constexpr const char* MailSubject = "Velmora: ";
inline constexpr const char* WebHost = "www.example.net";

}  // namespace maker_endpoints
