// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ParamTable.h"

namespace {

constexpr ParamInfo Number(uint32_t code, int offset, uint8_t limit, float scale, float base,
                           const char* unit, const char* key, int decimals = 0) {
    return {code, offset, 1, ParamKind::Number, limit, scale, base, decimals, unit, key};
}
constexpr ParamInfo Gain(uint32_t code, int offset, const char* key) {
    return Number(code, offset, 124, 0.5f, -50.0f, "dB", key, 1);
}
constexpr ParamInfo Choice(uint32_t code, int offset, const char* key) {
    return {code, offset, 1, ParamKind::Choice, 1, 1.0f, 0.0f, 0, "", key};
}
constexpr ParamInfo Bands(uint32_t firstCode, int offset, int bands, const char* key) {
    return {firstCode, offset, 4 * bands, ParamKind::Bands, 0, 1.0f, 0.0f, 0, "", key};
}

} // namespace

const ParamInfo ParamRows[] = {
    Number(Code::MicEchoPercent, 26, 100, 1, 0, "%", "mic.echo_percent"),
    Number(Code::MicEchoLowPass, 27, 8, 1, 8, "kHz", "mic.echo_lpf_khz"),
    Number(Code::MicReverbTime, 28, 50, 100, 0, "ms", "mic.reverb_time_ms"),
    Number(Code::MicPreDelay, 29, 20, 10, 0, "ms", "mic.pre_delay_ms"),
    Number(Code::MicReverbLowPass, 30, 8, 1, 8, "kHz", "mic.reverb_lpf_khz"),
    Number(Code::MicReverbHighPass, 31, 20, 50, 0, "Hz", "mic.reverb_hpf_hz"),
    Number(Code::MicEchoDelay, 32, 50, 10, 0, "ms", "mic.echo_delay_ms"),
    Number(Code::MicRepeat, 33, 99, 1, 0, "%", "mic.repeat_percent"),
    Number(Code::MicHighPass, 34, 40, 5, 0, "Hz", "mic.hpf_hz"),
    Number(Code::MicExciterIntensity, 35, 13, 1, 1, "", "mic.exciter_intensity"),
    Number(Code::MicExciterHarmonic, 36, 100, 1, 0, "%", "mic.exciter_harmonic_percent"),
    Choice(Code::MicFeedback, 37, "mic.feedback"),
    Choice(Code::MicMainChannel, 38, "mic.main_channel"),
    Bands(Code::MicBand, 39, 7, "mic.eq"),
    Choice(Code::MusicAutoManual, 67, "music.mode"),
    Choice(Code::MusicSingDisco, 68, "music.style"),
    Choice(Code::MusicSlope, 69, "music.sing.slope"),
    Number(Code::MusicHighPass, 70, 40, 5, 0, "Hz", "music.sing.hpf_hz"),
    Bands(Code::MusicBand, 71, 7, "music.sing.eq"),
    Choice(Code::MusicSlope, 99, "music.disco.slope"),
    Number(Code::MusicHighPass, 100, 40, 5, 0, "Hz", "music.disco.hpf_hz"),
    Bands(Code::MusicBand, 101, 7, "music.disco.eq"),
    Choice(Code::SubAutoManual, 129, "sub.mode"),
    Choice(Code::SubSingDisco, 130, "sub.style"),
    Gain(Code::SubMusicGain, 131, "sub.sing.music_gain_db"),
    Gain(Code::SubMicGain, 132, "sub.sing.mic_gain_db"),
    Gain(Code::SubMusicGain, 133, "sub.disco.music_gain_db"),
    Gain(Code::SubMicGain, 134, "sub.disco.mic_gain_db"),
    Number(Code::SubEffectVolume, 135, 62, 1, 0, "", "sub.effect_volume"),
    Number(Code::SubLowPass, 136, 60, 5, 0, "Hz", "sub.lpf_hz"),
    Number(Code::SubHighPass, 137, 20, 5, 0, "Hz", "sub.hpf_hz"),
    Bands(Code::SubBand, 138, 3, "sub.eq"),
    Gain(Code::CenterMusicGain, 150, "sc.center_music_gain_db"),
    Gain(Code::CenterMicGain, 151, "sc.center_mic_gain_db"),
    Number(Code::CenterEffectVolume, 152, 62, 1, 0, "", "sc.center_effect_volume"),
    Gain(Code::SurroundGain, 153, "sc.surround_gain_db"),
    Number(Code::CenterHighPass, 154, 40, 5, 0, "Hz", "sc.hpf_hz"),
    Number(Code::SurroundDelay, 155, 167, 0.3f, 0, "ms", "sc.surround_delay_ms", 1),
    Choice(Code::CenterSlope, 156, "sc.slope"),
    Choice(Code::RoomEqPath, 157, "sc.surround_path"),
    Bands(Code::CenterBand, 158, 3, "sc.eq"),
    Bands(Code::RoomBand, 170, 15, "room.eq"),
    Number(Code::MusicStart, 230, 62, 1, 0, "", "volume.music_start"),
    Number(Code::MusicLimit, 231, 62, 1, 0, "", "volume.music_limit"),
    Number(Code::MicStart, 232, 62, 1, 0, "", "volume.mic_start"),
    Number(Code::MicLimit, 233, 62, 1, 0, "", "volume.mic_limit"),
    Number(Code::EffectStart, 234, 62, 1, 0, "", "volume.effect_start"),
};
const int ParamRowCount = sizeof ParamRows / sizeof ParamRows[0];

const ParamInfo* ParamAtOffset(int recordOffset) {
    for (const ParamInfo& row : ParamRows)
        if (recordOffset >= row.recordOffset && recordOffset < row.recordOffset + row.bytes) return &row;
    return nullptr;
}

const ParamInfo* ParamOfCode(uint32_t code) {
    for (const ParamInfo& row : ParamRows)
        if (row.code == code) return &row;
    return nullptr;
}

uint8_t ParamByteLimit(int recordOffset) {
    const ParamInfo* row = ParamAtOffset(recordOffset);
    if (!row) return 0;
    if (row->kind == ParamKind::Bands) return BandCodeLimits[(recordOffset - row->recordOffset) % 4];
    return row->limit;
}
