#pragma once

// Walking runs of bytes several at a time: most of a line is a run that no
// rule looks into (plain code, the bytes of a checksum). Sixteen bytes per
// step where the processor has SSE2 (every x86-64), eight elsewhere; the
// answers are those of a loop over single bytes.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qw {

namespace byteruns {

// findFirstOfFour eight bytes at a time, for processors without SSE2 and for
// texts shorter than sixteen bytes.
template <char A, char B, char C, char D>
std::size_t firstOfFourPortable(std::string_view text, std::size_t from) {
    const std::size_t n = text.size();
    const char* p = text.data();
    std::size_t i = from;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101u;
        // Bit 7 of every byte equal to `c`: the lowest such bit is exact (a
        // borrow can flag only bytes above a true match).
        const auto equalTo = [](std::uint64_t w, char ch) {
            const std::uint64_t x = w ^ (kOnes * static_cast<unsigned char>(ch));
            return (x - kOnes) & ~x & (kOnes << 7);
        };
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            if (const std::uint64_t hits =
                    equalTo(w, A) | equalTo(w, B) | equalTo(w, C) | equalTo(w, D))
                return i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
        }
    }
    for (; i < n; ++i)
        if (p[i] == A || p[i] == B || p[i] == C || p[i] == D)
            return i;
    return n;
}

} // namespace byteruns

// The first index from `from` on that holds one of the bytes A, B, C or D, or
// the text's length.
template <char A, char B, char C, char D>
std::size_t findFirstOfFour(std::string_view text, std::size_t from) {
#if defined(__SSE2__)
    const std::size_t n = text.size();
    const char* p = text.data();
    std::size_t i = from;
    if (n >= 16 && i < n) {
        const __m128i a = _mm_set1_epi8(A), b = _mm_set1_epi8(B);
        const __m128i c = _mm_set1_epi8(C), d = _mm_set1_epi8(D);
        const auto hitsAt = [&](std::size_t at) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
            const __m128i ab = _mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b));
            const __m128i cd = _mm_or_si128(_mm_cmpeq_epi8(v, c), _mm_cmpeq_epi8(v, d));
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(ab, cd)));
        };
        for (; i + 16 <= n; i += 16)
            if (const unsigned hits = hitsAt(i))
                return i + static_cast<std::size_t>(std::countr_zero(hits));
        if (i == n)
            return n;
        // The last sixteen bytes, overlapping those already read: the bits of
        // bytes before `i` are shifted out.
        const unsigned hits = hitsAt(n - 16) >> (i - (n - 16));
        return hits ? i + static_cast<std::size_t>(std::countr_zero(hits)) : n;
    }
#endif
    return byteruns::firstOfFourPortable<A, B, C, D>(text, from);
}

#if defined(__SSE2__)
namespace byteruns {
// Bit k set where byte k of the sixteen at `p` is above 32 (not a blank or
// control character).
inline unsigned aboveBlanks(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i k32 = _mm_set1_epi8(32);
    const __m128i blank = _mm_cmpeq_epi8(_mm_max_epu8(v, k32), k32);
    return ~static_cast<unsigned>(_mm_movemask_epi8(blank)) & 0xFFFFu;
}
} // namespace byteruns
#endif

// The index of the first byte above 32, or the text's length.
inline std::size_t firstAboveBlanks(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16)
        if (const unsigned hits = byteruns::aboveBlanks(text.data() + i))
            return i + static_cast<std::size_t>(std::countr_zero(hits));
#endif
    while (i < n && static_cast<unsigned char>(text[i]) <= 32)
        ++i;
    return i;
}

// One past the last byte above 32, or 0.
inline std::size_t endOfAboveBlanks(std::string_view text) {
    std::size_t e = text.size();
#if defined(__SSE2__)
    for (; e >= 16; e -= 16)
        if (const unsigned hits = byteruns::aboveBlanks(text.data() + e - 16))
            return e - 16 + 32 - static_cast<std::size_t>(std::countl_zero(hits));
#endif
    while (e > 0 && static_cast<unsigned char>(text[e - 1]) <= 32)
        --e;
    return e;
}

// The sum of the bytes, each taken as 0 to 255, modulo 2 to the 32nd.
inline std::uint32_t byteSum(std::string_view text) {
    const std::size_t n = text.size();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    std::uint32_t sum = 0;
#if defined(__SSE2__)
    if (n >= 16) {
        const __m128i zero = _mm_setzero_si128();
        const auto sumAt = [&](std::size_t at, __m128i keep) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
            return _mm_sad_epu8(_mm_and_si128(v, keep), zero);
        };
        const __m128i all = _mm_set1_epi8(-1);
        __m128i lanes = zero;
        for (; i + 16 <= n; i += 16)
            lanes = _mm_add_epi64(lanes, sumAt(i, all));
        if (i < n) {
            // The last sixteen bytes, overlapping those already summed: only
            // the last n - i of them count.
            alignas(16) static constexpr unsigned char kLast[32] = {
                0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
                0,    0,    0,    0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
            const __m128i keep = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kLast + (n - i)));
            lanes = _mm_add_epi64(lanes, sumAt(n - 16, keep));
        }
        return static_cast<std::uint32_t>(_mm_cvtsi128_si32(lanes)) +
               static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(lanes, 8)));
    }
#endif
    for (; i < n; ++i)
        sum += p[i];
    return sum;
}

} // namespace qw
