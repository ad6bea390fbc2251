// The main() a fuzz target gets in a build without libFuzzer: it feeds every file of
// the folders (or the files) named on the command line to LLVMFuzzerTestOneInput, so
// each target compiles in every build and its corpus runs as a test.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool ReadInput(const fs::path& path, std::vector<char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR_OR_FILE...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<fs::path> files;
            for (const fs::directory_entry& entry : fs::directory_iterator(arg, ec))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            if (ec) {
                std::fprintf(stderr, "%s: %s\n", argv[i], ec.message().c_str());
                return 1;
            }
            if (files.empty()) {
                // A corpus that lost its files would otherwise pass without testing.
                std::fprintf(stderr, "%s: no input files\n", argv[i]);
                return 1;
            }
            std::sort(files.begin(), files.end());
            inputs.insert(inputs.end(), files.begin(), files.end());
        } else if (fs::is_regular_file(arg, ec)) {
            inputs.push_back(arg);
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 1;
        }
    }
    std::vector<char> bytes;
    for (const fs::path& path : inputs) {
        if (!ReadInput(path, bytes)) {
            std::fprintf(stderr, "%s: cannot read\n", path.string().c_str());
            return 1;
        }
        // An exact-size copy, as libFuzzer hands it over, so a read past the end is
        // caught by the address sanitizer; never a null pointer, even when empty.
        const std::size_t size = bytes.size();
        std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[size == 0 ? 1 : size]);
        std::copy(bytes.begin(), bytes.end(), data.get());
        std::fprintf(stderr, "%s\n", path.string().c_str());
        LLVMFuzzerTestOneInput(data.get(), size);
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
