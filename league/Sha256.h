// SHA-256 of a byte string, as 64 lower-case hexadecimal digits: the content
// fingerprint a term update's manifest records for every file it wrote.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tenvoll {

std::string sha256Hex(std::string_view bytes);

// The same over bytes that arrive in pieces (a file copied block by block).
class Sha256 {
public:
    Sha256();
    void add(std::string_view bytes);
    // The digest of everything added so far.
    std::string hex() const;

private:
    static constexpr std::size_t kBlock = 64;
    std::array<std::uint32_t, 8> state_;
    std::array<unsigned char, kBlock> block_{}; // the bytes of a block not yet full
    std::size_t buffered_ = 0;
    std::uint64_t total_ = 0;
};

} // namespace tenvoll
