// What typing_loop.exe types: count characters of this text from offset on,
// wrapping round, one at a time.
#pragma once

const wchar_t typedCharacters[] = L"あいうえおかきくけこ日本語の入力ｶﾅABCxyz0123 ";
const int typedCharacterCount = sizeof(typedCharacters) / sizeof(typedCharacters[0]) - 1;

inline wchar_t TypedCharacter(int offset, int index) { return typedCharacters[(offset + index) % typedCharacterCount]; }
