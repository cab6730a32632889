#include "app/input_state.hpp"
#include "play/hero_steps.hpp"
#include "play/play_state.hpp"
#include "play/update_play.hpp"
#include "world/level.hpp"

namespace {
bool roomToJump() {
    const bool standing = !play.walkingLeft && !play.walkingRight;
    if (standing && play.cellAbove < 66) return true;
    if (play.walkingLeft && play.cellAboveLeft < 66 && play.cellLeft < 66) return true;
    if (play.walkingRight && play.cellAboveRight < 66 && play.cellRight < 66) return true;
    return false;
}
}  // namespace

// A jump runs sixteen frames through the jump table and keeps the direction
// of the take-off frame; the ground block is skipped meanwhile, and there is
// no ceiling test: only a solid side cell stops the sideways motion.
void runJump(Game& game) {
    if (input.keySpace && play.jumpCounter < 0 && !play.inWater && roomToJump())
        play.jumpCounter = 15;
    if (play.jumpCounter > -1) {
        if (play.jumpCounter < static_cast<int32_t>(jumpTable.size()))
            scrollWorld(game, -jumpTable[play.jumpCounter]);
        if (play.walkingLeft && play.cellLeft < 66) moveHeroX(game, -heroStep);
        if (play.walkingRight && play.cellRight < 66) moveHeroX(game, +heroStep);
        play.jumpCounter -= 1;
    }
}
