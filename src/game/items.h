// Items: the names and default colours of map symbols, and the inventory
// item vocabulary.
#pragma once
#include <cstdint>
#include <string>

#include "shell/common.h"

extern std::string USEABLEITEMS;  // "ABK@i": symbols that go into the inventory
extern BYTE THINGCOLOR;           // colour chosen by the last IDENTIFYITEM

// Display name of a map symbol ("something" when it has none); sets
// THINGCOLOR from the symbol's colour, or leaves it when the symbol has none.
std::string IDENTIFYITEM(unsigned char item);
