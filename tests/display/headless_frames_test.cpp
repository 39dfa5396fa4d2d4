// The headless back-end makes a frame's pixels only when the frame is read:
// what is read must still be exactly what was drawn, whatever happened to the
// textures and frames in between.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "display/backend.h"
#include "display/backend_headless.h"

namespace {
// A 1x1 opaque texture of one colour.
IMAGE ONEPIXEL(uint8_t r, uint8_t g, uint8_t b) {
  IMAGE i;
  i.W = i.H = 1;
  i.RGBA = {r, g, b, 255};
  return i;
}

// Red, green and blue of pixel (x, y) of the frame last presented.
std::array<int, 3> PIXEL(BACKEND* be, int x, int y) {
  IMAGE f;
  if (!be->READFRAME(f) || f.W <= x || f.H <= y) return {-1, -1, -1};
  const size_t at = (static_cast<size_t>(y) * f.W + x) * 4;
  return {f.RGBA[at], f.RGBA[at + 1], f.RGBA[at + 2]};
}

using RGB = std::array<int, 3>;
}  // namespace

TEST(HeadlessFrames, ReadFrameShowsWhatWasDrawnWhateverCameAfter) {
  std::unique_ptr<BACKEND> be(MAKEHEADLESSBACKEND(8, 4));
  int32_t w = 0, h = 0;
  ASSERT_TRUE(be->OPEN(w, h));
  const int32_t red = be->UPLOADTEXTURE(ONEPIXEL(255, 0, 0));
  const int32_t blue = be->UPLOADTEXTURE(ONEPIXEL(0, 0, 255));
  be->SETBLEND(BLEND_COLORKEY);

  // Frame 1: red on the left half, white tint.
  be->BEGINFRAME();
  be->QUAD(red, 0, 0, 4, 4, 0, 0, 1, 1, 255, 255, 255);
  be->ENDFRAME();
  // The texture goes away before anyone looks: the presented frame still shows it.
  be->DELETETEXTURE(red);
  EXPECT_EQ(PIXEL(be.get(), 1, 1), (RGB{255, 0, 0}));
  EXPECT_EQ(PIXEL(be.get(), 6, 1), (RGB{0, 0, 0}));
  // Read twice, the same.
  EXPECT_EQ(PIXEL(be.get(), 1, 1), (RGB{255, 0, 0}));

  // Drawn on after presenting without a new frame begun: frame 1 goes on.
  be->QUAD(blue, 4, 0, 8, 4, 0, 0, 1, 1, 255, 255, 255);
  be->ENDFRAME();
  EXPECT_EQ(PIXEL(be.get(), 1, 1), (RGB{255, 0, 0}));
  EXPECT_EQ(PIXEL(be.get(), 6, 1), (RGB{0, 0, 255}));

  // Frame 2 starts black; a quad of a deleted texture draws nothing but counts.
  be->BEGINFRAME();
  be->QUAD(red, 0, 0, 8, 4, 0, 0, 1, 1, 255, 255, 255);
  be->SETBLEND(BLEND_ADDITIVE);
  be->QUAD(blue, 0, 0, 2, 4, 0, 0, 1, 1, 255, 255, 255);
  be->QUAD(blue, 0, 0, 1, 4, 0, 0, 1, 1, 128, 128, 128);
  // Presented frames are read as they were when presented, not as drawn since.
  be->ENDFRAME();
  be->BEGINFRAME();
  be->QUAD(blue, 0, 0, 8, 4, 0, 0, 1, 1, 255, 255, 255);
  EXPECT_EQ(PIXEL(be.get(), 1, 1), (RGB{0, 0, 255}));
  EXPECT_EQ(PIXEL(be.get(), 0, 1), (RGB{0, 0, 255}));  // additive: 255 + 128 stays 255
  EXPECT_EQ(PIXEL(be.get(), 6, 1), (RGB{0, 0, 0}));
  EXPECT_EQ(HEADLESSQUADS(be.get()), 3);
  be->ENDFRAME();
  EXPECT_EQ(PIXEL(be.get(), 6, 1), (RGB{0, 0, 255}));
}
