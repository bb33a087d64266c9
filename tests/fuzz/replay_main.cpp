// Runs a fuzz target without libFuzzer: feeds it every file of the folders (or the files)
// named on the command line, so the seed corpus replays in the ordinary test build.
//   <target>_replay PATH...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

static void Replay(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        fprintf(stderr, "cannot read %s\n", file.c_str());
        exit(2);
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A block of exactly the file's size, as libFuzzer gives, so a read past it is reported.
    std::unique_ptr<uint8_t[]> data(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    fprintf(stderr, "replaying %s (%zu bytes)\n", file.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
}

int main(int argc, char** argv)
{
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i])) {
            files.push_back(argv[i]);
            continue;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(argv[i]))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    // An empty or mistyped folder would otherwise pass without testing anything.
    if (files.empty()) {
        fprintf(stderr, "usage: %s PATH... (folders or files holding at least one input)\n",
                argv[0]);
        return 2;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        Replay(file);
    printf("replayed %zu inputs\n", files.size());
    return 0;
}
