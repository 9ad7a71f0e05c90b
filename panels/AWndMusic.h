#pragma once

#include "gui/AWndFrame.h"

class AWndMusic : public AWndFrame {
  public:
};
