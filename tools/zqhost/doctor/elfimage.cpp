#include "elfimage.h"

namespace zqhost {

namespace {

constexpr uint32_t kSectionDynamicSymbols = 11;  // SHT_DYNSYM
constexpr uint32_t kSegmentInterpreter = 3;       // PT_INTERP
constexpr uint16_t kUndefinedSection = 0;        // SHN_UNDEF
constexpr uint8_t kBindLocal = 0;
constexpr uint8_t kBindWeak = 2;
constexpr uint8_t kVisibilityDefault = 0;
constexpr uint8_t kVisibilityProtected = 3;

// Where the fields this reader uses sit, for 32-bit and 64-bit files.
struct Layout {
    size_t headerSize, programOffset, programEntrySize, programCount, sectionOffset, sectionEntrySize, sectionCount;
    size_t shType, shOffset, shSize, shLink, shEntrySize, wordSize;
    size_t symName, symInfo, symOther, symSection, symbolSize;
};
constexpr Layout kLayout32{52, 28, 42, 44, 32, 46, 48, 4, 16, 20, 24, 36, 4, 0, 12, 13, 14, 16};
constexpr Layout kLayout64{64, 32, 54, 56, 40, 58, 60, 4, 24, 32, 40, 56, 8, 0, 4, 5, 6, 24};

class Reader {
public:
    Reader(const std::string& bytes, bool littleEndian) : bytes_(bytes), little_(littleEndian) {}

    // False when [offset, offset + size) is not inside the file.
    bool fits(uint64_t offset, uint64_t size) const { return offset <= bytes_.size() && size <= bytes_.size() - offset; }

    uint64_t number(uint64_t offset, size_t size) const {
        uint64_t value = 0;
        for (size_t i = 0; i < size; ++i) {
            uint64_t byte = static_cast<unsigned char>(bytes_[offset + (little_ ? size - 1 - i : i)]);
            value = value << 8 | byte;
        }
        return value;
    }

    // The NUL-terminated name at `offset` of a string table; empty when it runs off the table.
    std::string name(uint64_t table, uint64_t tableSize, uint64_t offset) const {
        if (offset >= tableSize) return std::string();
        size_t start = static_cast<size_t>(table + offset);
        size_t end = bytes_.find('\0', start);
        if (end == std::string::npos || end >= table + tableSize) return std::string();
        return bytes_.substr(start, end - start);
    }

private:
    const std::string& bytes_;
    bool little_;
};

struct Section {
    uint64_t type, offset, size, link, entrySize;
};

Section sectionAt(const Reader& r, const Layout& l, uint64_t at) {
    return Section{r.number(at + l.shType, 4), r.number(at + l.shOffset, l.wordSize), r.number(at + l.shSize, l.wordSize),
                   r.number(at + l.shLink, 4), r.number(at + l.shEntrySize, l.wordSize)};
}

bool readSymbols(const Reader& r, const Layout& l, const Section& symbols, const Section& names, ElfImage& image,
                 std::string& error) {
    if (symbols.entrySize < l.symbolSize || !r.fits(symbols.offset, symbols.size) || !r.fits(names.offset, names.size)) {
        return error = "truncated or damaged dynamic symbol table", false;
    }
    for (uint64_t at = symbols.offset; at + l.symbolSize <= symbols.offset + symbols.size; at += symbols.entrySize) {
        std::string name = r.name(names.offset, names.size, r.number(at + l.symName, 4));
        uint8_t bind = static_cast<uint8_t>(r.number(at + l.symInfo, 1) >> 4);
        uint8_t visibility = static_cast<uint8_t>(r.number(at + l.symOther, 1) & 3);
        bool undefined = r.number(at + l.symSection, 2) == kUndefinedSection;
        if (name.empty() || bind == kBindLocal) continue;
        if (undefined && bind != kBindWeak) image.needed.push_back(name);
        if (!undefined && (visibility == kVisibilityDefault || visibility == kVisibilityProtected)) {
            image.defined.push_back(name);
        }
    }
    image.hasSymbolTable = true;
    return true;
}

bool readSections(const Reader& r, const Layout& l, ElfImage& image, std::string& error) {
    uint64_t table = r.number(l.sectionOffset, l.wordSize);
    uint64_t entrySize = r.number(l.sectionEntrySize, 2);
    uint64_t count = r.number(l.sectionCount, 2);
    if (table == 0 || count == 0) return true;
    if (entrySize < l.shEntrySize + l.wordSize || !r.fits(table, entrySize * count)) {
        return error = "truncated or damaged section headers", false;
    }
    for (uint64_t i = 0; i < count; ++i) {
        Section symbols = sectionAt(r, l, table + i * entrySize);
        if (symbols.type != kSectionDynamicSymbols) continue;
        if (symbols.link >= count) return error = "damaged dynamic symbol table", false;
        return readSymbols(r, l, symbols, sectionAt(r, l, table + symbols.link * entrySize), image, error);
    }
    return true;
}

// A program that can also be loaded as a library (position-independent)
// names the interpreter that starts it; a library names none.
bool namesInterpreter(const Reader& r, const Layout& l) {
    uint64_t table = r.number(l.programOffset, l.wordSize);
    uint64_t entrySize = r.number(l.programEntrySize, 2);
    uint64_t count = r.number(l.programCount, 2);
    if (table == 0 || entrySize < 4 || !r.fits(table, entrySize * count)) return false;
    for (uint64_t i = 0; i < count; ++i) {
        if (r.number(table + i * entrySize, 4) == kSegmentInterpreter) return true;
    }
    return false;
}

ElfImage::Kind kindOf(uint64_t type) {
    switch (type) {
    case 1: return ElfImage::Kind::Object;
    case 2: return ElfImage::Kind::Executable;
    case 3: return ElfImage::Kind::SharedLibrary;
    default: return ElfImage::Kind::Other;
    }
}

}  // namespace

bool readElfImage(const std::string& bytes, ElfImage& image, std::string& error) {
    image = ElfImage{};
    if (bytes.size() < 4 || bytes.compare(0, 4, "\x7f" "ELF") != 0) return error = "not an ELF file", false;
    if (bytes.size() < 6) return error = "truncated ELF header", false;
    const char wordClass = bytes[4], byteOrder = bytes[5];
    if ((wordClass != 1 && wordClass != 2) || (byteOrder != 1 && byteOrder != 2)) {
        return error = "damaged ELF header (unknown word size or byte order)", false;
    }
    image.is64 = wordClass == 2;
    image.littleEndian = byteOrder == 1;
    const Layout& layout = image.is64 ? kLayout64 : kLayout32;
    Reader reader(bytes, image.littleEndian);
    if (!reader.fits(0, layout.headerSize)) return error = "truncated ELF header", false;
    image.kind = kindOf(reader.number(16, 2));
    if (image.kind == ElfImage::Kind::SharedLibrary && namesInterpreter(reader, layout)) {
        image.kind = ElfImage::Kind::Executable;
    }
    image.machine = static_cast<uint16_t>(reader.number(18, 2));
    return readSections(reader, layout, image, error);
}

std::string machineName(uint16_t machine) {
    switch (machine) {
    case 3: return "x86 (i386)";
    case 8: return "MIPS";
    case 20: return "PowerPC";
    case 21: return "PowerPC64";
    case 22: return "IBM S/390";
    case 40: return "ARM";
    case 62: return "x86-64";
    case 183: return "AArch64";
    case 243: return "RISC-V";
    case 258: return "LoongArch";
    default: return "machine " + std::to_string(machine);
    }
}

std::string architectureText(const ElfImage& image) {
    return machineName(image.machine) + (image.is64 ? ", 64-bit" : ", 32-bit") +
           (image.littleEndian ? ", little-endian" : ", big-endian");
}

}  // namespace zqhost
