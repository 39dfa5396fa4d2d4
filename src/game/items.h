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

// Uses the item in slot IT (1..4) of PLAYER: the axe hits a neighbouring
// monster or crafts at a workbench (a barrel makes a torch, a tree a boat),
// the boat carries the player across the water ahead, the defib kit revives
// the other player. Nothing for slot 0, an empty slot, or while the use key
// was already down on the previous cycle.
void USEITEM(BYTE player, BYTE it);
// Adds gathered resources to PN's store; each field is capped at 200.
void ABSORBGATHEREDRESOURCES(BYTE pn, RES rs);
// Pays SCRAP and LUMBER from P's store when both are affordable (true);
// otherwise changes nothing (false). Negative amounts are never affordable.
bool EATSCRAPLUMBER(BYTE p, int32_t scrap, int32_t lumber);
// The same for a recipe.
bool EATSCRAPLUMBER(BYTE p, RES cost);
// A cost in words: "50 scrap and 50 lumber", "75 lumber"; empty for nothing.
std::string REQSTOENGLISH(RES r);
