#include "ui/core/Canvas.h"

namespace krovel {

void Canvas::save() {
    // Saves deeper than the stack still count, so restores stay paired; they
    // simply have nothing to put back.
    if (depth_ < MaxSaveDepth) saved_[depth_] = state_;
    ++depth_;
}

void Canvas::restore() {
    if (depth_ == 0) return;
    --depth_;
    if (depth_ < MaxSaveDepth) state_ = saved_[depth_];
}

} // namespace krovel
