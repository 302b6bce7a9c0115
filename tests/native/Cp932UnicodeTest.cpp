// The CP932 table against glibc's own CP932 converter, which decodes every
// code as Windows does and, among codes of the same character, encodes to the
// one Windows picks.
#include <gtest/gtest.h>

#include "core/Cp932.h"
#include "core/Cp932Unicode.h"
#include "Iconv.h"

TEST(Cp932Unicode, DecodesEveryDoubleByteCodeAsGlibc) {
  Iconv decoder("UTF-32LE", "CP932");
  ASSERT_TRUE(decoder.IsOpen()) << "glibc has no CP932 converter";
  int assigned = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      const unsigned char code[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
      std::string expected;
      bool one = decoder.Convert(std::string(code, code + 2), expected) && expected.size() == 4 && IsLeadByte(code[0]);
      char32_t c = 0;
      size_t len = DecodeCp932Char(code, 2, c);
      if (one) {
        EXPECT_EQ(2u, len) << std::hex << lead << " " << trail;
        EXPECT_EQ(expected, Utf32(c)) << std::hex << lead << " " << trail;
        ++assigned;
      } else if (IsLeadByte(code[0])) {
        EXPECT_EQ(0u, len) << std::hex << lead << " " << trail;
      }
    }
  }
  // JIS X 0208 and the NEC and IBM rows, then the user-defined area.
  EXPECT_EQ(7724 + 1880, assigned);
}

TEST(Cp932Unicode, EncodesEveryCharacterAsGlibcWhenItRoundTrips) {
  Iconv encoder("CP932", "UTF-32LE");
  Iconv decoder("UTF-32LE", "CP932");
  ASSERT_TRUE(encoder.IsOpen() && decoder.IsOpen()) << "glibc has no CP932 converter";
  int withForm = 0;
  for (char32_t c = 1; c < 0x11000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    // glibc also falls back on look-alikes (U+00A5 to 5C); only a form that
    // decodes back to the character counts.
    std::string form, back;
    bool roundTrips = encoder.Convert(Utf32(c), form) && decoder.Convert(form, back) && back == Utf32(c);
    // 80 and A0 decode, but are no CP932 text.
    if (form == "\x80" || form == "\xA0") roundTrips = false;
    char ours[2];
    size_t len = EncodeCp932Char(c, ours);
    EXPECT_EQ(roundTrips ? form : std::string(), std::string(ours, len)) << std::hex << static_cast<unsigned long>(c);
    withForm += roundTrips;
  }
  EXPECT_EQ(127 + 63 + 7326 + 1880, withForm);
}
