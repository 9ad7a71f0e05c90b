// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's codes, as the wire carries them (the request's bytes 4 and 5). Groups 1 to 7 are
// its sound parameters; a band parameter's four codes (type, frequency, gain, Q) follow its `...Band`
// code and carry the band index in byte 7. The codes below 256 are commands and settings of the unit.
#pragma once

#include <cstdint>

namespace Code {
enum : uint32_t {
    // Commands and settings of the unit.
    Ping = 1,              // any reply proves a processor on the port
    ControlMode = 3,       // 0 "User", 1 "Project"; with ReadCurrentBit, read
    SystemPassword = 4,    // read (six digits)
    NewSystemPassword = 5, // six digits as payload
    KeypadPassword = 6,    // read (four digits)
    NewKeypadPassword = 7, // four digits as payload
    KeysetLock = 8,
    MusicInputPort = 16,
    EffectLevel = 17, // the tab bar's three levels: Effect, Mic, Music
    MicLevel = 18,
    MusicLevel = 19,
    DeviceMode = 32,     // the mode index; high byte 2 recalls it, 4 stores the settings in it
    DeviceModeName = 33, // ten characters minus 32 as payload
    ModeName = 34,       // read, mode index in byte 6 (download only)
    UploadBracket = 35,  // 1 before an upload, 0 after it

    // Microphone and effect (group 1 and 2).
    MicEchoPercent = 256,
    MicEchoDelay = 257,
    MicEchoLowPass = 258,
    MicRepeat = 259,
    MicReverbTime = 260,
    MicPreDelay = 261,
    MicReverbLowPass = 262,
    MicReverbHighPass = 263,
    MicFeedback = 512,
    MicHighPass = 513,
    MicExciterIntensity = 514,
    MicExciterHarmonic = 515,
    MicMainChannel = 516,
    MicBand = 545, // 545-548

    // Music (group 3): the two selections, then what each set holds.
    MusicAutoManual = 768,
    MusicSingDisco = 769,
    MusicSlope = 770,
    MusicHighPass = 771,
    MusicKey = 772, // written only
    MusicBand = 801,

    // Sub-woofer (group 4).
    SubAutoManual = 1024,
    SubSingDisco = 1025,
    SubMusicGain = 1026, // of the selected set, as is the mic gain
    SubMicGain = 1027,
    SubEffectVolume = 1028,
    SubLowPass = 1029,
    SubHighPass = 1030,
    SubBand = 1057,

    // Center and surround (group 5).
    CenterMusicGain = 1280,
    CenterMicGain = 1281,
    CenterEffectVolume = 1282,
    SurroundGain = 1283,
    CenterSlope = 1284,
    CenterHighPass = 1285,
    SurroundDelay = 1286,
    RoomEqPath = 1287,
    CenterBand = 1313,

    // Room equaliser (group 6).
    RoomBand = 1569,

    // Volume presets (group 7).
    MusicStart = 1792,
    MusicLimit = 1793,
    MicStart = 1794,
    MicLimit = 1795,
    EffectStart = 1796,
};
// The four codes of a band, after its `...Band` code.
enum BandItem : uint32_t { BandType = 0, BandFreq = 1, BandGain = 2, BandQ = 3 };
} // namespace Code
