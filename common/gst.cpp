#include "common/gst.h"

#include <cmath>

namespace qm {

GstSplit splitTotal(double total, double rate, GstSplit before)
{
    const double divisor = 1 + rate / 100;
    GstSplit split;
    split.nett = divisor != 0 ? total / divisor : before.nett;
    if (!std::isfinite(split.nett))
        split.nett = before.nett;
    split.gst = total - split.nett;
    if (!std::isfinite(split.gst))
        split.gst = before.gst;
    return split;
}

} // namespace qm
