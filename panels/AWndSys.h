// SPDX-License-Identifier: GPL-3.0-or-later
// The System panel: the language, the music input port, the keypad lock, the keypad and system
// passwords and the system control mode on its "System" page; the processor's and the PC's stored
// modes on its "Mode" page.
//
//   passwordStep | event                                         | next
//   -------------+-----------------------------------------------+----------------------------------
//   0            | Enter in a password box, the processor agrees | 1 keypad, 2 system, 3 control mode
//   0            | Enter, wrong length or the processor disagrees| 11 keypad, 22 / 33 system
//   1, 2         | Enter in the new-password box                 | 0, with the result as a message
//   1, 2         | a press that leaves the new-password box      | 0
//   3            | any release (User / Project take the press)   | 0
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GBCheck.h"
#include "gui/GBaseBtn.h"
#include "gui/GListBox.h"
#include "gui/GTextBox.h"

struct ParamTargets;

// The language switch belongs to the application; the panel's language choice calls it (set at
// start-up).
extern void (*SystemLanguageSwitch)(uint32_t language);

class AWndSys : public AWndFrame {
  public:
    enum ButtonId : uint32_t {
        EnglishButton = 0,
        ChineseButton = 1,
        InputPort1 = 2,
        InputPort2 = 3,
        KeyLockOff = 4,
        KeyLockOn = 5,
        CloseButton = 6,
        UserButton = 8,
        ProjectButton = 9,
        EquipmentSave = 20,
        PcDownload = 21,
        PcSave = 22,
        EquipmentList = 30,
        PcList = 31,
        // Answers that come back from the message panel.
        LoadAnswer = 201,
        RecallAnswer = 300,
        StoreAnswer = 301,
    };
    enum PasswordBox : uint32_t {
        KeypadCheck = 0,
        SystemCheck = 1,
        ControlCheck = 2,
        NewKeypad = 3,
        NewSystem = 4
    };

    void Build();
    void Draw(float alpha) override;
    // The lists belong to the Mode page.
    bool ShowsControl(const GUIWnd* w) const override {
        return page == 0 || (w != &equipmentList && w != &pcList);
    }
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void OnChar(uint32_t ch) override;
    void OnKeyDown(uint32_t key) override;
    void RefreshFromValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);
    // The list whose drop-down is unfolded (equipment modes or PC modes), or null. While one is, it
    // alone gets the presses.
    GUIWnd* OpenDropDown();

    void OnButton(uint32_t id);
    // The PC name box shows the stored name of the PC mode chosen in the list.
    void ShowPcModeName();
    // Enter in password box `id`.
    void OnPassword(uint32_t id);
    // The new-password box of the current step (keypad in step 1, system in step 2), or null.
    GTextBox* NewPasswordBox();

    uint32_t page = 1; // 1 "System", 0 "Mode"
    uint32_t passwordStep = 0;
    GBCheck languagePair[2], inputPortPair[2], keyLockPair[2], controlPair[2];
    GTextBox passwordBoxes[5];
    GBaseBtn close;
    GListBox equipmentList, pcList;
    GTextBox equipmentName, pcName;
    GBaseBtn equipmentSave, pcDownload, pcSave;
    // The targets of codes 16 and 8, which the download fills.
    uint32_t inputPortValue = 0, keyLockValue = 0;
    const char* rowLabels[6] = {};
    const char* tabLabels[2] = {};
    const char* modeRows[2] = {};
    const char* stepTexts[5] = {}; // steps 1, 11, 2, 22 and 33, 3

  private:
    void DrawTabs(float a);
    void DrawModePage(float a);
    void DrawSystemPage(float a);
    void DrawPasswordStep(float a);
    void Choose(GBCheck pair[2], int member);
    // A two-way choice pressed: the word takes the member, the pair shows it, the code goes out.
    void Pick(GBCheck pair[2], uint32_t* word, uint32_t member, uint32_t code);
    // The boxes typing reaches on the page shown (unused places null).
    void TypingBoxes(GTextBox* boxes[4]);
    // Sends `code` and waits for the answer; false when the processor did not answer it.
    bool Ask(uint32_t code);
    void PlaceModeRows();
    void CheckPassword(uint32_t id);
    void WriteNewPassword(uint32_t id);
    // Reads the processor's control mode into SystemControlMode; false when it was not answered.
    bool ReadControlMode();
    void EquipmentChosen();
    void RecallEquipmentMode();
    void StoreEquipmentMode(uint32_t answerArg);
    void SaveEquipmentMode();
    void SavePcModeChosen();
    // The chosen PC mode into the panels, then written to the processor through the connecting panel.
    void UploadPcModeChosen();
};
