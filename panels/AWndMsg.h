#pragma once

#include "gui/AWndFrame.h"

class AWndMsg : public AWndFrame {
public:
};
