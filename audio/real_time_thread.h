#pragma once

// Raises the calling thread to real-time scheduling where the system allows it (the
// process's real-time limit, or the desktop's RealtimeKit), so that busy programs cannot keep
// it from filling the audio device in time. False, with the thread as it was, where it does not.
bool makeThisThreadRealTime();
