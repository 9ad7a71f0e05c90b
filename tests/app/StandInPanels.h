// SPDX-License-Identifier: GPL-3.0-or-later
// Panels for tests: they record the input they get and otherwise behave as plain frames.
#pragma once

#include "app/ui/AppState.h"
#include "gui/AWndFrame.h"

#include <map>
#include <string>
#include <vector>

// Names of the stand-ins by address, so lists can be printed whatever panel class a stand-in imitates.
inline std::map<const GUIWnd*, std::string> StandInNames;

struct InputLog {
    std::vector<std::string> events;
};

template <class Base> class StandIn : public Base {
  public:
    StandIn(const char* panelName, InputLog* sink) : name(panelName), log(sink) { StandInNames[this] = name; }
    ~StandIn() { StandInNames.erase(this); }

    void OnMouseMove(int, int, uint32_t, uint32_t*, uint32_t) override { Record("move"); }
    void OnMouseDown(int, int, uint32_t* claimed, uint32_t) override {
        // Whether this panel was already on top when the press reached it.
        Record(TopPanel == this ? "down(top)" : "down");
        if (claimOnPress && !*claimed) *claimed = 1;
    }
    void OnMouseUp(int, int, uint32_t) override { Record("up"); }
    void OnWheel(int) override { Record("wheel"); }

    void Place(int left, int top, int w, int h) {
        this->x = left;
        this->y = top;
        this->width = w;
        this->height = h;
    }

    std::string name;
    InputLog* log;
    bool claimOnPress = false;

  private:
    void Record(const char* what) { log->events.push_back(name + ":" + what); }
};

// Links the panels into the z-order list in the order given, first on top.
template <class... Panels> void LinkZOrder(Panels*... panels) {
    AWndFrame* order[] = {panels...};
    constexpr int count = sizeof...(panels);
    for (int i = 0; i < count; ++i) {
        order[i]->zPrev = i > 0 ? order[i - 1] : nullptr;
        order[i]->zNext = i + 1 < count ? order[i + 1] : nullptr;
    }
    TopPanel = order[0];
}

// The z-order list from the top, as names.
inline std::vector<std::string> ZNames() {
    std::vector<std::string> names;
    for (GUIWnd* p = TopPanel; p; p = p->zNext)
        names.push_back(StandInNames[p]);
    return names;
}

inline std::vector<std::string> OpenNames() {
    std::vector<std::string> names;
    for (GUIWnd* p = OpenPanels; p; p = p->openNext)
        names.push_back(StandInNames[p]);
    return names;
}
