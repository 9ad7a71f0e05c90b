// SPDX-License-Identifier: GPL-3.0-or-later
// GBK, the encoding of every text the console keeps (labels, typed text, names in "mode.dat"), against
// the UTF-8 of the desktop, a shell and its files, and the Unicode of the fonts. The one home of the
// console's iconv conversions.
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

// The Unicode code point of the two-byte GBK character `lead`, `trail`, or 0 when they make none.
uint32_t GbkPairToUnicode(uint8_t lead, uint8_t trail);

// GBK text as UTF-8, or the text as it stands when it is not GBK.
std::string GbkToUtf8(const char* gbk);

// Typed UTF-8 text as GBK bytes in `out` (not terminated); characters GBK cannot hold and bytes that
// start no character are dropped. Returns the bytes written.
size_t Utf8ToGbkDropping(const char* utf8, char* out, size_t outSize);
