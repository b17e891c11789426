// Stand-alone driver for fuzz targets when libFuzzer is not available: runs every file of the
// given folders, then a fixed number of deterministic mutations of each (bit flips, truncations,
// insertions of interesting bytes), so crashes in corner cases show up in ordinary builds.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

constexpr int kMutationsPerInput = 200;

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void run(const std::vector<std::uint8_t>& input) {
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

std::vector<std::uint8_t> mutate(std::vector<std::uint8_t> input, std::mt19937& rng) {
    static const std::uint8_t interesting[] = {0,   1,    0x7F, 0x80, 0xFF, '\n', '\r', '\t',
                                               '"', '\\', '=',  '(',  ')',  ',',  ';',  0xC2,
                                               0xBF, 0xE2, 0x80, 0xA2, '-', '9', '!', '#'};
    std::uniform_int_distribution<int> kind(0, 3);
    const int k = kind(rng);
    if (input.empty() || k == 0) {
        const std::size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(at),
                     interesting[rng() % sizeof(interesting)]);
    } else if (k == 1) {
        input[rng() % input.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
    } else if (k == 2) {
        input.resize(rng() % input.size());
    } else {
        const std::size_t from = rng() % input.size();
        const std::size_t len = 1 + rng() % std::min<std::size_t>(16, input.size() - from);
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(rng() % input.size()),
                     input.begin() + static_cast<std::ptrdiff_t>(from),
                     input.begin() + static_cast<std::ptrdiff_t>(from + len));
    }
    return input;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::vector<std::uint8_t>> inputs{{}};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.starts_with("-")) continue; // libFuzzer options are ignored here
        const std::filesystem::path path(arg);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file()) inputs.push_back(readFile(entry.path()));
        } else if (std::filesystem::is_regular_file(path)) {
            inputs.push_back(readFile(path));
        }
    }
    std::mt19937 rng(12345);
    for (const auto& input : inputs) {
        run(input);
        auto current = input;
        for (int m = 0; m < kMutationsPerInput; ++m) {
            current = mutate(current, rng);
            run(current);
            if (current.size() > 1 << 16) current = input;
        }
    }
    std::printf("replayed %zu inputs with %d mutations each\n", inputs.size(), kMutationsPerInput);
    return 0;
}
