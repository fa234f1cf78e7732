#include <gtest/gtest.h>
#include <vector>

#include "table/ElementCodec.h"
#include "table/ElementStyle.h"
#include "table/NumberCodec.h"

namespace {

using Bytes = std::vector<uint8_t>;

CharTable Identity() {
    CharTable t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    return t;
}

// Value of the bytes by plain arithmetic, independent of the codec's shifts.
int64_t Weighted(const Bytes& bytes, bool sign) {
    int64_t value = 0;
    int64_t scale = 1;
    for (uint8_t b : bytes) {
        value += b * scale;
        scale *= 256;
    }
    if (sign && value >= scale / 2) value -= scale;
    return value;
}

class WidthTest : public testing::TestWithParam<uint32_t> {};

} // namespace

// Every byte value at every position of every width.
TEST_P(WidthTest, DecodeAndEncodeAgreeWithArithmetic) {
    const uint32_t width = GetParam();
    for (uint32_t pos = 0; pos < width; ++pos) {
        for (int v = 0; v < 256; ++v) {
            for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xA5}, uint8_t{0xFF}}) {
                Bytes bytes(width, fill);
                bytes[pos] = static_cast<uint8_t>(v);
                uint32_t u = NumberCodec::DecodeUnsigned(bytes);
                ASSERT_EQ(u, static_cast<uint32_t>(Weighted(bytes, false)));
                ASSERT_EQ(NumberCodec::DecodeSigned(bytes), Weighted(bytes, true));
                Bytes back(width, 0x5A);
                NumberCodec::EncodeUnsigned(u, back);
                ASSERT_EQ(back, bytes);
            }
        }
    }
}

// Showing and reading back are inverses for each kind of number: every value
// of the small widths, every byte at every position of the others.
TEST_P(WidthTest, NumbersSurviveShowAndRead) {
    const uint32_t width = GetParam();
    std::vector<Bytes> samples;
    if (width <= 2) {
        for (uint32_t value = 0; value < (1u << (8 * width)); ++value) {
            Bytes bytes(width);
            NumberCodec::EncodeUnsigned(value, bytes);
            samples.push_back(bytes);
        }
    } else {
        for (uint32_t pos = 0; pos < width; ++pos)
            for (int v = 0; v < 256; ++v)
                for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xFF}}) {
                    Bytes bytes(width, fill);
                    bytes[pos] = static_cast<uint8_t>(v);
                    samples.push_back(bytes);
                }
    }
    for (uint8_t style :
         {uint8_t{0}, uint8_t{STYLE_SIGNED}, uint8_t{STYLE_HEX}, uint8_t{STYLE_HEX | STYLE_SIGNED}}) {
        for (const Bytes& bytes : samples) {
            std::string shown = ElementCodec::ShowNumber(bytes, style);
            ASSERT_EQ(ElementCodec::ReadNumber(shown, width), bytes) << shown;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllWidths, WidthTest, testing::Values(1u, 2u, 3u, 4u));

TEST(NumberCodecTest, KnownValues) {
    EXPECT_EQ(NumberCodec::DecodeSigned(Bytes{0xFF}), -1);
    EXPECT_EQ(NumberCodec::DecodeSigned(Bytes{0x80}), -128);
    EXPECT_EQ(NumberCodec::DecodeSigned(Bytes{0x7F}), 127);
    EXPECT_EQ(NumberCodec::DecodeSigned(Bytes{0x00, 0x80}), -32768);
    EXPECT_EQ(NumberCodec::DecodeSigned(Bytes{0xFF, 0xFF, 0x7F}), 8388607);
    EXPECT_EQ(NumberCodec::DecodeSigned(Bytes{0, 0, 0, 0x80}), INT32_MIN);
    EXPECT_EQ(NumberCodec::DecodeSigned(Bytes{0xFF, 0xFF, 0xFF, 0xFF}), -1);

    Bytes two(2);
    NumberCodec::EncodeUnsigned(0x12345678, two);
    EXPECT_EQ(two, (Bytes{0x78, 0x56}));
    Bytes one(1);
    NumberCodec::EncodeUnsigned(300, one);
    EXPECT_EQ(one, Bytes{0x2C});
    NumberCodec::EncodeUnsigned(256, one);
    EXPECT_EQ(one, Bytes{0x00});
}

TEST(ElementCodecTest, KindFollowsTheStyleBitsInOrder) {
    EXPECT_EQ(ElementCodec::KindOf(STYLE_DROPBOX | STYLE_HEX), ElementKind::Dropbox);
    EXPECT_EQ(ElementCodec::KindOf(STYLE_HEXARRAY | STYLE_SIGNED), ElementKind::HexArray);
    EXPECT_EQ(ElementCodec::KindOf(STYLE_TEXT | STYLE_SIGNED | STYLE_BISCUIT), ElementKind::Text);
    EXPECT_EQ(ElementCodec::KindOf(STYLE_HEX | STYLE_SIGNED), ElementKind::HexNumber);
    EXPECT_EQ(ElementCodec::KindOf(STYLE_SIGNED | STYLE_BISCUIT), ElementKind::SignedNumber);
    EXPECT_EQ(ElementCodec::KindOf(STYLE_BISCUIT), ElementKind::UnsignedNumber);
}

TEST(ElementCodecTest, EditBoxShowsTheFormOfTheKind) {
    CharTable charOf{};
    for (int i = 0; i < 256; ++i)
        charOf[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    charOf[0x80] = 'Z';
    const std::vector<uint8_t> bytes{0x80, 0xFF};
    EXPECT_EQ(ElementCodec::ShowInEdit(bytes, STYLE_HEXARRAY | STYLE_SIGNED, charOf), "80 FF");
    EXPECT_EQ(ElementCodec::ShowInEdit(bytes, STYLE_TEXT | STYLE_HEX, charOf), "Z\xFF");
    EXPECT_EQ(ElementCodec::ShowInEdit(bytes, STYLE_HEX | STYLE_SIGNED, charOf), "0xFF80");
    EXPECT_EQ(ElementCodec::ShowInEdit(bytes, STYLE_SIGNED, charOf), "-128");
    EXPECT_EQ(ElementCodec::ShowInEdit(bytes, 0, charOf), "65408");
}

TEST(ElementCodecTest, ShowNumbers) {
    Bytes ff(4, 0xFF);
    EXPECT_EQ(ElementCodec::ShowNumber(ff, 0), "4294967295");
    EXPECT_EQ(ElementCodec::ShowNumber(ff, STYLE_HEX), "0xFFFFFFFF");
    EXPECT_EQ(ElementCodec::ShowNumber(ff, STYLE_SIGNED), "-1");
    EXPECT_EQ(ElementCodec::ShowNumber(ff, STYLE_HEX | STYLE_SIGNED), "0xFFFFFFFF");
    EXPECT_EQ(ElementCodec::ShowNumber(Bytes{0x34, 0x12}, STYLE_HEX), "0x1234");
    EXPECT_EQ(ElementCodec::ShowNumber(Bytes{0x0A}, STYLE_HEX), "0x0A");
    EXPECT_EQ(ElementCodec::ShowNumber(Bytes{0x05, 0, 0}, STYLE_HEX), "0x05");
    EXPECT_EQ(ElementCodec::ShowNumber(Bytes{0x40, 0x1F, 0, 0}, STYLE_HEX), "0x1F40");
}

TEST(ElementCodecTest, ReadNumbers) {
    EXPECT_EQ(ElementCodec::ReadNumber("0x1F", 1), Bytes{31});
    EXPECT_EQ(ElementCodec::ReadNumber("1F", 1), Bytes{1});
    EXPECT_EQ(ElementCodec::ReadNumber("010", 1), Bytes{8});
    EXPECT_EQ(ElementCodec::ReadNumber("", 2), (Bytes{0, 0}));
    EXPECT_EQ(ElementCodec::ReadNumber("abc", 1), Bytes{0});
    EXPECT_EQ(ElementCodec::ReadNumber(" 42", 1), Bytes{42});
    EXPECT_EQ(ElementCodec::ReadNumber("-2", 2), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(ElementCodec::ReadNumber("-128", 1), Bytes{0x80});
    EXPECT_EQ(ElementCodec::ReadNumber("4294967296", 2), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(ElementCodec::ReadNumber("70000", 3), (Bytes{0x70, 0x11, 0x01}));
}

TEST(ElementCodecTest, HexArrays) {
    EXPECT_EQ(ElementCodec::ShowHexArray(Bytes{0x01, 0xAB, 0x00}), "01 AB 00");
    EXPECT_EQ(ElementCodec::ShowHexArray(Bytes{0x7F}), "7F");
    EXPECT_EQ(ElementCodec::ReadHexArray("01 ab 00", 3), (Bytes{0x01, 0xAB, 0x00}));
    EXPECT_EQ(ElementCodec::ReadHexArray("01-AB-00", 3), (Bytes{0x01, 0xAB, 0x00}));
    EXPECT_EQ(ElementCodec::ReadHexArray("1 AB 00", 3), std::nullopt);
    EXPECT_EQ(ElementCodec::ReadHexArray("01 AB 00 ", 3), std::nullopt);
    EXPECT_EQ(ElementCodec::ReadHexArray("01 AB 0G", 3), (Bytes{0x01, 0xAB, 0x00}));
    EXPECT_EQ(ElementCodec::ReadHexArray("ABCDE", 2), (Bytes{0xBC, 0xDE}));
    EXPECT_EQ(ElementCodec::ReadHexArray("-1 +2", 2), (Bytes{0xFF, 0x02}));
    EXPECT_EQ(ElementCodec::ReadHexArray("5", 1), std::nullopt);
    EXPECT_EQ(ElementCodec::ReadHexArray("", 0), std::nullopt);
    // Every byte value in every position comes back as it went out.
    Bytes all(256);
    for (int i = 0; i < 256; ++i)
        all[static_cast<size_t>(i)] = static_cast<uint8_t>(255 - i);
    EXPECT_EQ(ElementCodec::ReadHexArray(ElementCodec::ShowHexArray(all), 256), all);
}

TEST(ElementCodecTest, TextThroughCharacterTables) {
    CharTable id = Identity();
    EXPECT_EQ(ElementCodec::ShowText(Bytes{0x48, 0x69, 0, 0}, id), "Hi");
    EXPECT_EQ(ElementCodec::ReadText("Hey", 4, id), (Bytes{0x48, 0x65, 0x79, 0}));
    EXPECT_EQ(ElementCodec::ShowText(Bytes{0x41, 0, 0x42}, id), "A");
    EXPECT_EQ(ElementCodec::ReadText("A", 3, id), (Bytes{0x41, 0, 0}));
    EXPECT_EQ(ElementCodec::ReadText("toolong", 3, id), (Bytes{'t', 'o', 'o'}));

    // Every non-NUL byte survives with identity tables, the high half included.
    Bytes all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<uint8_t>(b));
    std::string shown = ElementCodec::ShowText(all, id);
    ASSERT_EQ(shown.size(), all.size());
    EXPECT_EQ(ElementCodec::ReadText(shown, 255, id), all);

    // A table maps code 0x00 to a visible character and 0xC1 to 'A'.
    CharTable charOf = id;
    CharTable codeOf = id;
    charOf[0x00] = '.';
    codeOf['.'] = 0x00;
    charOf[0xC1] = 'A';
    codeOf['A'] = 0xC1;
    EXPECT_EQ(ElementCodec::ShowText(Bytes{0xC1, 0x00, 0x41}, charOf), "A.A");
    EXPECT_EQ(ElementCodec::ReadText("A.", 3, codeOf), (Bytes{0xC1, 0x00, 0x00}));
    EXPECT_EQ(ElementCodec::ReadText("\xE9", 1, codeOf), Bytes{0xE9});
}

TEST(ElementCodecTest, Dropboxes) {
    std::vector<uint32_t> values{1, 2, 1};
    EXPECT_EQ(ElementCodec::ShowDropbox(Bytes{1, 0}, values), 2);
    EXPECT_EQ(ElementCodec::ShowDropbox(Bytes{2, 0}, values), 1);
    EXPECT_EQ(ElementCodec::ShowDropbox(Bytes{5, 0}, values), -1);
    EXPECT_EQ(ElementCodec::ShowDropbox(Bytes{1, 1}, values), -1);

    EXPECT_EQ(ElementCodec::ReadDropbox(1, values, 2), (Bytes{2, 0}));
    EXPECT_EQ(ElementCodec::ReadDropbox(-1, values, 2), std::nullopt);
    EXPECT_EQ(ElementCodec::ReadDropbox(3, values, 2), std::nullopt);
    EXPECT_EQ(ElementCodec::ReadDropbox(0, {0x1234}, 1), Bytes{0x34});

    EXPECT_EQ(ElementCodec::DropboxItemLabel(3, "Fire", STYLE_DROPBOX | STYLE_HEX), "0x03 - Fire");
    EXPECT_EQ(ElementCodec::DropboxItemLabel(3, "Fire", STYLE_DROPBOX), "3 - Fire");
    EXPECT_EQ(ElementCodec::DropboxItemLabel(0x1F40, "", STYLE_HEX), "0x1F40 - ");
    EXPECT_EQ(ElementCodec::DropboxItemLabel(4294967295u, "Max", 0), "4294967295 - Max");
    // The name ends at a NUL byte, as it would through "%s".
    EXPECT_EQ(ElementCodec::DropboxItemLabel(1, std::string("Ice\0hidden", 10), 0), "1 - Ice");
    EXPECT_EQ(ElementCodec::DropboxItemLabel(2, std::string("\0", 1), STYLE_HEX), "0x02 - ");
}
