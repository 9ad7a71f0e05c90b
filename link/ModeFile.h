// SPDX-License-Identifier: GPL-3.0-or-later
// The PC modes in "mode.dat": 256-byte records of a whole sound setting, a name at offset 16 and the
// parameters from offset 26 (the layout is the record table in ModeFile.cpp). The file holds 20
// records; it grows to 25 (6400 bytes) only once one of PC modes 21 to 25 holds something, so that a
// file of 20 records stays as every copy of the program writes it.
#pragma once

#include <cstdint>
#include <string>

constexpr int ModeRecordBytes = 256;
constexpr int ModeFileRecords = 20;
constexpr int ModeSlotCount = 25;
constexpr int ModeNameOffset = 16;
constexpr int ModeNameBytes = 10;
constexpr int ModeFirstParamOffset = 26;

// The records in memory (zero where the file had nothing).
extern uint8_t ModeBuffer[ModeSlotCount * ModeRecordBytes];

enum class ModeFileStatus {
    Loaded,    // read (a short file as far as it goes)
    Created,   // there was none: every mode is empty
    Refused,   // not a regular file (a symlink, a FIFO, a folder): left alone, nothing is saved over it
    Unreadable // could not be opened: the modes live in memory only
};

// Reads the mode file (at `path`, "mode.dat" in the working folder by default) into ModeBuffer.
ModeFileStatus LoadModeFile(const char* path = "mode.dat");
// The path of the mode file last loaded, as given.
const std::string& ModeFileInUse();
// The message for the last load that was not Loaded or Created, or for the last write that failed;
// empty otherwise.
const std::string& ModeFileProblem();

// Writes the records whole: to a temporary file in the same folder, flushed to the disk and renamed
// over the file. The file keeps its permission bits (and owner and group where they may be set), its
// length, and any bytes past the 25 records as they were. False, with ModeFileProblem() saying why,
// when that did not reach the disk (the old file is then untouched).
bool WriteModeFile();

// The name of PC mode `slot` (0-based) as text: up to ten characters, NUL-terminated.
void ModeSlotName(int slot, char out[ModeNameBytes + 1]);
// Stores as much of `name` as fits in ten bytes without cutting a GBK character, zero-padded.
void SetModeSlotName(int slot, const char* name);

// The largest value a record byte may hold (0 for reserved bytes and the name).
uint8_t ModeByteLimit(int offset);
// Record `slot` with every parameter byte held within its range, as it may go to a panel or the
// processor.
void ClampedModeRecord(int slot, uint8_t out[ModeRecordBytes]);

// Tests: the next write stops after the temporary file is written, as a crash before the rename would.
void ModeFileStopBeforeRenameForTest(bool stop);
