// The small helpers every unit shares: the glyph set test used by the shots
// and particles to ask what a cell holds.
#include <gtest/gtest.h>

#include "base/common.h"

TEST(Common, GlyphInSet) {
  const struct {
    unsigned char c;
    const char* set;
    bool in;
  } cases[] = {
      {'M', "M RW", true},   {' ', "M RW", true},   {'W', "M RW", true},    {'T', "M RW", false},
      {'m', "M RW", false},  {'a', "", false},      {0, "abc", false},      {0, "", false},
      {219, "\xdb", true},   {219, "\xdc", false},  {'\\', " /\\-|", true}, {'O', "GoO ", true},
  };
  for (const auto& t : cases) EXPECT_EQ(GLYPHINSET(t.c, t.set), t.in) << int(t.c) << " in \"" << t.set << "\"";
}
