// Charts of the display: every glyph and every colour pair, as a test card
// for the glyph sets and the palette.
#pragma once

// Draws the glyph chart (codes 32..255) into the text screen.
void DRAWGLYPHCHART(int col, int row);
// Draws the 16 x 16 colour chart into the text screen.
void DRAWCOLOURCHART(int col, int row);
// Full-screen charts that wait for a key.
void SHOWGLYPHCHART();
void SHOWCOLOURCHART();
// The start screen: title, colour chart and glyph chart, until Escape.
void STARTSCREEN();
// Pushes the screen about every frame until a typed character arrives; returns it.
unsigned char WAITFORKEY();
