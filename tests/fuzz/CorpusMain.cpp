// Runs every file named, or found in the folders named, once through the
// target's reader: the corpus as an ordinary test, without libFuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Run(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named = std::filesystem::absolute(argv[i]);
        if (!std::filesystem::is_directory(named)) {
            Run(named);
            ++runs;
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(named))
            if (entry.is_regular_file()) {
                Run(entry.path());
                ++runs;
            }
    }
    std::printf("%d inputs read\n", runs);
    return runs > 0 ? 0 : 1;
}
