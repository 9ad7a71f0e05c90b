#pragma once

#include "gui/AWndFrame.h"

class AWndHelp : public AWndFrame {
public:
};
