#include "app/app_state.hpp"

#include <algorithm>

#include "platform/platform_layer.hpp"
#include "world/game.hpp"

AppState app;
std::unique_ptr<Game> theGame;

void setGameState(int32_t value) {
    app.gameState = value;
    auto& seen = app.statesVisited;
    if (std::find(seen.begin(), seen.end(), value) == seen.end()) seen.push_back(value);
}

void requestClose() {
    app.closeRequested = true;
    if (app.windowDestroyed) return;
    // The default handling of the close request destroys the window, and
    // the window's destruction posts the quit message.
    if (platformLayer.video) platformLayer.video->closeWindow();
    app.windowDestroyed = true;
    app.quitPosted = true;
}
