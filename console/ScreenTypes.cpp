#include "console/ScreenTypes.h"

TScreenGeometry GeometryForMode(uint8_t mode) {
  switch (mode) {
    case 2:
      return {80, 50, "80x50.png"};
    case 3:
      return {132, 50, "132x50.png"};
    default:
      return {80, 25, "80x25.png"};
  }
}
