// Glyph images: only regular PNG files of a sensible size are decoded.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "display/backend.h"
#include "test_util.h"

namespace {
// The 24 bytes a PNG file begins with, claiming W x H pixels.
std::string pngHeader(uint32_t w, uint32_t h) {
  std::string s("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
  for (uint32_t v : {w, h})
    for (int b = 3; b >= 0; b--) s += static_cast<char>((v >> (8 * b)) & 0xFF);
  return s + std::string("\x08\x06\0\0\0", 5);
}
}  // namespace

TEST(ImageFiles, OnlyRegularPngFilesOfASensibleSizeAreLoaded) {
  TempDir dir;
  const std::string d = dir.path;
  std::filesystem::copy_file(std::string(ASHEN_SOURCE_DATA) + "/GFX/NORM/100.png", d + "/good.png");
  std::filesystem::create_directory(d + "/folder.png");
  ASSERT_EQ(mkfifo((d + "/fifo.png").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", d + "/zero.png");
  std::ofstream(d + "/huge.png", std::ios::binary) << pngHeader(8192, 8192) << std::string(1000, '\0');
  std::ofstream(d + "/wide.png", std::ios::binary) << pngHeader(4096, 16) << std::string(1000, '\0');
  std::ofstream(d + "/text.png", std::ios::binary) << "not an image at all, just some text";
  std::ofstream(d + "/big.png", std::ios::binary) << pngHeader(24, 32) << std::string(17 << 20, '\0');
  struct CASE {
    const char* name;
    bool loads;
  } cases[] = {{"good.png", true},  {"folder.png", false}, {"fifo.png", false}, {"zero.png", false},
               {"huge.png", false}, {"wide.png", false},   {"text.png", false}, {"big.png", false},
               {"absent.png", false}};
  for (const CASE& c : cases) {
    IMAGE img;
    EXPECT_EQ(LOADIMAGEFILE(d + "/" + c.name, img), c.loads) << c.name;
    if (c.loads) {
      EXPECT_EQ(img.W, 24);
      EXPECT_EQ(img.H, 32);
      EXPECT_EQ(img.RGBA.size(), 24u * 32u * 4u);
    }
  }
}
