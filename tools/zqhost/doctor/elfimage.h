// What `zqhost doctor` reads from a shared library without loading it: the
// ELF header (kind of file, word size, byte order, machine) and the names of
// the dynamic symbol table, each defined or needed from elsewhere. Read from
// the file's bytes with every offset checked, so a damaged or foreign file
// gives a reason instead of a crash. Runs on any system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zqhost {

struct ElfImage {
    enum class Kind { SharedLibrary, Executable, Object, Other };

    Kind kind = Kind::Other;
    bool is64 = false;
    bool littleEndian = true;
    uint16_t machine = 0;
    // False when the file carries no section headers to find them by (a
    // stripped-down image); the lists below are then empty.
    bool hasSymbolTable = false;
    std::vector<std::string> defined;  // exported: global or weak, default or protected visibility
    std::vector<std::string> needed;   // undefined and not weak: some other library must define them
};

// On success fills `image`; on failure returns false with the reason in
// `error` ("not an ELF file", "truncated ...").
bool readElfImage(const std::string& bytes, ElfImage& image, std::string& error);

// "x86-64", "AArch64", ... or "machine 1234".
std::string machineName(uint16_t machine);

// The word size, byte order and machine, e.g. "x86-64, 64-bit, little-endian".
std::string architectureText(const ElfImage& image);

}  // namespace zqhost
