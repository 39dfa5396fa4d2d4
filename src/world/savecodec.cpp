#include "world/savecodec.h"

#include <cmath>

SAVECODEC::SAVECODEC(CODECMODE mode, std::string data) : MODE(mode), DATA(std::move(data)) {}

void SAVECODEC::REFUSE(const std::string& why) {
  if (ERR.empty()) ERR = why;
}

bool SAVECODEC::take(BYTE& b, const char* what) {
  if (!OK()) return false;
  if (POS >= DATA.size()) {
    REFUSE("the file ends early (at byte " + std::to_string(POS + 1) + ", reading " + what + ")");
    return false;
  }
  b = static_cast<BYTE>(DATA[POS++]);
  return true;
}

int SAVECODEC::BYTEV(BYTE& v, int lo, int hi, const char* what) {
  if (!READING()) {
    int x = v;
    if (x < lo) x = lo;
    if (x > hi) x = hi;
    DATA += static_cast<char>(x);
    return x;
  }
  BYTE b;
  if (!take(b, what)) return 0;
  if (b < lo || b > hi) {
    REFUSE(std::string(what) + " is " + std::to_string(b) + " at byte " + std::to_string(POS) +
         ", outside " + std::to_string(lo) + ".." + std::to_string(hi));
    return 0;
  }
  if (APPLYING()) v = b;
  return b;
}

void SAVECODEC::FLAG(bool& v, const char* what) {
  BYTE b = v ? 1 : 0;
  BYTEV(b, 0, 1, what);
  if (APPLYING() && OK()) v = (b == 1);
}

int SAVECODEC::WORD(uint16_t& v, int lo, int hi, const char* what) {
  if (!READING()) {
    int x = v;
    if (x < lo) x = lo;
    if (x > hi) x = hi;
    DATA += static_cast<char>(x / 256);
    DATA += static_cast<char>(x % 256);
    return x;
  }
  BYTE h, l;
  if (!take(h, what) || !take(l, what)) return 0;
  const int x = h * 256 + l;
  if (x < lo || x > hi) {
    REFUSE(std::string(what) + " is " + std::to_string(x) + " at byte " + std::to_string(POS - 1) +
         ", outside " + std::to_string(lo) + ".." + std::to_string(hi));
    return 0;
  }
  if (APPLYING()) v = static_cast<uint16_t>(x);
  return x;
}

void SAVECODEC::WORD32(int32_t& v, int lo, int hi, const char* what) {
  int32_t c = v < 0 ? 0 : (v > 65535 ? 65535 : v);
  uint16_t w = static_cast<uint16_t>(c);
  WORD(w, lo, hi, what);
  if (APPLYING() && OK()) v = w;
}

void SAVECODEC::OFFSET(int32_t& v, const char* what) {
  int32_t c = v < -1 ? -1 : (v > 1 ? 1 : v);
  BYTE b = static_cast<BYTE>(c + 1);
  BYTEV(b, 0, 2, what);
  if (APPLYING() && OK()) v = static_cast<int32_t>(b) - 1;
}

void SAVECODEC::WHOLE(double& v, const char* what) {
  double r = std::floor(v + 0.5);
  if (!(r >= 0)) r = 0;  // negative or not a number
  if (r > 255) r = 255;
  BYTE b = static_cast<BYTE>(r);
  BYTEV(b, 0, 255, what);
  if (APPLYING() && OK()) v = b;
}

void SAVECODEC::TEXTN(std::string& v, size_t n) {
  if (!READING()) {
    std::string s = v.substr(0, n);
    s.resize(n, ' ');
    DATA += s;
    return;
  }
  if (!OK()) return;
  if (DATA.size() - POS < n) {
    REFUSE("the file ends early (at byte " + std::to_string(DATA.size() + 1) + ", reading a text)");
    return;
  }
  if (APPLYING()) v = DATA.substr(POS, n);
  POS += n;
}

void SAVECODEC::COUNTED(std::string& v, size_t maxlen, const char* what) {
  BYTE len = static_cast<BYTE>(v.size() > maxlen ? maxlen : v.size());
  len = static_cast<BYTE>(BYTEV(len, 0, static_cast<int>(maxlen), what));
  if (!OK()) return;
  std::string s = v;
  TEXTN(s, len);
  if (APPLYING() && OK()) v = s;
}

int SAVECODEC::COUNT(BYTE& v, int max, const char* what) {
  const int n = BYTEV(v, 0, max, what);
  return OK() ? n : 0;
}

void SAVECODEC::FINISH() {
  if (READING() && OK() && POS != DATA.size())
    REFUSE("the file is " + std::to_string(DATA.size() - POS) + " bytes longer than its content");
}
