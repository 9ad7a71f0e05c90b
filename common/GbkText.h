// GBK, the encoding of every text the console keeps (names in "mode.dat" among them), against the
// UTF-8 of a shell and its files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// True when `lead` and `trail` make one two-byte GBK character.
bool IsGbkPair(uint8_t lead, uint8_t trail);

// The length of the longest start of `text` (NUL-terminated) that is whole characters within
// `maxBytes`: a GBK pair is never cut in two.
size_t GbkWholeLength(const char* text, size_t maxBytes);

// The character of a GBK pair in UTF-8, or "" when the pair stands for no character or would not
// come back as the same two bytes.
std::string GbkPairToUtf8(uint8_t lead, uint8_t trail);

// UTF-8 text as GBK. False, with `problem` saying why, when the text is not UTF-8 or holds a
// character GBK cannot hold; `gbk` is then left as it was.
bool Utf8ToGbkText(const std::string& utf8, std::string* gbk, std::string* problem);
