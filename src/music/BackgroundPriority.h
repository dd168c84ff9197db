#pragma once

namespace pluviane {

// Lets the calling thread run only on time no other thread of the machine
// wants. Long analyses of music call it first: the sound server's and the
// media framework's threads that play the same music must never wait for
// them, or the first seconds of a song are skipped unheard. Best effort: where
// the system refuses, the thread runs on as it was.
void runOnlyOnIdleTime();

} // namespace pluviane
