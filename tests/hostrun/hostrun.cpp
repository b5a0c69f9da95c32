#include "hostrun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace hostrun {

Child::Child(const std::vector<std::string>& args, const std::string& dir)
    : outPath_(dir + "/stdout.txt"), errPath_(dir + "/stderr.txt") {
    std::vector<char*> argv;
    std::string program = ZQHOST_PATH;
    argv.push_back(program.data());
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
}

void Child::signal(int number) {
    kill(pid_, number);
}

Outcome Child::wait() {
    Outcome outcome;
    int status = 0;
    waitpid(pid_, &status, 0);
    if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
    outcome.out = readFile(outPath_);
    outcome.err = readFile(errPath_);
    return outcome;
}

Outcome run(const std::vector<std::string>& args, const std::string& dir) {
    return Child(args, dir).wait();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string freshDir(const std::string& name) {
    std::string dir = std::string(TEST_BIN_DIR) + "/runs/" + name;
    std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
    return dir;
}

}  // namespace hostrun
