#include "norq/zqlog.h"

#include <cstring>

#include "host/hostchannel.h"
#include "norq/zqstring.h"
#include "sdk/logrouter.h"
#include "sdk/zqlogimpl.h"

namespace Norq {

namespace {

void release(ZqLogImpl* impl) {
    if (impl && --impl->copies == 0) delete impl;
}

}  // namespace

ZqLog::ZqLog(const char* file, int line, const char* function) : impl(new ZqLogImpl(file, line, function)) {}

ZqLog::ZqLog(const ZqLog& o) : impl(o.impl) {
    ++impl->copies;
}

ZqLog& ZqLog::operator=(const ZqLog& o) {
    if (impl == o.impl) return *this;
    ++o.impl->copies;
    release(impl);
    impl = o.impl;
    return *this;
}

ZqLog::~ZqLog() {
    release(impl);
    impl = nullptr;
}

ZqLog& ZqLog::debug() {
    return log(LOG_LEVEL_DEBUG, impl->mode);
}

ZqLog& ZqLog::info() {
    return log(LOG_LEVEL_INFO, impl->mode);
}

ZqLog& ZqLog::warn() {
    return log(LOG_LEVEL_WARN, impl->mode);
}

ZqLog& ZqLog::error() {
    return log(LOG_LEVEL_ERROR, impl->mode);
}

ZqLog& ZqLog::log(LOG_LEVEL level, int mode) {
    impl->level = level;
    impl->mode = mode;
    return *this;
}

ZqLog& ZqLog::userLog(const char* name, bool) {
    if (name) {
        impl->user_log = name;
    } else {
        impl->level = LOG_LEVEL_INFO;
    }
    return *this;
}

ZqLog& ZqLog::operator<<(char v) {
    impl->append(&v, 1);
    return *this;
}

#define ZQLOG_INSERT_NUMBER(Type)      \
    ZqLog& ZqLog::operator<<(Type v) { \
        impl->appendNumber(v);         \
        return *this;                  \
    }

ZQLOG_INSERT_NUMBER(short)
ZQLOG_INSERT_NUMBER(unsigned short)
ZQLOG_INSERT_NUMBER(int)
ZQLOG_INSERT_NUMBER(unsigned int)
ZQLOG_INSERT_NUMBER(long)
ZQLOG_INSERT_NUMBER(unsigned long)
ZQLOG_INSERT_NUMBER(long long)
ZQLOG_INSERT_NUMBER(float)
ZQLOG_INSERT_NUMBER(double)

#undef ZQLOG_INSERT_NUMBER

ZqLog& ZqLog::operator<<(const char* v) {
    if (v) impl->append(v, std::strlen(v));
    return *this;
}

ZqLog& ZqLog::operator<<(bool v) {
    return *this << (v ? "true" : "false");
}

ZqLog& ZqLog::operator<<(ZqString& v) {
    return *this << v.str();
}

void ZqLog::setLogLevel(LOG_LEVEL level) {
    zqinternal::LogRouter::instance().logLevel.store(level);
}

void ZqLog::setConsoleLogLevel(LOG_LEVEL level) {
    zqinternal::LogRouter::instance().consoleLevel.store(level);
}

void ZqLog::setDispLogLevel(LOG_LEVEL level) {
    zqinternal::LogRouter::instance().displayLevel.store(level);
}

void ZqLog::registerCustomLogFile(const char* name, const char* file) {
    zq::HostServices* host = HostChannel::instance().host();
    if (host && name && file) host->RegisterUserLog(name, file);
}

void ZqLog::cleanUserLog(const char* name) {
    zq::HostServices* host = HostChannel::instance().host();
    if (host) host->CleanUserLog(name);
}

}  // namespace Norq
