// zq_runbench: the whole zqhost process over generated bar files, as a user
// runs it. For 100 000, 1 000 000 and 10 000 000 bars of one and of 50
// symbols (random-walk 1-minute bars with prices at full double precision),
// it runs zqhost with a strategy that does nothing and with the sample
// moving-average strategy, and reports bars per second and peak resident
// memory (getrusage of the child), next to the floor of reading the same
// file once. The input side alone (the first pass, the merged stream and the
// market, nothing delivered) and the first pass alone are measured in child
// processes of their own.
// Medians of the repetitions; the goals table comes last.
//
//   zq_runbench [--sizes 100000,1000000,10000000] [--repetitions 3] [--dir DIR] [--without-sample]
//
// --without-sample leaves out the moving-average runs (the slowest).
// The files are written once into DIR (default: the temporary directory),
// never into the source tree, and kept for the next run.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "barcatalog.h"
#include "barstream.h"
#include "market.h"

namespace {

struct Measure {
    double seconds = 0;
    double peakMb = 0;
};

struct Row {
    long long bars;
    int symbols;
    std::string what;
    Measure median;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// 1-minute bars, 240 a day from 09:30, every symbol at every minute; prices
// a random walk printed with 17 significant digits.
std::string writeBars(const std::string& dir, long long bars, int symbols) {
    std::string path = dir + "/bars_" + std::to_string(bars) + "_" + std::to_string(symbols) + ".csv";
    if (std::filesystem::exists(path)) return path;
    std::string partial = path + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "w");
    if (!out) return std::fprintf(stderr, "cannot write %s\n", partial.c_str()), std::exit(1), path;
    std::mt19937_64 random(42);
    std::normal_distribution<double> step(0, 0.001);
    std::uniform_real_distribution<double> spread(0, 0.001);
    std::vector<double> close(static_cast<size_t>(symbols), 10.0);
    std::fprintf(out, "symbol,time,open,high,low,close,volume,amount\n");
    for (long long i = 0; i < bars; ++i) {
        long long minute = i / symbols, day = minute / 240, inDay = minute % 240;
        int s = static_cast<int>(i % symbols);
        double open = close[s], next = open * std::exp(step(random));
        double high = std::max(open, next) * (1 + spread(random)), low = std::min(open, next) * (1 - spread(random));
        close[s] = next;
        long long month = day / 28;
        int hour = 9 + static_cast<int>((30 + inDay) / 60), min = static_cast<int>((30 + inDay) % 60);
        std::fprintf(out, "%06d.SZ,%04lld-%02lld-%02lld %02d:%02d:00,%.17g,%.17g,%.17g,%.17g,%d,%.17g\n", s + 1,
                     2000 + month / 12, 1 + month % 12, 1 + day % 28, hour, min, open, high, low, next,
                     100 + static_cast<int>(i % 900), next * 1000);
    }
    std::fclose(out);
    std::filesystem::rename(partial, path);
    return path;
}

// Runs argv with its output thrown away; the child's wall time and peak memory.
Measure runProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    double started = now();
    pid_t child = fork();
    if (child == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Measure m{now() - started, static_cast<double>(usage.ru_maxrss) / 1024};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s exited with %d\n", args[0].c_str(), WEXITSTATUS(status));
    }
    return m;
}

// The input side alone, in a child so its peak memory is its own: the
// first pass, and unless `firstPassOnly` the bars streamed into the market.
Measure runInputSide(const std::string& path, bool firstPassOnly) {
    double started = now();
    pid_t child = fork();
    if (child == 0) {
        zqhost::BarCatalog catalog;
        catalog.paths = {path};
        std::string error;
        if (!zqhost::scanBarFiles(catalog, 0, error)) _exit(1);
        if (firstPassOnly) _exit(0);
        zqhost::BarStream stream;
        if (!stream.open(catalog, error)) _exit(1);
        zqhost::Market market(catalog);
        zqhost::Bar bar;
        while (stream.next(bar, error)) market.advance(bar);
        _exit(error.empty() && market.delivered() > 0 ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "the input side failed on %s\n", path.c_str());
    return Measure{now() - started, static_cast<double>(usage.ru_maxrss) / 1024};
}

// The floor: the file read once, its lines counted.
Measure readOnce(const std::string& path) {
    double started = now();
    int fd = open(path.c_str(), O_RDONLY);
    std::vector<char> buffer(1 << 20);
    long long lines = 0;
    for (ssize_t got; (got = read(fd, buffer.data(), buffer.size())) > 0;) {
        lines += std::count(buffer.data(), buffer.data() + got, '\n');
    }
    close(fd);
    if (lines == 0) std::fprintf(stderr, "%s is empty\n", path.c_str());
    return Measure{now() - started, 0};
}

template <typename Run>
Measure medianOf(int repetitions, Run run) {
    std::vector<double> seconds, memory;
    for (int i = 0; i < repetitions; ++i) {
        Measure m = run();
        seconds.push_back(m.seconds);
        memory.push_back(m.peakMb);
    }
    return Measure{median(seconds), median(memory)};
}

std::vector<long long> parseSizes(const char* text) {
    std::vector<long long> sizes;
    for (const char* at = text; *at;) {
        char* end = nullptr;
        sizes.push_back(std::strtoll(at, &end, 10));
        at = *end == ',' ? end + 1 : end;
    }
    return sizes;
}

const Row* find(const std::vector<Row>& rows, long long bars, int symbols, const std::string& what) {
    for (const Row& row : rows) {
        if (row.bars == bars && row.symbols == symbols && row.what == what) return &row;
    }
    return nullptr;
}

void goal(const char* text, bool known, double value, const char* unit, const char* bound, bool met) {
    if (!known) return (void)std::printf("%-64s %14s %10s  not run\n", text, "-", bound);
    std::printf("%-64s %12.0f%-2s %10s  %s\n", text, value, unit, bound, met ? "met" : "NOT MET");
}

void printGoals(const std::vector<Row>& rows) {
    const Row* nothing = find(rows, 1000000, 1, "zqhost, do-nothing strategy");
    const Row* averages = find(rows, 1000000, 1, "zqhost, moving-average sample");
    const Row* small = find(rows, 1000000, 1, "zqhost, do-nothing strategy");
    const Row* large = find(rows, 10000000, 1, "zqhost, do-nothing strategy");
    const Row* inputSmall = find(rows, 1000000, 1, "input side alone");
    const Row* firstPass = find(rows, 1000000, 1, "first pass alone");
    const Row* inputLarge = find(rows, 10000000, 1, "input side alone");
    auto rate = [](const Row* row) { return row ? row->bars / row->median.seconds : 0; };
    std::printf("\n%-64s %16s %10s\n", "goal", "measured", "bound");
    goal("do-nothing strategy, whole process, 1 000 000 bars", nothing, rate(nothing), "/s", ">= 1000000/s",
         rate(nothing) >= 1e6);
    goal("moving-average sample with its orders, 1 000 000 bars", averages, rate(averages), "/s", ">= 700000/s",
         rate(averages) >= 7e5);
    bool both = small && large;
    double ratio = both ? large->median.peakMb / small->median.peakMb : 0;
    std::printf("%-64s %13.2fx  %10s  %s\n", "peak memory, 10 000 000 bars against 1 000 000", ratio, "<= 1.2x",
                both ? (ratio <= 1.2 ? "met" : "NOT MET") : "not run");
    goal("peak memory, 10 000 000 bars", large, large ? large->median.peakMb : 0, "MB", "< 150 MB",
         large && large->median.peakMb < 150);
    double share = firstPass && nothing ? 100 * firstPass->median.seconds / nothing->median.seconds : 0;
    std::printf("%-64s %13.1f%%  %10s  %s\n", "first pass, share of the do-nothing run, 1 000 000 bars", share, "<= 15%",
                firstPass && nothing ? (share <= 15 ? "met" : "NOT MET") : "not run");
    bool input = inputSmall && inputLarge;
    double inputRatio = input ? inputLarge->median.peakMb / inputSmall->median.peakMb : 0;
    std::printf("%-64s %13.2fx  %10s  %s\n", "  of it the input side alone, 10 000 000 against 1 000 000", inputRatio,
                "<= 1.2x", input ? (inputRatio <= 1.2 ? "met" : "NOT MET") : "not run");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<long long> sizes = {100000, 1000000, 10000000};
    int repetitions = 3;
    bool sample = true;
    std::string dir = (std::filesystem::temp_directory_path() / "zq_runbench").string();
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--without-sample")) sample = false;
    }
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--sizes")) sizes = parseSizes(argv[i + 1]);
        if (!std::strcmp(argv[i], "--repetitions")) repetitions = std::max(1, std::atoi(argv[i + 1]));
        if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
    }
    std::filesystem::create_directories(dir);
    std::vector<Row> rows;
    std::printf("%12s %8s  %-32s %14s %10s\n", "bars", "symbols", "run", "bars/s", "peak MB");
    for (long long bars : sizes) {
        for (int symbols : {1, 50}) {
            std::string path = writeBars(dir, bars, symbols);
            auto add = [&](const std::string& what, Measure m) {
                rows.push_back(Row{bars, symbols, what, m});
                std::printf("%12lld %8d  %-32s %14.0f %10.1f\n", bars, symbols, what.c_str(), bars / m.seconds,
                            m.peakMb);
                std::fflush(stdout);
            };
            add("floor: the file read once", medianOf(repetitions, [&] { return readOnce(path); }));
            add("first pass alone", medianOf(repetitions, [&] { return runInputSide(path, true); }));
            add("input side alone", medianOf(repetitions, [&] { return runInputSide(path, false); }));
            add("zqhost, do-nothing strategy", medianOf(repetitions, [&] {
                    return runProcess({ZQHOST_PATH, "--bars", path, BENCH_STRATEGY_PATH});
                }));
            if (!sample) continue;
            add("zqhost, moving-average sample", medianOf(repetitions, [&] {
                    return runProcess({ZQHOST_PATH, "--account", "stock=880001", "--bars", path, "--param",
                                       "symbol=000001.SZ", "--param", "status_every=0", MACROSS_PATH});
                }));
        }
    }
    printGoals(rows);
    return 0;
}
