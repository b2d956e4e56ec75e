// trimbench-sim's command line is user text: the input is cut at NUL bytes
// into arguments. The parser either refuses them with a message or gives
// settings whose numbers are in range.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/main/CommandLine.h"

using namespace tb::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<Family> families = AllFamilies();
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size && args.size() < 64; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    try {
        const SimSettings settings = ParseCommandLine(args, families);
        if (settings.firstComNumber < 1 || settings.firstComNumber > 256) std::abort();
        for (int com : settings.unplugged) {
            if (com < 1 || com > 256) std::abort();
        }
    } catch (const std::invalid_argument& refused) {
        if (std::string(refused.what()).empty()) std::abort();
    }
    return 0;
}
