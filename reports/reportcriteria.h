#pragma once

#include <QDate>
#include <QString>
#include <optional>

// What the reports form turns its criteria into: the search's query over the payments or
// the receipts, the transaction report's selection formula and sort field, and the file and
// formula of a profit-and-loss report. Every value reaches the query or the formula quoted
// (every apostrophe doubled) or checked to be a number or a date first.
namespace qm {

// The criteria as the screen holds them, each the text of its control.
struct ReportCriteria
{
    QString reportOn;      // typeoftrans
    QString period;        // basfor
    QString year;          // basyear
    QString from, to;      // pay1(0), pay1(7)
    QString client;        // combo1
    QString supplier;      // DBCombo2
    QString forText;       // pay1(1)
    QString invoiceDate;   // pay1(2)
    QString invoiceNumber; // pay1(3)
    QString cheque;        // pay1(4)
    QString paidBy;        // Combo2(1)
    QString category;      // Combo2(2)
    QString subCategory;   // Combo2(3)
    QString personalUse;   // Combo2(4)
    QString job;
    QString dateBasis; // Combo4
    QString orderBy;   // orderby1
};

extern const QString ReceiptDateBasis; // "Payments on receipt date"
extern const QString InvoiceDateBasis; // "Payments on invoice date"

// "Income", with blanks around it or not, searches the receipts.
bool isIncome(const QString &reportOn);

// A date typed into a date box: day first, the month as a number or a name, blanks around
// allowed ("05/07/02", "5/Jul/2002"). Invalid for anything else.
QDate dateOfBox(const QString &text);

// The texts of one search.
struct SearchTexts
{
    bool income = false;              // the receipts r, else the payments p
    bool invoiceDates = false;        // receipts dated by their invoice (column m)
    bool hasCriterion = false;        // the where clause holds at least one comparison
    QString query;                    // the select, its where clause and its order
    QString formula;                  // the report's selection formula
    std::optional<QString> sortField; // the report's first sort field, when an order sets one
    QString reportFile;

    // The query reading only `columns` ("ID, j, a") of the rows it finds.
    QString selecting(const QString &columns) const;
};

// Nothing when a value that must be a number (personal use, the year of a named period) or
// a date (a date box that is used) is not one. Without any criterion the query has no where
// clause and the formula is empty.
std::optional<SearchTexts> buildSearch(const ReportCriteria &criteria);

// A profit-and-loss report as the report control runs it.
struct ProfitAndLossRun
{
    QString file;
    QString formula;
    std::optional<QString> sortField; // not set for the income and expenses summary
};

// Whether "Report on" names one of the profit-and-loss reports (exactly, case and blanks
// counting), "Total Income & Expenses" included.
bool namesProfitAndLossReport(const QString &reportOn);

// Nothing when the report is none of them, or a value that must be a year or a date is not
// one. The expense reports select on the payment date; the income reports on the receipt or
// the invoice date as the basis says; the income and expenses summary on both, each table
// on its own column. Without a period and a From date the formula is empty (every date).
std::optional<ProfitAndLossRun> buildProfitAndLoss(const ReportCriteria &criteria);

} // namespace qm
