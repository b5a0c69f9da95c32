// The bar push read both ways (see barpushreading.h) for arbitrary text.
// Replay builds print how many inputs the plain reader took, so the corpus
// test shows that both readers were reached.
#include <cstdint>
#include <cstdio>
#include <string>

#include "barpushreading.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::setUpProcess();
    const std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
    bool taken = false;
    const std::string difference = barpush::differenceFromQt(json.get(), taken);
    if (!difference.empty()) fuzz::failed(difference.c_str(), __FILE__, __LINE__);
#ifdef FUZZ_REPLAY
    static int takenCount = 0, declinedCount = 0;
    ++(taken ? takenCount : declinedCount);
    std::printf("barpush: %d read by the plain reader, %d declined\n", takenCount, declinedCount);
#endif
    return 0;
}
