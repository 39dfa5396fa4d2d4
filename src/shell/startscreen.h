// Waiting for a typed key on a screen that keeps being shown.
#pragma once

// Pushes the screen about every frame until a typed character arrives (or the
// window is asked to close, which reads as Escape); returns it.
unsigned char WAITFORKEY();
