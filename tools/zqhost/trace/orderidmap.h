// The client order ids of a recording and of its replay. The library makes
// a new one (a UUID) for every order and cancel each run, so a replay pairs
// them as the strategy asks for the same things again. Texts and bytes going
// to the strategy are put in the replay's ids; what the strategy asks is put
// back in the recording's ids before it is compared.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zqhost {

class OrderIdMap {
public:
    // Whether `now` (already in the recording's ids) is `recorded` but for
    // UUIDs that neither side has paired yet, which it then pairs, position
    // by position. Ids the strategy chose itself must be equal.
    bool matchAndPair(const std::string& recorded, const std::string& now);

    std::string toCurrent(std::string text) const;
    std::string toRecorded(std::string text) const;
    // Ids inside binary rows are replaced only by ids of the same length,
    // so that the row layout stays as it was.
    void toCurrent(std::vector<uint8_t>& bytes) const;
    void toRecorded(std::vector<uint8_t>& bytes) const;

private:
    bool paired(const std::string& recorded) const;

    std::vector<std::pair<std::string, std::string>> ids_;  // recorded, current
};

}  // namespace zqhost
