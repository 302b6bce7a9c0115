#include <gtest/gtest.h>

#include "core/MemoImport.h"
#include "core/MemoTitle.h"

TEST(MemoNames, TitlesRefuseOnlyWhatWindowsRefuses) {
  struct Case {
    const char* title;
    char32_t forbidden;
  } cases[] = {
      {"a/b", '/'},   {"a:b", ':'},   {"a*b", '*'},   {"a?b", '?'},    {"a<b", '<'},       {"a>b", '>'}, {"a|b", '|'},
      {"a\\b", '\\'}, {"a\"b", '"'},  {"a\tb", '\t'}, {"\x1F", 0x1F},  {u8"メ\\a:", '\\'}, {"1.2.3", 0}, {"   ", 0},
      {u8"café", 0},  {u8"😀メモ", 0}, {u8"한글", 0},  {u8"ソ表能", 0}, {u8"¥~！", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.forbidden, ForbiddenCharOf(c.title)) << c.title;
  EXPECT_EQ("notes.2010", TitleFromFileName("notes.2010.txt"));
  EXPECT_EQ("notes", TitleFromFileName("notes"));
}

TEST(MemoNames, FileTypesByTheRealExtension) {
  struct Case {
    const char* name;
    MemoFileType type;
  } cases[] = {
      {"notes.txt", MemoFileType::Text},
      {"NOTES.TXT", MemoFileType::Text},
      {"a.Txt", MemoFileType::Text},
      {"notes.2010.txt", MemoFileType::Text},
      {"a.htm.txt", MemoFileType::Text},
      {".txt", MemoFileType::Text},
      {u8"メモ.txt", MemoFileType::Text},
      {"a.htm", MemoFileType::Html},
      {"a.html", MemoFileType::Html},
      {"A.HTML", MemoFileType::Html},
      {"a.txt.hTm", MemoFileType::Html},
      // What the platform's patterns find by short names or the * of "*.htm*".
      {"notes.txt~", MemoFileType::None},
      {"a.txt2", MemoFileType::None},
      {"a.txt.bak", MemoFileType::None},
      {"a.htmx", MemoFileType::None},
      {"a.html5", MemoFileType::None},
      {"a.htm.bak", MemoFileType::None},
      {"a.tx", MemoFileType::None},
      {"a.ht", MemoFileType::None},
      {"txt", MemoFileType::None},
      {"a.", MemoFileType::None},
      {"", MemoFileType::None},
  };
  for (const Case& c : cases) EXPECT_EQ(c.type, MemoFileTypeOf(c.name)) << c.name;
}

TEST(MemoNames, NumberedTitlesFitTheirRoom) {
  struct Case {
    const char* title;
    int n;
    size_t maxLength;
    const char* numbered;
  } cases[] = {
      {"memo", 1, 10, "memo"},         {"memo", 2, 10, "memo (2)"},  {"memo", 2, 8, "memo (2)"}, {"memo", 2, 7, "mem (2)"},
      {"memo", 12, 7, "me (12)"},      {"memo", 1, 3, "mem"},        {"memo", 2, 4, ""},  // no character of the title beside " (2)"
      {"memo", 2, 5, "m (2)"},         {u8"メモ", 2, 9, u8"メ (2)"},                      // モ does not fit whole
      {u8"メモ", 2, 10, u8"メモ (2)"}, {u8"😀a", 1, 3, ""},           {u8"😀a", 1, 4, u8"😀"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.numbered, NumberedTitle(c.title, c.n, c.maxLength)) << c.title << " " << c.n << " " << c.maxLength;
}

// Measured in bytes here; the panel measures drawn pixels. "…" is three bytes.
TEST(MemoNames, CaptionsGiveUpTheTitlesMiddleNeverTheNote) {
  struct Case {
    const char* title;
    const char* note;
    int room;
    const char* caption;
  } cases[] = {
      {"abcdefgh", "", 8, "abcdefgh"},
      {"abcdefgh", "", 7, u8"ab…gh"},
      {"abcdefgh", "N", 14, u8"a…h  （N）"},
      {"abcdefgh", "too long a note", 10, u8"…  （too long a note）"},
      // never half a character
      {u8"メモ帳です", "", 11, u8"メ…す"},
      {u8"😀メモ帳", "", 11, u8"😀…帳"},
  };
  auto bytes = [](const std::string& text) { return static_cast<int>(text.size()); };
  for (const Case& c : cases) EXPECT_EQ(c.caption, FittedCaption(c.title, c.note, c.room, bytes)) << c.title << " " << c.room;
}

TEST(MemoNames, ReservedDeviceNames) {
  const char* reserved[] = {"CON",     "con",        "Prn",  "aux",   "NUL",  "COM1",  "com9",     "LPT1",    "lpt9",
                            "CON.txt", "nul.tar.gz", "CON ", "CON  ", "CON.", "CON..", "AUX .txt", "COM1 . x"};
  const char* allowed[] = {"",    "CO",   "CONS",  "ACON",     " CON",   "COM0",   "COM10",
                           "LPT", "LPTX", "CON_1", "NULL.txt", u8"コン", u8"CＯN", ".CON"};
  for (const char* name : reserved) EXPECT_TRUE(IsReservedDeviceName(name)) << name;
  for (const char* name : allowed) EXPECT_FALSE(IsReservedDeviceName(name)) << name;
}

TEST(MemoNames, ImportRules) {
  struct Case {
    const char* path;
    const char* extension;
    const char* fileName;
    bool importable;
  } cases[] = {
      {"C:\\a\\b.txt", ".txt", "b.txt", true},       {"C:\\a\\b.Txt", ".Txt", "b.Txt", false},
      {"C:\\a.b\\c.d.htm", ".htm", "c.d.htm", true}, {"C:\\notes.old\\readme", ".old\\readme", "readme", false},
      {"C:\\a\\readme", nullptr, "readme", false},   {u8"C:\\dir\\😀ソ.txt", ".txt", u8"😀ソ.txt", true},
      {u8"é.htm", ".htm", u8"é.htm", true},
  };
  for (const Case& c : cases) {
    const char* ext = ImportExtension(c.path);
    EXPECT_STREQ(c.extension, ext) << c.path;
    EXPECT_EQ(c.importable, IsImportableExtension(ext)) << c.path;
    EXPECT_STREQ(c.fileName, ImportFileName(c.path)) << c.path;
  }
  for (const char* ext : {".TXT", ".html", ".HTML", ".HTM"}) EXPECT_TRUE(IsImportableExtension(ext)) << ext;
  for (const char* ext : {".text", ".txt ", "", ".tx"}) EXPECT_FALSE(IsImportableExtension(ext)) << ext;
}

TEST(MemoNames, ShortNamesByTheirOwnTilde) {
  const struct {
    const char* name;
    bool mayBeShort;
  } cases[] = {{"NOTES~1.TXT", true},      {"A~12.TXT", true},   {"notes~x.txt", false},
               {"long-name~1.txt", false}, {u8"ミ1.txt", false}, {u8"ミ~2.TXT", true}};
  for (const auto& c : cases) EXPECT_EQ(c.mayBeShort, MayBeShortName(c.name)) << c.name;
}
