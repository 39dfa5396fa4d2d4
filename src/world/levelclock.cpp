#include "world/levelclock.h"

#include <cstdlib>

#include "display/textscreen.h"

BYTE MINUTES = 0, SECONDS = 0;
int32_t TIMER = 0;
int32_t CLOCKMS = 0;

void RESETLEVELCLOCK() {
  TIMER = 0;
  CLOCKMS = 0;
  MINUTES = 0;
  SECONDS = 0;
}

void RESUMELEVELCLOCK() {
  TIMER = std::abs(static_cast<int32_t>(MINUTES) * 60 + SECONDS - 1);
  CLOCKMS = 0;
}

void ADVANCELEVELCLOCK() {
  CLOCKMS += static_cast<int32_t>(UPDATE_TICKS);
  while (CLOCKMS >= 1000) {
    CLOCKMS -= 1000;
    // A day of play is far beyond what the minutes byte shows; the count
    // stops rather than wrap.
    if (TIMER < 255 * 60 + 59) TIMER++;
    MINUTES = static_cast<BYTE>(TIMER / 60);
    SECONDS = static_cast<BYTE>(TIMER % 60);
  }
}
