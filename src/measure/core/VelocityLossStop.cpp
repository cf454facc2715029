#include "measure/core/VelocityLossStop.h"

#include <algorithm>

namespace krovel {

bool VelocityLossStop::Add(int32_t step) {
    if (percent_ <= 0 || fired_ || step <= 0) return false;
    fastest_ = std::max(fastest_, step);
    // (fastest - v) / fastest >= percent / 100, in whole steps: no rounding at the edge.
    fired_ = (fastest_ - step) * 100 >= percent_ * fastest_;
    return fired_;
}

void VelocityLossStop::Reset() {
    fastest_ = 0;
    fired_ = false;
}

int32_t VelocityLossStop::LossPercent(int32_t step) const {
    if (fastest_ <= 0 || step <= 0 || step >= fastest_) return 0;
    return ((fastest_ - step) * 200 + fastest_) / (2 * fastest_);
}

std::string VelocityLossStopNote(int32_t lossPercent) {
    return "Velocity loss " + std::to_string(lossPercent) + " % \xE2\x80\x93 stop";
}

} // namespace krovel
