#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "doctor.h"
#include "elfimage.h"
#include "orderidmap.h"
#include "schemacheck.h"

using namespace zqhost;

namespace {

// `value` little-endian into `size` bytes of `f` at `at`.
void put(std::string& f, size_t at, uint64_t value, size_t size = 8) {
    for (size_t i = 0; i < size; ++i) f[at + i] = static_cast<char>(value >> (8 * i));
}

// A 64-bit little-endian ELF header of a given type and machine whose
// section table starts at `sections` and holds `count` entries.
std::string header64(uint16_t type, uint16_t machine, uint64_t sections = 0, uint16_t count = 0) {
    std::string h(64, '\0');
    h.replace(0, 6, "\x7f" "ELF\x02\x01");
    put(h, 16, type, 2), put(h, 18, machine, 2), put(h, 40, sections), put(h, 58, 64, 2), put(h, 60, count, 2);
    return h;
}

// One section, the dynamic symbols, whose string table would be a second.
std::string dynamicSymbolsLinkedToNoSection() {
    std::string f = header64(3, 62, 64, 1) + std::string(64, '\0');
    put(f, 64 + 4, 11, 4), put(f, 64 + 40, 1, 4);
    return f;
}

// What reading `bytes` says: "" when it reads them.
std::string readError(const std::string& bytes, ElfImage& image) {
    std::string error;
    return readElfImage(bytes, image, error) ? "" : "failed: " + error;
}

TEST(ElfImage, TellsDamagedAndForeignFilesApart) {
    const std::string kDamagedSections = "failed: truncated or damaged section headers";
    // clang-format off
    const struct { std::string bytes, error; } cases[] = {
        {"", "failed: not an ELF file"}, {"MZ\x90\x00", "failed: not an ELF file"},
        {"\x7f" "ELF", "failed: truncated ELF header"}, {header64(3, 62).substr(0, 40), "failed: truncated ELF header"},
        {std::string("\x7f" "ELF\x03\x01", 6), "failed: damaged ELF header (unknown word size or byte order)"},
        {header64(3, 62, 4096, 3), kDamagedSections}, {header64(3, 62, 64, 0xffff), kDamagedSections},
        {header64(3, 62), ""}, {dynamicSymbolsLinkedToNoSection(), "failed: damaged dynamic symbol table"},
    };
    // clang-format on
    ElfImage image;
    for (const auto& c : cases) EXPECT_EQ(readError(c.bytes, image), c.error) << c.bytes.size() << " bytes";
}

TEST(ElfImage, ReadsKindAndArchitecture) {
    ElfImage image;
    ASSERT_EQ(readError(header64(2, 183), image), "");
    EXPECT_EQ(image.kind, ElfImage::Kind::Executable);
    EXPECT_FALSE(image.hasSymbolTable);
    EXPECT_EQ(architectureText(image), "AArch64, 64-bit, little-endian");
    std::string bigEndian32 = std::string("\x7f" "ELF\x01\x02", 6) + std::string(46, '\0');
    bigEndian32[17] = 3, bigEndian32[19] = 20;
    ASSERT_EQ(readError(bigEndian32, image), "");
    EXPECT_EQ(image.kind, ElfImage::Kind::SharedLibrary);
    EXPECT_EQ(architectureText(image), "PowerPC, 32-bit, big-endian");
}

// One exported symbol, "abc", in a string table of `size` bytes: its name
// counts only when its NUL lies inside the table.
TEST(ElfImage, ReadsOnlyNamesThatEndInsideTheirStringTable) {
    for (uint64_t size : {5, 4}) {
        std::string f = header64(3, 62, 64, 3) + std::string(3 * 64 + 48, '\0') + std::string("\0abc\0", 5);
        put(f, 128 + 4, 11), put(f, 128 + 24, 256), put(f, 128 + 32, 48), put(f, 128 + 40, 2);  // symbols
        put(f, 128 + 56, 24), put(f, 192 + 4, 3), put(f, 192 + 24, 304), put(f, 192 + 32, size);  // and their names
        put(f, 280, 1), f[284] = 0x12, f[286] = 1;  // "abc": a global function in section 1
        ElfImage image;
        ASSERT_EQ(readError(f, image), "");
        EXPECT_EQ(image.defined, size == 5 ? std::vector<std::string>{"abc"} : std::vector<std::string>{}) << size;
    }
}

TEST(Doctor, NamesBothArchitecturesWhenTheyDiffer) {
    std::ifstream in(TEST_LIB_DIR "/libmacross.so", std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    bytes[18] = static_cast<char>(183), bytes[19] = 0;  // AArch64
    const std::string path = std::string(TEST_BIN_DIR) + "/libforeign.so";
    std::ofstream(path, std::ios::binary) << bytes;
    Findings findings = examineStrategy(path, TEST_LIB_DIR "/libzqcxxadapter.so");
    std::remove(path.c_str());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].level, Finding::Level::Failure);
    EXPECT_EQ(findings[0].text, "it is built for AArch64, 64-bit, little-endian, but the adapter for x86-64, 64-bit, "
                                "little-endian: rebuild it for x86-64");
}

TEST(SchemaCheck, FailsWhatTheHostCannotUseAndWarnsWhatAStartWouldWarn) {
    using L = Finding::Level;
    // clang-format off
    const struct { const char* schema; L level; const char* text; /* the start of one finding */ } cases[] = {
        {"{\"a\":", L::Failure, "its parameter schema is not a JSON object (unterminated object)"},
        {"[]", L::Failure, "its parameter schema is not a JSON object (not an object)"},
        {"{}", L::Ok, "it declares no parameters"},
        {R"({"a":{"type":"int","value":1.5}})", L::Failure, "parameter 'a' (int): its default value is not a whole"},
        {R"({"a":{"type":"bool","value":"yes"}})", L::Failure, "parameter 'a' (bool): its default value is not true"},
        {R"({"a":{"type":"colour","value":1}})", L::Failure, "parameter 'a' has no known type"},
        {R"({"a":{"type":"int","value":1,"index":1}})", L::Warning, "1 parameter declaration(s) were replaced"},
        {R"({"a":{"type":"int","value":1},"a":{"type":"int","value":2}})", L::Warning,
         "parameter 'a' is declared more than once"},
        {R"({"b":{"type":"float","value":2},"c":{"type":"string","value":"x"}})", L::Ok,
         "its parameters: b (float), c (string)"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Findings findings;
        checkSchema(c.schema, findings);
        bool found = std::any_of(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.level == c.level && f.text.rfind(c.text, 0) == 0;
        });
        EXPECT_TRUE(found) << c.schema << " gave " << (findings.empty() ? "nothing" : findings.back().text);
    }
    Findings findings;
    checkSchema(R"({"t":{"type":"table","value":""},"l":{"type":"list","value":["x"],"default_index":1}})", findings);
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].text, "parameter 'l': its default entry 1 is outside its list of 1 entries, so it starts empty");
    EXPECT_EQ(findings[1].text, "parameter 't' is a table, which a started strategy does not get: the host leaves it out");
}

TEST(OrderIdMap, PairsTheIdsTheLibraryMadeAfreshAndNoOthers) {
    const std::string a = "{11111111-1111-1111-1111-111111111111}", b = "{22222222-2222-2222-2222-222222222222}";
    const std::string c = "{33333333-3333-3333-3333-333333333333}", d = "{44444444-4444-4444-4444-444444444444}";
    OrderIdMap ids;
    EXPECT_TRUE(ids.matchAndPair("order " + a, "order " + c));
    EXPECT_EQ(ids.toCurrent("cancel " + a), "cancel " + c);
    EXPECT_EQ(ids.toRecorded("cancel " + c), "cancel " + a);
    EXPECT_TRUE(ids.matchAndPair("cancel " + b + " of " + a, ids.toRecorded("cancel " + d + " of " + c)));
    EXPECT_FALSE(ids.matchAndPair("cancel " + a, "cancel " + b)) << "both already paired";
    EXPECT_FALSE(ids.matchAndPair("order own-1", "order own-2")) << "ids the strategy chose";
}

}  // namespace
