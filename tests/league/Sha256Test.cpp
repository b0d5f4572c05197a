// SHA-256 against the standard test vectors, with lengths around the block
// and padding boundaries (55, 56, 64 bytes) where a padding fault shows.
#include "league/Sha256.h"

#include <gtest/gtest.h>

#include <string>

using namespace tenvoll;

TEST(Sha256, MatchesTheStandardVectors) {
    struct Case {
        std::string input;
        const char* hex;
    };
    const Case cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sha256Hex(c.input), c.hex) << c.input.size() << " bytes";
}

// Pieces of every size that straddle the block boundary give the digest of the whole.
TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>(i * 7 + 1);
    for (std::size_t piece : {1u, 3u, 63u, 64u, 65u, 129u}) {
        Sha256 h;
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            h.add(std::string_view(bytes).substr(at, piece));
        EXPECT_EQ(h.hex(), sha256Hex(bytes)) << piece;
    }
}
