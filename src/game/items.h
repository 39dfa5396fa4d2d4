// Items: the names and default colours of map symbols, and the inventory
// item vocabulary.
#pragma once
#include <cstdint>
#include <string>

#include "base/common.h"

extern std::string USEABLEITEMS;  // "ABK@i": symbols that go into the inventory
extern BYTE THINGCOLOR;           // colour chosen by the last IDENTIFYITEM

// Display name of a map symbol ("something" when it has none); sets
// THINGCOLOR from the symbol's colour, or leaves it when the symbol has none.
std::string IDENTIFYITEM(unsigned char item);

// The inventory: four slots per player in INVENTORY and the raw resources
// in PLAYERRES (game/playerstate.h), the chosen slot in CHOSENITEM
// (display/input.h).
constexpr int INVENTORYSLOTS = 4;
constexpr uint16_t MAXRESOURCE = 200;  // cap of each resource field
// Crafting costs (lumber, scrap), set at every map start.
extern RES REQ_BOAT, REQ_TORCH, REQ_AMMOUPGRADE, REQ_TANKREPAIR;

// First empty slot 1..4 of PLAYER, 0 when the inventory is full.
BYTE INVENTORYFREESLOT(BYTE player);
// First occupied slot 1..4, 0 when the inventory is empty.
BYTE INVENTORYBUSYSLOT(BYTE player);
// Empties slot IT (1..4) of PLAYER.
void DELETEINVENTORYITEM(BYTE player, BYTE it);
// The crafting costs of a new map.
void RESETCRAFTINGCOSTS();
// Adds gathered lumber and scrap to player PN, each field capped at 200.
void ABSORBGATHEREDRESOURCES(BYTE pn, RES rs);
// Pays SCRAP and LUMBER from player P when both are affordable (true);
// otherwise nothing changes (false).
bool EATSCRAPLUMBER(BYTE p, int32_t scrap, int32_t lumber);
