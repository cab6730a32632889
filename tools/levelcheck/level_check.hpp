#pragma once
// Checks the game's data files for the faults that would break a level at
// run time: codes without pictures, items without entries, enemy frames
// without textures, holes in the border, a missing or doubled level end, and
// enemies that start outside their bounds.
#include <string>
#include <vector>

namespace levelcheck {

struct Options {
    // Also require every picture file named by the texture lists to exist
    // (needs the built runtime folder).
    bool checkPictureFiles = false;
};

// Checks the runtime folder `gameDir` (holding Data/ and, when pictures are
// checked, Graphics/). Returns one readable message per problem found; an
// empty list means the data is sound.
std::vector<std::string> checkGameData(const std::string& gameDir, const Options& options = {});

}  // namespace levelcheck
