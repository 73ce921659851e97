#include <gtest/gtest.h>

#include <string>

#include "catalogue/models.h"

namespace {
// The inverse of DecodeDisplayName: how the stored codes were made.
std::string Encode(const std::string& clear, std::uint16_t key) {
    std::string code;
    std::uint16_t k = key;
    for (unsigned char p : clear) {
        const auto s = static_cast<unsigned char>(p ^ (k >> 8));
        k = static_cast<std::uint16_t>(kKeyAddend - kKeyMultiplier * (s + k));
        code += static_cast<char>('A' + s / 26);
        code += static_cast<char>('A' + s % 26);
    }
    return code;
}

// The scrambled byte a pair stands for, through the keyed pass undone: with
// the key's high byte XORed away, the first decoded byte is the pair's value.
int FirstPairValue(const std::string& code, std::uint16_t key) {
    const std::string clear = DecodeDisplayName(code, key);
    return clear.empty() ? -1 : static_cast<unsigned char>(clear[0] ^ (key >> 8));
}
}  // namespace

TEST(DisplayNameCodec, EdgeCases) {
    struct Case {
        const char* name;
        std::string code;
        std::size_t length;
        int firstScrambled;  // -1: no bytes
    } cases[] = {
        {"empty", "", 0, -1},
        {"one letter", "Q", 0, -1},
        {"odd length ignores the last letter", "ABC", 1, 1},
        {"Z then Z wraps to 163", "ZZ", 1, 163},
        {"A then A is a NUL byte", "AA", 1, 0},
        {"a pair worth 256 is a NUL byte", "JW", 1, 0},
        {"a pair worth 512 is a NUL byte", "TS", 1, 0},
        {"34 letters give 17 bytes", std::string(34, 'B'), 17, 27},
        {"letters are not validated", "a!", 1, ((26 * 'a' + '!' - 1755) & 0xFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string clear = DecodeDisplayName(c.code, kDisplayNameKey);
        EXPECT_EQ(clear.size(), c.length);
        EXPECT_EQ(FirstPairValue(c.code, kDisplayNameKey), c.firstScrambled);
    }
}

TEST(DisplayNameCodec, NulBytesAreKeptAndStillMoveTheKey) {
    // A NUL in the scrambled bytes stays in the length and still feeds the
    // key, so the byte after it decodes differently than without it.
    const std::string withNul = DecodeDisplayName("AABC", kDisplayNameKey);
    ASSERT_EQ(withNul.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(withNul[0]), kDisplayNameKey >> 8);
    const std::uint16_t nextKey =
        static_cast<std::uint16_t>(kKeyAddend - kKeyMultiplier * (0 + kDisplayNameKey));
    EXPECT_EQ(static_cast<unsigned char>(withNul[1]), (26 * 1 + 2) ^ (nextKey >> 8));
}

TEST(DisplayNameCodec, RoundTripsArbitraryBytesForAnyKey) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    for (std::uint16_t key : {std::uint16_t{0}, kDisplayNameKey, std::uint16_t{0xFFFF}}) {
        const std::string code = Encode(bytes, key);
        EXPECT_EQ(code.size(), 512u);
        EXPECT_EQ(DecodeDisplayName(code, key), bytes) << "key " << key;
    }
}

TEST(DisplayNameCodec, LeavesTheCallersCodeAlone) {
    const std::string code = g_displayNameCodes[0];
    DecodeDisplayName(code, kDisplayNameKey);
    EXPECT_EQ(code, g_displayNameCodes[0]);
    EXPECT_EQ(DecodeDisplayName(code, kDisplayNameKey), DecodeDisplayName(code, kDisplayNameKey));
}

TEST(ModelCatalogue, StoredCodesDecodeToTheModelNames) {
    // Code page 936 bytes of "POS-58 小票打印机" and its siblings.
    const std::string tail = "\x20\xD0\xA1\xC6\xB1\xB4\xF2\xD3\xA1\xBB\xFA";
    const std::string expected[kModelCount] = {"POS-58" + tail, "POS-76" + tail, "POS-80" + tail};
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(model);
        const std::string code = g_displayNameCodes[model];
        EXPECT_EQ(code.size(), 34u);
        EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos);
        EXPECT_EQ(DecodeDisplayName(code, kDisplayNameKey), expected[model]);
        EXPECT_EQ(Encode(expected[model], kDisplayNameKey), code);
    }
}
