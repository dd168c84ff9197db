#pragma once

#include <functional>

class QObject;

namespace pluviane {

// Ctrl+C, SIGTERM and SIGHUP (a closed terminal) run `stop` in the event loop instead of ending the process
// on the spot, so that closing does its work (a DMX blackout above all).
// The watch lives as long as `owner`. False when the signals cannot be caught.
bool watchStopSignals(QObject* owner, const std::function<void()>& stop);

} // namespace pluviane
