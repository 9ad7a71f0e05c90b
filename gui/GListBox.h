// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down offering the numbers 1 to itemCount. The owner draws the unfolded rows with DrawList after
// its other widgets, and folds the list (open = 0) in its list callback.
//
//   state    | event                                        | next
//   ---------+----------------------------------------------+---------------------------------------
//   folded   | press on the header, flag clear (claims)     | unfolded, hoverItem -1
//   unfolded | pointer over row i                           | hoverItem = i (kept over no row)
//   unfolded | press on a row, flag clear (claims)          | value = that row, list callback fires
//   unfolded | press on the header (claims)                 | folded (rows lifted over the header
//            |                                              | take the press first)
//   unfolded | any other press                              | folded
#pragma once

#include "gui/GBaseBtn.h"

class GListBox : public GBaseBtn {
  public:
    GListBox();

    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void DrawList();
    // Tab reaches a folded list; the arrow keys step its number (up raises it, as on the sliders) and
    // fire the list callback as a row picked by the mouse does.
    bool TakesKeyFocus() const override { return true; }
    bool StepByKey(int steps) override;

    // The text the header shows ("%d" of value + 1); `size` at least 12.
    void HeaderText(char* out, int size) const;

    static constexpr int RowHeight = 14;

    uint32_t open = 0;
    uint32_t listId = 0;
    uint32_t openSerial = 0;
    WidgetCallback listCallback = nullptr;
    int32_t itemCount = 20;
    int32_t hoverItem = -1;

    // Where the unfolded rows begin: under the header, or lifted so that all of them fit the window.
    int RowsTop() const;

  private:
    int RowAt(int px, int py) const;
};
