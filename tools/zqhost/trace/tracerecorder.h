// `zqhost --record FILE`: writes the trace of a replay (see trace.h). It is
// the replay's tap, so it sees every notification delivered, and it hands
// the library a RecordingHost in front of the real host services and data
// provider, so it sees every call. One thread: the one driving the adapter.
#pragma once

#include <QJsonObject>
#include <memory>
#include <string>

#include "gzfile.h"
#include "market.h"
#include "options.h"
#include "recordinghost.h"
#include "replaytap.h"

namespace zqhost {

class TraceRecorder : public ReplayTap, public TraceSink {
public:
    // Opens the file of options.recordPath (gzip-compressed when its name
    // ends in ".gz") and writes the trace's first line. Null with the reason in `error` when there is nothing to
    // record (no bars) or the file cannot be written.
    static std::unique_ptr<TraceRecorder> open(const Options& options, const Market& market, std::string& error);

    // What to hand the library instead of `host` and `data`.
    zq::HostServices* wrap(zq::HostServices& host);
    ZqDataProvider* wrap(ZqDataProvider& data);

    void write(const QJsonObject& line) override;
    // Writes the closing line; false with the reason when the file could
    // not be written completely.
    bool finish(std::string& error);

    void delivering(const Push& push) override;
    void finished() override;

private:
    TraceRecorder(const std::string& path, const Market& market);
    QString now() const;

    std::string path_;
    TextWriter out_;  // compressed when the name ends in ".gz"
    const Market& market_;
    RecordingHost host_;
};

}  // namespace zqhost
