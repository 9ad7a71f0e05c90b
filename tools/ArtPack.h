// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG 2000 encoding and the picture-pack record layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes a top-down picture (components 3 = RGB, 4 = RGBA, interleaved) as a JP2 file. `ratio` 0 is
// lossless; otherwise the compression ratio of the lossy (9/7) coder. `asSigned` stores each byte less
// 128 as a signed sample. Empty on failure.
std::vector<uint8_t> EncodeJp2(const uint8_t* pixels, int width, int height, int components, float ratio,
                               bool asSigned = false);

// Appends one record: the 16-byte name field (tag, name, NUL), payload size, components, width, height
// (32-bit little-endian), then the JP2 file. False when the tag and name do not fit the field.
bool AppendRecord(std::vector<uint8_t>* pack, const std::string& tag, const std::string& name, int components,
                  int width, int height, const std::vector<uint8_t>& jp2);

// A skin image as the toolkit's tests read it (tests/support/RawSkin.h): width, height and components
// (32-bit little-endian), then the pixels, top row first, as the pack's decoder gives them back.
std::vector<uint8_t> RawSkinBytes(const std::vector<uint8_t>& pixels, int width, int height, int components);
