#include "LzhufEncoder.h"

#include "LzhufModel.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace lzhuf;

class BitWriter {
public:
    // The low `count` bits of `bits`, most significant first.
    void Put(unsigned bits, int count)
    {
        for (int i = count - 1; i >= 0; --i)
            PutBit((bits >> i) & 1u);
    }
    void PutBit(unsigned bit)
    {
        byte_ = std::uint8_t((byte_ << 1) | bit);
        if (++used_ == 8) {
            out_.push_back(char(byte_));
            byte_ = 0;
            used_ = 0;
        }
    }
    std::string Finish()
    {
        if (used_ > 0)
            out_.push_back(char(byte_ << (8 - used_)));
        used_ = 0;
        return std::move(out_);
    }

private:
    std::string out_;
    std::uint8_t byte_ = 0;
    int used_ = 0;
};

void EncodeSymbol(BitWriter& out, AdaptiveTree& tree, int symbol)
{
    // The path is found leaf to root; it is written root first.
    std::vector<unsigned> path;
    for (int node = tree.LeafOf(symbol); node != kRoot; node = tree.Parent(node))
        path.push_back(unsigned(node & 1));
    for (auto bit = path.rbegin(); bit != path.rend(); ++bit)
        out.PutBit(*bit);
    tree.Update(symbol);
}

void EncodeDistance(BitWriter& out, int distance)
{
    const PositionTables& positions = Positions();
    const int upper = distance >> 6;
    out.Put(positions.code[upper] >> (8 - positions.length[upper]), positions.length[upper]);
    out.Put(unsigned(distance & 0x3F), 6);
}

// Finds earlier occurrences through chains of positions that share their first three bytes.
class MatchFinder {
public:
    explicit MatchFinder(std::string_view data) : data_(data), previous_(data.size(), -1) {}

    struct Match {
        int length = 0;
        std::ptrdiff_t from = 0;
    };

    Match Longest(std::ptrdiff_t at) const
    {
        Match best;
        const std::ptrdiff_t limit = std::min<std::ptrdiff_t>(kMaxMatch, std::ptrdiff_t(data_.size()) - at);
        if (limit <= kThreshold)
            return best;
        int chain = kMaxChain;
        for (std::ptrdiff_t from = head_[Hash(at)]; from >= 0 && at - from <= kRingSize && chain-- > 0;
             from = previous_[from]) {
            int length = 0;
            while (length < limit && data_[from + length] == data_[at + length])
                ++length;
            if (length > best.length) {
                best = {length, from};
                if (length == limit)
                    break;
            }
        }
        return best;
    }

    void Insert(std::ptrdiff_t at)
    {
        if (at + 3 > std::ptrdiff_t(data_.size()))
            return;
        const unsigned h = Hash(at);
        previous_[at] = head_[h];
        head_[h] = at;
    }

private:
    static constexpr int kHashBits = 15;
    static constexpr int kMaxChain = 512;

    unsigned Hash(std::ptrdiff_t at) const
    {
        const auto* p = reinterpret_cast<const std::uint8_t*>(data_.data() + at);
        return ((unsigned(p[0]) << 10) ^ (unsigned(p[1]) << 5) ^ p[2]) & ((1u << kHashBits) - 1);
    }

    std::string_view data_;
    std::vector<std::ptrdiff_t> head_ = std::vector<std::ptrdiff_t>(1u << kHashBits, -1);
    std::vector<std::ptrdiff_t> previous_;
};

} // namespace

namespace lzhuf {

std::string Encode(std::string_view input)
{
    BitWriter out;
    AdaptiveTree tree;
    MatchFinder finder(input);
    std::ptrdiff_t at = 0;
    while (at < std::ptrdiff_t(input.size())) {
        const MatchFinder::Match match = finder.Longest(at);
        std::ptrdiff_t step = 1;
        if (match.length > kThreshold) {
            EncodeSymbol(out, tree, match.length + kMatchBias);
            // The decoder copies from ring position (current - distance - 1).
            EncodeDistance(out, int(at - match.from - 1));
            step = match.length;
        } else {
            EncodeSymbol(out, tree, std::uint8_t(input[at]));
        }
        for (std::ptrdiff_t k = 0; k < step; ++k)
            finder.Insert(at + k);
        at += step;
    }
    return out.Finish();
}

} // namespace lzhuf
