#pragma once

#include "engine/ShowControls.h"
#include "model/FountainState.h"

#include <array>
#include <functional>

namespace pluviane {

// The show's controls without windows: every value starts where its control
// starts in the program, is clamped to the control's range, and runs the
// handler only when it really changes, as a scroll bar signals.
class ShowValueStore : public ShowControls {
public:
    using Handler = std::function<void(ShowValue what, int group, int value)>;

    ShowValueStore();
    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Takes every value `from` holds without running a handler: the store
    // starts where those controls stand.
    void copyQuietly(const ShowControls& from);

    int value(ShowValue what, int group = 0) const override;
    void setValue(ShowValue what, int group, int value) override;

private:
    static constexpr int kValues = int(ShowValue::ColourStop) + 1;
    int& slot(ShowValue what, int group);

    std::array<std::array<int, kFaderGroups + 1>, kValues> values_{};
    Handler handler_;
};

} // namespace pluviane
