// Placeholder until this part of the game is built.
#include "app/graphics.hpp"
#include "screens/text_font.hpp"
Graphics graphics;
void createFonts() {}
void initGraphics() {}
void setUpCamera() {}
void releaseGraphics() {}
void refreshViewProjection() { graphics.viewProjection = matrixMultiply(graphics.viewMatrix, graphics.projectionMatrix); }
