#pragma once

#include "data/database.h"
#include "ledger/prc.h"
#include "ledger/rrc.h"
#include "platform/datacontrol.h"
#include "platform/dbcombo.h"
#include "platform/form.h"
#include "shell/module1.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

namespace qm::test {

// A program folder with two suppliers and two clients (the second of each with an
// apostrophe in its name) and a few invoices, and helpers to enter and read transactions.
class LedgerTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        for (const char *table : {"s", "c"}) {
            run("qm.mdb", QStringLiteral("insert into %1 (l, o) values ('Acme Pty', '11 222 333 444')").arg(table));
            run("qm.mdb", QStringLiteral("insert into %1 (l, o) values ('O''Brien''s Farm', '55 666')").arg(table));
        }
        addInvoice("A1", 1000, "2001-03-05");
        addInvoice("A2", 1000, "2001-03-06");
        addInvoice("A12", 500, "2001-03-05");
    }

    void addInvoice(const QString &number, double total, const QString &date, const QString &paid = "0")
    {
        run("qm1.mdb", QStringLiteral("insert into inv (a, b, xtotal, paid) values (%1, '%2', %3, %4)")
                           .arg(quoted(number), date, QString::number(total), paid));
    }

    double paid(const QString &number)
    {
        const QString text = row("qm1.mdb", QStringLiteral("select paid from inv where a = %1").arg(quoted(number)));
        return text.toDouble();
    }

    // A stored transaction: date, party, total, rate and the amounts the calculator gives.
    void addRow(const QString &table, const QString &date, int party, double total, const QString &rate,
                const QString &invoice = {}, const QString &category = "Other")
    {
        const double nett = rate == "10" ? total / 1.1 : total;
        run("qm.mdb", QStringLiteral("insert into %1 (j, b, p, t, c, d, e, q, h, l, s, u, f) values "
                                     "('%2', %3, %3, 'Acme Pty', %4, %5, %6, '%7', '%8', %9, 0, 'STD', 'Expense')")
                          .arg(table, date)
                          .arg(party)
                          .arg(nett, 0, 'f', 4)
                          .arg(total - nett, 0, 'f', 4)
                          .arg(total)
                          .arg(rate, category, invoice.isEmpty() ? QStringLiteral("null") : quoted(invoice)));
    }

    // Types a complete entry into the current (new) row.
    static void enter(LedgerScreen &form, const QString &date, int partyRow, const QString &total,
                      const QString &rate = "10", const QString &category = {})
    {
        form.pay1[0]->typeText(date);
        form.combo1->pickRow(partyRow);
        form.Combo3->pick(rate == "10" ? 0 : 1);
        form.Text2[3]->typeText(total);
        if (!category.isEmpty())
            form.Combo2[2]->typeText(category);
    }

    static void retype(TextBox *box, const QString &text)
    {
        box->setText(QString());
        box->typeText(text);
    }
};

} // namespace qm::test
