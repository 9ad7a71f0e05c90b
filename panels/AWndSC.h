#pragma once

#include "gui/AWndFrame.h"

class AWndSC : public AWndFrame {
  public:
};
