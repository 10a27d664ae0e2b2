#pragma once
// What the fuzz targets share: their default libFuzzer flags, Qt on the offscreen platform, and
// a reader that takes an input apart into choices and text.
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

// libFuzzer reads its flags after LLVMFuzzerInitialize: the target's own limits (its per-input
// time limit above all) go in front of the command line, so a flag given there still wins.
void UseDefaultFlags(int* argc, char*** argv, std::initializer_list<const char*> flags);

// A QApplication on the offscreen platform, for targets that lay out text or build windows.
void StartOffscreenApplication(char* programName);

// Leading bytes of an input choose options; what is left is the text.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    // The next byte, 0 once the input is used up.
    int Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // A number in [0, below) from the next two bytes.
    int Number(int below) { return below > 0 ? ((Byte() << 8) | Byte()) % below : 0; }
    // The next `length` bytes, fewer at the end.
    QByteArray Take(std::size_t length);
    QByteArray Rest() { return Take(size_ - pos_); }
    bool AtEnd() const { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};
