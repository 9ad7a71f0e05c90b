// SPDX-License-Identifier: GPL-3.0-or-later
// The picture packs and the textures made from them.
//
// Two packs are built into the program: the backgrounds ("bg_" records) and the skins ("ui_" records).
// A pack is a run of records with no header: a 16-byte name field (three-character tag, file name,
// NUL), the payload size, component count, width and height (32-bit little-endian), then a complete
// JPEG 2000 file. Pictures decode one at a time into the shared DecodeBuffer: RGB pictures bottom row
// first, RGBA pictures top row first.
//
// A thumbnail cache ("tonvex_res.dat" in the per-user cache folder) keeps a 128 x 128 RGB thumbnail per
// background, so that later starts need not decode the eight large pictures: records of the pack's
// 16-byte name field followed by 49 152 picture bytes (rows 0..79 the background scaled to 128 x 80).
//
// Window thread only: everything here shares DecodeBuffer and uploads into the current GL context.
// Nothing read from a pack or the cache file is trusted: a record that runs past its pack, a picture
// that fails to decode or would not fit DecodeBuffer, a cache that ends early or names the wrong
// pictures are refused (or the cache rebuilt), never overrun.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint32_t DecodeBufferSize = 3145728; // 1024 x 768 x 4
constexpr int MaxBackgrounds = 32;
constexpr uint32_t ThumbRecordSize = 16 + 128 * 128 * 3;

extern uint8_t* BackgroundPack;
extern uint32_t BackgroundPackSize;
extern uint8_t* SkinPack;
extern uint32_t SkinPackSize;
extern uint8_t* DecodeBuffer;

extern char* BackgroundNames[MaxBackgrounds];
extern uint32_t BackgroundThumbs[MaxBackgrounds];
extern int BackgroundCount;
// Per record of the background pack: null, or a 512 x 512 RGB preview (the picture scaled to 512 x 320).
extern uint8_t* BackgroundPreviews[MaxBackgrounds];
extern uint8_t* ThumbCacheData;
extern uint32_t ThumbCacheSize;

// Where the pictures' start-up texts go (the application shows them at once); none by default.
void SetPictureStatusReporter(void (*show)(const char* text));

// Allocates DecodeBuffer unless it exists.
void AllocateDecodeBuffer();
// Copies both packs into memory once (nothing when the background pack is already loaded).
void LoadPacks();

// Decodes one JPEG 2000 file into DecodeBuffer. 0, or -1 when the file does not decode, has a component
// count other than 3 or 4, components of unequal size, or would not fit DecodeBuffer (then the buffer is
// left as it was and the outputs are 0). `components` may be null.
int DecodeJp2(const uint8_t* data, uint32_t size, int* width, int* height, int* components);

// Weighted RGB downscaler: each destination pixel averages the source pixels within the larger ratio
// plus 0.2 of its spot, weighted by the square of the distance left to that radius.
void ScaleImage(uint8_t* dst, int dstWidth, int dstHeight, const uint8_t* src, int srcWidth, int srcHeight);

// A level-0 texture from RGB (components other than 4) or RGBA bytes, linear filters. Leaves 2D
// texturing enabled.
uint32_t CreateTexture(const uint8_t* pixels, int width, int height, int components);

// Opens the thumbnail cache, or builds it when `rebuild` is set, the file is missing or shorter than 16
// bytes, or it does not match the pack. Fills BackgroundNames, BackgroundThumbs and BackgroundCount.
// -1 when the cache had to be built and could not be written whole (the list is whole all the same).
// The cache is used only in a folder of this user that others cannot write, and only as a regular
// file; it is replaced by a rename, never written in place.
int BuildBackgroundCache(int rebuild);
std::string ThumbCachePath();

// Replaces BackgroundTextures by the named background (none when no such picture decodes) and stores
// the name as tonvex_bg.
void LoadBackground(const char* name);
// Decodes the named skin picture into a new texture in `texture` (unchanged when there is none). RGBA
// pictures get the whole mipmap chain.
void LoadSkinTexture(const char* name, uint32_t* texture, int minFilter, int magFilter);
// What the last picture step could not do (a cache folder or file not used, a background not kept),
// or empty. The step went on without it.
const std::string& PicturesProblem();

// Start-up's pictures, in this order: the decode buffer, the packs and the thumbnail cache
// (LoadPictures); the stored background, whose name is stored again (LoadStoredBackground); the
// fifteen skin textures into their words of app/ui/Textures.h (LoadSkinTextures).
void LoadPictures();
void LoadStoredBackground();
void LoadSkinTextures();

// A new 512 x 512 texture showing the named background scaled to 512 x 320; the caller owns it. 0 when
// no background has that name.
uint32_t MakeBackgroundPreview(const char* name);

// The first "bg_" record's name, or empty.
std::string FirstBackgroundName();
// The background name stored as tonvex_bg, or the first background's when it is missing, empty or
// longer than the 15 characters the setting holds.
std::string StoredBackgroundName();

// Tests: replace the packs by copies of the given bytes, or drop everything this file holds.
void SetPacksForTest(const uint8_t* background, size_t backgroundSize, const uint8_t* skin, size_t skinSize);
void ResetPicturesForTest();
