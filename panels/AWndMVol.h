#pragma once

#include "gui/AWndFrame.h"

class AWndMVol : public AWndFrame {
  public:
};
