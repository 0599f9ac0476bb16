#include "ReplyFramer.h"

namespace sim {

std::string ReplyFramer::clean(std::string_view payload) {
    std::string cleaned(payload);
    for (char& c : cleaned) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte == Stx || byte == Etx || byte == Xon || byte == Xoff) {
            c = '?';
        }
    }
    return cleaned;
}

std::string ReplyFramer::filler(std::size_t length) {
    static constexpr std::string_view Alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text(length, ' ');
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = Alphabet[i % Alphabet.size()];
    }
    return text;
}

std::string ReplyFramer::frame(std::string_view payload, Fault fault, std::size_t oversizedBytes) {
    if (fault == Fault::NoAnswer || fault == Fault::HoldXoff) {
        return {};
    }
    std::string bytes;
    if (fault == Fault::GarbageBeforeStx) {
        bytes += Garbage;
    }
    bytes.push_back(static_cast<char>(Stx));
    bytes += fault == Fault::OversizedReply ? filler(oversizedBytes) : clean(payload);
    if (fault != Fault::MissingEtx) {
        bytes.push_back(static_cast<char>(Etx));
    }
    return bytes;
}

}  // namespace sim
