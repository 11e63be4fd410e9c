#pragma once

#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

#include <QStringList>

namespace qm::test {

// A program folder with a small place list and helpers to fill and read the contact tables.
class ContactTest : public ScreenTest
{
protected:
    void SetUp() override;

    // Every row of a table of qm.mdb, every column with its storage kind, in key order: a
    // byte-for-byte picture of what the screens wrote.
    QStringList dump(const QString &table);
    // One column of the row with this key, as text ("NULL" for Null, "(no row)").
    QString column(const QString &table, qint64 id, const QString &name);
    qint64 count(const QString &table);
    // A client or supplier with a name, contact, suburb, state and postcode; returns its key.
    qint64 addParty(const QString &table, const QString &organisation, const QString &suburb = QStringLiteral("SYDNEY"),
                    const QString &state = QStringLiteral("NSW"), const QString &postcode = QStringLiteral("2000"));
};

} // namespace qm::test
