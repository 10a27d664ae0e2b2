#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skinformat {

// Why a package was refused: another version of the format, or damage (the message says what).
struct Refusal {
    bool olderVersion = false;
    std::string message; // UTF-8
};

// The named entries of a skin package, held in the one buffer its stream decodes to.
class SkinContainer {
public:
    static constexpr std::size_t npos = std::size_t(-1);

    // Decodes the package and reads its directory. False, with the container left empty and
    // Problem() saying why, for a package of another version or a damaged one.
    bool Read(std::string_view package);

    std::size_t Count() const { return names_.size(); }
    // Latin-1, with A to Z lowered.
    const std::string& Name(std::size_t index) const { return names_[index]; }
    std::string_view Data(std::size_t index) const
    {
        return {data_.get() + offsets_[index], offsets_[index + 1] - offsets_[index]};
    }

    // The first entry whose name equals `name` with A to Z lowered; npos when there is none.
    std::size_t Find(std::string_view name) const;
    // The first entry whose name contains `text` as it stands; npos when there is none.
    std::size_t FindContaining(std::string_view text) const;

    const Refusal& Problem() const { return problem_; }

private:
    bool Fail(std::string message);
    bool Decompress(std::string_view package);
    bool ReadDirectory();
    void Clear();

    std::vector<std::string> names_;
    std::vector<std::size_t> offsets_; // entry i is data_[offsets_[i], offsets_[i + 1])
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    Refusal problem_;
};

} // namespace skinformat
