#include "LzhufModel.h"

#include <algorithm>

namespace lzhuf {

namespace {

PositionTables BuildPositions()
{
    // How many of the 64 upper-distance values get codes of 3, 4, ... 8 bits.
    constexpr std::array<int, 6> kValuesPerLength = {1, 3, 8, 12, 24, 16};
    PositionTables t;
    int value = 0;
    unsigned code = 0;
    for (int i = 0; i < int(kValuesPerLength.size()); ++i) {
        const int bits = 3 + i;
        for (int n = 0; n < kValuesPerLength[i]; ++n, ++value) {
            t.length[value] = std::uint8_t(bits);
            t.code[value] = std::uint8_t(code);
            const unsigned span = 256u >> bits;
            for (unsigned b = 0; b < span; ++b) {
                t.valueOfByte[code + b] = std::uint8_t(value);
                t.lengthOfByte[code + b] = std::uint8_t(bits);
            }
            code += span;
        }
    }
    return t;
}

} // namespace

const PositionTables& Positions()
{
    static const PositionTables tables = BuildPositions();
    return tables;
}

AdaptiveTree::AdaptiveTree()
{
    for (int i = 0; i < kSymbols; ++i) {
        freq_[i] = 1;
        son_[i] = i + kNodes;
        parent_[i + kNodes] = i;
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        freq_[j] = freq_[i] + freq_[i + 1];
        son_[j] = i;
        parent_[i] = parent_[i + 1] = j;
    }
    freq_[kNodes] = 0xFFFF; // sentinel that stops the reordering scan
    parent_[kRoot] = 0;
}

void AdaptiveTree::Rebuild()
{
    // Gather the leaves in the lower half with halved counts (rounded up).
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
        if (son_[i] >= kNodes) {
            freq_[j] = (freq_[i] + 1) / 2;
            son_[j] = son_[i];
            ++j;
        }
    }
    // Join pairs into inner nodes, each inserted where its count keeps the order.
    for (int i = 0, node = kSymbols; node < kNodes; i += 2, ++node) {
        const unsigned f = freq_[i] + freq_[i + 1];
        int k = node - 1;
        while (f < freq_[k])
            --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
        freq_[k] = f;
        son_[k] = i;
    }
    for (int i = 0; i < kNodes; ++i) {
        const int k = son_[i];
        if (k >= kNodes) {
            parent_[k] = i;
        } else {
            parent_[k] = i;
            parent_[k + 1] = i;
        }
    }
}

void AdaptiveTree::Update(int symbol)
{
    if (freq_[kRoot] == kMaxFrequency)
        Rebuild();
    int c = parent_[symbol + kNodes];
    do {
        const unsigned k = ++freq_[c];
        int l = c + 1;
        if (k > freq_[l]) {
            while (k > freq_[++l]) {}
            --l;
            // Swap node c with the last node l of a lower count.
            freq_[c] = freq_[l];
            freq_[l] = k;
            const int i = son_[c];
            parent_[i] = l;
            if (i < kNodes)
                parent_[i + 1] = l;
            const int j = son_[l];
            son_[l] = i;
            parent_[j] = c;
            if (j < kNodes)
                parent_[j + 1] = c;
            son_[c] = j;
            c = l;
        }
        c = parent_[c];
    } while (c != 0);
}

} // namespace lzhuf
