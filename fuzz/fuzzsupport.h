// What the fuzz targets share. Engine runs discard the library's log lines;
// replay builds print them, so a corpus test can see which paths its inputs
// reached. Inputs are copied into heap blocks of exactly the size the host
// would hand over, so AddressSanitizer reports a read one byte past them.
// A target that finds a broken promise stops the process through
// FUZZ_REQUIRE, which the engine records as a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace fuzz {

// Routes the log lines as above and sets the zone every time text is read
// in (UTC, which has no daylight saving, like the host's). Call first; later
// calls do nothing.
void setUpProcess();

// Runs the strategy library at `path` with these running parameters, once
// per process, with no host. Aborts when it cannot: a target that silently
// failed to reach its path would report nothing.
void runStrategyOnce(const char* path, const char* params);

// The bytes as a NUL-terminated text in a block of size + 1 bytes.
std::unique_ptr<char[]> textCopy(const uint8_t* data, size_t size);

// The bytes as one T in a block of exactly sizeof(T), zero after the input.
template <typename T>
std::unique_ptr<T> recordCopy(const uint8_t* data, size_t size) {
    std::unique_ptr<T> record(new T);
    std::memset(record.get(), 0, sizeof(T));
    std::memcpy(record.get(), data, size < sizeof(T) ? size : sizeof(T));
    return record;
}

// An input of the form "head\nbody". Without a newline, the whole input is
// the head and there is no body (an empty one).
struct HeadAndBody {
    std::string head;
    bool hasBody = false;
    const uint8_t* body = reinterpret_cast<const uint8_t*>("");
    size_t bodySize = 0;
};
HeadAndBody splitAtNewline(const uint8_t* data, size_t size);

[[noreturn]] void failed(const char* condition, const char* file, int line);

}  // namespace fuzz

#define FUZZ_REQUIRE(condition) ((condition) ? void() : fuzz::failed(#condition, __FILE__, __LINE__))
