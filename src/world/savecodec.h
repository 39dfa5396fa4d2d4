// One walker for each stored byte layout, used three ways: WRITING appends
// the current values, CHECKING reads a file and validates every value without
// touching the game, APPLYING reads it again into the game. A layout is one
// function over a SAVECODEC, so the writer and the reader cannot disagree,
// and a load only applies a file whose every byte has passed the check.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

enum CODECMODE { CM_WRITE, CM_CHECK, CM_APPLY };

class SAVECODEC {
 public:
  SAVECODEC(CODECMODE mode, std::string data = std::string());
  CODECMODE MODE;
  std::string DATA;   // bytes written, or the file being read
  size_t POS = 0;     // next byte to read
  std::string ERR;    // first problem found; reading stops there

  bool OK() const { return ERR.empty(); }
  bool READING() const { return MODE != CM_WRITE; }
  bool APPLYING() const { return MODE == CM_APPLY; }

  // A byte in LO..HI (written clamped into it); WHAT names it in messages.
  // Returns the value written or read (the file's value also when checking).
  int BYTEV(BYTE& v, int lo, int hi, const char* what);
  // A character byte (any value).
  void CHR(unsigned char& v) { BYTE b = v; BYTEV(b, 0, 255, "character"); if (APPLYING()) v = b; }
  // A flag: 1 true, 0 false; any other byte is refused.
  void FLAG(bool& v, const char* what);
  // A word (high byte first) in LO..HI.
  int WORD(uint16_t& v, int lo, int hi, const char* what);
  void WORD32(int32_t& v, int lo, int hi, const char* what);
  // A direction component -1..1 stored plus one.
  void OFFSET(int32_t& v, const char* what);
  // A real stored rounded (negative as 0, above 255 as 255); read as that integer.
  void WHOLE(double& v, const char* what);
  // Exactly N characters (padded with spaces when writing).
  void TEXTN(std::string& v, size_t n);
  // A length byte and that many characters; at most MAXLEN are accepted.
  void COUNTED(std::string& v, size_t maxlen, const char* what);
  // A count byte bounded by the table size MAX; returns the count.
  int COUNT(BYTE& v, int max, const char* what);
  // Reading: refuses a file with bytes left over after the layout.
  void FINISH();
  void REFUSE(const std::string& why);

 private:
  bool take(BYTE& b, const char* what);
};
