#include "ReplyCheck.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "CommandProtocol.h"
#include "ReplyParser.h"

using namespace reply_parser;

namespace {

constexpr std::size_t MaxPayloadBytes = ReplyBuffer().size() - 1;

bool InRange(long long value, long long lowest, long long highest) {
    return value >= lowest && value <= highest;
}

// glibc's scanf reads "0x" without a hexadecimal digit after it as 0, where the parser, like the
// C standard, finds no number; payloads with it are left out of the comparison for IO.
bool HasBareHexPrefix(const char* payload) {
    for (const char* at = payload; at[0] != '\0'; ++at) {
        if (at[0] == '0' && (at[1] == 'x' || at[1] == 'X')) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ReplyCheck::firstFault(std::string_view received) {
    std::size_t begin = 0;
    while (begin <= received.size()) {
        std::size_t end = received.find(char(Etx), begin);
        if (end == std::string_view::npos) {
            end = received.size();
        }
        const std::size_t length = end - begin;
        if (length <= MaxPayloadBytes) {
            // Exactly as long as the payload, so that a read past its NUL is caught.
            const std::unique_ptr<char[]> payload(new char[length + 1]);
            std::memcpy(payload.get(), received.data() + begin, length);
            payload[length] = '\0';
            std::string fault = payloadFault(payload.get());
            if (!fault.empty()) {
                return fault;
            }
        }
        begin = end + 1;
    }
    return {};
}

std::string ReplyCheck::payloadFault(const char* payload) {
    if (ParseStartMode(payload).value_or(0) > HighestStartMode ||
        ParseSpeedMode(payload).value_or(0) > HighestSpeedMode) {
        return "mode out of range";
    }
    const auto device = IdentifyDeviceType(payload);
    if (device && *device != "Orvatronic" && *device != "Orvatronic2") {
        return "unknown device type";
    }
    if (IsErrorReply(payload)) {
        return ParseUnsigned(payload) || ParseSigned(payload) || ParseStartGenerator(payload) ||
                       ParseSpeedSpeed(payload)
                   ? "values from an error reply"
                   : "";
    }
    // Within the 32-bit range every query agrees with scanf; outside it the parser gives nothing.
    unsigned u1 = 0, u2 = 0;
    int d1 = 0, d2 = 0, d3 = 0;
    long long l1 = 0, l2 = 0, l3 = 0;
    const bool unsignedInRange =
        std::sscanf(payload, "%lld", &l1) == 1 && InRange(l1, -(long long)UINT32_MAX, UINT32_MAX);
    if (ParseUnsigned(payload).has_value() != unsignedInRange ||
        (unsignedInRange &&
         (std::sscanf(payload, "%u", &u1) != 1 || *ParseUnsigned(payload) != u1))) {
        return "ParseUnsigned differs from %u";
    }
    const bool signedInRange =
        std::sscanf(payload, "%lld", &l1) == 1 && InRange(l1, INT32_MIN, INT32_MAX);
    if (ParseSigned(payload).has_value() != signedInRange ||
        (signedInRange && (std::sscanf(payload, "%d", &d1) != 1 || *ParseSigned(payload) != d1))) {
        return "ParseSigned differs from %d";
    }
    const bool generatorInRange = std::sscanf(payload, "%lld%lld", &l1, &l2) == 2 &&
                                  InRange(l1, -(long long)UINT32_MAX, UINT32_MAX) &&
                                  InRange(l2, -(long long)UINT32_MAX, UINT32_MAX);
    const auto generator = ParseStartGenerator(payload);
    if (generator.has_value() != generatorInRange ||
        (generator && (std::sscanf(payload, "%u%u", &u1, &u2) != 2 || generator->highMs != u1 ||
                       generator->lowMs != u2))) {
        return "ParseStartGenerator differs from %u%u";
    }
    const bool speedsInRange = std::sscanf(payload, "%lld%lld%lld", &l1, &l2, &l3) == 3 &&
                               InRange(l1, INT32_MIN, INT32_MAX) &&
                               InRange(l2, INT32_MIN, INT32_MAX) &&
                               InRange(l3, INT32_MIN, INT32_MAX);
    const auto speeds = ParseSpeedSpeed(payload);
    if (speeds.has_value() != speedsInRange ||
        (speeds &&
         (std::sscanf(payload, "%d%d%d", &d1, &d2, &d3) != 3 || speeds->inputMmPerS != d1 ||
          speeds->unused != d2 || speeds->outputMmPerS != d3))) {
        return "ParseSpeedSpeed differs from %d%d%d";
    }
    const bool twoWords = std::sscanf(payload, "%8X%8X", &u1, &u2) == 2;
    const auto io = ParseIo(payload);
    if ((io && (!twoWords || io->word1 != u1 || io->word2 != u2)) ||
        (!io && twoWords && !HasBareHexPrefix(payload))) {
        return "ParseIo differs from %8X%8X";
    }
    return {};
}
