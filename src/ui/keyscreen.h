// The key screen: the player redefines the action keys one prompt at a time.
#pragma once
#include <cstdint>
#include <string>

// One prompt: waits until no key is down, writes PROMPT and " - ", takes the
// next key pressed once it is released, writes its name and plays the
// confirmation sound. Escape (27) sets the screen's abort flag.
int32_t ASSIGNKEY(const std::string& prompt);
// Both pages of prompts. All answered: the key file is saved. Escape at any
// prompt ends the screen at once, saves nothing and reloads the bindings from
// the key file. A close request of the window counts as Escape.
void DEFINEKEYS();
// True when the last DEFINEKEYS ended by Escape.
extern bool KEYSCREENABORTED;
