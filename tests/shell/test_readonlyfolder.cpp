// A program folder that cannot be written: every screen that opens a shared database file
// there says which file and that its folder cannot be written, also when it only reads.
#include "bas/bas.h"
#include "data/database.h"
#include "data/fileaccess.h"
#include "shell/menu2.h"
#include "tests/support/testservices.h"
#include "tests/support/unwritablefolder.h"

#include <QDir>

namespace qm::test {

using ReadOnlyFolderTest = ScreenTest;

TEST_F(ReadOnlyFolderTest, EveryScreenNamesTheFileAndItsFolder)
{
    const QString folder = QDir::toNativeSeparators(m_dir.path());
    const auto cannotOpen = [&](const QString &file) {
        return file + " cannot be opened: the folder " + folder + " that holds it cannot be written.";
    };
    UnwritableFolder unwritable(m_dir.path());

    for (const char *file : {"qm.mdb", "qm1.mdb"}) {
        try {
            DBEngine().OpenDatabase(QString::fromLatin1(file));
            ADD_FAILURE() << "opened " << file;
        } catch (const Error &e) {
            EXPECT_EQ(e.Number(), ErrorCode::FolderNotWritable);
            EXPECT_EQ(e.Description(), cannotOpen(QString::fromLatin1(file)));
        }
    }

    // The screens, each opened from the main menu as the user does: payments, receipts,
    // clients, suppliers.
    for (int picture : {5, 6, 7, 8}) {
        SCOPED_TRACE(picture);
        runEvent(nullptr, [] { Forms::get<Menu2>(); });
        runEvent(nullptr, [picture] { Forms::get<Menu2>().Picture1_Click(picture); });
        ASSERT_FALSE(m_messages.log().empty());
        EXPECT_EQ(m_messages.log().front().text, cannotOpen("qm.mdb"));
        m_messages.clear();
        Forms::discardAll();
    }

    // The BAS form only reads: it says so too, rather than asking to check the data.
    Forms::get<Menu2>().Picture1_Click(2);
    bas &form = Forms::get<bas>();
    form.basfor->pick(0);
    form.Command1[4]->click();
    EXPECT_EQ(m_messages.texts(), std::vector<QString>{cannotOpen("qm.mdb")});
}

} // namespace qm::test
