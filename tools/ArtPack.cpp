// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ArtPack.h"

#include <openjpeg.h>

#include <cstring>

namespace {

struct Sink {
    std::vector<uint8_t> bytes;
    size_t position = 0;
};

OPJ_SIZE_T Write(void* buffer, OPJ_SIZE_T size, void* user) {
    auto* sink = static_cast<Sink*>(user);
    if (sink->position + size > sink->bytes.size()) sink->bytes.resize(sink->position + size);
    std::memcpy(sink->bytes.data() + sink->position, buffer, size);
    sink->position += size;
    return size;
}

OPJ_OFF_T Skip(OPJ_OFF_T count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    if (count < 0 && static_cast<size_t>(-count) > sink->position) return -1;
    sink->position += count;
    if (sink->position > sink->bytes.size()) sink->bytes.resize(sink->position);
    return count;
}

OPJ_BOOL Seek(OPJ_OFF_T to, void* user) {
    auto* sink = static_cast<Sink*>(user);
    if (to < 0) return OPJ_FALSE;
    sink->position = static_cast<size_t>(to);
    if (sink->position > sink->bytes.size()) sink->bytes.resize(sink->position);
    return OPJ_TRUE;
}

void PutU32(std::vector<uint8_t>* out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

std::vector<uint8_t> EncodeJp2(const uint8_t* pixels, int width, int height, int components, float ratio,
                               bool asSigned) {
    opj_image_cmptparm_t parms[4];
    std::memset(parms, 0, sizeof parms);
    for (int c = 0; c < components; ++c) {
        parms[c].dx = parms[c].dy = 1;
        parms[c].w = width;
        parms[c].h = height;
        parms[c].prec = 8;
        parms[c].sgnd = asSigned ? 1 : 0;
    }
    opj_image_t* image = opj_image_create(components, parms, OPJ_CLRSPC_SRGB);
    if (!image) return {};
    image->x0 = image->y0 = 0;
    image->x1 = width;
    image->y1 = height;
    if (components == 4) image->comps[3].alpha = 1;
    for (int c = 0; c < components; ++c)
        for (int i = 0; i < width * height; ++i)
            image->comps[c].data[i] = pixels[i * components + c] - (asSigned ? 128 : 0);

    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    parameters.tcp_numlayers = 1;
    parameters.cp_disto_alloc = 1;
    parameters.tcp_rates[0] = ratio;
    parameters.irreversible = ratio > 0 ? 1 : 0;
    parameters.tcp_mct = 1;
    int smallest = width < height ? width : height;
    while (parameters.numresolution > 1 && (1 << (parameters.numresolution - 1)) > smallest)
        --parameters.numresolution;

    std::vector<uint8_t> result;
    opj_codec_t* codec = opj_create_compress(OPJ_CODEC_JP2);
    Sink sink;
    opj_stream_t* stream = opj_stream_create(1 << 16, OPJ_FALSE);
    if (codec && stream && opj_setup_encoder(codec, &parameters, image)) {
        opj_stream_set_write_function(stream, Write);
        opj_stream_set_skip_function(stream, Skip);
        opj_stream_set_seek_function(stream, Seek);
        opj_stream_set_user_data(stream, &sink, nullptr);
        if (opj_start_compress(codec, image, stream) && opj_encode(codec, stream) &&
            opj_end_compress(codec, stream))
            result = sink.bytes;
    }
    if (stream) opj_stream_destroy(stream);
    if (codec) opj_destroy_codec(codec);
    opj_image_destroy(image);
    return result;
}

bool AppendRecord(std::vector<uint8_t>* pack, const std::string& tag, const std::string& name, int components,
                  int width, int height, const std::vector<uint8_t>& jp2) {
    std::string field = tag + name;
    if (field.size() > 15 || jp2.empty()) return false;
    uint8_t header[16] = {};
    std::memcpy(header, field.data(), field.size());
    pack->insert(pack->end(), header, header + 16);
    PutU32(pack, static_cast<uint32_t>(jp2.size()));
    PutU32(pack, static_cast<uint32_t>(components));
    PutU32(pack, static_cast<uint32_t>(width));
    PutU32(pack, static_cast<uint32_t>(height));
    pack->insert(pack->end(), jp2.begin(), jp2.end());
    return true;
}

std::vector<uint8_t> RawSkinBytes(const std::vector<uint8_t>& pixels, int width, int height, int components) {
    std::vector<uint8_t> bytes;
    PutU32(&bytes, static_cast<uint32_t>(width));
    PutU32(&bytes, static_cast<uint32_t>(height));
    PutU32(&bytes, static_cast<uint32_t>(components));
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    // The decoder gives an RGBA picture's last row a transparent first pixel.
    if (components == 4 && width > 0 && height > 0) bytes[12 + size_t(height - 1) * width * 4 + 3] = 0;
    return bytes;
}
