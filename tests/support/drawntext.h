#pragma once

#include "report/reportlayout.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

namespace qm::test {

// A run of text as the page shows it: what the painter hands the device, less the characters
// its clip hides (a text drawn past a clipped place loses them). In points from the page's top
// left.
struct DrawnText
{
    QString text;
    QRectF box;        // from the left end of the baseline, the ascent up and the descent down
    double points = 0; // the size of the type as drawn
};

// Draws one page of a document, as a printer or a PDF file at 600 dots an inch gets it, and
// returns its texts in the order drawn (pieces of one run joined).
std::vector<DrawnText> drawnTexts(const ReportDocument &document, int page);

// What a reader of the printed pages would find wrong, one line each: an amount or a date (a
// text laid out to shrink) not drawn whole inside its place in type of at least the smallest
// size, a text cut with an ellipsis, two texts drawn over each other.
QStringList drawingFaults(const ReportDocument &document);

} // namespace qm::test
