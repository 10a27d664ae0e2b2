// Runs a fuzz target over saved inputs without libFuzzer, so the normal test suite replays the
// seed corpus and every input that once crashed a target:
//   TARGET_replay FILE_OR_FOLDER...
// libFuzzer's flags are ignored but for -timeout: an input that runs ten times longer than the
// fuzzer allows ends the process with SIGALRM. Ten times, as the suite also runs under the
// sanitizers on a busy machine: the replay catches a hang that comes back, not a slow input.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> Inputs(const std::filesystem::path& where)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(where)) {
        for (const auto& entry : std::filesystem::directory_iterator(where))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(where);
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    unsigned timeout = 0;
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            if (std::strncmp(argv[i], "-timeout=", 9) == 0)
                timeout = 10 * unsigned(std::strtoul(argv[i] + 9, nullptr, 10));
            continue;
        }
        if (!std::filesystem::exists(argv[i])) {
            std::fprintf(stderr, "no such input: %s\n", argv[i]);
            return 2;
        }
        for (const auto& file : Inputs(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            std::fprintf(stderr, "%s\n", file.c_str());
            alarm(timeout);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            alarm(0);
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
