#include <gtest/gtest.h>

#include "core/MemoImport.h"
#include "core/MemoTitle.h"

TEST(MemoNames, ForbiddenCharactersInTitles) {
  struct Case {
    const char* title;
    bool forbidden;
  } cases[] = {
      {"a/b", true},         {"a:b", true},
      {"a*b", true},         {"a?b", true},
      {"a<b", true},         {"a>b", true},
      {"a|b", true},         {"a\\b", true},
      {"a\"b", true},        {"\\\x83\x5C", true},
      {"1.2.3", false},      {"   ", false},
      {"a\x83", false},      {"\x83\x5C\x95\x5C\x94\x5C", false},  // ソ表能
      {"\x83\x81\\a", true},                                       // メ then a real backslash
      {"\x80\\", false},     {"\xA0\\", false},
      {"\xFF|", false},  // the loose double-byte rule
      {"\xA1\\", true},      {"\xDF|", true},
  };
  for (const Case& c : cases) EXPECT_EQ(c.forbidden, HasForbiddenChar(c.title)) << c.title;
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
      {"\x83\x81\x83\x82.txt", MemoFileType::Text},  // メモ
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
      {"a.\x83txt", MemoFileType::None},
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
      {"memo", 1, 10, "memo"},
      {"memo", 2, 10, "memo (2)"},
      {"memo", 2, 8, "memo (2)"},
      {"memo", 2, 7, "mem (2)"},
      {"memo", 12, 7, "me (12)"},
      {"memo", 1, 3, "mem"},
      {"memo", 2, 4, ""},  // no character of the title beside " (2)"
      {"memo", 2, 5, "m (2)"},
      {"\x83\x81\x83\x82", 2, 7, "\x83\x81 (2)"},  // メモ: モ does not fit whole
      {"\x83\x81\x83\x82", 2, 8, "\x83\x81\x83\x82 (2)"},
      {"a\x83", 2, 6, "a\x83 (2)"},  // a lead byte at the end is a character of its own
      {"\x83\x5C"
       "abc",
       1, 2, "\x83\x5C"},  // ソ kept whole, its 5C no cut point
      {"\x83\x5C"
       "abc",
       1, 1, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.numbered, NumberedTitle(c.title, c.n, c.maxLength)) << c.title << " " << c.n << " " << c.maxLength;
}

// Measured in bytes here; the panel measures drawn pixels. "…" is two bytes.
TEST(MemoNames, CaptionsGiveUpTheTitlesMiddleNeverTheNote) {
  struct Case {
    const char* title;
    const char* note;
    int room;
    const char* caption;
  } cases[] = {
      {"abcdefgh", "", 8, "abcdefgh"},
      {"abcdefgh", "", 7, "abc\x81\x63gh"},
      {"abcdefgh", "N", 11, "a\x81\x63h  \x81\x69N\x81\x6A"},
      {"abcdefgh", "too long a note", 10, "\x81\x63  \x81\x69too long a note\x81\x6A"},
      // メモ帳です: never half a character.
      {"\x83\x81\x83\x82\x92\xA0\x82\xC5\x82\xB7", "", 9, "\x83\x81\x83\x82\x81\x63\x82\xB7"},
  };
  auto bytes = [](const std::string& text) { return static_cast<int>(text.size()); };
  for (const Case& c : cases) EXPECT_EQ(c.caption, FittedCaption(c.title, c.note, c.room, bytes)) << c.title << " " << c.room;
}

TEST(MemoNames, ReservedDeviceNames) {
  const char* reserved[] = {"CON",     "con",        "Prn",  "aux",   "NUL",  "COM1",  "com9",     "LPT1",    "lpt9",
                            "CON.txt", "nul.tar.gz", "CON ", "CON  ", "CON.", "CON..", "AUX .txt", "COM1 . x"};
  const char* allowed[] = {"",
                           "CO",
                           "CONS",
                           "ACON",
                           " CON",
                           "COM0",
                           "COM10",
                           "LPT",
                           "LPTX",
                           "CON_1",
                           "NULL.txt",
                           "\x83\x52\x83\x93",  // コン
                           "C\x82\x6EN",
                           ".CON"};
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
      {"C:\\a\\b.txt", ".txt", "b.txt", true},        {"C:\\a\\b.Txt", ".Txt", "b.Txt", false},
      {"C:\\a.b\\c.d.htm", ".htm", "c.d.htm", true},  {"C:\\notes.old\\readme", ".old\\readme", "readme", false},
      {"C:\\a\\readme", nullptr, "readme", false},    {"C:\\dir\\\x83\x5C.txt", ".txt", "\x83\x5C.txt", true},  // ソ.txt is not split
      {"\x83\x5C.htm", ".htm", "\x83\x5C.htm", true},
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
  } cases[] = {{"NOTES~1.TXT", true}, {"A~12.TXT", true}, {"notes~x.txt", false}, {"long-name~1.txt", false},
               // ミ ends in 7E: no tilde of its own.
               {"\x83\x7E" "1.txt", false}, {"\x83\x7E~2.TXT", true}};
  for (const auto& c : cases) EXPECT_EQ(c.mayBeShort, MayBeShortName(c.name)) << c.name;
}
