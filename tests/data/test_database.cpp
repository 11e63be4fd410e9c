#include "data/database.h"
#include "data/error.h"
#include "data/programfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/data/dbhelpers.h"

using qm::test::errorNumber;
using qm::test::RawDatabase;
using qm::test::runSql;

using namespace qm;

namespace {

// A file laid out with the schema's type names, checked through a connection of its own.
class DatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_file = m_dir.filePath(QStringLiteral("test.db"));
        const char *schema = R"(
            create table t (
                ID      INTEGER PRIMARY KEY AUTOINCREMENT,
                name    TEXT(50) COLLATE NOCASE,
                qty     LONG CHECK (typeof(qty) IN ('integer', 'null')),
                price   CURRENCY,
                rate    DOUBLE,
                day     DATE,
                paid    BOOLEAN,
                notes   LONGTEXT,
                status  TEXT DEFAULT 'new' CHECK (status <> 'bad'));
            insert into t (name, qty, price, day) values
                ('alpha', 1, 1.5, '2000-07-01'), ('bravo', 2, 2.5, '2001-01-31'), ('charlie', 3, 3.5, null);
            create index t_day on t (day);
            create table empty (ID INTEGER PRIMARY KEY, name TEXT);)";
        runSql(m_file, schema);
        m_db = Database::open(m_file);
    }

    // One value read past the layer.
    QString scalar(const QString &sql) const
    {
        const QString value = RawDatabase(m_file).value(sql);
        return value.isEmpty() ? QStringLiteral("<none>") : value.section(':', 1);
    }

    QString name(Recordset &rs) const { return rs.field(QStringLiteral("name")).toText(); }

    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<Database> m_db;
};

// A program folder of the test's own.
class Folder : public ProgramFolder
{
public:
    explicit Folder(const QString &folder)
        : m_folder(folder)
    {
    }
    QString programFolder() const override { return m_folder; }

private:
    QString m_folder;
};

class RecordingObserver : public RecordsetObserver
{
public:
    QStringList log;
    int refuse = 0;                              // the action whose willMove throws
    std::function<void(Recordset &)> onWillMove; // what the bound control does before a move

    void recordsetWillMove(Recordset &rs, int action) override
    {
        log << QStringLiteral("will %1").arg(action);
        if (action == refuse)
            throw Error(ErrorCode::ActionCancelled, QStringLiteral("cancelled"));
        if (onWillMove)
            onWillMove(rs);
    }
    void recordsetMoved(Recordset &, int action) override { log << QStringLiteral("moved %1").arg(action); }
};

} // namespace

// A file that cannot be used is named with what is wrong with it, and opening it creates or
// changes nothing: SQLite is not handed a file it would take for an empty database (deleting a
// log left beside it) or one that is no database (making its index file beside it).
TEST_F(DatabaseTest, AFileThatCannotBeUsedIsNamedAndLeftAsItIs)
{
    const QString file = m_dir.filePath(QStringLiteral("books.mdb"));
    const QByteArray header("SQLite format 3", 16);
    const struct
    {
        const char *name;
        std::optional<QByteArray> bytes, log; // nothing: no file
        const char *sql;                      // run on the file to make it
        QString what;
    } cases[] = {
        {"missing", std::nullopt, std::nullopt, nullptr,
         "there is no such file in the folder " + QDir::toNativeSeparators(m_dir.path())},
        {"empty, a log beside it", QByteArray(), QByteArray("frames"), nullptr, "the file is empty (0 bytes)"},
        {"no database, a log beside it", QByteArray(4096, 'x'), QByteArray("frames"), nullptr,
         "the file is not a database"},
        {"a header and no database", header + QByteArray(4080, 'x'), std::nullopt, nullptr,
         "the file is not a database"},
        {"a database of no table", std::nullopt, std::nullopt, "create table gone (a); drop table gone;",
         "the file holds no tables"},
    };
    const auto write = [](const QString &path, const std::optional<QByteArray> &bytes) {
        QFile::remove(path);
        QFile out(path);
        if (bytes && out.open(QIODevice::WriteOnly))
            out.write(*bytes);
    };
    // Each file's name, size and digest, one a line.
    const auto folder = [&] {
        QStringList files;
        for (const QFileInfo &info : QDir(m_dir.path()).entryInfoList(QDir::Files, QDir::Name)) {
            QFile in(info.filePath());
            const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("?");
            files << QStringLiteral("%1 %2 %3")
                         .arg(info.fileName())
                         .arg(bytes.size())
                         .arg(QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
        }
        return files.join('\n').toStdString();
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write(file, c.bytes);
        write(file + "-wal", c.log);
        if (c.sql)
            runSql(file, c.sql);
        const std::string before = folder();
        for (bool readOnly : {false, true}) {
            try {
                Database::open(file, readOnly);
                ADD_FAILURE() << "opened";
            } catch (const Error &e) {
                EXPECT_EQ(e.Number(), ErrorCode::FileNotFound);
                EXPECT_EQ(e.Description().toStdString(), ("books.mdb cannot be opened: " + c.what + ".").toStdString());
            }
            EXPECT_EQ(folder(), before);
        }
        QFile::remove(file + "-wal");
    }
}

// A table the file lacks names the file, whether opened by name or read by a select.
TEST_F(DatabaseTest, ATableTheFileLacksNamesTheFile)
{
    const QString lacks
        = "test.db cannot be opened: the file has no table \"gone\"; it is damaged or is not the program's file.";
    for (const auto &open : std::vector<std::function<void()>>{
             [&] { m_db->OpenRecordset(QStringLiteral("gone")); },
             [&] { m_db->OpenRecordset(QStringLiteral("select * from gone where name = 'a'")); },
             [&] { m_db->OpenQuery(QStringLiteral("select count(*) from gone"), {}); },
         }) {
        try {
            open();
            ADD_FAILURE() << "opened";
        } catch (const Error &e) {
            EXPECT_EQ(e.Number(), ErrorCode::TableNotFound);
            EXPECT_EQ(e.Description().toStdString(), lacks.toStdString());
        }
    }
}

TEST_F(DatabaseTest, NamesAreRelativeToTheProgramFolderAndConnectStringsIgnored)
{
    const Folder folder(m_dir.path());
    const ProgramFolder *previous = setProgramFolderSource(&folder);
    auto db = DBEngine().OpenDatabase(QStringLiteral(".\\test.db"), false, false, QStringLiteral(";pwd=secret"));
    setProgramFolderSource(previous);
    EXPECT_EQ(db->Name(), m_file);
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("t"))->RecordCount(), 3);
}

TEST_F(DatabaseTest, ReadOnlyOpenRefusesWrites)
{
    auto db = Database::open(m_file, true);
    EXPECT_NE(errorNumber([&] { db->Execute(QStringLiteral("delete from t")); }), 0);
    auto rs = db->OpenRecordset(QStringLiteral("t"));
    EXPECT_FALSE(rs->Updatable());
    EXPECT_EQ(errorNumber([&] { rs->Edit(); }), ErrorCode::NotUpdatable);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from t")), QStringLiteral("3"));
}

TEST_F(DatabaseTest, EmptyRecordsetIsAtBothBofAndEof)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("empty"));
    EXPECT_TRUE(rs->Bof());
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), ErrorCode::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->MovePrevious(); }), ErrorCode::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->MoveFirst(); }), ErrorCode::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->field(0); }), ErrorCode::NoCurrentRecord);
}

TEST_F(DatabaseTest, MovesAtBothEnds)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    EXPECT_EQ(name(*rs), QStringLiteral("alpha"));
    EXPECT_FALSE(rs->Bof());
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());
    EXPECT_FALSE(rs->Eof());
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_EQ(errorNumber([&] { name(*rs); }), ErrorCode::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->MovePrevious(); }), ErrorCode::NoCurrentRecord);
    rs->MoveNext();
    EXPECT_EQ(name(*rs), QStringLiteral("alpha"));

    rs->MoveLast();
    EXPECT_EQ(name(*rs), QStringLiteral("charlie"));
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), ErrorCode::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->Bookmark(); }), ErrorCode::NoCurrentRecord);
    rs->MovePrevious();
    EXPECT_EQ(name(*rs), QStringLiteral("charlie"));
    rs->MoveFirst();
    EXPECT_EQ(name(*rs), QStringLiteral("alpha"));
}

TEST_F(DatabaseTest, FieldsAreTypedAsDeclared)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    EXPECT_EQ(rs->FieldCount(), 9);
    EXPECT_EQ(rs->Fields(0).Type(), FieldType::Counter);
    EXPECT_EQ(rs->Fields(QStringLiteral("NAME")).Type(), FieldType::Text);
    EXPECT_EQ(rs->Fields(QStringLiteral("qty")).Type(), FieldType::Long);
    EXPECT_EQ(rs->Fields(QStringLiteral("price")).Type(), FieldType::Currency);
    EXPECT_EQ(rs->Fields(QStringLiteral("rate")).Type(), FieldType::Double);
    EXPECT_EQ(rs->Fields(QStringLiteral("day")).Type(), FieldType::Date);
    EXPECT_EQ(rs->Fields(QStringLiteral("paid")).Type(), FieldType::Boolean);
    EXPECT_EQ(rs->Fields(QStringLiteral("notes")).Type(), FieldType::Memo);
    EXPECT_EQ(rs->FieldIndex(QStringLiteral("nothing")), -1);
    EXPECT_EQ(errorNumber([&] { rs->Fields(QStringLiteral("nothing")); }), ErrorCode::ItemNotFound);

    EXPECT_EQ(rs->field(QStringLiteral("qty")).kind(), Value::Kind::Integer);
    EXPECT_EQ(rs->field(QStringLiteral("price")).kind(), Value::Kind::Double);
    EXPECT_EQ(rs->field(QStringLiteral("day")), Value(QDate(2000, 7, 1)));
    EXPECT_EQ(rs->field(QStringLiteral("day")).toText(), QStringLiteral("01/Jul/2000"));
    EXPECT_TRUE(rs->field(QStringLiteral("rate")).isNull());
}

TEST_F(DatabaseTest, SingleTableSelectIsAnUpdatableDynasetAndOthersAreSnapshots)
{
    // Without an order by, rows come in key order, whichever index SQLite would scan for rowids.
    EXPECT_EQ(name(*m_db->OpenRecordset(QStringLiteral("select name from t"))), QStringLiteral("alpha"));

    auto rs = m_db->OpenRecordset(QStringLiteral("select x.name, x.qty * 2 as twice from t as x where x.qty >= 2 "
                                                 "order by twice desc"));
    EXPECT_TRUE(rs->Updatable());
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(name(*rs), QStringLiteral("charlie"));
    EXPECT_EQ(rs->field(QStringLiteral("twice")), Value(6));
    rs->Edit();
    EXPECT_EQ(errorNumber([&] { rs->Fields(QStringLiteral("twice")).setValue(1); }), ErrorCode::NotUpdatable);
    rs->Fields(QStringLiteral("name")).setValue(QStringLiteral("carol"));
    rs->Update();
    EXPECT_EQ(scalar(QStringLiteral("select name from t where qty = 3")), QStringLiteral("carol"));

    for (const char *select : {"select qty, count(*) from t group by qty", "select distinct name from t",
                               "select a.name from t a, t b where a.ID = b.ID", "select sum(qty) from t"}) {
        auto snapshot = m_db->OpenRecordset(QString::fromLatin1(select));
        EXPECT_FALSE(snapshot->Updatable()) << select;
        EXPECT_EQ(errorNumber([&] { snapshot->Edit(); }), ErrorCode::NotUpdatable) << select;
        EXPECT_EQ(errorNumber([&] { snapshot->AddNew(); }), ErrorCode::NotUpdatable) << select;
    }
    auto sum = m_db->OpenRecordset(QStringLiteral("select sum(qty) as total from t"));
    EXPECT_EQ(sum->field(QStringLiteral("total")), Value(6));
    EXPECT_EQ(sum->Fields(0).Type(), FieldType::Long);
}

TEST_F(DatabaseTest, AddNewUpdateKeepsTheCurrentRowAndNamesTheNewOne)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("select * from t order by name"));
    rs->AddNew();
    EXPECT_EQ(rs->EditMode(), EditState::Add);
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_TRUE(rs->field(QStringLiteral("name")).isNull());
    rs->Fields(QStringLiteral("name")).setValue(QStringLiteral("O'Brien's Farm"));
    rs->Fields(QStringLiteral("qty")).setValue(QStringLiteral(" 4 "));
    rs->Update();

    EXPECT_EQ(rs->EditMode(), EditState::None);
    EXPECT_EQ(name(*rs), QStringLiteral("alpha")) << "the row current before AddNew stays current";
    EXPECT_EQ(rs->RecordCount(), 4);
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(name(*rs), QStringLiteral("O'Brien's Farm"));
    EXPECT_EQ(rs->field(QStringLiteral("status")), Value("new")) << "column defaults apply to unset fields";
    rs->MoveLast();
    EXPECT_EQ(rs->Bookmark(), rs->LastModified()) << "the new row joins the end of the keyset";

    EXPECT_EQ(scalar(QStringLiteral("select count(*) from t where name = 'O''Brien''s Farm'")), QStringLiteral("1"));
    EXPECT_EQ(scalar(QStringLiteral("select name || qty from t where ID = 1")), QStringLiteral("alpha1"));
}

TEST_F(DatabaseTest, EditUpdateAndAFailedUpdate)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    rs->MoveNext();
    const qint64 bravo = rs->Bookmark();
    rs->Edit();
    EXPECT_EQ(rs->EditMode(), EditState::InProgress);
    rs->Fields(QStringLiteral("qty")).setValue(20);
    rs->Fields(QStringLiteral("status")).setValue(QStringLiteral("bad"));
    try {
        rs->Update();
        FAIL() << "the CHECK must refuse the row";
    } catch (const Error &e) {
        EXPECT_EQ(e.Number(), ErrorCode::CheckFailed);
        EXPECT_TRUE(e.Description().contains(QStringLiteral("CHECK constraint failed"))) << e.what();
    }
    EXPECT_EQ(rs->EditMode(), EditState::InProgress) << "the edit stays for a retry";
    EXPECT_EQ(rs->field(QStringLiteral("qty")), Value(20));
    rs->Fields(QStringLiteral("status")).setValue(QStringLiteral("ok"));
    rs->Update();

    EXPECT_EQ(rs->Bookmark(), bravo);
    EXPECT_EQ(rs->LastModified(), bravo);
    EXPECT_EQ(rs->field(QStringLiteral("qty")), Value(20));
    EXPECT_EQ(scalar(QStringLiteral("select qty || status from t where name = 'bravo'")), QStringLiteral("20ok"));

    EXPECT_EQ(errorNumber([&] { rs->Update(); }), ErrorCode::UpdateWithoutEdit);
    EXPECT_EQ(errorNumber([&] { rs->Fields(1).setValue(QStringLiteral("x")); }), ErrorCode::UpdateWithoutEdit);
}

TEST_F(DatabaseTest, ValuesAreConvertedToTheFieldOrRefused)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    rs->Edit();
    auto qty = rs->Fields(QStringLiteral("qty"));
    EXPECT_EQ(errorNumber([&] { qty.setValue(QStringLiteral("12abc")); }), ErrorCode::DataTypeConversion);
    EXPECT_EQ(errorNumber([&] { rs->Fields(0).setValue(99); }), ErrorCode::NotUpdatable)
        << "a counter is never written";
    EXPECT_EQ(errorNumber([&] { rs->Fields(QStringLiteral("day")).setValue(QStringLiteral("31/feb/00")); }),
              ErrorCode::DataTypeConversion);
    rs->Update();
    EXPECT_EQ(scalar(QStringLiteral("select qty || day from t where ID = 1")), QStringLiteral("12000-07-01"));

    rs->Edit();
    rs->Fields(QStringLiteral("qty")).setValue(QStringLiteral(""));
    rs->Fields(QStringLiteral("price")).setValue(1.00005); // binary value just below ...05
    rs->Fields(QStringLiteral("rate")).setValue(QStringLiteral(" 2.5 "));
    rs->Fields(QStringLiteral("day")).setValue(QStringLiteral("15/aug/99"));
    rs->Fields(QStringLiteral("name")).setValue(12.5);
    rs->Fields(QStringLiteral("paid")).setValue(QStringLiteral("True"));
    rs->Update();
    EXPECT_TRUE(rs->field(QStringLiteral("qty")).isNull());
    EXPECT_EQ(rs->field(QStringLiteral("price")), Value(1.0001));
    EXPECT_EQ(rs->field(QStringLiteral("rate")), Value(2.5));
    EXPECT_EQ(rs->field(QStringLiteral("day")), Value(QDate(1999, 8, 15)));
    EXPECT_EQ(rs->field(QStringLiteral("name")), Value("12.5"));
    EXPECT_EQ(rs->field(QStringLiteral("paid")), Value(-1));
    EXPECT_EQ(scalar(QStringLiteral("select day from t where ID = 1")), QStringLiteral("1999-08-15"));

    rs->Edit();
    rs->Fields(QStringLiteral("price")).setValue(QStringLiteral("-2.23455"));
    rs->Fields(QStringLiteral("day")).setValue(QDate(2000, 2, 29));
    rs->Update();
    EXPECT_EQ(rs->field(QStringLiteral("price")), Value(-2.2346));
    EXPECT_EQ(rs->field(QStringLiteral("day")).toText(), QStringLiteral("29/Feb/2000"));
}

TEST_F(DatabaseTest, DeleteLeavesADeletedCurrentRowUntilTheNextMove)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    rs->MoveNext();
    rs->Delete();
    EXPECT_FALSE(rs->Bof());
    EXPECT_FALSE(rs->Eof());
    EXPECT_EQ(errorNumber([&] { name(*rs); }), ErrorCode::RecordIsDeleted);
    EXPECT_EQ(errorNumber([&] { rs->Edit(); }), ErrorCode::RecordIsDeleted);
    rs->MoveNext();
    EXPECT_EQ(name(*rs), QStringLiteral("charlie"));
    rs->MovePrevious();
    EXPECT_EQ(name(*rs), QStringLiteral("alpha"));
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from t")), QStringLiteral("2"));

    // Deleting every row ends at BOF and EOF.
    rs->Delete();
    rs->MoveNext();
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(rs->Bof());
}

TEST_F(DatabaseTest, TwoConnectionsShareTheFile)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    auto forward = m_db->OpenRecordset(QStringLiteral("select qty from t"), RecordsetType::ForwardOnly);
    qint64 sum = 0;
    for (; !forward->Eof(); forward->MoveNext())
        sum += forward->field(0).toInteger();
    EXPECT_EQ(sum, 6);
    EXPECT_EQ(errorNumber([&] { forward->MovePrevious(); }), ErrorCode::InvalidOperation);

    // Neither recordset holds a read open: the other connection writes at once.
    auto other = Database::open(m_file, false, QStringLiteral("Access"));
    EXPECT_EQ(other->Execute(QStringLiteral("update t set qty = 10 where name = 'alpha'")), 1);
    EXPECT_EQ(other->Execute(QStringLiteral("delete from t where name = 'bravo'")), 1);
    auto theirs = other->OpenRecordset(QStringLiteral("t"));
    theirs->AddNew();
    theirs->Fields(QStringLiteral("name")).setValue(QStringLiteral("delta"));
    theirs->Update();

    rs->Edit(); // reads the row afresh
    EXPECT_EQ(rs->field(QStringLiteral("qty")), Value(10));
    rs->Fields(QStringLiteral("qty")).setValue(11);
    rs->Update();
    rs->MoveNext(); // bravo went away: skipped
    EXPECT_EQ(name(*rs), QStringLiteral("charlie"));
    EXPECT_EQ(rs->RecordCount(), 2) << "the keyset was taken at open";
    theirs->MoveFirst();
    EXPECT_EQ(theirs->field(QStringLiteral("qty")), Value(11));
}

// Opening a file again never drops the locks that its open connections hold in this process:
// without them another process could take the file as unused (and fold its log away) or write
// it at the same time as this one. Another process looks at the locks here.
TEST_F(DatabaseTest, OpeningAFileAgainKeepsTheLocksOfItsOpenConnections)
{
    runSql(m_file, "pragma journal_mode = wal");
    m_db = Database::open(m_file);
    m_db->OpenQuery(QStringLiteral("select count(*) from t"), {}, RecordsetType::Snapshot);
    // Whether another process would find the read lock a connection keeps on the file in WAL mode.
    const auto lockSeenFromOutside = [&] {
        const pid_t child = fork();
        if (child == 0) {
            const int fd = ::open(QFile::encodeName(m_file).constData(), O_RDWR);
            struct flock lock = {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            lock.l_start = 0x40000000 + 2; // the byte range of readers' locks
            lock.l_len = 510;
            _exit(fd >= 0 && ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    };
    ASSERT_TRUE(lockSeenFromOutside());
    for (int pass = 0; pass < 2; ++pass) {
        auto again = Database::open(m_file);
        again.reset();
        EXPECT_TRUE(lockSeenFromOutside()) << pass;
    }
}

TEST_F(DatabaseTest, ObserverHearsMovesAndCanCancelThem)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    RecordingObserver observer;
    rs->setObserver(&observer);

    rs->MoveNext();
    rs->MovePrevious();
    rs->MovePrevious(); // lands at BOF: nothing became current
    rs->MoveLast();
    EXPECT_EQ(observer.log, (QStringList{"will 3", "moved 3", "will 2", "moved 2", "will 2", "will 4", "moved 4"}));

    observer.log.clear();
    observer.refuse = 1;
    rs->Edit();
    rs->Fields(QStringLiteral("qty")).setValue(30);
    EXPECT_EQ(errorNumber([&] { rs->MoveFirst(); }), ErrorCode::ActionCancelled);
    EXPECT_EQ(name(*rs), QStringLiteral("charlie"));
    EXPECT_EQ(rs->EditMode(), EditState::InProgress) << "a cancelled move keeps the edit";
    rs->CancelUpdate();

    // The bound control writes the pending new row before the move goes ahead.
    observer.refuse = 0;
    observer.log.clear();
    observer.onWillMove = [](Recordset &r) {
        if (r.EditMode() != EditState::None)
            r.Update();
    };
    rs->AddNew();
    rs->Fields(QStringLiteral("name")).setValue(QStringLiteral("echo"));
    rs->MovePrevious();
    EXPECT_EQ(observer.log, (QStringList{"will 5", "moved 5", "will 2", "moved 2"}));
    EXPECT_EQ(name(*rs), QStringLiteral("bravo"));
    rs->setBookmark(rs->LastModified());
    EXPECT_EQ(name(*rs), QStringLiteral("echo"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from t where name = 'echo'")), QStringLiteral("1"));

    // Moving with an edit pending and no control to write it drops the edit.
    observer.onWillMove = nullptr;
    rs->Edit();
    rs->Fields(QStringLiteral("name")).setValue(QStringLiteral("lost"));
    rs->MoveFirst();
    EXPECT_EQ(rs->EditMode(), EditState::None);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from t where name = 'lost'")), QStringLiteral("0"));
}

TEST_F(DatabaseTest, AForwardOnlyRecordsetReadsEachRowOnceAndOnlyForward)
{
    auto rs = m_db->OpenRecordset(QStringLiteral("select name from t"), RecordsetType::ForwardOnly);
    RecordingObserver observer;
    rs->setObserver(&observer);
    EXPECT_FALSE(rs->Updatable());
    EXPECT_EQ(errorNumber([&] { rs->AddNew(); }), ErrorCode::NotUpdatable);
    EXPECT_EQ(rs->RecordCount(), 1) << "it counts the rows read so far";
    rs->MoveFirst(); // still on the first row: allowed
    EXPECT_EQ(name(*rs), QStringLiteral("alpha"));
    rs->MoveNext();
    EXPECT_EQ(name(*rs), QStringLiteral("bravo"));
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    EXPECT_EQ(observer.log, (QStringList{"will 1", "moved 1", "will 3", "moved 3"}));
    const std::vector<std::function<void()>> refused
        = {[&] { rs->MoveFirst(); }, [&] { rs->MoveLast(); }, [&] { rs->MovePrevious(); }, [&] { rs->Bookmark(); },
           [&] { rs->setBookmark(1); }};
    for (size_t i = 0; i < refused.size(); ++i)
        EXPECT_EQ(errorNumber(refused[i]), ErrorCode::InvalidOperation) << i;
    EXPECT_EQ(name(*rs), QStringLiteral("bravo"));
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), ErrorCode::NoCurrentRecord);

    auto empty = m_db->OpenRecordset(QStringLiteral("empty"), RecordsetType::ForwardOnly);
    EXPECT_TRUE(empty->Bof());
    EXPECT_TRUE(empty->Eof());
    EXPECT_EQ(errorNumber([&] { empty->MoveFirst(); }), ErrorCode::NoCurrentRecord);
}

TEST_F(DatabaseTest, AForwardOnlyReadThatFailsEndsTheRecordset)
{
    // abs() of the smallest integer is an overflow SQLite reports while stepping: on bravo.
    auto rs = m_db->OpenRecordset(
        QStringLiteral("select case when qty = 2 then abs(-9223372036854775807 - 1) else qty end as q from t"),
        RecordsetType::ForwardOnly);
    EXPECT_EQ(rs->field(0), Value(1));
    EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), ErrorCode::DatabaseError);
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), ErrorCode::NoCurrentRecord);
    // The failed read holds nothing open: another connection writes at once.
    EXPECT_EQ(Database::open(m_file)->Execute(QStringLiteral("delete from t")), 3);
}

TEST_F(DatabaseTest, BookmarksOfSnapshotsAndOfRowsAnotherConnectionDeleted)
{
    auto snapshot
        = m_db->OpenRecordset(QStringLiteral("select name from t order by name desc"), RecordsetType::Snapshot);
    EXPECT_EQ(snapshot->Bookmark(), 1);
    snapshot->setBookmark(3);
    EXPECT_EQ(name(*snapshot), QStringLiteral("alpha"));
    EXPECT_EQ(errorNumber([&] { snapshot->setBookmark(4); }), ErrorCode::InvalidBookmark);
    EXPECT_EQ(errorNumber([&] { snapshot->setBookmark(0); }), ErrorCode::InvalidBookmark);
    EXPECT_EQ(name(*snapshot), QStringLiteral("alpha"));

    auto rs = m_db->OpenRecordset(QStringLiteral("t"));
    rs->MoveLast();
    const qint64 charlie = rs->Bookmark();
    rs->MoveFirst();
    Database::open(m_file)->Execute(QStringLiteral("delete from t where name = 'charlie'"));
    EXPECT_EQ(errorNumber([&] { rs->setBookmark(charlie); }), ErrorCode::RecordIsDeleted);
    EXPECT_EQ(name(*rs), QStringLiteral("alpha")) << "the current row stays";
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(errorNumber([&] { rs->setBookmark(charlie); }), ErrorCode::InvalidBookmark);
    EXPECT_EQ(name(*snapshot), QStringLiteral("alpha"));
    snapshot->MoveFirst();
    EXPECT_EQ(name(*snapshot), QStringLiteral("charlie")) << "a snapshot keeps what it copied";
}
