// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's key codes: keyboard scan codes of the old PC keyboard (set 1,
// with 0x80 added for the extended keys). They name key positions with the
// names of a US layout, so on a German keyboard the key engraved Z is KeyY.
#include <cstdint>

namespace tiefschacht {

// Letters and digits, main block.
constexpr uint8_t KeyEscape = 0x01;
constexpr uint8_t Key1 = 0x02;
constexpr uint8_t Key2 = 0x03;
constexpr uint8_t Key3 = 0x04;
constexpr uint8_t Key4 = 0x05;
constexpr uint8_t Key5 = 0x06;
constexpr uint8_t Key6 = 0x07;
constexpr uint8_t Key7 = 0x08;
constexpr uint8_t Key8 = 0x09;
constexpr uint8_t Key9 = 0x0A;
constexpr uint8_t Key0 = 0x0B;
constexpr uint8_t KeyMinus = 0x0C;
constexpr uint8_t KeyEquals = 0x0D;
constexpr uint8_t KeyBack = 0x0E;  // Backspace
constexpr uint8_t KeyTab = 0x0F;
constexpr uint8_t KeyQ = 0x10;
constexpr uint8_t KeyW = 0x11;
constexpr uint8_t KeyE = 0x12;
constexpr uint8_t KeyR = 0x13;
constexpr uint8_t KeyT = 0x14;
constexpr uint8_t KeyY = 0x15;
constexpr uint8_t KeyU = 0x16;
constexpr uint8_t KeyI = 0x17;
constexpr uint8_t KeyO = 0x18;
constexpr uint8_t KeyP = 0x19;
constexpr uint8_t KeyLBracket = 0x1A;
constexpr uint8_t KeyRBracket = 0x1B;
constexpr uint8_t KeyReturn = 0x1C;  // Enter on the main block
constexpr uint8_t KeyLControl = 0x1D;
constexpr uint8_t KeyA = 0x1E;
constexpr uint8_t KeyS = 0x1F;
constexpr uint8_t KeyD = 0x20;
constexpr uint8_t KeyF = 0x21;
constexpr uint8_t KeyG = 0x22;
constexpr uint8_t KeyH = 0x23;
constexpr uint8_t KeyJ = 0x24;
constexpr uint8_t KeyK = 0x25;
constexpr uint8_t KeyL = 0x26;
constexpr uint8_t KeySemicolon = 0x27;
constexpr uint8_t KeyApostrophe = 0x28;
constexpr uint8_t KeyGrave = 0x29;
constexpr uint8_t KeyLShift = 0x2A;
constexpr uint8_t KeyBackslash = 0x2B;
constexpr uint8_t KeyZ = 0x2C;
constexpr uint8_t KeyX = 0x2D;
constexpr uint8_t KeyC = 0x2E;
constexpr uint8_t KeyV = 0x2F;
constexpr uint8_t KeyB = 0x30;
constexpr uint8_t KeyN = 0x31;
constexpr uint8_t KeyM = 0x32;
constexpr uint8_t KeyComma = 0x33;
constexpr uint8_t KeyPeriod = 0x34;
constexpr uint8_t KeySlash = 0x35;
constexpr uint8_t KeyRShift = 0x36;
constexpr uint8_t KeyMultiply = 0x37;  // * on the keypad
constexpr uint8_t KeyLMenu = 0x38;     // left Alt
constexpr uint8_t KeySpace = 0x39;
constexpr uint8_t KeyCapital = 0x3A;  // Caps Lock

// Function keys.
constexpr uint8_t KeyF1 = 0x3B;
constexpr uint8_t KeyF2 = 0x3C;
constexpr uint8_t KeyF3 = 0x3D;
constexpr uint8_t KeyF4 = 0x3E;
constexpr uint8_t KeyF5 = 0x3F;
constexpr uint8_t KeyF6 = 0x40;
constexpr uint8_t KeyF7 = 0x41;
constexpr uint8_t KeyF8 = 0x42;
constexpr uint8_t KeyF9 = 0x43;
constexpr uint8_t KeyF10 = 0x44;
constexpr uint8_t KeyF11 = 0x57;
constexpr uint8_t KeyF12 = 0x58;
constexpr uint8_t KeyF13 = 0x64;
constexpr uint8_t KeyF14 = 0x65;
constexpr uint8_t KeyF15 = 0x66;

// Locks and the keypad.
constexpr uint8_t KeyNumLock = 0x45;
constexpr uint8_t KeyScroll = 0x46;
constexpr uint8_t KeyNumpad7 = 0x47;
constexpr uint8_t KeyNumpad8 = 0x48;
constexpr uint8_t KeyNumpad9 = 0x49;
constexpr uint8_t KeySubtract = 0x4A;  // - on the keypad
constexpr uint8_t KeyNumpad4 = 0x4B;
constexpr uint8_t KeyNumpad5 = 0x4C;
constexpr uint8_t KeyNumpad6 = 0x4D;
constexpr uint8_t KeyAdd = 0x4E;  // + on the keypad
constexpr uint8_t KeyNumpad1 = 0x4F;
constexpr uint8_t KeyNumpad2 = 0x50;
constexpr uint8_t KeyNumpad3 = 0x51;
constexpr uint8_t KeyNumpad0 = 0x52;
constexpr uint8_t KeyDecimal = 0x53;  // . on the keypad
constexpr uint8_t KeyNumpadEquals = 0x8D;
constexpr uint8_t KeyNumpadEnter = 0x9C;
constexpr uint8_t KeyNumpadComma = 0xB3;
constexpr uint8_t KeyDivide = 0xB5;  // / on the keypad

// International keys.
constexpr uint8_t KeyOem102 = 0x56;  // the extra key beside left Shift (<> on German keyboards)
constexpr uint8_t KeyKana = 0x70;
constexpr uint8_t KeyAbntC1 = 0x73;
constexpr uint8_t KeyConvert = 0x79;
constexpr uint8_t KeyNoConvert = 0x7B;
constexpr uint8_t KeyYen = 0x7D;
constexpr uint8_t KeyAbntC2 = 0x7E;
constexpr uint8_t KeyKanji = 0x94;

// Right-hand modifiers, navigation block and system keys.
constexpr uint8_t KeyRControl = 0x9D;
constexpr uint8_t KeySysRq = 0xB7;  // Print Screen
constexpr uint8_t KeyRMenu = 0xB8;  // right Alt (AltGr)
constexpr uint8_t KeyPause = 0xC5;
constexpr uint8_t KeyHome = 0xC7;
constexpr uint8_t KeyUp = 0xC8;
constexpr uint8_t KeyPrior = 0xC9;  // Page Up
constexpr uint8_t KeyLeft = 0xCB;
constexpr uint8_t KeyRight = 0xCD;
constexpr uint8_t KeyEnd = 0xCF;
constexpr uint8_t KeyDown = 0xD0;
constexpr uint8_t KeyNext = 0xD1;  // Page Down
constexpr uint8_t KeyInsert = 0xD2;
constexpr uint8_t KeyDelete = 0xD3;
constexpr uint8_t KeyLWin = 0xDB;
constexpr uint8_t KeyRWin = 0xDC;
constexpr uint8_t KeyApps = 0xDD;
constexpr uint8_t KeyPower = 0xDE;
constexpr uint8_t KeySleep = 0xDF;
constexpr uint8_t KeyWake = 0xE3;

// Media and browser keys.
constexpr uint8_t KeyPrevTrack = 0x90;
constexpr uint8_t KeyNextTrack = 0x99;
constexpr uint8_t KeyMute = 0xA0;
constexpr uint8_t KeyCalculator = 0xA1;
constexpr uint8_t KeyPlayPause = 0xA2;
constexpr uint8_t KeyMediaStop = 0xA4;
constexpr uint8_t KeyVolumeDown = 0xAE;
constexpr uint8_t KeyVolumeUp = 0xB0;
constexpr uint8_t KeyWebHome = 0xB2;
constexpr uint8_t KeyWebSearch = 0xE5;
constexpr uint8_t KeyWebFavorites = 0xE6;
constexpr uint8_t KeyWebRefresh = 0xE7;
constexpr uint8_t KeyWebStop = 0xE8;
constexpr uint8_t KeyWebForward = 0xE9;
constexpr uint8_t KeyWebBack = 0xEA;
constexpr uint8_t KeyMyComputer = 0xEB;
constexpr uint8_t KeyMail = 0xEC;
constexpr uint8_t KeyMediaSelect = 0xED;

// The usual names of a few keys.
constexpr uint8_t KeyBackspace = KeyBack;
constexpr uint8_t KeyEnter = KeyReturn;
constexpr uint8_t KeyPageUp = KeyPrior;
constexpr uint8_t KeyPageDown = KeyNext;

// A key is down when the high bit of its snapshot byte is set.
constexpr uint8_t keyDownBit = 0x80;

}  // namespace tiefschacht
