#include "text/ByteRuns.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace qw {
namespace {

// The answers of a loop over single bytes.
std::size_t naiveFirstOpener(std::string_view t, std::size_t from) {
    for (std::size_t i = from; i < t.size(); ++i)
        if (t[i] == '\'' || t[i] == '{' || t[i] == '(' || t[i] == '/')
            return i;
    return t.size();
}
bool blank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Texts of every length across two steps of sixteen, of bytes that a wrong
// mask or shift would misread (nulls, blanks, the byte after a blank, high
// bytes, the openers), each byte drawn with a fixed generator: every walk
// gives what the byte loop gives, from every start (the walk eight bytes at a
// time too, which processors without SSE2 take).
TEST(ByteRuns, WalksGiveWhatAByteLoopGives) {
    const char alphabet[] = {'\0',   ' ',  '!', '\t', 'a', '\x80',
                             '\xff', '\'', '{', '(',  '/', '\x7f'};
    std::uint32_t seed = 12345;
    const auto draw = [&](std::uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % below;
    };
    for (int round = 0; round < 60; ++round) {
        for (std::size_t n = 0; n <= 48; ++n) {
            // Some texts are mostly of one byte, so that the hits are rare.
            const char usual = alphabet[draw(sizeof alphabet)];
            std::string t;
            for (std::size_t k = 0; k < n; ++k)
                t += draw(4) == 0 ? alphabet[draw(sizeof alphabet)] : usual;

            std::uint32_t sum = 0;
            for (unsigned char c : t)
                sum += c;
            EXPECT_EQ(byteSum(t), sum) << n;

            std::size_t b = 0, e = n;
            while (b < n && blank(t[b]))
                ++b;
            while (e > 0 && blank(t[e - 1]))
                --e;
            EXPECT_EQ(firstAboveBlanks(t), b) << n;
            EXPECT_EQ(endOfAboveBlanks(t), e) << n;

            for (std::size_t from = 0; from <= n; ++from) {
                const std::size_t expected = naiveFirstOpener(t, from);
                EXPECT_EQ((findFirstOfFour<'\'', '{', '(', '/'>(t, from)), expected)
                    << n << " from " << from;
                EXPECT_EQ((byteruns::firstOfFourPortable<'\'', '{', '(', '/'>(t, from)), expected)
                    << n << " from " << from;
            }
        }
    }
}

} // namespace
} // namespace qw
