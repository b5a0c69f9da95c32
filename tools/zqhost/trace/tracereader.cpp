#include "tracereader.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <map>

#include "gzfile.h"
#include "trace.h"

namespace zqhost {

namespace {

bool kindOf(const QString& name, TraceLine::Kind& kind) {
    static const std::map<QString, TraceLine::Kind> kinds{
        {"trace", TraceLine::Kind::Header}, {"call", TraceLine::Kind::Call}, {"log", TraceLine::Kind::Log},
        {"notify", TraceLine::Kind::Notify}, {"stop", TraceLine::Kind::Stop}, {"end", TraceLine::Kind::End}};
    auto it = kinds.find(name);
    if (it == kinds.end()) return false;
    kind = it->second;
    return true;
}

// What is wrong with the header; empty when nothing is.
std::string headerProblem(const QJsonObject& header, const std::string& strategyName) {
    if (header.value("format").toString() != trace::kFormat) return "not a zqhost trace (no trace header)";
    int version = header.value("version").toInt();
    if (version != trace::kVersion) {
        return "a trace of version " + std::to_string(version) + "; this zqhost reads version " +
               std::to_string(trace::kVersion);
    }
    std::string recorded = header.value("strategy").toString().toStdString();
    if (recorded != strategyName) return "recorded with " + recorded + ", not with " + strategyName;
    return std::string();
}

// What is wrong with a line of a given kind; empty when nothing is.
std::string lineProblem(TraceLine& line) {
    const QJsonObject& o = line.object;
    switch (line.kind) {
    case TraceLine::Kind::Header: return "a second trace header";
    case TraceLine::Kind::Call:
        if (!o.value("ask").toObject().value("op").isString() || !o.value("answer").isObject()) {
            return "a call without its ask and answer";
        }
        return std::string();
    case TraceLine::Kind::Notify: {
        bool payload = o.value("text").isString() || trace::bytesOf(o.value("row"), line.row);
        if (o.value("id").toDouble() <= 0 || !o.value("at").isString() || !payload) {
            return "a notification without its id, time and payload";
        }
        return std::string();
    }
    case TraceLine::Kind::Stop: return o.value("at").isString() ? std::string() : "a stop without its time";
    default: return std::string();
    }
}

bool parseLine(const std::string& text, TraceLine& line, std::string& problem) {
    QJsonParseError parse;
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &parse);
    if (text.empty()) return problem = "an empty line", false;
    if (parse.error != QJsonParseError::NoError) {
        return problem = "not JSON (" + parse.errorString().toStdString() + " at column " +
                         std::to_string(parse.offset + 1) + ")", false;
    }
    line.object = document.object();
    if (!document.isObject() || !kindOf(line.object.value("kind").toString(), line.kind)) {
        return problem = "not a line of a zqhost trace", false;
    }
    return true;
}

}  // namespace

bool readTrace(const std::string& path, const std::string& strategyName, Trace& trace, std::string& error) {
    trace = Trace{path, {}};
    LineReader in;
    std::string opened;
    if (!in.open(path, opened)) return error = "cannot read the trace " + opened, false;
    std::string_view read;
    std::string text, problem;
    for (int number = 1; in.next(read); ++number) {
        text.assign(read.data(), read.size());
        TraceLine line;
        line.number = number;
        if (!trace.lines.empty() && trace.lines.back().kind == TraceLine::Kind::End) {
            problem = "more lines after the closing line";
        } else if (parseLine(text, line, problem)) {
            problem = number == 1 ? (line.kind == TraceLine::Kind::Header ? headerProblem(line.object, strategyName)
                                                                          : "not a zqhost trace (no trace header)")
                                  : lineProblem(line);
        } else if (number == 1) {
            problem = "not a zqhost trace: " + problem;
        }
        if (!problem.empty()) return error = path + ":" + std::to_string(number) + ": " + problem, false;
        trace.lines.push_back(std::move(line));
    }
    if (!in.failed().empty()) return error = "cannot read the trace " + in.failed(), false;
    if (trace.lines.empty()) return error = path + ": empty, not a zqhost trace", false;
    if (trace.lines.back().kind != TraceLine::Kind::End) {
        error = path + ":" + std::to_string(trace.lines.back().number) +
                ": the trace stops here without its closing line: the recording was cut short";
        return false;
    }
    return true;
}

}  // namespace zqhost
