#include "tracerecorder.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "trace.h"

namespace zqhost {

namespace {

QJsonArray texts(const std::vector<std::string>& values) {
    QJsonArray array;
    for (const std::string& value : values) array.append(QString::fromStdString(value));
    return array;
}

std::string fileName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::unique_ptr<TraceRecorder> TraceRecorder::open(const Options& options, const Market& market, std::string& error) {
    if (options.barFiles.empty()) {
        error = "--record records a replay: give the bars with --bars";
        return nullptr;
    }
    std::unique_ptr<TraceRecorder> recorder(new TraceRecorder(options.recordPath, market));
    if (!recorder->out_.open(options.recordPath, error)) {
        error = "cannot write the trace " + error;
        return nullptr;
    }
    recorder->write(QJsonObject{{"kind", "trace"},
                                {"format", trace::kFormat},
                                {"version", trace::kVersion},
                                {"strategy", QString::fromStdString(fileName(options.strategyPath))},
                                {"params", QString::fromStdString(options.params)},
                                {"param", texts(options.paramSets)},
                                {"bars", texts(options.barFiles)},
                                {"at", recorder->now()}});
    return recorder;
}

TraceRecorder::TraceRecorder(const std::string& path, const Market& market)
    : path_(path), market_(market), host_(*this) {}

zq::HostServices* TraceRecorder::wrap(zq::HostServices& host) {
    host_.setHost(host);
    return &host_;
}

ZqDataProvider* TraceRecorder::wrap(ZqDataProvider& data) {
    host_.setData(data);
    return &host_;
}

QString TraceRecorder::now() const {
    return QString::fromStdString(hostTime(market_.now()));
}

void TraceRecorder::write(const QJsonObject& line) {
    QByteArray text = QJsonDocument(line).toJson(QJsonDocument::Compact);
    text += '\n';
    out_.write(std::string_view(text.constData(), static_cast<size_t>(text.size())));
}

void TraceRecorder::delivering(const Push& push) {
    QJsonObject line{{"kind", "notify"}, {"id", static_cast<double>(push.id)}, {"at", now()}};
    if (push.row.empty()) {
        line.insert("text", QString::fromStdString(push.text));
    } else {
        line.insert("row", trace::bytesJson(push.row.data(), push.row.size()));
    }
    write(line);
}

void TraceRecorder::finished() {
    write(QJsonObject{{"kind", "stop"}, {"at", now()}});
}

bool TraceRecorder::finish(std::string& error) {
    write(QJsonObject{{"kind", "end"}});
    if (out_.close()) return true;
    error = "could not write all of the trace " + path_;
    return false;
}

}  // namespace zqhost
