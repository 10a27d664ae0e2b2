// Our LZHUF decoder beside liblhasa's -lh1- decoder (an independent implementation of the same
// bit stream) on skin packages: each package's stream is decoded by both in this process, the
// outputs must be identical, and each decoder's speed is the median of several runs.
//   bench_lzhuf PACKAGE...
// Prints one line per package and, last, the largest time ratio (ours / liblhasa's).
#include "skinformat/LzhufDecoder.h"

extern "C" {
#include <lha_decoder.h>
}

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 15;

using Bytes = std::vector<std::uint8_t>;

bool ReadFile(const char* path, Bytes* out)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    out->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

template <class Work> double MedianSeconds(Work work)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

Bytes DecodeOurs(const Bytes& stream, std::size_t length)
{
    Bytes out(length);
    lzhuf::Decode({reinterpret_cast<const char*>(stream.data()), stream.size()},
                  {reinterpret_cast<char*>(out.data()), out.size()});
    return out;
}

struct Source {
    const Bytes* stream;
    std::size_t at = 0;
};

size_t ReadStream(void* buffer, size_t size, void* user)
{
    auto* source = static_cast<Source*>(user);
    const size_t n = std::min(size, source->stream->size() - source->at);
    std::memcpy(buffer, source->stream->data() + source->at, n);
    source->at += n;
    return n;
}

Bytes DecodeLiblhasa(const Bytes& stream, std::size_t length)
{
    Source source{&stream};
    LHADecoder* decoder =
        lha_decoder_new(lha_decoder_for_name(const_cast<char*>("-lh1-")), ReadStream, &source, length);
    Bytes out(length);
    std::size_t done = 0;
    while (decoder && done < length) {
        const size_t n = lha_decoder_read(decoder, out.data() + done, length - done);
        if (n == 0)
            break;
        done += n;
    }
    if (decoder)
        lha_decoder_free(decoder);
    out.resize(done);
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_lzhuf PACKAGE...\n");
        return 2;
    }
    double worst = 0;
    std::string worstName;
    for (int i = 1; i < argc; ++i) {
        Bytes package;
        if (!ReadFile(argv[i], &package) || package.size() < 4) {
            std::fprintf(stderr, "bench_lzhuf: cannot read a package from %s\n", argv[i]);
            return 1;
        }
        const std::size_t length = std::size_t(package[0]) | std::size_t(package[1]) << 8
            | std::size_t(package[2]) << 16 | std::size_t(package[3]) << 24;
        const Bytes stream(package.begin() + 4, package.end());
        if (DecodeOurs(stream, length) != DecodeLiblhasa(stream, length)) {
            std::fprintf(stderr, "bench_lzhuf: %s: the two decoders disagree\n", argv[i]);
            return 1;
        }
        const double ours = MedianSeconds([&] { DecodeOurs(stream, length); });
        const double theirs = MedianSeconds([&] { DecodeLiblhasa(stream, length); });
        const double ratio = ours / theirs;
        std::printf("%s: %zu bytes -> %zu bytes (%.1f:1); ours %.1f MB/s, liblhasa %.1f MB/s; time ratio %.2f\n",
                    argv[i], stream.size(), length, double(length) / double(stream.size()), double(length) / ours / 1e6,
                    double(length) / theirs / 1e6, ratio);
        if (ratio > worst) {
            worst = ratio;
            worstName = argv[i];
        }
    }
    std::printf("time ratio ours / liblhasa, largest: %.2f (%s)\n", worst, worstName.c_str());
    return 0;
}
