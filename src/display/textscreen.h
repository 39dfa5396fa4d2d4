// The emulated colour text screen: modes, window, cursor, colours, string
// writers, console-write emulation, the screen push and the frame timer.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

extern UNIVERSALDISPLAYTYPE EKRAN;
extern VMODETYPE VMODE;
extern BYTE WINX1, WINY1, WINX2, WINY2;
extern BYTE MYCURSORX, MYCURSORY;
extern BYTE TXTCOLOR, TXTBKGCOLOR;
extern std::string VIDEO_CURRENTSTRING;
extern bool WRITEEMULATION;
extern uint64_t UPDATE_TICKS, UPDATE_TICKS_ORIGINAL;
extern uint64_t DELAYSTART;
constexpr int FPS = 30;

void TEXTMODE80X25();
void TEXTMODE80X50();
void TEXTMODE45X25();
void TEXTMODEWIDESCREEN();
void TEXTMODECUSTOM(BYTE x, BYTE y);
void WINDOWEMULATOR(BYTE x1, BYTE y1, BYTE x2, BYTE y2);
void GOTOXYEMULATOR(BYTE x, BYTE y);
BYTE WHEREXEMULATOR();
BYTE WHEREYEMULATOR();
void TEXTCOLOREMULATOR(BYTE colour);
void TEXTBACKGROUNDEMULATOR(BYTE colour);
void CLRSCREMULATOR(bool push);
void CLRSCRERASEALL();
void DISPLAYSTRING(const std::string& s, BYTE dx, BYTE dy, BYTE attr);
void DISPLAYSTRING40(const std::string& s, BYTE dx, BYTE dy, BYTE attr);
void VIDEO_OUTPUTSTRING(bool pushdisp);
// Convenience for callers: the console write of S with or without line end.
void WRITETEXT(const std::string& s, bool pushdisp = false);
void WRITELNTEXT(const std::string& s, bool pushdisp = false);
void SHIFTTEXTUPBYONE();
void RENDERTEXTSCREEN();
void PUSHDISPLAY();

void INITDELAYTIMINGS();
uint64_t GETCURRENTTICKS();
void MARKDELAYSTART();
bool PERFORMDELAY(double multiplier);
void DELAYEMULATOR(uint16_t ms);
void DELAYEMULATOR1(uint16_t ms);
void STARTMOUSE();
void ENDMOUSE();
