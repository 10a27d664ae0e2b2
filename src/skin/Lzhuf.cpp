#include "Lzhuf.h"
#include "LzhufModel.h"

#include <cstdint>
#include <memory>
#include <new>

namespace {

using namespace lzhuf;

// Most significant bit first; past the end of the input every bit is zero.
class BitReader {
public:
    BitReader(const std::uint8_t* data, qsizetype size) : next_(data), end_(data + size) {}

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
    void Refill()
    {
        const std::uint64_t byte = next_ < end_ ? *next_++ : 0;
        buffer_ = (buffer_ << 8) | byte;
        count_ += 8;
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

struct WorkTables {
    AdaptiveTree tree;
    std::uint8_t ring[kRingSize];
};

} // namespace

QByteArray TLZH::Decode(const char* input, qsizetype inputSize, qsizetype length)
{
    if (length <= 0)
        return {};
    std::unique_ptr<WorkTables> work;
    QByteArray out;
    try {
        work = std::make_unique<WorkTables>();
        out.resize(length);
    } catch (const std::bad_alloc&) {
        throw ElzhException(kLzhNoMemory);
    }
    if (out.size() != length)
        throw ElzhException(kLzhNoMemory);

    std::uint8_t* ring = work->ring;
    std::fill(ring, ring + kRingStart, std::uint8_t(' '));
    std::fill(ring + kRingStart, ring + kRingSize, std::uint8_t(0));
    BitReader in(reinterpret_cast<const std::uint8_t*>(input), inputSize);
    auto* dst = reinterpret_cast<std::uint8_t*>(out.data());
    const qsizetype total = length;
    qsizetype written = 0;
    int r = kRingStart;
    while (written < total) {
        const int c = DecodeSymbol(in, work->tree);
        if (c < 256) {
            dst[written++] = std::uint8_t(c);
            ring[r] = std::uint8_t(c);
            r = (r + 1) & kRingMask;
            continue;
        }
        int from = (r - DecodeDistance(in) - 1) & kRingMask;
        qsizetype count = c - kMatchBias;
        if (count > total - written)
            count = total - written;
        for (qsizetype k = 0; k < count; ++k) {
            const std::uint8_t b = ring[from];
            from = (from + 1) & kRingMask;
            dst[written++] = b;
            ring[r] = b;
            r = (r + 1) & kRingMask;
        }
    }
    return out;
}
