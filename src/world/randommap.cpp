#include "world/randommap.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/los.h"
#include "base/random.h"
#include "world/grid.h"

void GENERATERANDOMMAP(BYTE mapnum) {
  RANDSEED(mapnum);
  const std::string WEPS = "1234";
  const int lastx = MAPSIZEX - 1, lasty = MAPSIZEY - 1;
  const int startx = RANDOM_STARTX, starty = std::min(RANDOM_STARTY, lasty);
  const int farx = std::max(2, MAPSIZEX - (MAX_MAPWIDTH - RANDOM_FARX)), fary = std::min(RANDOM_FARY, lasty);
  for (int x = 2; x <= lastx; x++) {
    for (int y = 2; y <= lasty; y++) {
      unsigned char& c = MAP[x][y];
      if (DISTANCE(x, y, startx, starty) < 12 && c == ' ' && random(20) == 10)
        c = WEPS[random(4)];
      if (c == ' ') {
        if (random(10) == 5) c = 'R';
        else if ((MAP[x - 1][y] == 'R' || MAP[x][y - 1] == 'R') && random(2) == 1) c = 'R';
      }
      if (c == ' ' && random(100) == 50) c = 'M';
      if (c == ' ') {
        int32_t n = static_cast<int32_t>(std::trunc(DISTANCE(x, y, farx, fary) * 20));
        if (random(n) <= 1) c = 'E';
      }
      if (c == ' ' && random(400) == 200) c = ']';
      if (c == ' ' && random(400) == 200) c = '[';
      if (c == ' ' && random(500) == 250) c = 'H';
      if (c == ' ' && random(1000) == 500) c = WEPS[random(4)];
      if (c == ' ' && random(1000) == 500) c = 'H';
      if (c == ' ' && random(3000) == 1500) c = 'Y';
      if (c == 'R' && !REACHABLE(startx, starty, farx, fary, 65535))
        c = random(2) == 1 ? 96 : ' ';
      if (c == ' ' && (MAP[x - 1][y] == 96 || MAP[x][y - 1] == 96)) c = 96;
    }
  }
}
