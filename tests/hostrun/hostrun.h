// zqhost run as a user runs it: a child process with its standard output
// and error kept apart, its exit status or the signal that ended it, and
// the means to interrupt it while it runs.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace hostrun {

struct Outcome {
    int status = -1;  // exit status; -1 when a signal ended it
    int signal = 0;   // the signal that ended it, else 0
    std::string out, err;
};

class Child {
public:
    // Starts zqhost with `args`; its output goes to files in `dir`.
    Child(const std::vector<std::string>& args, const std::string& dir);
    void signal(int number);
    Outcome wait();

private:
    pid_t pid_ = -1;
    std::string outPath_, errPath_;
};

// Runs zqhost with `args` to its end.
Outcome run(const std::vector<std::string>& args, const std::string& dir);

std::string readFile(const std::string& path);
// A fresh, empty directory for one test.
std::string freshDir(const std::string& name);

}  // namespace hostrun
