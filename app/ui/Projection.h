// SPDX-License-Identifier: GPL-3.0-or-later
// Projection helpers for 2D drawing.
#pragma once

// Everything is laid out and drawn in units (the 960 x 600 window's pixels); the drawable has
// DrawScale pixels a unit (1, 1.5, 2 or 3). Lines and viewports are given in units too.
extern float DrawScale;
// The scale, and the drawable's height in pixels: the units' top row is the drawable's top row, so a
// drawable a few pixels taller than its units leaves them at the bottom. 0: exactly the units' height.
void SetDrawScale(float scale, int pixelHeight);

// Viewport (0, 0, width, height) in units. centred != 0: origin in the middle, y up, scaled by
// `scale`; otherwise origin top-left, y down, one unit per unit. Resets the model-view.
void SetPixelProjection(int width, int height, int centred, float scale);
// Viewport (x, y, width, height) in units, y up from the bottom of the ClientHeight-unit window, with a
// top-left, y-down box of the same size. Resets the model-view.
void SetViewportProjection(int width, int height, int x, int y);
// The scissor on the unit rectangle (x, y, width, height), top-left origin, widened to whole pixels;
// the test itself is left as it is.
void SetScissorUnits(int x, int y, int width, int height);
// glLineWidth of `units` units.
void SetLineWidth(float units);
// The default GL state of the window's context.
void SetDefaultGLState();
// Keeps the memory the software renderer frees between frames for the next one (call before the
// window's context is made).
void KeepRendererMemory();
