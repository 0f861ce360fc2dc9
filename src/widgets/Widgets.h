#pragma once

// The window and control toolkit with its drawing layer, in one include.
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/GdiPlus.h"
#include "graphics/GraphicObjects.h"
#include "graphics/StreamAdapter.h"
#include "widgets/Component.h"
#include "widgets/Control.h"
#include "widgets/ControlEx.h"
#include "widgets/Desktop.h"
#include "widgets/GdiObjects.h"
#include "widgets/ToolTip.h"
#include "widgets/TrayIcon.h"
#include "widgets/WinControl.h"
#include "widgets/WindowEx.h"
