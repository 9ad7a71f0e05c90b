#pragma once

#include "gui/AWndFrame.h"

class AWndMic : public AWndFrame {
public:
};
