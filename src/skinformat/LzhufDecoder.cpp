#include "LzhufDecoder.h"
#include "LzhufModel.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using namespace lzhuf;

// Most significant bit first; past the end of the input every bit is zero.
class BitReader {
public:
    explicit BitReader(std::string_view data)
        : next_(reinterpret_cast<const std::uint8_t*>(data.data())), end_(next_ + data.size())
    {
    }

    unsigned Bit()
    {
        if (count_ == 0)
            Refill();
        --count_;
        return (buffer_ >> count_) & 1u;
    }

    // The next n bits (n <= 24) as an unsigned number.
    unsigned Bits(int n)
    {
        while (count_ < n)
            Refill();
        count_ -= n;
        return (buffer_ >> count_) & ((1u << n) - 1);
    }

private:
    // Tops the buffer up to 57 bits or more, so most calls find their bits waiting.
    void Refill()
    {
        while (count_ <= 56) {
            const std::uint64_t byte = next_ < end_ ? *next_++ : 0;
            buffer_ = (buffer_ << 8) | byte;
            count_ += 8;
        }
    }

    const std::uint8_t* next_;
    const std::uint8_t* end_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

int DecodeSymbol(BitReader& in, AdaptiveTree& tree)
{
    int node = tree.Child(kRoot);
    while (node < kNodes)
        node = tree.Child(node + int(in.Bit()));
    const int symbol = node - kNodes;
    tree.Update(symbol);
    return symbol;
}

int DecodeDistance(BitReader& in)
{
    const PositionTables& positions = Positions();
    const unsigned first = in.Bits(8);
    const unsigned upper = positions.valueOfByte[first];
    // The first 8 bits held the upper code and its first (8 - length) low bits.
    const int more = positions.lengthOfByte[first] - 2;
    const unsigned low = ((first << more) | in.Bits(more)) & 0x3F;
    return int((upper << 6) | low);
}

// The ring's byte `back` places before the first one written (distances reach at most a ring
// back): spaces, then, before those, the zeros of its tail.
std::uint8_t InitialRingByte(std::ptrdiff_t back)
{
    return back <= kRingStart ? std::uint8_t(' ') : std::uint8_t(0);
}

// Repeats the `count` bytes from `from` at `to` as a byte-by-byte copy would, where a source
// that runs into the destination repeats the bytes between them: copied in pieces that never
// overlap, each twice the one before.
void CopyMatch(std::uint8_t* data, std::ptrdiff_t from, std::ptrdiff_t to, std::ptrdiff_t count)
{
    while (count > 0) {
        const std::ptrdiff_t piece = std::min(count, to - from);
        std::memcpy(data + to, data + from, std::size_t(piece));
        to += piece;
        count -= piece;
    }
}

} // namespace

namespace lzhuf {

void Decode(std::string_view stream, std::span<char> output)
{
    // The whole output is at hand, so matches copy from it: the ring it stands for is needed
    // only for what lies before the first byte.
    AdaptiveTree tree;
    BitReader in(stream);
    auto* dst = reinterpret_cast<std::uint8_t*>(output.data());
    const std::ptrdiff_t total = std::ptrdiff_t(output.size());
    std::ptrdiff_t written = 0;
    while (written < total) {
        const int c = DecodeSymbol(in, tree);
        if (c < 256) {
            dst[written++] = std::uint8_t(c);
            continue;
        }
        std::ptrdiff_t from = written - DecodeDistance(in) - 1;
        std::ptrdiff_t count = c - kMatchBias;
        if (count > total - written)
            count = total - written;
        for (; count > 0 && from < 0; --count, ++from)
            dst[written++] = InitialRingByte(-from);
        CopyMatch(dst, from, written, count);
        written += count;
    }
}

} // namespace lzhuf
