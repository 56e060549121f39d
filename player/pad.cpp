#include "player/pad.h"

#include <Qt>

#include <utility>

namespace {

struct Named {
    const char* name;
    std::uint32_t mask;
};

constexpr Named kNames[] = {
    {"select", PadMask::Select}, {"start", PadMask::Start},   {"up", PadMask::Up},
    {"right", PadMask::Right},   {"down", PadMask::Down},     {"left", PadMask::Left},
    {"l", PadMask::LTrigger},    {"r", PadMask::RTrigger},    {"triangle", PadMask::Triangle},
    {"circle", PadMask::Circle}, {"cross", PadMask::Cross},   {"square", PadMask::Square},
    {"home", PadMask::Home},     {"hold", PadMask::Hold},     {"note", PadMask::Note},
};

// X11 key codes (evdev code + 8) of the keys at the QWERTY places of the letters below.
constexpr std::pair<std::uint32_t, std::uint32_t> kScanCodes[] = {
    {111, PadMask::Up},      {116, PadMask::Down},     {113, PadMask::Left},
    {114, PadMask::Right},   {54, PadMask::Cross},     // C
    {41, PadMask::Circle},   // F
    {40, PadMask::Square},   // D
    {27, PadMask::Triangle}, // R
    {24, PadMask::LTrigger}, // Q (A on AZERTY)
    {25, PadMask::RTrigger}, // W (Z on AZERTY)
    {39, PadMask::Start},    // S
    {38, PadMask::Select},   // A (Q on AZERTY)
};

constexpr std::pair<int, std::uint32_t> kQtKeys[] = {
    {Qt::Key_Up, PadMask::Up},         {Qt::Key_Down, PadMask::Down},
    {Qt::Key_Left, PadMask::Left},     {Qt::Key_Right, PadMask::Right},
    {Qt::Key_C, PadMask::Cross},       {Qt::Key_F, PadMask::Circle},
    {Qt::Key_D, PadMask::Square},      {Qt::Key_R, PadMask::Triangle},
    {Qt::Key_Q, PadMask::LTrigger},    {Qt::Key_W, PadMask::RTrigger},
    {Qt::Key_S, PadMask::Start},       {Qt::Key_A, PadMask::Select},
};

} // namespace

std::uint32_t padButtonByName(const QString& name) {
    for (const Named& n : kNames)
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.mask;
    return 0;
}

QByteArray padButtonNames(std::uint32_t buttons) {
    QByteArray names;
    for (const Named& n : kNames) {
        if ((buttons & n.mask) == 0)
            continue;
        if (!names.isEmpty())
            names += ' ';
        names += n.name;
    }
    return names;
}

std::uint32_t padButtonForKey(std::uint32_t nativeScanCode, int qtKey) {
    if (nativeScanCode != 0) {
        for (const auto& [code, mask] : kScanCodes)
            if (code == nativeScanCode)
                return mask;
        return 0;
    }
    for (const auto& [key, mask] : kQtKeys)
        if (key == qtKey)
            return mask;
    return 0;
}
