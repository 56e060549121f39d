#pragma once

#include <QByteArray>

#include <cstdint>
#include <utility>
#include <vector>

// What a recording says of its run, written as comments at its top.
struct RecordingHeader {
    std::int64_t clockStart = 0; // the frame clock's first second (os.time), since 1970
    std::int64_t frames = 0;     // the --frames that replays the run to the same end
    std::int64_t liveChanges = 0; // times the game took in files saved while it ran
};

// The pad of a run, frame by frame, kept as the changes of the buttons held, and written in
// the format that --buttons reads, so that the run can be replayed.
class PadRecorder {
public:
    // The buttons the game read in a frame; frames come in increasing order.
    void record(std::int64_t frame, std::uint32_t buttons);
    QByteArray text(const RecordingHeader& header) const;

private:
    std::vector<std::pair<std::int64_t, std::uint32_t>> mSteps;
    std::uint32_t mLast = 0;
};
