// SPDX-License-Identifier: GPL-3.0-or-later
// Files built into the executable: TONVEX_EMBED(symbol, "path") places the file's bytes in read-only
// data between `symbol_start` and `symbol_end` (followed by one zero byte). The build passes the path
// and makes the embedding source depend on the file.
#pragma once

#define TONVEX_EMBED(symbol, path)                                                                           \
    asm(".section .rodata." #symbol ",\"a\"\n"                                                               \
        ".balign 16\n"                                                                                       \
        ".globl " #symbol "_start\n" #symbol "_start:\n"                                                     \
        ".incbin \"" path "\"\n"                                                                             \
        ".globl " #symbol "_end\n" #symbol "_end:\n"                                                         \
        ".byte 0\n"                                                                                          \
        ".previous\n")
