// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PartialFrame.h"

#include "app/ui/Projection.h"
#include "gui/AWndFrame.h"

#include <GL/gl.h>

PartialFrame DrawingPartial;

namespace {

void ScissorOn(const UnitRect& r) {
    SetScissorUnits(r.x, r.y, r.width, r.height);
}

} // namespace

void BeginPartialFrame(const PartialFrame& frame) {
    DrawingPartial = frame;
    ScissorOn(frame.scene);
    glEnable(GL_SCISSOR_TEST);
}

void EndPartialFrame() {
    if (DrawingPartial.panel) glDisable(GL_SCISSOR_TEST);
    DrawingPartial = PartialFrame{};
}

OwnPartScope::OwnPartScope(bool active) : active_(active && DrawingPartial.panel) {
    if (!active_) return;
    const UnitRect& own = DrawingPartial.own;
    ScissorOn(own);
    DrawingPartial.panel->FillInsideAgain(own);
}

OwnPartScope::~OwnPartScope() {
    if (active_) ScissorOn(DrawingPartial.scene);
}
