#include "childprocess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zqhost {

std::string selfExecutable() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "";
    return std::string(path, static_cast<size_t>(n));
}

long startChild(const std::vector<std::string>& args, const std::string& logPath, std::string& error) {
    int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) {
        error = "cannot open " + logPath + ": " + std::strerror(errno);
        return -1;
    }
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int none = open("/dev/null", O_RDONLY);
        if (none >= 0) dup2(none, 0);
        dup2(log, 1);
        dup2(log, 2);
        execv(argv[0], argv.data());
        const char* reason = std::strerror(errno);
        (void)!write(2, "zqhost sweep: cannot start ", 27);
        (void)!write(2, argv[0], std::strlen(argv[0]));
        (void)!write(2, ": ", 2);
        (void)!write(2, reason, std::strlen(reason));
        (void)!write(2, "\n", 1);
        _exit(127);
    }
    int saved = errno;
    close(log);
    if (pid < 0) {
        error = std::string("cannot start a process: ") + std::strerror(saved);
        return -1;
    }
    return pid;
}

ChildExit waitForChild() {
    int status = 0;
    pid_t pid;
    do {
        pid = waitpid(-1, &status, 0);
    } while (pid < 0 && errno == EINTR);
    if (pid < 0) return {};
    if (WIFSIGNALED(status)) return {pid, 128 + WTERMSIG(status)};
    return {pid, WIFEXITED(status) ? WEXITSTATUS(status) : 1};
}

}  // namespace zqhost
