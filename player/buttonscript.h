#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>

// Scripted pad input for headless runs. Text format, one entry a line:
//   FRAME BUTTON BUTTON...
// From vertical blank FRAME on (the first frame is 0), exactly the named buttons are down,
// until a later line takes over; a line with a frame and no button releases everything.
// Button names are those of the pad methods: up down left right cross circle square triangle
// l r start select home hold note (any case). Blank lines and text after '#' are ignored,
// except the comment line "# horloge SECONDS" of a recorded play: the second the frame clock
// started at, so that a replay reads the same dates.
class ButtonScript {
public:
    // Throws std::runtime_error naming the line of a bad frame number or button.
    static ButtonScript parse(const QByteArray& text);
    static ButtonScript load(const QString& path);

    std::uint32_t buttonsAt(std::int64_t frame) const;
    bool isEmpty() const { return mSteps.empty(); }
    std::optional<std::int64_t> clockStart() const { return mClockStart; }

private:
    std::map<std::int64_t, std::uint32_t> mSteps;
    std::optional<std::int64_t> mClockStart;
};
