#include "widgets/Desktop.h"

bool TDesktop::GetWorkArea(RECT& rectangle) const {
  return SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectangle, 0) != FALSE;
}
