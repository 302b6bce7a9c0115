#!/usr/bin/env python3
"""The guide's Markdown as the plain text a user reads in Notepad."""

import os
import re
import subprocess
import sys
import tempfile
import unittest

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir, "tools")
GUIDE = os.path.join(TOOLS, os.pardir, "docs", "guide.ja.md")
sys.path.insert(0, TOOLS)
import make_guide_text as guide  # noqa: E402

LONG_JAPANESE = ("メモは自動で保存されます。別のメモを選んだとき、フォルダを切り替えたとき、"
                 "パネルを閉じたとき、ホストが保存したときに、編集した内容がファイルに書き込まれます。"
                 "（書き込みが終わるまで、元のファイルはそのまま残ります。）")


class Markup(unittest.TestCase):
    def test_blocks_become_plain_lines(self):
        cases = [
            ("# スクリビット", [guide.TITLE_RULE, "  スクリビット", guide.TITLE_RULE]),
            ("## インストール", ["■ インストール"]),
            ("### 新規作成", ["◆ 新規作成"]),
            ("- 一つ目\n- 二つ目", ["・一つ目", "・二つ目"]),
            ("1. 選ぶ\n2. 押す", ["1. 選ぶ", "2. 押す"]),
            ("- 親\n  - 子", ["・親", "  ・子"]),
            ("- 項目の\n  続き", ["・項目の続き"]),
            ("一行目と\n二行目", ["一行目と二行目"]),
            ("Scribbit\nplug-in", ["Scribbit plug-in"]),
            ("段落\n\n- 項目", ["段落", "", "・項目"]),
            ("一行目\\\n二行目", ["一行目", "二行目"]),
            ("- `版 1.0`\\\n  最初の版", ["・版 1.0", "  最初の版"]),
        ]
        for markdown, expected in cases:
            with self.subTest(markdown=markdown):
                self.assertEqual(expected, guide.convert(markdown))

    def test_inline_markup_is_dropped(self):
        cases = [
            ("**太字**と*斜体*", "太字と斜体"),
            ("[設定](#settings)を開く", "設定を開く"),
            ("`CON` や `a*b`", "CON や a*b"),
            ("画面 ![パネル](images/panel.png) の左", "画面 の左"),
            (r"記号 \* と \`", "記号 * と `"),
        ]
        for markdown, expected in cases:
            with self.subTest(markdown=markdown):
                self.assertEqual([expected], guide.convert(markdown))

    def test_a_picture_on_its_own_line_leaves_nothing(self):
        self.assertEqual(["前", "", "後"], guide.convert("前\n\n![パネル](images/panel.png)\n\n後"))

    def test_unsupported_markup_stops_the_conversion(self):
        for markdown in ["| a | b |", "```\ncode\n```", "> 引用", "<b>太字</b>", "    字下げ"]:
            with self.subTest(markdown=markdown):
                with self.assertRaises(guide.GuideError):
                    guide.convert(markdown)


class Wrapping(unittest.TestCase):
    def check_wrapped(self, lines, text):
        self.assertGreater(len(lines), 1)
        for line in lines:
            self.assertLessEqual(guide.columns(line), guide.WIDTH, line)
            self.assertNotIn(line.lstrip(" ・")[0], guide.NO_LINE_START, line)
            self.assertNotIn(line[-1], guide.NO_LINE_END, line)
        self.assertEqual(text, "".join(line.lstrip(" ・") for line in lines))

    def test_long_paragraphs_and_items_wrap_within_the_width(self):
        for markdown, prefix in [(LONG_JAPANESE, ""), ("- " + LONG_JAPANESE, "・")]:
            with self.subTest(prefix=prefix):
                lines = guide.convert(markdown)
                self.assertTrue(lines[0].startswith(prefix))
                self.check_wrapped(lines, LONG_JAPANESE)
                # Continuation lines line up under the item's text.
                for line in lines[1:]:
                    self.assertTrue(line.startswith(" " * guide.columns(prefix)) if prefix else not line.startswith(" "))

    def test_ascii_words_break_at_spaces_only(self):
        words = " ".join(["Scribbit.dll"] * 12)
        lines = guide.convert(words)
        self.assertGreater(len(lines), 1)
        for line in lines:
            self.assertEqual(set(["Scribbit.dll"]), set(line.split(" ")))

    def test_a_code_span_is_never_broken(self):
        history = "[2026.12.07 ｽｸﾘﾋﾞｯﾄ Ver.0001.200] メモ保護と文字コード対応、日本語入力の改善"
        lines = guide.convert("- `%s` このバージョンでの変更です。" % history)
        self.assertTrue(lines[0].startswith("・" + history), lines)


class TheGuide(unittest.TestCase):
    # The text guide shows no pictures, so nothing in it may point at one.
    PICTURE_POINTER = re.compile(r"(次|下|上|右|左)の(画面|図)|(図|画面|画像)の(ように|とおり|例)|スクリーンショット|このガイドの.*画面")

    def test_points_at_no_picture(self):
        with open(GUIDE, encoding="utf-8") as source:
            text = "".join(line.strip() for line in guide.convert(source.read()))
        self.assertIsNone(self.PICTURE_POINTER.search(text))


class Program(unittest.TestCase):
    def run_on(self, markdown):
        with tempfile.TemporaryDirectory() as folder:
            source, target = os.path.join(folder, "guide.md"), os.path.join(folder, "guide.txt")
            with open(source, "w", encoding="utf-8") as f:
                f.write(markdown)
            run = subprocess.run([sys.executable, os.path.join(TOOLS, "make_guide_text.py"), source, target],
                                 capture_output=True, text=True)
            if not os.path.exists(target):
                return run, None
            with open(target, "rb") as f:
                return run, f.read()

    def test_writes_code_page_932_with_cr_lf(self):
        run, data = self.run_on("# 題\n\n本文の一行目\n")
        self.assertEqual(0, run.returncode, run.stderr)
        self.assertEqual("━".encode("cp932"), data[:2])
        self.assertTrue(data.endswith("本文の一行目\r\n".encode("cp932")))
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"))

    def test_fails_on_what_code_page_932_cannot_hold(self):
        run, data = self.run_on("絵文字 \U0001F600 は書けない\n")
        self.assertNotEqual(0, run.returncode)
        self.assertIsNone(data)
        self.assertIn("code page 932", run.stderr)


if __name__ == "__main__":
    unittest.main()
