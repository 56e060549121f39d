#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The PSP pad: one bit per button, as the console reports them.
namespace PadMask {
constexpr std::uint32_t Select = 0x1;
constexpr std::uint32_t Start = 0x8;
constexpr std::uint32_t Up = 0x10;
constexpr std::uint32_t Right = 0x20;
constexpr std::uint32_t Down = 0x40;
constexpr std::uint32_t Left = 0x80;
constexpr std::uint32_t LTrigger = 0x100;
constexpr std::uint32_t RTrigger = 0x200;
constexpr std::uint32_t Triangle = 0x1000;
constexpr std::uint32_t Circle = 0x2000;
constexpr std::uint32_t Cross = 0x4000;
constexpr std::uint32_t Square = 0x8000;
constexpr std::uint32_t Home = 0x10000;
constexpr std::uint32_t Hold = 0x20000;
constexpr std::uint32_t Note = 0x800000;
} // namespace PadMask

// One reading of the pad.
struct Pad {
    std::uint32_t buttons = 0;
    int analogX = 0; // -128..127, 0 at rest
    int analogY = 0;

    bool has(std::uint32_t mask) const { return (buttons & mask) != 0; }
};

// The button of a name as Lua spells its method ("cross", "l", "start"...); 0 when unknown.
std::uint32_t padButtonByName(const QString& name);
// The names of the buttons held, separated by spaces, in the order of the mask's bits;
// buttons without a name are left out.
QByteArray padButtonNames(std::uint32_t buttons);

// The button of a key: by physical key first (X11 key code, as QKeyEvent::nativeScanCode gives
// it), so the places are the same on AZERTY and QWERTY keyboards; by Qt key only when the
// platform gives no code (0). 0 when the key is no button.
std::uint32_t padButtonForKey(std::uint32_t nativeScanCode, int qtKey);
