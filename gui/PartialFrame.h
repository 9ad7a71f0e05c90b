// SPDX-License-Identifier: GPL-3.0-or-later
// A frame drawn again only where a drag changes it. While a band is dragged on an EQ panel, a frame
// changes the graph, the information line under it and the band's column, and nothing else. On a
// renderer whose back buffer keeps the last frame (the software one copies it out), such a frame is
// drawn within those parts only; every other pixel keeps the last frame's value, which a whole frame
// would draw again the same.
//   - `scene`: the whole scene is drawn as ever, with the scissor on this rectangle;
//   - `own`: a rectangle inside the panel's grey (the band's column): while the panel draws its
//     controls there, the scissor moves onto it and the grey is filled again under them. Nothing
//     under the grey shows through it, and the panel draws nothing else there.
// The frame that follows a drag is the caller's choice (`FollowsDrag` of the top panel, the same in
// two frames running, and nothing else about the screen changed between them).
#pragma once

class AWndFrame;

struct UnitRect {
    int x = 0, y = 0, width = 0, height = 0;

    bool operator==(const UnitRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool Empty() const { return width <= 0 || height <= 0; }
    bool Overlaps(const UnitRect& o) const {
        return !Empty() && !o.Empty() && x < o.x + o.width && o.x < x + width && y < o.y + o.height &&
               o.y < y + height;
    }
    bool Inside(const UnitRect& o) const {
        return x >= o.x && y >= o.y && x + width <= o.x + o.width && y + height <= o.y + o.height;
    }
};

struct PartialFrame {
    const AWndFrame* panel = nullptr; // null: a whole frame
    int part = -1;                    // what the drag moves on the panel (an EQ band)
    UnitRect scene, own;

    bool operator==(const PartialFrame& o) const {
        return panel == o.panel && part == o.part && scene == o.scene && own == o.own;
    }
};

// The partial frame being drawn; its panel is null while a whole frame is.
extern PartialFrame DrawingPartial;

// The scissor on the frame's scene rectangle, until EndPartialFrame.
void BeginPartialFrame(const PartialFrame& frame);
void EndPartialFrame();

// Around the controls a panel draws in its own rectangle: while one of these lives, the scissor is
// on `own` and the panel's grey has been filled there again; then it goes back to the scene's.
class OwnPartScope {
  public:
    explicit OwnPartScope(bool active);
    ~OwnPartScope();
    OwnPartScope(const OwnPartScope&) = delete;
    OwnPartScope& operator=(const OwnPartScope&) = delete;

  private:
    bool active_;
};
