#pragma once

#include "gui/AWndFrame.h"

class AWndImg : public AWndFrame {
public:
};
