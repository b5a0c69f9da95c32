#include "progressline.h"

#include <cstdio>

#include "bars.h"

namespace zqhost {

namespace {

constexpr double kFirstAfter = 1.0;  // seconds
constexpr double kRedrawEvery = 0.5;

}  // namespace

ProgressLine::ProgressLine(bool shown) : shown_(shown), started_(std::chrono::steady_clock::now()) {}

void ProgressLine::update(int64_t delivered, int64_t total, int64_t now) {
    if (!shown_) return;
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    if (elapsed < kFirstAfter || elapsed - lastDrawn_ < kRedrawEvery) return;
    lastDrawn_ = elapsed;
    drawn_ = true;
    char date[kDisplayTimeBytes];
    writeDisplayTime(now, date);
    std::fprintf(stderr, "\r[HOST] %lld of %lld bars, at %.10s, %.0f bars/s ", static_cast<long long>(delivered),
                 static_cast<long long>(total), date, static_cast<double>(delivered) / elapsed);
    std::fflush(stderr);
}

void ProgressLine::clear() {
    if (drawn_) std::fprintf(stderr, "\r%72s\r", "");
    drawn_ = false;
}

}  // namespace zqhost
