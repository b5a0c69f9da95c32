#include "logcapture.h"

#include <QString>
#include <QtGlobal>

namespace fake {

namespace {

LogCapture* active = nullptr;
QtMessageHandler previousHandler = nullptr;

void platformSink(const ZqLogRecord& r, void* user) {
    static_cast<LogCapture*>(user)->platform.push_back(
        PlatformRecord{r.level, r.module, r.line, r.file, r.function, r.text});
}

void qtHandler(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (active) active->qtDebug.push_back(message.toStdString());
}

}  // namespace

LogCapture::LogCapture() {
    active = this;
    ZqLogLib::GetInstance().SetSink(platformSink, this);
    previousHandler = qInstallMessageHandler(qtHandler);
}

LogCapture::~LogCapture() {
    qInstallMessageHandler(previousHandler);
    ZqLogLib::GetInstance().SetSink(nullptr, nullptr);
    active = nullptr;
}

}  // namespace fake
