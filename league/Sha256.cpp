// SHA-256 (FIPS 180-4), over a byte string given whole or in pieces.
#include "league/Sha256.h"

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace tenvoll {

namespace {

constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t rotr(std::uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

void compress(std::array<std::uint32_t, 8>& h, const unsigned char* block) {
    std::array<std::uint32_t, 64> w{};
    for (int i = 0; i < 16; ++i)
        w[i] = std::uint32_t(block[4 * i]) << 24 | std::uint32_t(block[4 * i + 1]) << 16 |
               std::uint32_t(block[4 * i + 2]) << 8 | std::uint32_t(block[4 * i + 3]);
    for (int i = 16; i < 64; ++i) {
        std::uint32_t s0 = rotr(w[i - 15], 7) ^ rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        std::uint32_t s1 = rotr(w[i - 2], 17) ^ rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t t1 =
            k + (rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
        std::uint32_t t2 = (rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        k = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    h[0] += a;
    h[1] += b;
    h[2] += c;
    h[3] += d;
    h[4] += e;
    h[5] += f;
    h[6] += g;
    h[7] += k;
}

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define TENVOLL_SHA_EXTENSIONS 1

// The same rounds with the processor's SHA instructions, four rounds of the
// schedule and two of the compression per instruction.
__attribute__((target("sha,sse4.1"))) void compressWithExtensions(std::array<std::uint32_t, 8>& h,
                                                                  const unsigned char* data,
                                                                  std::size_t blocks) {
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
    __m128i tmp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&h[0]));
    __m128i state1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&h[4]));
    tmp = _mm_shuffle_epi32(tmp, 0xB1);               // CDAB
    state1 = _mm_shuffle_epi32(state1, 0x1B);         // EFGH
    __m128i state0 = _mm_alignr_epi8(tmp, state1, 8); // ABEF
    state1 = _mm_blend_epi16(state1, tmp, 0xF0);      // CDGH
    for (std::size_t b = 0; b < blocks; ++b, data += 64) {
        const __m128i abef = state0;
        const __m128i cdgh = state1;
        __m128i w[16]; // the schedule, four words each
        for (std::size_t g = 0; g < 16; ++g) {
            if (g < 4)
                w[g] = _mm_shuffle_epi8(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * g)), byteSwap);
            else
                w[g] = _mm_sha256msg2_epu32(_mm_add_epi32(_mm_sha256msg1_epu32(w[g - 4], w[g - 3]),
                                                          _mm_alignr_epi8(w[g - 1], w[g - 2], 4)),
                                            w[g - 1]);
            __m128i msg = _mm_add_epi32(
                w[g], _mm_loadu_si128(reinterpret_cast<const __m128i*>(&kRound[4 * g])));
            state1 = _mm_sha256rnds2_epu32(state1, state0, msg);
            msg = _mm_shuffle_epi32(msg, 0x0E);
            state0 = _mm_sha256rnds2_epu32(state0, state1, msg);
        }
        state0 = _mm_add_epi32(state0, abef);
        state1 = _mm_add_epi32(state1, cdgh);
    }
    tmp = _mm_shuffle_epi32(state0, 0x1B);       // FEBA
    state1 = _mm_shuffle_epi32(state1, 0xB1);    // DCHG
    state0 = _mm_blend_epi16(tmp, state1, 0xF0); // DCBA
    state1 = _mm_alignr_epi8(state1, tmp, 8);    // HGFE
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[0]), state0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&h[4]), state1);
}

// Asked of the processor itself: clang's __builtin_cpu_supports knows no "sha".
bool haveExtensions() {
    constexpr unsigned kSse41Bit = 1u << 19; // leaf 1, ECX
    constexpr unsigned kShaBit = 1u << 29;   // leaf 7, EBX
    static const bool have = [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & kSse41Bit))
            return false;
        return __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & kShaBit);
    }();
    return have;
}
#endif

// `blocks` whole blocks of 64 bytes.
void compressBlocks(std::array<std::uint32_t, 8>& h, const unsigned char* data,
                    std::size_t blocks) {
#ifdef TENVOLL_SHA_EXTENSIONS
    if (haveExtensions()) {
        compressWithExtensions(h, data, blocks);
        return;
    }
#endif
    for (std::size_t b = 0; b < blocks; ++b)
        compress(h, data + 64 * b);
}

} // namespace

Sha256::Sha256()
    : state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
             0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256::add(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    total_ += n;
    // A block begun by an earlier piece is filled first.
    if (buffered_ > 0) {
        std::size_t take = std::min(n, kBlock - buffered_);
        std::copy(data, data + take, block_.begin() + static_cast<std::ptrdiff_t>(buffered_));
        buffered_ += take;
        data += take;
        n -= take;
        if (buffered_ < kBlock)
            return;
        compressBlocks(state_, block_.data(), 1);
        buffered_ = 0;
    }
    const std::size_t whole = n / kBlock;
    compressBlocks(state_, data, whole);
    data += whole * kBlock;
    n -= whole * kBlock;
    std::copy(data, data + n, block_.begin());
    buffered_ = n;
}

std::string Sha256::hex() const {
    std::array<std::uint32_t, 8> h = state_;
    // The tail, the 0x80 marker and the length in bits fill one or two blocks.
    std::array<unsigned char, 2 * kBlock> tail{};
    std::copy(block_.begin(), block_.begin() + static_cast<std::ptrdiff_t>(buffered_),
              tail.begin());
    tail[buffered_] = 0x80;
    std::size_t blocks = buffered_ + 9 > kBlock ? 2 : 1;
    std::uint64_t bits = total_ * 8;
    for (int i = 0; i < 8; ++i)
        tail[blocks * kBlock - 1 - i] = static_cast<unsigned char>(bits >> (8 * i));
    compressBlocks(h, tail.data(), blocks);

    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(64);
    for (std::uint32_t word : h)
        for (int shift = 28; shift >= 0; shift -= 4)
            out += kDigits[(word >> shift) & 0xf];
    return out;
}

std::string sha256Hex(std::string_view bytes) {
    Sha256 h;
    h.add(bytes);
    return h.hex();
}

} // namespace tenvoll
