#pragma once

// SIGTERM asks the player to end as the window's close button does, so that a run stopped
// from outside (Quendal restarting its test run) still writes its recording.
void catchTermination();
bool terminationRequested();
