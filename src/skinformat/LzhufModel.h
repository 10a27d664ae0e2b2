#pragma once
#include <array>
#include <cstdint>

// The model that the LZHUF decoder and encoder share: LZSS over a 4096-byte ring with matches of
// 3 to 60 bytes, whose literal/length symbols are coded by an adaptive Huffman tree, and whose
// match distances are coded by a fixed table for their upper 6 bits plus 6 plain bits.
namespace lzhuf {

constexpr int kRingSize = 4096;
constexpr int kRingMask = kRingSize - 1;
constexpr int kMaxMatch = 60;
constexpr int kThreshold = 2;                     // matches are longer than this
constexpr int kRingStart = kRingSize - kMaxMatch; // first write position; bytes before it are spaces
constexpr int kSymbols = 256 - kThreshold + kMaxMatch; // 314: 256 literals + 58 match lengths
constexpr int kNodes = 2 * kSymbols - 1;               // 627
constexpr int kRoot = kNodes - 1;                      // 626
constexpr unsigned kMaxFrequency = 0x8000;

// Symbol c >= 256 copies c - kMatchBias bytes.
constexpr int kMatchBias = 256 - kThreshold - 1;

// Upper 6 bits of a distance: code length and code (left-aligned in 8 bits) per value, and the
// reverse look-up by the next 8 input bits.
struct PositionTables {
    std::array<std::uint8_t, 64> length{};
    std::array<std::uint8_t, 64> code{};
    std::array<std::uint8_t, 256> valueOfByte{};
    std::array<std::uint8_t, 256> lengthOfByte{};
};
const PositionTables& Positions();

// The adaptive Huffman tree of the literal/length symbols. Node kRoot is the root; the two
// children of an inner node n are Child(n) and Child(n) + 1; a child index of kNodes or more is
// the leaf of symbol (index - kNodes).
class AdaptiveTree {
public:
    AdaptiveTree();

    int Child(int node) const { return son_[node]; }
    int Parent(int node) const { return parent_[node]; }
    int LeafOf(int symbol) const { return parent_[symbol + kNodes]; }

    // Counts one more occurrence of the symbol and keeps the tree ordered by frequency; halves all
    // frequencies first when the root's count has reached kMaxFrequency.
    void Update(int symbol);

private:
    void Rebuild();

    std::array<unsigned, kNodes + 1> freq_{};
    std::array<int, kNodes + kSymbols> parent_{};
    std::array<int, kNodes> son_{};
};

} // namespace lzhuf
