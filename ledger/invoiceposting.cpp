#include "ledger/invoiceposting.h"

#include "common/convert.h"
#include "common/databases.h"
#include "data/database.h"
#include "data/decimal.h"
#include "data/error.h"
#include "data/jetsql.h"
#include "data/transaction.h"

#include <QSet>
#include <QStringList>
#include <QUuid>
#include <memory>

namespace qm {

std::function<void(PostingStep)> postingStepHook;

namespace {

// Files made before postings were kept get their table on first use.
const QString PendingTable = QStringLiteral("create table if not exists pendingpost (ID integer primary key "
                                            "autoincrement, token text not null, invoice text, amount currency)");
const QString DoneTable = QStringLiteral("create table if not exists postdone (token text primary key)");

bool hasTable(Database &db, const QString &name)
{
    const auto rs = db.OpenRecordset(QStringLiteral("select name from sqlite_master where type = 'table' and name = ")
                                         + SqlText(name),
                                     RecordsetType::Snapshot);
    return !rs->Eof();
}

struct Pending
{
    qint64 id;
    QString token;
    QString invoice;
    double amount;
};

std::vector<Pending> pendingPostings(Database &receipts)
{
    std::vector<Pending> pending;
    if (!hasTable(receipts, QStringLiteral("pendingpost")))
        return pending;
    const auto rs = receipts.OpenRecordset(
        QStringLiteral("select ID, token, invoice, amount from pendingpost order by ID"), RecordsetType::Snapshot);
    for (; !rs->Eof(); rs->MoveNext())
        pending.push_back({rs->field(0).toInteger(), rs->field(1).toText(), rs->field(2).toText(), Val(rs->field(3))});
    return pending;
}

bool hasToken(Database &invoices, const QString &token)
{
    return !invoices.OpenQuery(QStringLiteral("select token from postdone where token = ?"), {Value(token)})->Eof();
}

// Whether the posting is still recorded in qm.mdb. Another copy of the program on the same
// folder may have finished it since our list was read, and removed its token too.
bool stillRecorded(Database &receipts, const Pending &posting)
{
    return !receipts.OpenQuery(QStringLiteral("select ID from pendingpost where ID = ?"), {Value(posting.id)})->Eof();
}

// Adds one posting to its invoice, once: the token it leaves behind says it was added. The
// write lock on qm1.mdb is held from the token check to the commit, so no other process can add
// or remove a token meanwhile; a posting without a token is added only while qm.mdb still records
// it, because a token is removed only after its posting is gone from qm.mdb.
void applyToInvoice(Database &invoices, Database &receipts, const Pending &posting)
{
    Transaction transaction(invoices);
    invoices.Execute(DoneTable);
    if (hasToken(invoices, posting.token))
        return; // added before a crash, or by another copy; only its record in qm.mdb was left
    if (!stillRecorded(receipts, posting))
        return; // finished by another copy
    // The number is bound, never quoted: books written by older builds may hold any character.
    const auto found
        = invoices.OpenQuery(QStringLiteral("select ID from inv where a = ? order by ID"), {Value(posting.invoice)});
    if (!found->Eof()) {
        const auto rs = invoices.OpenRecordset(
            QStringLiteral("select * from inv where ID = %1").arg(found->field(0).toInteger()));
        found->Close();
        rs->Edit();
        const Value paid = rs->field(QStringLiteral("paid"));
        if (paid.isNull())
            throw Error(ErrorCode::InvalidUseOfNull, QStringLiteral("the invoice has no paid amount"));
        rs->Fields(QStringLiteral("paid")).setValue(Value(roundDecimal(Val(paid) + posting.amount, 4)));
        rs->Update();
    }
    // No invoice of that number: nothing to add, and nothing more to wait for.
    invoices.Execute(QStringLiteral("insert into postdone (token) values (%1)").arg(SqlText(posting.token)));
    transaction.commit();
}

// Removes the tokens of postings that are finished: gone from qm.mdb, so never applied again.
// The tokens are read before the postings, and only those read are removed: a token is never
// removed while its posting may still be recorded, so a crash anywhere here (or a posting
// recorded and applied meanwhile) can make nothing count twice; a token left behind by a crash
// goes the next time. Errors are ignored: a token that stays is harmless.
void removeFinishedTokens(Database &receipts, Database &invoices)
{
    try {
        if (!hasTable(invoices, QStringLiteral("postdone")))
            return;
        QStringList tokens;
        const auto done = invoices.OpenRecordset(QStringLiteral("select token from postdone"), RecordsetType::Snapshot);
        for (; !done->Eof(); done->MoveNext())
            tokens << done->field(0).toText();
        done->Close();
        if (tokens.isEmpty())
            return;
        QSet<QString> recorded;
        for (const Pending &posting : pendingPostings(receipts))
            recorded.insert(posting.token);
        Transaction transaction(invoices);
        for (const QString &token : std::as_const(tokens)) {
            if (!recorded.contains(token))
                invoices.Execute(QStringLiteral("delete from postdone where token = ") + SqlText(token));
        }
        transaction.commit();
    } catch (const Error &) {
    }
}

} // namespace

void reachPostingStep(PostingStep step)
{
    if (postingStepHook)
        postingStepHook(step);
}

void recordPostings(Database &receipts, const std::vector<Posting> &postings)
{
    bool tableReady = false;
    for (const Posting &posting : postings) {
        if (posting.invoice.isEmpty() || posting.amount == 0)
            continue;
        if (!tableReady) {
            receipts.Execute(PendingTable);
            tableReady = true;
        }
        const QString token = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const auto rs = receipts.OpenRecordset(QStringLiteral("pendingpost"));
        rs->AddNew();
        rs->Fields(QStringLiteral("token")).setValue(Value(token));
        rs->Fields(QStringLiteral("invoice")).setValue(Value(posting.invoice));
        rs->Fields(QStringLiteral("amount")).setValue(Value(roundDecimal(posting.amount, 4)));
        rs->Update();
    }
}

std::vector<PostingFailure> applyPendingPostings()
{
    std::vector<PostingFailure> failures;
    std::unique_ptr<Database> receipts;
    std::vector<Pending> pending;
    try {
        receipts = openProgramDatabase(BookFile);
        pending = pendingPostings(*receipts);
    } catch (const Error &) {
        return failures; // no receipts file to read: nothing known to be pending
    }

    std::unique_ptr<Database> invoices;
    try {
        invoices = openProgramDatabase(BusinessFile);
    } catch (const Error &e) {
        for (const Pending &posting : pending)
            failures.push_back({posting.invoice, e.Description()});
        return failures;
    }
    for (const Pending &posting : pending) {
        try {
            applyToInvoice(*invoices, *receipts, posting);
            reachPostingStep(PostingStep::InvoiceUpdated);
            receipts->Execute(QStringLiteral("delete from pendingpost where ID = %1").arg(posting.id));
            reachPostingStep(PostingStep::PostingFinished);
        } catch (const Error &e) {
            failures.push_back({posting.invoice, e.Description()});
        }
    }
    removeFinishedTokens(*receipts, *invoices);
    return failures;
}

} // namespace qm
