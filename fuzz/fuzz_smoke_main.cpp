// Runs a fuzz target over a fixed set of pseudo-random inputs, so that the
// ordinary (g++) test build exercises it without libFuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20000;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> length(1, 96);
    std::uniform_int_distribution<int> value(0, 255);
    std::vector<uint8_t> input;
    for (int run = 0; run < runs; ++run) {
        input.resize(static_cast<size_t>(length(random)));
        for (uint8_t& b : input)
            b = static_cast<uint8_t>(value(random));
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%d inputs run\n", runs);
    return 0;
}
