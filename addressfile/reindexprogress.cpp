#include "addressfile/reindexprogress.h"

#include <algorithm>

void ReindexProgress::Start(Phase phase)
{
    phase_ = phase;
    previous_ = 0;
    total_ = 0;
    position_ = 0;
}

int ReindexProgress::Report(int percent)
{
    if (phase_ == Phase::Pack) {
        position_ = std::clamp(percent, 0, 100);
        return position_;
    }
    if (percent > previous_)
        total_ += percent - previous_;
    previous_ = percent;
    // Rounded to the nearest whole number.
    position_ = static_cast<int>(std::min<long>(100, (total_ * 100 + indexSpan_ / 2) / indexSpan_));
    return position_;
}
