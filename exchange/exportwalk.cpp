#include "exchange/exportwalk.h"

#include "addressfile/runrecords.h"
#include "exchange/inputpacer.h"
#include "table/tapollo.h"
#include "table/ttable.h"

long ExportWalk::Run(const std::function<void()>& copy)
{
    copied_ = 0;
    PositionRunRecords(apollo_, table_, RunRecords{}, 0);
    total_ = apollo_.QueryRecCount();
    int shown = -1;
    InputPacer pacer(letInputThrough);
    while (!table_.Eof()) {
        copy();
        ++copied_;
        const int percent = total_ > 0 ? static_cast<int>(copied_ * 100 / total_) : 100;
        if (gauge && percent != shown)
            gauge(shown = percent);
        table_.Next();
        if (table_.Eof() || (endAtCount && copied_ >= total_))
            break;
        pacer.Tick();
        if (stopRequested && stopRequested())
            break;
        if (between)
            between(copied_);
    }
    return copied_;
}
