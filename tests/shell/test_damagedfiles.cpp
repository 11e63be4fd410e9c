// A books file that is missing or damaged (a failed copy or restore): every screen that opens it
// says which file and what is wrong, none opens as if the books were empty, and nothing in the
// program folder changes.
#include "bas/bas.h"
#include "ledger/ctc.h"
#include "shell/menu2.h"
#include "shell/module1.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <functional>

namespace qm::test {

namespace {

// Every file of a folder with its size and a digest of its bytes; not the working files SQLite
// keeps beside a database it opened (the shared-memory index, and a log that holds nothing).
QStringList folderContents(const QString &folder)
{
    QStringList contents;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(dir.filePath(name));
        // The lock a start takes on the folder is not part of the books.
        if (name == "quillmark.lock" || name.endsWith("-shm") || (name.endsWith("-wal") && file.size() == 0)
            || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        contents << QStringLiteral("%1 %2 %3")
                        .arg(name)
                        .arg(bytes.size())
                        .arg(QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
    }
    return contents;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

using DamagedFileTest = ScreenTest;

TEST_F(DamagedFileTest, EveryScreenNamesTheFileAndWritesNothing)
{
    const QString folder = QDir::toNativeSeparators(m_dir.path());
    const struct
    {
        const char *name;
        std::function<void(const QString &file, const QString &other)> damage;
        QString what; // after "<file> cannot be opened: "
    } damages[] = {
        {"missing", [](const QString &file, const QString &) { QFile::remove(file); },
         "there is no such file in the folder " + folder + "."},
        {"0 bytes", [](const QString &file, const QString &) { writeFile(file, {}); }, "the file is empty (0 bytes)."},
        {"garbage", [](const QString &file, const QString &) { writeFile(file, QByteArray(3000, 'x')); },
         "the file is not a database."},
        {"no tables",
         [](const QString &file, const QString &) {
             writeFile(file, {});
             runSql(file, "create table t (a); drop table t;");
         },
         "the file holds no tables."},
        {"the other books file",
         [](const QString &file, const QString &other) {
             QFile::remove(file);
             QFile::copy(other, file);
         },
         "the file has no table \""}, // which one depends on the screen
    };
    const struct
    {
        const char *name;
        std::function<void()> open;
        QStringList files;
        // Whether the screen comes up after saying so: the start-up goes on to the splash, the
        // organisation screen leads back to the menu, the BAS form says it on Go.
        bool comesUp;
    } screens[] = {
        {"start-up", [] { Main(); }, {"qm.mdb", "qm1.mdb"}, true},
        {"organisation", [] { Forms::get<Menu2>().moi_Click(); }, {"qm1.mdb"}, true},
        {"BAS",
         [] {
             Forms::get<Menu2>().Picture1_Click(2);
             bas &form = Forms::get<bas>();
             form.basfor->pick(0);
             form.Command1[4]->click();
         },
         {"qm.mdb"},
         true},
        {"reports", [] { Forms::get<Menu2>().Picture1_Click(3); }, {"qm.mdb", "qm1.mdb"}, false},
        {"search", [] { Forms::get<Menu2>().Picture1_Click(9); }, {"qm.mdb", "qm1.mdb"}, false},
        {"invoice", [] { Forms::get<Menu2>().Picture1_Click(4); }, {"qm.mdb", "qm1.mdb"}, false},
        {"payments", [] { Forms::get<Menu2>().Picture1_Click(5); }, {"qm.mdb", "qm1.mdb"}, false},
        {"receipts", [] { Forms::get<Menu2>().Picture1_Click(6); }, {"qm.mdb", "qm1.mdb"}, false},
        {"clients", [] { Forms::get<Menu2>().Picture1_Click(7); }, {"qm.mdb"}, false},
        {"suppliers", [] { Forms::get<Menu2>().Picture1_Click(8); }, {"qm.mdb"}, false},
        {"jobs", [] { Forms::get<CTC>(); }, {"qm1.mdb"}, false},
    };

    for (const QString file : {"qm.mdb", "qm1.mdb"}) {
        const QString other = path(file == "qm.mdb" ? "qm1.mdb" : "qm.mdb");
        const QString good = path(file + ".good");
        ASSERT_TRUE(QFile::copy(path(file), good));
        for (const auto &damage : damages) {
            QFile::remove(path(file));
            ASSERT_TRUE(QFile::copy(good, path(file)));
            damage.damage(path(file), other);
            const auto before = folderContents(m_dir.path());
            for (const auto &screen : screens) {
                SCOPED_TRACE(QStringLiteral("%1 %2, %3").arg(file, damage.name, screen.name).toStdString());
                runEvent(nullptr, [] { Forms::get<Menu2>(); });
                runEvent(nullptr, screen.open);
                if (screen.files.contains(file)) {
                    const QString said = messages().join(" / ");
                    EXPECT_EQ(messages().size(), 1) << said.toStdString();
                    EXPECT_TRUE(said.startsWith(file + " cannot be opened: " + damage.what)) << said.toStdString();
                    EXPECT_EQ(Forms::loaded().back()->objectName() != "Menu2", screen.comesUp);
                } else {
                    EXPECT_EQ(messages(), QStringList());
                }
                m_messages.clear();
                Forms::discardAll();
                processEvents();
                resetModule1();
                EXPECT_EQ(folderContents(m_dir.path()), before);
            }
        }
        QFile::remove(path(file));
        ASSERT_TRUE(QFile::rename(good, path(file)));
    }
}

// A receipt's posting waiting at start-up is not added to an invoice file that lacks one of its
// tables: it stays recorded, for when the books are whole again.
TEST_F(DamagedFileTest, NothingIsPostedAtStartUpIntoDamagedBooks)
{
    run("qm1.mdb", "insert into inv (a, paid, xtotal) values ('A1', 0, 100); drop table info;");
    run("qm.mdb", "insert into pendingpost (token, invoice, amount) values ('t1', 'A1', 40)");
    const QStringList before = folderContents(m_dir.path());
    Main();
    EXPECT_EQ(messages(), QStringList{"qm1.mdb cannot be opened: the file has no table \"info\"; it is damaged or is "
                                      "not the program's file."});
    Forms::discardAll();
    EXPECT_EQ(folderContents(m_dir.path()), before);
}

} // namespace qm::test
