#pragma once

// The copy of a prepared game (gameexport.h) into its destination, safe against a full or
// pulled-out memory stick: everything goes first into a hidden folder beside the target,
// which is written to the medium and only then renamed into place. A game already there is
// set aside at that moment and removed once the new one stands. After any failure or a
// cancel, the destination is as it was.

#include "build/gameexport.h"

#include <atomic>
#include <functional>

struct ExportControl {
    // Bytes copied so far and in all; called from the copying thread, after each piece.
    std::function<void(qint64 done, qint64 total)> progress;
    // Set from another thread to stop the copy.
    const std::atomic<bool>* cancel = nullptr;
};

struct ExportResult {
    bool done = false;      // the game's folder is in place
    bool cancelled = false;
    QString error;          // French, naming the file or folder at fault
};

ExportResult copyGame(const ExportPlan& plan, const ExportControl& control = {});

// Why a write failed, in French, from the system's error number.
QString writeFailureReason(int error);
