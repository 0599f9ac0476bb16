#include "HandOverMemory.h"

void HandOverMemory::FollowEpoch(unsigned epoch) {
    if (epoch_ != epoch) {
        ForgetAll();
        epoch_ = epoch;
    }
}

bool HandOverMemory::Repeats(Routine routine, const std::string& values) const {
    const auto& last = handedOver_[static_cast<std::size_t>(routine)];
    return last && *last == values;
}

void HandOverMemory::Remember(Routine routine, std::string values) {
    handedOver_[static_cast<std::size_t>(routine)] = std::move(values);
}

void HandOverMemory::ForgetAll() {
    for (auto& values : handedOver_) {
        values.reset();
    }
}
