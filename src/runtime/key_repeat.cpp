#include "runtime/key_repeat.h"

namespace kv {

void KeyRepeat::press(int vk, std::uint64_t t) { held_[vk] = Held{t + kFirstDelayMs, std::nullopt, false}; }

void KeyRepeat::release(int vk) { held_.erase(vk); }

void KeyRepeat::pressDelivered(int vk, std::uint64_t target) {
    auto it = held_.find(vk);
    if (it != held_.end() && !it->second.target) it->second.target = target;
}

bool KeyRepeat::stillFor(int vk, std::uint64_t target) {
    auto it = held_.find(vk);
    if (it == held_.end()) return true;   // let go since: the repeat was made while it was held
    if (it->second.target && *it->second.target != target) it->second.stopped = true;
    return !it->second.stopped;
}

std::vector<int> KeyRepeat::due(std::uint64_t t) {
    std::vector<int> out;
    for (auto& [vk, h] : held_) {
        if (h.stopped || !h.target || h.next > t) continue;
        out.push_back(vk);
        h.next = t - h.next > kEveryMs ? t + kEveryMs : h.next + kEveryMs;
    }
    return out;
}

std::optional<std::uint64_t> KeyRepeat::nextDue() const {
    std::optional<std::uint64_t> next;
    for (const auto& [vk, h] : held_) {
        if (h.stopped || !h.target) continue;
        if (!next || h.next < *next) next = h.next;
    }
    return next;
}

}  // namespace kv
