#include "core/Cp932Unicode.h"

#include "core/AsciiRun.h"
#include "core/Cp932.h"

namespace {

// Several codes decode to some characters: NEC row 13 (87) repeats signs of
// the JIS X 0208 rows, the IBM extensions (FA-FC) repeat NEC row 13 signs and
// the NEC-selected IBM extensions (ED, EE) repeat the IBM extensions. Windows
// encodes such a character to its JIS X 0208 code, else its NEC row 13 code,
// else its IBM extension code: U+2252 to 81E0 (not 8790), U+2160 to 8754 (not
// FA4A), U+2170 to FA40 (not EEEF).
int Rank(unsigned lead) {
  if (lead == 0xED || lead == 0xEE) return 0;
  if (lead >= 0xFA) return 1;
  if (lead == 0x87) return 2;
  return 3;
}

struct FormTable {
  uint16_t forms[0x10000] = {};

  FormTable() {
    for (unsigned b = 0xA1; b <= 0xDF; ++b) forms[0xFF61 + b - 0xA1] = static_cast<uint16_t>(b);
    // Lower ranks first, so that the preferred code is written last.
    for (int rank = 0; rank <= 3; ++rank) {
      for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (Rank(lead) != rank) continue;
        const Cp932Row& row = Cp932Rows[lead];
        for (unsigned i = 0; i < row.count; ++i) {
          if (row.chars[i]) forms[row.chars[i]] = static_cast<uint16_t>(lead << 8 | (row.firstTrail + i));
        }
      }
    }
  }
};

}  // namespace

const uint16_t* Cp932Forms() {
  static const FormTable table;
  return table.forms;
}

bool Cp932Validator::Feed(const char* data, size_t len) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
  size_t i = 0;
  char32_t c;
  if (valid && pendingLead && len > 0) {
    const unsigned char pair[2] = {pendingLead, p[0]};
    valid = DecodeCp932Char(pair, 2, c) != 0;
    pendingLead = 0;
    i = 1;
  }
  while (valid && i < len) {
    if (p[i] < 0x80) {
      i += AsciiRun(p + i, len - i);
      continue;
    }
    size_t charLen = DecodeCp932Char(p + i, len - i, c);
    if (charLen == 0 && i + 1 == len && IsLeadByte(p[i])) {
      pendingLead = p[i];
      charLen = 1;
    }
    valid = charLen != 0;
    i += charLen;
  }
  return valid;
}
