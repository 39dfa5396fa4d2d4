// Types, constants and small helpers shared by every unit of the game.
#pragma once
#include <cstdint>
#include <string>

typedef uint8_t BYTE;

// Colour numbers of the text-mode palette.
enum : int {
  BLACK = 0, BLUE = 1, GREEN = 2, CYAN = 3, RED = 4, MAGENTA = 5, BROWN = 6, LIGHTGRAY = 7,
  DARKGRAY = 8, LIGHTBLUE = 9, LIGHTGREEN = 10, LIGHTCYAN = 11, LIGHTRED = 12,
  LIGHTMAGENTA = 13, YELLOW = 14, WHITE = 15
};
constexpr int BLINK = 128;

// Screen records: 100 rows x 160 columns, 1-based.
constexpr int UDT_X = 160;
constexpr int UDT_Y = 100;

// Per-cell 3-D effect codes.
constexpr int EFFECT3D_NONE = 0;
constexpr int EFFECT3D_RIGHT = 1;
constexpr int EFFECT3D_TOP = 2;
constexpr int EFFECT3D_BOTH = 3;
constexpr int EFFECT3D_CORNER = 7;
constexpr int EFFECT3D_ONLYLEFTHALF = 8;
constexpr int EFFECT3D_ONLYRIGHTHALF = 9;
constexpr int EFFECT3D_ONLYTOPHALF = 10;
constexpr int EFFECT3D_ONLYBOTTOMHALF = 11;
constexpr int EFFECT3D_SCROLL = 64;
constexpr int EFFECT3D_MIRROR = 128;

// What is drawn in one screen cell.
struct CELLINFO {
  unsigned char SYMBOL = ' ';
  BYTE ATTR = 0;
  int32_t SATURATION = 100;
  int32_t BRIGHTNESS = 100;
  int32_t EFFECT3D = 0;
};

// Index [row 1..100][column 1..160]; row/column 0 are unused padding.
struct UNIVERSALDISPLAYTYPE {
  CELLINFO cell[UDT_Y + 1][UDT_X + 1];
  CELLINFO* operator[](int row) { return cell[row]; }
  const CELLINFO* operator[](int row) const { return cell[row]; }
};

struct VMODETYPE {
  int32_t COL = 80;
  int32_t ROW = 25;
  bool COLOR = true;
};

struct RGBCOLOR {
  BYTE R = 0, G = 0, B = 0;
  bool operator==(const RGBCOLOR&) const = default;
};

struct TINFO {
  int32_t SIZEX = 0, SIZEY = 0;
  bool ITS_LARGE = false;
  int32_t NUMTEXX = 1, NUMTEXY = 1;
};

struct KEYDATA {
  bool PRESSED = false;
  int32_t KEY = 320;
};

struct TRUELIGHT {
  BYTE X = 0, Y = 0;
  bool BARREL = false;
};

struct RES {
  uint16_t LUMBER = 0;
  uint16_t SCRAP = 0;
};

// Rounding to nearest with halves to even, as every scale factor of the game rounds.
int64_t ROUNDEVEN(double v);

// Decimal text of I with a leading minus for negatives.
std::string INTTOSTR(int32_t i);

// True when the glyph C is one of the characters of SET (never for 0).
bool GLYPHINSET(unsigned char c, const char* set);
