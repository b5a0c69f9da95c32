#include "orderidmap.h"

#include <algorithm>
#include <cctype>

namespace zqhost {

namespace {

constexpr size_t kUuidLength = 36;  // 8-4-4-4-12 hexadecimal digits

bool uuidAt(const std::string& text, size_t at) {
    if (text.size() - at < kUuidLength) return false;
    for (size_t i = 0; i < kUuidLength; ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[at + i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[at + i]))) return false;
    }
    return true;
}

// `text` with each UUID replaced by '#', and the UUIDs in order.
std::string withoutUuids(const std::string& text, std::vector<std::string>& uuids) {
    std::string rest;
    for (size_t at = 0; at < text.size();) {
        if (uuidAt(text, at)) {
            uuids.push_back(text.substr(at, kUuidLength));
            rest += '#';
            at += kUuidLength;
        } else {
            rest += text[at++];
        }
    }
    return rest;
}

void replaceAll(std::vector<uint8_t>& bytes, const std::string& from, const std::string& to) {
    auto same = [](uint8_t byte, char c) { return byte == static_cast<uint8_t>(c); };
    auto at = bytes.begin();
    while ((at = std::search(at, bytes.end(), from.begin(), from.end(), same)) != bytes.end()) {
        at = std::copy(to.begin(), to.end(), at);
    }
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

bool OrderIdMap::paired(const std::string& recorded) const {
    return std::any_of(ids_.begin(), ids_.end(), [&](const auto& ids) { return ids.first == recorded; });
}

bool OrderIdMap::matchAndPair(const std::string& recorded, const std::string& now) {
    std::vector<std::string> recordedIds, nowIds;
    if (withoutUuids(recorded, recordedIds) != withoutUuids(now, nowIds)) return false;
    std::vector<std::pair<std::string, std::string>> fresh;
    for (size_t i = 0; i < recordedIds.size(); ++i) {
        if (recordedIds[i] == nowIds[i]) continue;
        if (paired(recordedIds[i]) || paired(nowIds[i])) return false;
        fresh.emplace_back(recordedIds[i], nowIds[i]);
    }
    ids_.insert(ids_.end(), fresh.begin(), fresh.end());
    return true;
}

std::string OrderIdMap::toCurrent(std::string text) const {
    for (const auto& [recorded, current] : ids_) replaceAll(text, recorded, current);
    return text;
}

std::string OrderIdMap::toRecorded(std::string text) const {
    for (const auto& [recorded, current] : ids_) replaceAll(text, current, recorded);
    return text;
}

void OrderIdMap::toCurrent(std::vector<uint8_t>& bytes) const {
    for (const auto& [recorded, current] : ids_) {
        if (recorded.size() == current.size()) replaceAll(bytes, recorded, current);
    }
}

void OrderIdMap::toRecorded(std::vector<uint8_t>& bytes) const {
    for (const auto& [recorded, current] : ids_) {
        if (recorded.size() == current.size()) replaceAll(bytes, current, recorded);
    }
}

}  // namespace zqhost
