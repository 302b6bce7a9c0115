#pragma once
// Window positions as the settings file stores them: signed decimal text.

// Reads like the C library's atoi: leading blanks, an optional sign, digits;
// anything unreadable reads 0. Values out of range are clamped.
int ReadPosition(const char* text);

// Decimal text with a leading '-' when negative; 12 bytes fit any int.
void FormatPosition(int value, char out[12]);
