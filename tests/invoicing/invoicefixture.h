#pragma once

#include "data/database.h"
#include "invoicing/inv.h"
#include "platform/dbcombo.h"
#include "shell/module1.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

namespace qm::test {

// A program folder with the business's details, two clients (the second with apostrophes in
// every part of its name and address), and helpers to work the invoice form and read inv.
class InvoiceTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        run("qm.mdb", "insert into c (l, d, e, f, g, n, r, s, t, u, w, v) values "
                      "('Acme Pty Ltd', '1 Main St', 'Ballarat', 'VIC', '3350', 'Australia', '', '', '', '', '', ''),"
                      "('O''Brien''s Farm', '12 O''Connell Rd', 'Wagga Wagga', 'NSW', '2650', 'Australia', "
                      "'O''Brien''s Shed', '3 Silo Lane', 'Uranquinty', 'NSW', '2652', 'Australia')");
        run("qm1.mdb", "update info set a = 'Quill & Sons', b = '12 High Street', c = 'Ballarat', d = 'VIC', "
                       "e = '3350', f = '03 5331 1234', g = '03 5331 9999', i = 'Quill Pty', j = '1800 111', "
                       "k = 'Thank you', l = '30 days', n = '12 345 678 901', o = 'Star Track'");
    }

    INV &form() { return Forms::get<INV>(); }

    // Picks the client of that name from the combo's list, as the user does.
    void chooseClient(const QString &name)
    {
        DBCombo *combo = form().DBCombo1;
        for (int row = 0; row < combo->ListCount(); ++row) {
            if (combo->ListText(row) == name) {
                combo->pickRow(row);
                return;
            }
        }
        ADD_FAILURE() << "no client " << name.toStdString();
    }

    // The six cells of a line row joined by "|".
    QString line(int row)
    {
        QStringList cells;
        for (int i = 0; i < 6; ++i)
            cells << form().l(row)[i]->Text();
        return cells.join('|');
    }

    // NETT | TAX @ 10% | OTHER TAX | TOTAL DUE
    QString totals()
    {
        INV &f = form();
        return QStringList{f.xsubtot->Text(), f.xgst->Text(), f.othertax->Text(), f.xtotal->Text()}.join('|');
    }

    // Every column of the invoice rows in key order, each as an SQL literal (NULL, 'text', 12.5):
    // Null, empty text and numbers told apart.
    QStringList stored(const QString &where = QStringLiteral("1"))
    {
        QStringList columns;
        for (const QString &name : rows("qm1.mdb", "select name from pragma_table_info('inv')"))
            columns << QStringLiteral("quote(%1)").arg(name);
        return rows("qm1.mdb", "select " + columns.join(", ") + " from inv where " + where + " order by ID");
    }
};

} // namespace qm::test
