// One copy of the program on a set of books: a second copy started on a folder an open copy
// holds says so and opens nothing; a copy that was killed, or a machine that stopped, never
// keeps the next start out. The copies are real processes.
#include "shell/frmsplash.h"
#include "shell/module1.h"
#include "tests/support/crashchild.h"
#include "tests/support/testservices.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

namespace qm::test {

namespace {

class OneCopyTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        run("qm1.mdb", "insert into inv (a, paid) values ('A1', 0)");
    }

    // A receipt's posting waiting in qm.mdb: a start that opens the books applies it.
    void leavePosting() { run("qm.mdb", "insert into pendingpost (token, invoice, amount) values ('t', 'A1', 5)"); }
    int pending() { return row("qm.mdb", "select count(*) from pendingpost").toInt(); }

    ChildVariables copyVariables() const { return {{QStringLiteral("QM_COPY_FOLDER"), m_dir.path()}}; }

    // A start that must open the books: the splash shows, the posting is applied, nothing is said.
    void expectStarted()
    {
        Main();
        EXPECT_TRUE(Forms::isLoaded<frmSplash>());
        EXPECT_EQ(pending(), 0);
        EXPECT_TRUE(m_messages.log().empty()) << messages().join('\n').toStdString();
        Forms::discardAll();
    }
};

} // namespace

// The first copy, in a process of its own: it starts on the folder and stays open until killed.
TEST(OneCopyChild, StartsAndStaysOpen)
{
    const QString folder = qEnvironmentVariable("QM_COPY_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "started by the one-copy tests only";
    ChildProgram child(folder);
    Main();
    ASSERT_TRUE(Forms::isLoaded<frmSplash>());
    stopAndAwaitKill();
}

TEST_F(OneCopyTest, ASecondCopySaysTheBooksAreOpenAndOpensNothing)
{
    StoppedChild first(m_dir.path(), QStringLiteral("OneCopyChild.*"), copyVariables());
    leavePosting();
    const QStringList mdbBefore = QDir(m_dir.path()).entryList({QStringLiteral("*.mdb*")}, QDir::Files, QDir::Name);

    EXPECT_THROW(Main(), QuitRequested);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("The books in %1 are already open in another copy of QUILLMARK. "
                                                     "Use that copy, or close it and start QUILLMARK again.")
                                          .arg(QDir::toNativeSeparators(m_dir.path()))});
    EXPECT_EQ(m_messages.log().front().title, "QUILLMARK");
    EXPECT_EQ(m_services->quitCalls, 1);
    EXPECT_FALSE(Forms::isLoaded<frmSplash>());
    EXPECT_EQ(pending(), 1);
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.mdb*")}, QDir::Files, QDir::Name), mdbBefore);

    // Once the first copy is gone, killed as it was, the next start opens the books.
    first.kill();
    m_messages.clear();
    expectStarted();
}

// A lock file names the process that holds the books, its program and its machine, and the
// machine's start. Left behind by a machine that stopped, it names a process that no longer runs,
// or one now running another program, or even this program, but from before the restart: the
// next start takes it over. A lock naming a running copy of this start keeps the books, however old.
TEST_F(OneCopyTest, ALockFromBeforeARestartKeepsNobodyOut)
{
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray program = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    const struct
    {
        const char *what;
        QByteArray pid, program, boot;
        bool started;
    } cases[] = {
        {"no such process", "2147483646", program, QSysInfo::bootUniqueId(), true},
        {"another program", "1", program, QSysInfo::bootUniqueId(), true},
        {"before the restart", self, program, "00000000-0000-0000-0000-000000000000", true},
        {"this start", self, program, QSysInfo::bootUniqueId(), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile lock(path("quillmark.lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(c.pid + '\n' + c.program + '\n' + QSysInfo::machineHostName().toUtf8() + '\n'
                   + QSysInfo::machineUniqueId() + '\n' + c.boot + '\n');
        // Hours old, as a copy left open all day leaves it.
        lock.flush();
        lock.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
        lock.close();
        leavePosting();
        if (c.started) {
            expectStarted();
        } else {
            EXPECT_THROW(Main(), QuitRequested);
            EXPECT_EQ(pending(), 1);
            run("qm.mdb", "delete from pendingpost");
            m_messages.clear();
        }
        resetModule1(); // lets the next case take the lock afresh
    }
}

} // namespace qm::test
