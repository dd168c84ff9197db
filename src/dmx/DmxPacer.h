#pragma once

#include "model/DmxPatch.h"

#include <cstdint>
#include <optional>

namespace pluviane {

// Decides when the fountain's DMX frame goes out. It is asked after every show
// tick (16 ms), so the water follows the show clock and not the drawing, which
// may hold a frame back for as long as a picture takes: a frame that changed
// goes at once, an unchanged one is repeated every `kRepeatMicros`, so a
// receiver that came late or lost a frame is soon in step again.
class DmxPacer {
public:
    static constexpr std::int64_t kRepeatMicros = 50'000;

    // Whether `frame` is to be sent at `nowMicros`; a frame said due counts as sent.
    bool due(const DmxFrame& frame, std::int64_t nowMicros);
    // The next frame goes whatever it holds (after a blackout, a new patch).
    void forget() { last_.reset(); }

private:
    std::optional<DmxFrame> last_;
    std::int64_t lastMicros_ = 0;
};

} // namespace pluviane
