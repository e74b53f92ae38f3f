#pragma once
// The gauge of a rebuild. Packing reports its percentage directly. Building the 26 tags
// reports 0..100 per tag; the rises are summed and shown against 2100, so the gauge is
// full after the 21st tag and stays there. Imports sum against 100 per tag instead.

class ReindexProgress {
public:
    enum class Phase { Pack, Index };

    explicit ReindexProgress(int indexSpan = 2100) : indexSpan_(indexSpan) {}

    void Start(Phase phase);
    // Takes one report and gives the gauge position, 0..100.
    int Report(int percent);
    int Position() const { return position_; }

private:
    int indexSpan_;
    Phase phase_ = Phase::Pack;
    int previous_ = 0;
    long total_ = 0;
    int position_ = 0;
};
