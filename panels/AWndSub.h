#pragma once

#include "gui/AWndFrame.h"

class AWndSub : public AWndFrame {
  public:
};
