#pragma once

#include <QString>
#include <functional>
#include <vector>

// A receipt's amount reaches its invoice's paid amount (inv.paid, in qm1.mdb) through a
// posting: recorded in qm.mdb in the same transaction that writes or deletes the receipt,
// then added to the invoice and removed. An invoice remembers (in qm1.mdb) the postings it
// has taken, so a posting applied twice, after a crash between the two files, counts once;
// that token goes once the posting is removed from qm.mdb too.
// Postings that cannot be applied now (qm1.mdb locked, missing, or the invoice's paid amount
// empty) stay recorded and are applied the next time the receipts screen or the program
// starts.
namespace qm {

class Database;

struct Posting
{
    QString invoice; // inv.a
    double amount;   // added to inv.paid; negative to take off
};

struct PostingFailure
{
    QString invoice;
    QString reason;
};

// Records the postings in the open qm.mdb; the caller's transaction also holds the receipt's
// own write. Postings of nothing (no invoice number, or an amount of 0) are not recorded.
void recordPostings(Database &receipts, const std::vector<Posting> &postings);

// Applies every recorded posting of the program folder's files, in the order they were
// recorded, and says which could not be applied (they stay recorded). Never throws.
std::vector<PostingFailure> applyPendingPostings();

// Tests only: runs at each point between the two files, so that a test can end the process
// there as a crash would.
enum class PostingStep {
    ReceiptStored,   // the receipt and its postings are in qm.mdb, nothing is in qm1.mdb yet
    InvoiceUpdated,  // a posting is in the invoice, and still recorded in qm.mdb
    PostingFinished, // a posting is in the invoice and gone from qm.mdb; its token is still kept
};
extern std::function<void(PostingStep)> postingStepHook;
void reachPostingStep(PostingStep step);

} // namespace qm
