// fuzz_<target> RUNS SEED_FILE...
//
// Feeds the target RUNS inputs made by mutating the seed files and earlier mutants, without
// libFuzzer: the smoke run that ctest starts, and a way to fuzz where clang is missing. A crash or
// a sanitizer report ends the run as it would under libFuzzer. FUZZ_SEED (default 1) seeds the
// mutations, so that a run can be repeated.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Pieces of the formats' syntax, so that a mutation often makes another structure.
const std::string kTokens[] = {"{",  "}",  "[",  "]",     "\"",   "\\",  ":",  ",", "\n",  "//",
                               "- ", "&a", "*a", "!!str", "[$X]", "\\u", "? ", "|", "---", "#"};

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " RUNS SEED_FILE...\n";
        return 2;
    }
    std::vector<std::string> pool;
    for (int i = 2; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        pool.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const char* seed = std::getenv("FUZZ_SEED");
    std::mt19937_64 random(seed != nullptr ? std::stoul(seed) : 1);
    const auto below = [&](std::size_t n) { return n == 0 ? 0 : random() % n; };
    const long runs = std::stol(argv[1]);
    for (long run = 0; run < runs; ++run) {
        std::string input = pool[below(pool.size())];
        for (std::size_t steps = 1 + below(4); steps > 0; --steps) {
            const std::size_t at = below(input.size() + 1);
            const std::size_t length = below(input.size() - at + 1);
            switch (below(4)) {
            case 0:
                input.insert(at, 1, static_cast<char>(below(256)));
                break;
            case 1:
                input.erase(at, length);
                break;
            case 2: // repeats a piece, which nests whatever it opens
                input.insert(at, input.substr(at, length));
                break;
            default:
                input.insert(at, kTokens[below(std::size(kTokens))]);
            }
        }
        input.resize(std::min<std::size_t>(input.size(), 64 * 1024));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        if (below(16) == 0 && pool.size() < 1024)
            pool.push_back(std::move(input)); // later mutants build on it, as a corpus grows
    }
    std::cout << runs << " inputs, no failure\n";
    return 0;
}
