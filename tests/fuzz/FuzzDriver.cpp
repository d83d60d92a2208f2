// fuzz_<target> RUNS SEED_FILE...
//
// Feeds the target RUNS inputs made by mutating the seed files, and inputs that earlier
// mutations made, without libFuzzer: the smoke run that ctest starts, and a way to fuzz where
// clang is missing. A crash or a sanitizer report ends the run as it would under libFuzzer.
// FUZZ_SEED (default 1) seeds the mutations, so a run can be repeated.
#include "FuzzTarget.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMaxInput = 64 * 1024;
constexpr std::size_t kMaxPool = 512;

// Pieces of the three formats' syntax, so that a mutation often makes another structure
// rather than only another character.
constexpr std::string_view kTokens[] = {
    "{",  "}",  "[",   "]",     "\"",     "\\",   ":",    ",",    "\n",    "  ",  "//",
    "- ", "&a", "*a",  "!!str", "'",      "[$X]", "\"\"", "{\"",  "\":",   "\\u", "? ",
    "|",  ">",  "---", "...",   "%YAML ", "null", "1e9",  "true", "\"0\"", "\t",  "#",
};

class Mutator {
public:
    explicit Mutator(unsigned long seed) : random_(seed) {}

    std::string mutate(std::string input, const std::vector<std::string>& pool) {
        for (std::size_t steps = 1 + below(4); steps > 0; --steps)
            step(input, pool);
        if (input.size() > kMaxInput)
            input.resize(kMaxInput);
        return input;
    }

    std::size_t below(std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

private:
    void step(std::string& input, const std::vector<std::string>& pool) {
        const std::size_t at = below(input.size() + 1);
        const std::size_t length = below(input.size() - at + 1);
        switch (below(8)) {
        case 0:
            if (at < input.size())
                input[at] = static_cast<char>(input[at] ^ (1 << below(8)));
            break;
        case 1:
            if (at < input.size())
                input[at] = static_cast<char>(below(256));
            break;
        case 2:
            input.insert(at, 1, static_cast<char>(below(256)));
            break;
        case 3:
            input.erase(at, length);
            break;
        case 4: // repeats a piece, which nests whatever it opens
            input.insert(at, input.substr(at, length));
            break;
        case 5:
            input.insert(at, kTokens[below(std::size(kTokens))]);
            break;
        case 6: {
            const std::string& other = pool[below(pool.size())];
            const std::size_t from = below(other.size() + 1);
            input.insert(at, other.substr(from, below(other.size() - from + 1)));
            break;
        }
        default:
            input.resize(at);
        }
    }

    std::mt19937_64 random_;
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::cerr << "usage: " << argv[0] << " RUNS SEED_FILE...\n";
        return 2;
    }
    const long runs = std::stol(argv[1]);
    std::vector<std::string> pool;
    for (int i = 2; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        pool.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const std::size_t seeds = pool.size();
    const char* seed = std::getenv("FUZZ_SEED");
    Mutator mutator(seed != nullptr ? std::stoul(seed) : 1);
    for (long run = 0; run < runs; ++run) {
        const std::string input = mutator.mutate(pool[mutator.below(pool.size())], pool);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        // Keeping some mutants lets later ones build on them, as a corpus grows.
        if (mutator.below(16) == 0) {
            if (pool.size() < kMaxPool)
                pool.push_back(input);
            else
                pool[seeds + mutator.below(kMaxPool - seeds)] = input;
        }
    }
    std::cout << runs << " inputs, no failure\n";
    return 0;
}
