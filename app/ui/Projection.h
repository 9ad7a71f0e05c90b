// SPDX-License-Identifier: GPL-3.0-or-later
// Projection helpers for 2D drawing.
#pragma once

// Viewport (0, 0, width, height). centred != 0: origin in the middle, y up, scaled by `scale`;
// otherwise origin top-left, y down, one unit per pixel. Resets the model-view.
void SetPixelProjection(int width, int height, int centred, float scale);
// Viewport (x, y, width, height) with a top-left, y-down box of the same size. Resets the model-view.
void SetViewportProjection(int width, int height, int x, int y);
// The default GL state of the window's context.
void SetDefaultGLState();
// Keeps the memory the software renderer frees between frames for the next one (call before the
// window's context is made).
void KeepRendererMemory();
