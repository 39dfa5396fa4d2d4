#include "base/common.h"

#include <cmath>

int64_t ROUNDEVEN(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

std::string INTTOSTR(int32_t i) { return std::to_string(i); }

bool GLYPHINSET(unsigned char c, const char* set) {
  for (const char* s = set; *s; s++)
    if (static_cast<unsigned char>(*s) == c) return true;
  return false;
}
