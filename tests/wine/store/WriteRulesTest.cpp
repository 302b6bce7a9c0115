// The one write path of a memo, driven through the session with no panel:
// every writer against every change another program can make, in every
// encoding, with every answer to the question whether the memo may become
// UTF-8. The file is looked at right before it is written, the edits are
// never written over another program's text, and the bytes follow one rule.
#include <gtest/gtest.h>

#include "FaultyFileOps.h"
#include "TempFolder.h"
#include "core/MemoText.h"
#include "store/MemoSession.h"

namespace {

enum class Outside { Nothing, OtherBytes, SameSizeAndTime, Gone, ReadOnly };

struct EncodingCase {
  const char* name;
  MemoEncoding encoding;
  std::u16string base;
  std::u16string edited;
  // The encoding a save leaves the memo in; Cp932 with "no" where code page
  // 932 cannot hold the edited text.
  MemoEncoding saved;
  bool fits;
};

std::string Encoded(const std::u16string& text, MemoEncoding encoding) {
  std::string bytes;
  EncodeMemoText(text.data(), text.size(), encoding, bytes);
  return bytes;
}

// The file holds text in encoding.
::testing::AssertionResult Holds(const std::string& file, const std::u16string& text, MemoEncoding encoding) {
  MemoText decoded = DecodeMemoText(file.data(), file.size());
  if (decoded.text != text) return ::testing::AssertionFailure() << "the file holds other text";
  if (decoded.encoding != encoding)
    return ::testing::AssertionFailure() << "read back in encoding " << static_cast<int>(decoded.encoding) << ", not "
                                         << static_cast<int>(encoding);
  return ::testing::AssertionSuccess();
}

// Writes a file as copy tools do: its last write time stays what it was.
void RewriteKeepingTime(const std::string& path, const std::string& bytes) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  WriteFileBytes(path, bytes);
  HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  ::SetFileTime(file, NULL, NULL, &data.ftLastWriteTime);
  ::CloseHandle(file);
}

TEST(WriteRules, EveryWriterAgainstEveryOutsideChangeInEveryEncoding) {
  const EncodingCase encodings[] = {
      {"code page 932", MemoEncoding::Cp932, u"日本語のメモ\r\n", u"日本語のメモ\r\n追記", MemoEncoding::Cp932, true},
      {"code page 932 lacking the euro sign", MemoEncoding::Cp932, u"日本語のメモ\r\n", u"日本語のメモ\r\n100€", MemoEncoding::Utf8Bom, false},
      {"UTF-8", MemoEncoding::Utf8, u"日本語のメモ\r\n", u"日本語のメモ\r\n追記", MemoEncoding::Utf8, true},
      // Without its mark these bytes would read back as code page 932.
      {"UTF-8 that reads as code page 932", MemoEncoding::Utf8, u"日本語のメモ\r\n", u"R = 100 Ω / 6 ÷ 2 = 3", MemoEncoding::Utf8Bom, true},
      {"UTF-8 with its mark", MemoEncoding::Utf8Bom, u"メモ\r\n", u"メモ\r\n€", MemoEncoding::Utf8Bom, true},
      {"UTF-16", MemoEncoding::Utf16LeBom, u"メモ\r\n", u"メモ\r\n😀", MemoEncoding::Utf16LeBom, true},
  };
  const Outside outsides[] = {Outside::Nothing, Outside::OtherBytes, Outside::SameSizeAndTime, Outside::Gone, Outside::ReadOnly};
  const struct {
    const char* name;
    MemoWriter writer;
    Utf8Answer answer;
  } writes[] = {
      {"close", MemoWriter::Close, Utf8Answer::NotAsked}, {"close, yes", MemoWriter::Close, Utf8Answer::Yes},
      {"close, no", MemoWriter::Close, Utf8Answer::No},   {"editor", MemoWriter::Editor, Utf8Answer::NotAsked},
      {"editor, yes", MemoWriter::Editor, Utf8Answer::Yes}, {"host", MemoWriter::Host, Utf8Answer::NotAsked},
  };
  for (const EncodingCase& e : encodings)
    for (Outside outside : outsides)
      for (const auto& w : writes) {
        SCOPED_TRACE(std::string(e.name) + ", outside change " + std::to_string(static_cast<int>(outside)) + ", " + w.name);
        TempFolder folder;
        const std::string memo = folder / "memo.txt", beside = folder / "memo (2).txt";
        const std::string base = Encoded(e.base, e.encoding);
        ASSERT_TRUE(WriteFileBytes(memo, base));
        MemoSession session;
        session.Recovery().SetPath(folder / "recovery\\");
        session.Open(folder.Path() + "\\", "memo", MemoKindText);
        session.Load();
        // Another program's text: the base's length for the same-size change.
        std::string other = outside == Outside::SameSizeAndTime ? std::string(base.size(), 'x') : "their text";
        switch (outside) {
          case Outside::Nothing:
            break;
          case Outside::OtherBytes:
            WriteFileBytes(memo, other);
            break;
          case Outside::SameSizeAndTime:
            RewriteKeepingTime(memo, other);
            break;
          case Outside::Gone:
            ::DeleteFileA(memo.c_str());
            break;
          case Outside::ReadOnly:
            ::SetFileAttributesA(memo.c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        }
        WriteResult result = session.Write(e.edited, true, w.writer, w.answer);
        bool changed = outside == Outside::OtherBytes || outside == Outside::SameSizeAndTime;
        bool recordKept = !FileNames(folder / "recovery").empty();
        if (changed) {
          EXPECT_EQ(WriteOutcome::KeptBeside, result.outcome);
          EXPECT_EQ("memo (2)", result.keptTitle);
          EXPECT_EQ(other, ReadFileBytes(memo));
          EXPECT_TRUE(Holds(ReadFileBytes(beside), e.edited, e.saved));
        } else if (outside == Outside::ReadOnly) {
          EXPECT_EQ(WriteOutcome::ReadOnly, result.outcome);
          EXPECT_EQ(base, ReadFileBytes(memo));
          ::SetFileAttributesA(memo.c_str(), FILE_ATTRIBUTE_NORMAL);
        } else if (e.fits || w.answer == Utf8Answer::Yes) {
          EXPECT_EQ(WriteOutcome::Saved, result.outcome);
          EXPECT_TRUE(Holds(ReadFileBytes(memo), e.edited, e.saved));
          EXPECT_EQ(e.saved, session.Encoding());
        } else {
          bool asks = w.answer == Utf8Answer::NotAsked && w.writer != MemoWriter::Host;
          EXPECT_EQ(asks ? WriteOutcome::NeedsAnswer : WriteOutcome::Declined, result.outcome);
          if (asks) {
            EXPECT_EQ(std::u16string(1, 0x20AC), result.missing);
          }
          // Only the user may change the encoding: the text waits in the recovery record.
          EXPECT_EQ(!asks, recordKept);
          EXPECT_EQ(outside == Outside::Gone ? std::string() : base, ReadFileBytes(memo));
        }
        if (!changed) {
          EXPECT_FALSE(FileExists(beside));
        }
        if (result.outcome == WriteOutcome::Saved || result.outcome == WriteOutcome::KeptBeside) {
          EXPECT_FALSE(recordKept);
        }
      }
}

// The last step of a save that must not fail it: a folder that cannot be
// flushed keeps its renames all the same on the systems that refuse.
TEST(WriteRules, AFolderThatCannotBeFlushedFailsNoSave) {
  TempFolder folder, elsewhere;
  const std::string memo = folder / "memo.txt";
  ASSERT_TRUE(WriteFileBytes(memo, "old"));
  FaultyFileOps ops;
  MemoSession session(ops);
  session.Recovery().SetPath(elsewhere / "recovery\\");
  session.History().SetPath(elsewhere / "history\\");
  session.Open(folder.Path() + "\\", "memo", MemoKindText);
  session.Load();
  // A save flushes the temporary file first, then the folder.
  ops.Fail(FileCall::Flush, ERROR_INVALID_FUNCTION, 2, folder.Path());
  EXPECT_EQ(WriteOutcome::Saved, session.Write(u"new", true, MemoWriter::Host).outcome);
  EXPECT_TRUE(ops.Struck());
  EXPECT_EQ("new", ReadFileBytes(memo));
}

}  // namespace
