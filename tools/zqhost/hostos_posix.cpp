#include "hostos.h"

#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zqhost {
namespace os {

size_t peakResidentBytes() {
    struct rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return static_cast<size_t>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
}

bool isTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) == 1;
}

void keepInterruptionsAway() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void setEnvironmentDefault(const std::string& name, const std::string& value) {
    setenv(name.c_str(), value.c_str(), 0);
}

void pinSystemTimeZone() {
    // With TZ unset, glibc looks at /etc/localtime again at every conversion;
    // a TZ naming that file is read once.
    setEnvironmentDefault("TZ", ":/etc/localtime");
}

}  // namespace os
}  // namespace zqhost
