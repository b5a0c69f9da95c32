// Reads a trace file (see trace.h; gzip-compressed or not) whole and checks it before anything is
// replayed: every line a JSON object of a known kind, the first the header
// of a trace recorded with the same strategy library, the last the closing
// line. Errors name the file and line: "FILE:LINE: what".
#pragma once

#include <QJsonObject>
#include <cstdint>
#include <string>
#include <vector>

namespace zqhost {

struct TraceLine {
    enum class Kind { Header, Call, Log, Notify, Stop, End };

    int number = 0;  // in the file, from 1
    Kind kind = Kind::Log;
    QJsonObject object;
    std::vector<uint8_t> row;  // a notification's binary payload
};

struct Trace {
    std::string path;
    std::vector<TraceLine> lines;
};

// `strategyName` is the file name of the library to replay. On failure
// returns false with the reason in `error`.
bool readTrace(const std::string& path, const std::string& strategyName, Trace& trace, std::string& error);

}  // namespace zqhost
