// SPDX-License-Identifier: GPL-3.0-or-later
// EQ filters from a measurement program (pasted, or a text file dropped on the window) into the
// equaliser panel they were given to.
#pragma once

#include <string>

class AWndFrame;

// Whether `panel` is one of the five equaliser panels (microphone, music, sub-woofer,
// center/surround, room).
bool TakesEqFilters(const AWndFrame* panel);
// Sets the panel's bands from the filters that are ON in `text`, in order (the bands left over flat),
// sends what changed, and says in a message how many filters were taken and how far snapping moved
// them. Refused, changing nothing and saying why: a line that cannot be taken, a value beyond a
// band's range, more filters than bands, an equaliser on Auto, no processor connected. False then.
bool ImportEqFilters(AWndFrame* panel, const std::string& text);
