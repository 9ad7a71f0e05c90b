// SPDX-License-Identifier: GPL-3.0-or-later
// The picture packs and their textures. In this file, in order:
//   - the packs' records (RecordWalk, FindRecord) and the JPEG 2000 stream over a record
//   - the background list and the thumbnail cache's acceptance
//   - decode (DecodeJp2), the thumbnail scaler (ScaleImage), CreateTexture
//   - the cache folder and file, read and written whole (BuildBackgroundCache)
//   - start-up's steps (LoadPictures, LoadStoredBackground, LoadSkinTextures), backgrounds, previews
//   - what tests reset
#include "app/pictures/Resources.h"

#include "app/pictures/Embedded.h"
#include "app/pictures/Settings.h"
#include "app/ui/Projection.h"
#include "app/ui/Textures.h"
#include "common/Paths.h"
#include "common/Trace.h"
#include "common/vorcore_memory.h"
#include "common/vorcore_string.h"

#include <GL/gl.h>
#include <openjpeg.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

uint8_t* BackgroundPack;
uint32_t BackgroundPackSize;
uint8_t* SkinPack;
uint32_t SkinPackSize;
uint8_t* DecodeBuffer;
char* BackgroundNames[MaxBackgrounds];
uint32_t BackgroundThumbs[MaxBackgrounds];
int BackgroundCount;
uint8_t* BackgroundPreviews[MaxBackgrounds];
uint8_t* ThumbCacheData;
uint32_t ThumbCacheSize;

namespace {

// What the last picture step could not do, for PicturesProblem().
std::string g_problem;

constexpr uint32_t RecordHeader = 32;
constexpr uint32_t PreviewBytes = 512 * 512 * 3;
constexpr uint32_t PreviewBlockSize = 786440;
constexpr uint32_t ThumbBytes = 128 * 128 * 3;
void (*StatusReporter)(const char* text) = nullptr;
constexpr const char* FirstStartText = "第一次程序启动：数据配置，这里可能需要等待一分钟 ...";

uint32_t ReadU32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

// One record of a pack, checked to lie wholly inside it.
struct Record {
    const uint8_t* field; // the 16-byte name field
    const uint8_t* payload;
    uint32_t payloadSize;
};

// Walks the records of a pack. A record whose header or payload would run past the pack's end ends the
// walk: what follows cannot be found anyway.
class RecordWalk {
  public:
    RecordWalk(const uint8_t* pack, uint32_t size) : pack(pack), size(pack ? size : 0) {}
    bool Next(Record* record) {
        if (uint64_t(offset) + RecordHeader > size) return false;
        const uint8_t* head = pack + offset;
        uint32_t payload = ReadU32(head + 16);
        if (uint64_t(offset) + RecordHeader + payload > size) return false;
        *record = {head, head + RecordHeader, payload};
        offset += RecordHeader + payload;
        return true;
    }

  private:
    const uint8_t* pack;
    uint32_t size;
    uint32_t offset = 0;
};

bool HasTag(const Record& r, const char* tag) {
    return std::memcmp(r.field, tag, 3) == 0;
}

// The name after the tag, up to its NUL; a field without one is cut at its end.
std::string NameOf(const Record& r) {
    const char* text = reinterpret_cast<const char*>(r.field) + 3;
    size_t length = 0;
    while (length < 13 && text[length] != '\0')
        ++length;
    return std::string(text, length);
}

// The whole field's text, tag included, up to its NUL (at most 16 bytes).
std::string FieldText(const uint8_t* field) {
    size_t length = 0;
    while (length < 16 && field[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(field), length);
}

bool FindRecord(const uint8_t* pack, uint32_t size, const char* tag, const char* name, Record* found) {
    if (!name) return false;
    RecordWalk walk(pack, size);
    Record r;
    while (walk.Next(&r)) {
        if (HasTag(r, tag) && NameOf(r) == name) {
            *found = r;
            return true;
        }
    }
    return false;
}

// OpenJPEG reads the payload through these.
struct MemoryStream {
    const uint8_t* data;
    OPJ_UINT64 size;
    OPJ_UINT64 position;
};

OPJ_SIZE_T StreamRead(void* buffer, OPJ_SIZE_T bytes, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (s->position >= s->size) return static_cast<OPJ_SIZE_T>(-1);
    OPJ_UINT64 left = s->size - s->position;
    OPJ_SIZE_T n = bytes < left ? bytes : static_cast<OPJ_SIZE_T>(left);
    std::memcpy(buffer, s->data + s->position, n);
    s->position += n;
    return n;
}

OPJ_OFF_T StreamSkip(OPJ_OFF_T bytes, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (bytes < 0) {
        OPJ_UINT64 back = static_cast<OPJ_UINT64>(-bytes);
        if (back > s->position) back = s->position;
        s->position -= back;
        return -static_cast<OPJ_OFF_T>(back);
    }
    OPJ_UINT64 left = s->size - s->position;
    OPJ_UINT64 n = static_cast<OPJ_UINT64>(bytes) < left ? static_cast<OPJ_UINT64>(bytes) : left;
    s->position += n;
    return static_cast<OPJ_OFF_T>(n);
}

OPJ_BOOL StreamSeek(OPJ_OFF_T to, void* user) {
    auto* s = static_cast<MemoryStream*>(user);
    if (to < 0 || static_cast<OPJ_UINT64>(to) > s->size) return OPJ_FALSE;
    s->position = static_cast<OPJ_UINT64>(to);
    return OPJ_TRUE;
}

void DeleteTexture(uint32_t* texture) {
    if (*texture) {
        GLuint name = *texture;
        glDeleteTextures(1, &name);
        *texture = 0;
    }
}

// Forgets the background list (names and thumbnails), so that it can be made anew.
void ClearBackgroundList() {
    for (int i = 0; i < BackgroundCount; ++i) {
        vor_free(BackgroundNames[i]);
        BackgroundNames[i] = nullptr;
        DeleteTexture(&BackgroundThumbs[i]);
    }
    BackgroundCount = 0;
}

void AddBackground(const std::string& name, const uint8_t* thumb) {
    if (BackgroundCount >= MaxBackgrounds) return;
    BackgroundNames[BackgroundCount] = vor_strdup(name.c_str());
    BackgroundThumbs[BackgroundCount] = CreateTexture(thumb, 128, 128, 3);
    ++BackgroundCount;
}

// Decodes an RGB picture and scales it into the top-left dstWidth x dstHeight of `dst` (rows of
// `dstStride` pixels). Anything that does not decode as RGB leaves `dst` as it is.
void ScaleRecordInto(const Record& r, uint8_t* dst, int dstStride, int dstWidth, int dstHeight) {
    int width = 0, height = 0, components = 0;
    if (DecodeJp2(r.payload, r.payloadSize, &width, &height, &components) != 0 || components != 3) return;
    if (dstStride == dstWidth) {
        ScaleImage(dst, dstWidth, dstHeight, DecodeBuffer, width, height);
        return;
    }
    // The destination rows are wider than the scaled picture: the picture fills their first pixels.
    static uint8_t scaled[512 * 320 * 3];
    if (dstWidth * dstHeight > 512 * 320) return;
    ScaleImage(scaled, dstWidth, dstHeight, DecodeBuffer, width, height);
    for (int y = 0; y < dstHeight; ++y)
        std::memcpy(dst + size_t(y) * dstStride * 3, scaled + size_t(y) * dstWidth * 3, size_t(dstWidth) * 3);
}

// Takes the cached thumbnails when the cache names the pack's backgrounds in order. False when the
// cache must be rebuilt.
bool AcceptCache() {
    ClearBackgroundList();
    RecordWalk walk(BackgroundPack, BackgroundPackSize);
    Record r;
    uint64_t offset = 0;
    while (walk.Next(&r) && BackgroundCount < MaxBackgrounds) {
        if (!HasTag(r, "bg_")) continue;
        if (offset + ThumbRecordSize > ThumbCacheSize) return false;
        const uint8_t* cached = ThumbCacheData + offset;
        if (FieldText(cached) != FieldText(r.field)) return false;
        AddBackground(NameOf(r), cached + 16);
        offset += ThumbRecordSize;
    }
    return true;
}

} // namespace

void SetPictureStatusReporter(void (*show)(const char* text)) {
    StatusReporter = show;
}

void AllocateDecodeBuffer() {
    if (!DecodeBuffer) DecodeBuffer = static_cast<uint8_t*>(vor_alloc(DecodeBufferSize));
}

void LoadPacks() {
    if (BackgroundPack) return;
    EmbeddedFile background = EmbeddedBackgroundPack();
    if (background.size == 0 || background.size > 0xFFFFFFFFu) return;
    BackgroundPack = static_cast<uint8_t*>(vor_alloc(background.size));
    if (!BackgroundPack) return;
    std::memcpy(BackgroundPack, background.data, background.size);
    BackgroundPackSize = static_cast<uint32_t>(background.size);
    EmbeddedFile skin = EmbeddedSkinPack();
    if (skin.size == 0 || skin.size > 0xFFFFFFFFu) return;
    SkinPack = static_cast<uint8_t*>(vor_alloc(skin.size));
    if (!SkinPack) return;
    std::memcpy(SkinPack, skin.data, skin.size);
    SkinPackSize = static_cast<uint32_t>(skin.size);
}

int DecodeJp2(const uint8_t* data, uint32_t size, int* width, int* height, int* components) {
    *width = *height = 0;
    if (components) *components = 0;
    AllocateDecodeBuffer();
    if (!data || size == 0 || !DecodeBuffer) return -1;

    MemoryStream memory{data, size, 0};
    opj_stream_t* stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
    opj_codec_t* codec = opj_create_decompress(OPJ_CODEC_JP2);
    opj_image_t* image = nullptr;
    int result = -1;
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (stream && codec && opj_setup_decoder(codec, &parameters)) {
        opj_stream_set_read_function(stream, StreamRead);
        opj_stream_set_skip_function(stream, StreamSkip);
        opj_stream_set_seek_function(stream, StreamSeek);
        opj_stream_set_user_data(stream, &memory, nullptr);
        opj_stream_set_user_data_length(stream, size);
        if (opj_read_header(stream, codec, &image) && image &&
            (image->numcomps == 3 || image->numcomps == 4)) {
            // Refuse before decoding what could not be stored.
            uint64_t w = image->comps[0].w, h = image->comps[0].h, n = image->numcomps;
            bool fits = w > 0 && h > 0 && w * h * n <= DecodeBufferSize;
            if (fits && opj_decode(codec, stream, image) && opj_end_decompress(codec, stream)) {
                w = image->comps[0].w;
                h = image->comps[0].h;
                bool same = w * h * n <= DecodeBufferSize;
                for (uint32_t c = 0; c < n; ++c)
                    same = same && image->comps[c].data && image->comps[c].w == w && image->comps[c].h == h;
                if (same) {
                    const int W = static_cast<int>(w), H = static_cast<int>(h), N = static_cast<int>(n);
                    for (int c = 0; c < N; ++c) {
                        const opj_image_comp_t& comp = image->comps[c];
                        int32_t shift = comp.sgnd && comp.prec > 0 ? 1 << (comp.prec - 1) : 0;
                        for (int row = 0; row < H; ++row) {
                            // RGB pictures are stored bottom row first, RGBA ones top row first.
                            int source = N == 3 ? H - 1 - row : row;
                            const int32_t* in = comp.data + size_t(source) * W;
                            uint8_t* out = DecodeBuffer + size_t(row) * W * N + c;
                            for (int x = 0; x < W; ++x)
                                out[size_t(x) * N] = static_cast<uint8_t>(in[x] + shift);
                        }
                    }
                    if (N == 4) DecodeBuffer[size_t(H - 1) * W * 4 + 3] = 0;
                    *width = W;
                    *height = H;
                    if (components) *components = N;
                    result = 0;
                }
            }
        }
    }
    if (image) opj_image_destroy(image);
    if (codec) opj_destroy_codec(codec);
    if (stream) opj_stream_destroy(stream);
    return result;
}

void ScaleImage(uint8_t* dst, int dstWidth, int dstHeight, const uint8_t* src, int srcWidth, int srcHeight) {
    if (dstWidth <= 0 || dstHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
    const float sx = float(srcWidth) / float(dstWidth);
    const float sy = float(srcHeight) / float(dstHeight);
    const float r = sx > sy ? sx : sy;
    const float reach = r + 0.2f;
    // Most candidates lie outside the reach; the squared distance tells without a square root.
    const float reach2 = reach * reach;
    // The offset along the axis of the smaller ratio counts as far as the larger ratio makes it.
    const float scaleX = sx < sy ? sy / sx : 1.0f;
    const float scaleY = sy < sx ? sx / sy : 1.0f;
    for (int y = 0; y < dstHeight; ++y) {
        const float fy = y * sy;
        int row0 = static_cast<int>(fy - sy - 2), row1 = static_cast<int>(fy + sy + 2);
        if (row0 < 0) row0 = 0;
        if (row1 > srcHeight) row1 = srcHeight;
        for (int x = 0; x < dstWidth; ++x) {
            const float fx = x * sx;
            int col0 = static_cast<int>(fx - sx - 2), col1 = static_cast<int>(fx + sx + 2);
            if (col0 < 0) col0 = 0;
            if (col1 > srcWidth) col1 = srcWidth;
            float sum[3] = {0, 0, 0}, weights = 0;
            for (int row = row0; row < row1; ++row) {
                const float dy = ((fy + 0.5f) - (row + 0.5f)) * scaleY;
                if (dy * dy >= reach2) continue;
                const uint8_t* line = src + size_t(row) * srcWidth * 3;
                for (int col = col0; col < col1; ++col) {
                    const float dx = ((fx + 0.5f) - (col + 0.5f)) * scaleX;
                    const float d2 = dx * dx + dy * dy;
                    if (d2 >= reach2) continue;
                    const float d = std::sqrt(d2);
                    if (d >= reach) continue;
                    const float w = (reach - d) * (reach - d);
                    const uint8_t* p = line + col * 3;
                    sum[0] += w * p[0];
                    sum[1] += w * p[1];
                    sum[2] += w * p[2];
                    weights += w;
                }
            }
            uint8_t* out = dst + (size_t(y) * dstWidth + x) * 3;
            for (int c = 0; c < 3; ++c) {
                float v = weights > 0 ? sum[c] / weights : 0.0f;
                if (v > 255.0f) v = 255.0f;
                out[c] = static_cast<uint8_t>(v + 0.5f);
            }
        }
    }
}

uint32_t CreateTexture(const uint8_t* pixels, int width, int height, int components) {
    glEnable(GL_TEXTURE_2D);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLenum format = components == 4 ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // The two halves of a background meet edge to edge: filtering must not wrap round to the far side.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

std::string ThumbCachePath() {
    std::string dir = CacheDir();
    return dir.empty() ? std::string() : dir + "/tonvex_res.dat";
}

namespace {

// The cache folder, when it is fit to hold the cache: a real folder (no symlink) of this user that
// nobody else may write into. Otherwise empty, with the reason said once on standard error.
std::string UsableCacheDir() {
    std::string dir = CacheDir();
    const char* problem = nullptr;
    struct stat st;
    if (dir.empty())
        problem = "neither XDG_CACHE_HOME nor HOME is set";
    else if (!MakeDirs(dir) || lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        problem = "the folder cannot be made";
    else if (st.st_uid != geteuid())
        problem = "the folder belongs to another user";
    else if (st.st_mode & (S_IWGRP | S_IWOTH))
        problem = "others may write into the folder";
    if (!problem) return dir;
    g_problem = "picture cache " + (dir.empty() ? std::string("folder") : dir) + " not used: " + problem;
    static bool said = false;
    if (!said)
        std::fprintf(
            stderr,
            "tonvex: picture cache %s not used: %s; the thumbnails are made in memory at each start\n",
            dir.empty() ? "folder" : dir.c_str(), problem);
    said = true;
    return std::string();
}

// The cache file's bytes (at most `limit`), when it is a regular file of this user: a symlink is not
// followed and a FIFO does not hold the start.
uint8_t* ReadCacheFile(const std::string& path, uint32_t limit, size_t* got) {
    *got = 0;
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    uint8_t* data = nullptr;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid())
        data = static_cast<uint8_t*>(vor_alloc(limit));
    while (data && *got < limit) {
        ssize_t n = read(fd, data + *got, limit - *got);
        if (n <= 0) break;
        *got += static_cast<size_t>(n);
    }
    close(fd);
    return data;
}

// Writes the cache beside itself and renames it into place, so that no reader sees half of it and a
// symlink or a FIFO in its place is replaced, never written through.
bool WriteCacheFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == bytes.size() && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) ok = rename(name.data(), path.c_str()) == 0;
    if (!ok) unlink(name.data());
    return ok;
}

} // namespace

int BuildBackgroundCache(int rebuild) {
    std::string dir = UsableCacheDir();
    std::string path = dir.empty() ? std::string() : dir + "/tonvex_res.dat";
    if (!rebuild && !path.empty()) {
        // More than one record per possible background is never looked at.
        constexpr uint32_t Limit = MaxBackgrounds * ThumbRecordSize;
        size_t got = 0;
        uint8_t* data = ReadCacheFile(path, Limit, &got);
        if (data && got >= 16) {
            vor_free(ThumbCacheData);
            ThumbCacheData = data;
            ThumbCacheSize = static_cast<uint32_t>(got);
            if (AcceptCache()) return 0;
        } else {
            vor_free(data);
        }
    }

    if (StatusReporter) StatusReporter(FirstStartText);
    ClearBackgroundList();
    // Every thumbnail is made, whether or not the cache can be written.
    std::vector<uint8_t> cache;
    static uint8_t scratch[ThumbBytes];
    RecordWalk walk(BackgroundPack, BackgroundPackSize);
    Record r;
    // The list holds MaxBackgrounds; later pictures get neither a thumbnail nor a cache record.
    while (walk.Next(&r) && BackgroundCount < MaxBackgrounds) {
        if (!HasTag(r, "bg_")) continue;
        std::memset(scratch, 0, sizeof scratch);
        ScaleRecordInto(r, scratch, 128, 128, 80);
        AddBackground(NameOf(r), scratch);
        cache.insert(cache.end(), r.field, r.field + 16);
        cache.insert(cache.end(), scratch, scratch + sizeof scratch);
    }
    if (path.empty()) return -1;
    if (WriteCacheFile(path, cache)) return 0;
    g_problem = "the picture cache " + path + " could not be written (" + std::strerror(errno) + ")";
    ReportProblem("%s; the thumbnails are kept in memory", g_problem.c_str());
    return -1;
}

void LoadBackground(const char* name) {
    DeleteTexture(&BackgroundTextures[0]);
    DeleteTexture(&BackgroundTextures[1]);
    Record r;
    if (!FindRecord(BackgroundPack, BackgroundPackSize, "bg_", name, &r)) return;
    int width = 0, height = 0, components = 0;
    if (DecodeJp2(r.payload, r.payloadSize, &width, &height, &components) != 0 || width != 1024 ||
        height != 640 || components != 3)
        return;
    BackgroundTextures[0] = CreateTexture(DecodeBuffer, 1024, 512, 3);
    BackgroundTextures[1] = CreateTexture(DecodeBuffer + 1572864, 1024, 128, 3);
    char stored[16] = {};
    std::strncpy(stored, name, sizeof stored - 1);
    if (!SettingsWrite("tonvex_bg", stored)) g_problem = "the background is not kept: " + SettingsProblem();
}

// From a scale of 1.5 on, the picture drawn at twice the size (its pieces are the same fractions of it).
void LoadSkinTexture(const char* name, uint32_t* texture, int minFilter, int magFilter) {
    Record r;
    bool large = DrawScale >= 1.5f && FindRecord(SkinPack, SkinPackSize, "u2_", name, &r);
    if (!large && !FindRecord(SkinPack, SkinPackSize, "ui_", name, &r)) return;
    int width = 0, height = 0, components = 0;
    if (DecodeJp2(r.payload, r.payloadSize, &width, &height, &components) != 0) return;
    *texture = MakeSkinTexture(DecodeBuffer, width, height, components, minFilter, magFilter);
}

void LoadPictures() {
    AllocateDecodeBuffer();
    LoadPacks();
    BuildBackgroundCache(0);
}

void LoadStoredBackground() {
    std::string background = StoredBackgroundName();
    if (!background.empty()) SettingsWrite("tonvex_bg", background);
    LoadBackground(background.c_str());
}

void LoadSkinTextures() {
    struct SkinLoad {
        const char* name;
        uint32_t* texture;
        int minFilter, magFilter;
    };
    const SkinLoad skins[] = {
        {"wf.png", &WfTexture, GL_LINEAR, GL_LINEAR},
        {"wb.png", &WbTexture, GL_LINEAR, GL_LINEAR},
        {"ui.png", &UiTexture, GL_LINEAR, GL_LINEAR},
        {"eq.png", &EqTexture, GL_LINEAR, GL_NEAREST},
        {"dx.tga", &DxTexture, GL_LINEAR, GL_LINEAR},
        {"ex.png", &ExTexture, GL_LINEAR, GL_NEAREST},
        {"logo.png", &LogoTexture, GL_LINEAR, GL_NEAREST},
        {"bar.png", &BarTexture, GL_LINEAR, GL_LINEAR},
        {"icon1.png", &IconTextures[0], GL_LINEAR, GL_LINEAR},
        {"icon2.png", &IconTextures[1], GL_LINEAR, GL_LINEAR},
        {"icon3.png", &IconTextures[2], GL_LINEAR, GL_LINEAR},
        {"icon4.png", &IconTextures[3], GL_LINEAR, GL_LINEAR},
        {"icon5.png", &IconTextures[4], GL_LINEAR, GL_LINEAR},
        {"icon6.png", &IconTextures[5], GL_LINEAR, GL_LINEAR},
        {"icon7.png", &IconTextures[6], GL_LINEAR, GL_LINEAR},
    };
    for (const SkinLoad& skin : skins)
        LoadSkinTexture(skin.name, skin.texture, skin.minFilter, skin.magFilter);
}

uint32_t MakeBackgroundPreview(const char* name) {
    if (!name) return 0;
    RecordWalk walk(BackgroundPack, BackgroundPackSize);
    Record r;
    for (int index = 0; walk.Next(&r); ++index) {
        if (NameOf(r) != name) continue;
        if (index >= MaxBackgrounds) return 0;
        uint8_t*& preview = BackgroundPreviews[index];
        if (!preview) {
            preview = static_cast<uint8_t*>(vor_alloc(PreviewBlockSize));
            if (!preview) return 0;
            std::memset(preview, 0, PreviewBytes);
            ScaleRecordInto(r, preview, 512, 512, 320);
        }
        return CreateTexture(preview, 512, 512, 3);
    }
    return 0;
}

std::string FirstBackgroundName() {
    RecordWalk walk(BackgroundPack, BackgroundPackSize);
    Record r;
    while (walk.Next(&r))
        if (HasTag(r, "bg_")) return NameOf(r);
    return std::string();
}

std::string StoredBackgroundName() {
    std::string name;
    if (!SettingsRead("tonvex_bg", &name) || name.empty() || name.size() > 15) return FirstBackgroundName();
    return name;
}

void SetPacksForTest(const uint8_t* background, size_t backgroundSize, const uint8_t* skin, size_t skinSize) {
    vor_free(BackgroundPack);
    vor_free(SkinPack);
    BackgroundPack = SkinPack = nullptr;
    BackgroundPackSize = SkinPackSize = 0;
    if (backgroundSize) {
        BackgroundPack = static_cast<uint8_t*>(vor_alloc(backgroundSize));
        std::memcpy(BackgroundPack, background, backgroundSize);
        BackgroundPackSize = static_cast<uint32_t>(backgroundSize);
    }
    if (skinSize) {
        SkinPack = static_cast<uint8_t*>(vor_alloc(skinSize));
        std::memcpy(SkinPack, skin, skinSize);
        SkinPackSize = static_cast<uint32_t>(skinSize);
    }
    for (uint8_t*& preview : BackgroundPreviews) {
        vor_free(preview);
        preview = nullptr;
    }
}

void ResetPicturesForTest() {
    SetPacksForTest(nullptr, 0, nullptr, 0);
    ClearBackgroundList();
    vor_free(ThumbCacheData);
    ThumbCacheData = nullptr;
    ThumbCacheSize = 0;
    DeleteTexture(&BackgroundTextures[0]);
    DeleteTexture(&BackgroundTextures[1]);
}

const std::string& PicturesProblem() {
    return g_problem;
}
