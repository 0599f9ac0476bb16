// What the reply parser must hold to for any bytes the line brings, shared by the fuzz target and
// the test that replays its corpus. The bytes are cut at every ETX into payloads, as
// ComPort_ReadReply hands them to the reader thread (NUL-ended, at most 9999 bytes), and every
// query's parser reads each payload.
#pragma once

#include <string>
#include <string_view>

class ReplyCheck {
  public:
    // Empty when every payload was read consistently, else what went wrong first.
    static std::string firstFault(std::string_view received);

  private:
    static std::string payloadFault(const char* payload);
};
