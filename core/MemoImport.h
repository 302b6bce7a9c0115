#pragma once
// Rules for files dropped on the memo list to be imported. Dots and
// backslashes count only where they stand as CP932 characters of their own.

// From the last dot of the whole path to its end, dot included, or nullptr.
// A file readme in a folder notes.old thus has the extension ".old\readme".
const char* ImportExtension(const char* fullPath);

// Only .txt .TXT .html .HTML .htm .HTM, byte for byte; nullptr is refused.
bool IsImportableExtension(const char* ext);

// The part after the last backslash, or the whole path when there is none.
const char* ImportFileName(const char* fullPath);
