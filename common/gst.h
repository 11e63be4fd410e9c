#pragma once

namespace qm {

// The nett amount and the GST of an amount.
struct GstSplit
{
    double nett = 0;
    double gst = 0;
};

// Splits a total that includes GST at `rate` per cent: nett = total / (1 + rate / 100), GST
// the rest. A nett that cannot be worked out (a rate of -100, amounts beyond a double) keeps
// its value in `before` and the GST is the rest of the total; a GST that cannot be worked out
// keeps its own.
GstSplit splitTotal(double total, double rate, GstSplit before);

} // namespace qm
