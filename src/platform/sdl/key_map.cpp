// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/key_map.hpp"

#include <SDL2/SDL_scancode.h>

#include <array>
#include <utility>

#include "platform/key_codes.hpp"

namespace tiefschacht {

namespace {

constexpr std::pair<SDL_Scancode, uint8_t> scancodePairs[] = {
    // Main block, row by row.
    {SDL_SCANCODE_ESCAPE, KeyEscape},
    {SDL_SCANCODE_GRAVE, KeyGrave},
    {SDL_SCANCODE_1, Key1},
    {SDL_SCANCODE_2, Key2},
    {SDL_SCANCODE_3, Key3},
    {SDL_SCANCODE_4, Key4},
    {SDL_SCANCODE_5, Key5},
    {SDL_SCANCODE_6, Key6},
    {SDL_SCANCODE_7, Key7},
    {SDL_SCANCODE_8, Key8},
    {SDL_SCANCODE_9, Key9},
    {SDL_SCANCODE_0, Key0},
    {SDL_SCANCODE_MINUS, KeyMinus},
    {SDL_SCANCODE_EQUALS, KeyEquals},
    {SDL_SCANCODE_BACKSPACE, KeyBack},
    {SDL_SCANCODE_TAB, KeyTab},
    {SDL_SCANCODE_Q, KeyQ},
    {SDL_SCANCODE_W, KeyW},
    {SDL_SCANCODE_E, KeyE},
    {SDL_SCANCODE_R, KeyR},
    {SDL_SCANCODE_T, KeyT},
    {SDL_SCANCODE_Y, KeyY},
    {SDL_SCANCODE_U, KeyU},
    {SDL_SCANCODE_I, KeyI},
    {SDL_SCANCODE_O, KeyO},
    {SDL_SCANCODE_P, KeyP},
    {SDL_SCANCODE_LEFTBRACKET, KeyLBracket},
    {SDL_SCANCODE_RIGHTBRACKET, KeyRBracket},
    {SDL_SCANCODE_RETURN, KeyReturn},
    {SDL_SCANCODE_CAPSLOCK, KeyCapital},
    {SDL_SCANCODE_A, KeyA},
    {SDL_SCANCODE_S, KeyS},
    {SDL_SCANCODE_D, KeyD},
    {SDL_SCANCODE_F, KeyF},
    {SDL_SCANCODE_G, KeyG},
    {SDL_SCANCODE_H, KeyH},
    {SDL_SCANCODE_J, KeyJ},
    {SDL_SCANCODE_K, KeyK},
    {SDL_SCANCODE_L, KeyL},
    {SDL_SCANCODE_SEMICOLON, KeySemicolon},
    {SDL_SCANCODE_APOSTROPHE, KeyApostrophe},
    {SDL_SCANCODE_BACKSLASH, KeyBackslash},
    {SDL_SCANCODE_NONUSHASH,
     KeyBackslash},  // the ISO key left of Enter sits where US has backslash
    {SDL_SCANCODE_LSHIFT, KeyLShift},
    {SDL_SCANCODE_NONUSBACKSLASH, KeyOem102},
    {SDL_SCANCODE_Z, KeyZ},
    {SDL_SCANCODE_X, KeyX},
    {SDL_SCANCODE_C, KeyC},
    {SDL_SCANCODE_V, KeyV},
    {SDL_SCANCODE_B, KeyB},
    {SDL_SCANCODE_N, KeyN},
    {SDL_SCANCODE_M, KeyM},
    {SDL_SCANCODE_COMMA, KeyComma},
    {SDL_SCANCODE_PERIOD, KeyPeriod},
    {SDL_SCANCODE_SLASH, KeySlash},
    {SDL_SCANCODE_RSHIFT, KeyRShift},
    {SDL_SCANCODE_LCTRL, KeyLControl},
    {SDL_SCANCODE_LGUI, KeyLWin},
    {SDL_SCANCODE_LALT, KeyLMenu},
    {SDL_SCANCODE_SPACE, KeySpace},
    {SDL_SCANCODE_RALT, KeyRMenu},
    {SDL_SCANCODE_RGUI, KeyRWin},
    {SDL_SCANCODE_APPLICATION, KeyApps},
    {SDL_SCANCODE_RCTRL, KeyRControl},

    // Function keys.
    {SDL_SCANCODE_F1, KeyF1},
    {SDL_SCANCODE_F2, KeyF2},
    {SDL_SCANCODE_F3, KeyF3},
    {SDL_SCANCODE_F4, KeyF4},
    {SDL_SCANCODE_F5, KeyF5},
    {SDL_SCANCODE_F6, KeyF6},
    {SDL_SCANCODE_F7, KeyF7},
    {SDL_SCANCODE_F8, KeyF8},
    {SDL_SCANCODE_F9, KeyF9},
    {SDL_SCANCODE_F10, KeyF10},
    {SDL_SCANCODE_F11, KeyF11},
    {SDL_SCANCODE_F12, KeyF12},
    {SDL_SCANCODE_F13, KeyF13},
    {SDL_SCANCODE_F14, KeyF14},
    {SDL_SCANCODE_F15, KeyF15},

    // Print, Scroll Lock, Pause and the navigation block.
    {SDL_SCANCODE_PRINTSCREEN, KeySysRq},
    {SDL_SCANCODE_SYSREQ, KeySysRq},
    {SDL_SCANCODE_SCROLLLOCK, KeyScroll},
    {SDL_SCANCODE_PAUSE, KeyPause},
    {SDL_SCANCODE_INSERT, KeyInsert},
    {SDL_SCANCODE_HOME, KeyHome},
    {SDL_SCANCODE_PAGEUP, KeyPrior},
    {SDL_SCANCODE_DELETE, KeyDelete},
    {SDL_SCANCODE_END, KeyEnd},
    {SDL_SCANCODE_PAGEDOWN, KeyNext},
    {SDL_SCANCODE_UP, KeyUp},
    {SDL_SCANCODE_LEFT, KeyLeft},
    {SDL_SCANCODE_DOWN, KeyDown},
    {SDL_SCANCODE_RIGHT, KeyRight},

    // Keypad.
    {SDL_SCANCODE_NUMLOCKCLEAR, KeyNumLock},
    {SDL_SCANCODE_KP_DIVIDE, KeyDivide},
    {SDL_SCANCODE_KP_MULTIPLY, KeyMultiply},
    {SDL_SCANCODE_KP_MINUS, KeySubtract},
    {SDL_SCANCODE_KP_PLUS, KeyAdd},
    {SDL_SCANCODE_KP_ENTER, KeyNumpadEnter},
    {SDL_SCANCODE_KP_1, KeyNumpad1},
    {SDL_SCANCODE_KP_2, KeyNumpad2},
    {SDL_SCANCODE_KP_3, KeyNumpad3},
    {SDL_SCANCODE_KP_4, KeyNumpad4},
    {SDL_SCANCODE_KP_5, KeyNumpad5},
    {SDL_SCANCODE_KP_6, KeyNumpad6},
    {SDL_SCANCODE_KP_7, KeyNumpad7},
    {SDL_SCANCODE_KP_8, KeyNumpad8},
    {SDL_SCANCODE_KP_9, KeyNumpad9},
    {SDL_SCANCODE_KP_0, KeyNumpad0},
    {SDL_SCANCODE_KP_PERIOD, KeyDecimal},
    {SDL_SCANCODE_KP_EQUALS, KeyNumpadEquals},
    {SDL_SCANCODE_KP_COMMA, KeyNumpadComma},

    // International keys.
    {SDL_SCANCODE_INTERNATIONAL1, KeyAbntC1},
    {SDL_SCANCODE_INTERNATIONAL2, KeyKana},
    {SDL_SCANCODE_INTERNATIONAL3, KeyYen},
    {SDL_SCANCODE_INTERNATIONAL4, KeyConvert},
    {SDL_SCANCODE_INTERNATIONAL5, KeyNoConvert},
    {SDL_SCANCODE_LANG1, KeyKana},
    {SDL_SCANCODE_LANG2, KeyKanji},

    // Media, browser and system keys.
    {SDL_SCANCODE_AUDIOPREV, KeyPrevTrack},
    {SDL_SCANCODE_AUDIONEXT, KeyNextTrack},
    {SDL_SCANCODE_AUDIOMUTE, KeyMute},
    {SDL_SCANCODE_MUTE, KeyMute},
    {SDL_SCANCODE_CALCULATOR, KeyCalculator},
    {SDL_SCANCODE_AUDIOPLAY, KeyPlayPause},
    {SDL_SCANCODE_AUDIOSTOP, KeyMediaStop},
    {SDL_SCANCODE_VOLUMEDOWN, KeyVolumeDown},
    {SDL_SCANCODE_VOLUMEUP, KeyVolumeUp},
    {SDL_SCANCODE_AC_HOME, KeyWebHome},
    {SDL_SCANCODE_AC_SEARCH, KeyWebSearch},
    {SDL_SCANCODE_AC_BOOKMARKS, KeyWebFavorites},
    {SDL_SCANCODE_AC_REFRESH, KeyWebRefresh},
    {SDL_SCANCODE_AC_STOP, KeyWebStop},
    {SDL_SCANCODE_AC_FORWARD, KeyWebForward},
    {SDL_SCANCODE_AC_BACK, KeyWebBack},
    {SDL_SCANCODE_COMPUTER, KeyMyComputer},
    {SDL_SCANCODE_MAIL, KeyMail},
    {SDL_SCANCODE_MEDIASELECT, KeyMediaSelect},
    {SDL_SCANCODE_POWER, KeyPower},
    {SDL_SCANCODE_SLEEP, KeySleep},
};

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> scancodeTable = [] {
    std::array<uint8_t, SDL_NUM_SCANCODES> table{};
    for (const auto& [scancode, code] : scancodePairs) table[static_cast<size_t>(scancode)] = code;
    return table;
}();

}  // namespace

uint8_t keyCodeForScancode(int scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return scancodeTable[static_cast<size_t>(scancode)];
}

}  // namespace tiefschacht
