// Stands in for libFuzzer's main in the normal builds: runs a fuzz target once on
// every file of the folders (or files) named on the command line, so that the
// committed corpus and seeds are replayed as a regression test under the
// sanitizers without clang's fuzzer runtime.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<uint8_t> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; i++) {
        std::error_code error;
        if (fs::is_directory(argv[i], error)) {
            std::vector<fs::path> found;
            for (const auto& entry : fs::directory_iterator(argv[i], error)) {
                if (entry.is_regular_file()) found.push_back(fs::absolute(entry.path()));
            }
            std::sort(found.begin(), found.end());
            std::printf("%zu inputs in %s\n", found.size(), argv[i]);
            inputs.insert(inputs.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(argv[i], error)) {
            inputs.push_back(fs::absolute(argv[i]));
        } else {
            std::printf("no folder or file %s\n", argv[i]);
        }
    }
    if (inputs.empty()) {
        std::printf("no inputs to run\n");
        return 1;
    }
    // Paths are absolute by now: a target may change the working folder.
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    for (const fs::path& path : inputs) {
        std::vector<uint8_t> bytes = read_file(path);
        // A copy of exactly the file's size, so reading past it is caught.
        std::vector<uint8_t> exact(bytes);
        std::printf("%s\n", path.string().c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
