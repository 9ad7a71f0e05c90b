#pragma once

#include "gui/AWndFrame.h"

class AWndREQ : public AWndFrame {
public:
};
