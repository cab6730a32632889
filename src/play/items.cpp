// Placeholder until this part of the game is built.
#include "play/items.hpp"
void pickUpItem(int32_t) {}
int32_t itemReplacement(int32_t) { return 0; }
int32_t itemPoints(int32_t) { return 0; }
void applyItemAction(int32_t) {}
void openGate() {}
