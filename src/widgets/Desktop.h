#pragma once

#include "widgets/Component.h"

#include <windows.h>

// The screen: answers the primary screen's work area (without the taskbar).
class TDesktop : public TComponent {
public:
  using TComponent::TComponent;

  bool GetWorkArea(RECT& rectangle) const;
};
