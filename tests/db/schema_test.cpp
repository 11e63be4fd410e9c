// The database files as the build lays them out: column types enforced by the schema, what
// SQLite's type affinity does before the checks, indexes the period queries rely on, and the
// tools that create the files and load the place list.
#include "db/dbinit.h"
#include "tests/support/data/dbhelpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <tuple>

namespace {

const QString dbDir = QStringLiteral(QM_DB_DIR);

// A raw connection, so the tests see what SQLite itself stores.
using RawDb = qm::test::RawDatabase;

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Schema : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        qm::dbinit::createDatabase(path("qm.mdb"), dbDir + "/qm.sql");
        qm::dbinit::createDatabase(path("qm1.mdb"), dbDir + "/qm1.sql");
        qm::dbinit::createDatabase(path("db1.mdb"), dbDir + "/db1.sql");
    }
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
};

TEST_F(Schema, RefusesValuesThatDoNotFitTheColumnType)
{
    RawDb qm(path("qm.mdb"));
    EXPECT_FALSE(qm.tryRun("insert into p (c) values ('ten dollars')")) << "text in CURRENCY";
    EXPECT_FALSE(qm.tryRun("insert into p (c) values ('')")) << "empty text is not Null";
    EXPECT_FALSE(qm.tryRun("insert into p (b) values ('supplier')")) << "text in LONG";
    EXPECT_FALSE(qm.tryRun("insert into p (w) values (12.5)")) << "fraction in LONG";
    EXPECT_FALSE(qm.tryRun("insert into p (s) values ('half')")) << "text in DOUBLE";

    EXPECT_FALSE(qm.tryRun("insert into p (j) values ('2000-02-30')")) << "no such day";
    EXPECT_FALSE(qm.tryRun("insert into p (j) values ('2001-02-29')")) << "not a leap year";
    EXPECT_FALSE(qm.tryRun("insert into r (m) values ('not a date')"));
    EXPECT_FALSE(qm.tryRun("insert into r (m) values ('2000-2-3')")) << "date() cannot read it";
    EXPECT_FALSE(qm.tryRun("insert into r (m) values ('01/jul/00')"));
    EXPECT_FALSE(qm.tryRun("insert into r (m) values ('2000-02-29 10:30:00')")) << "days only";
    EXPECT_FALSE(qm.tryRun("insert into r (m) values (36526)")) << "a day number";

    EXPECT_TRUE(qm.tryRun("insert into p (j, m) values ('2000-02-29', null)"));
    EXPECT_EQ(qm.value("select j from p"), "text:2000-02-29");

    RawDb qm1(path("qm1.mdb"));
    EXPECT_FALSE(qm1.tryRun("insert into inv (b) values ('2000-02-30')"));
    EXPECT_FALSE(qm1.tryRun("insert into inv (paid) values ('nothing')"));
    EXPECT_FALSE(qm1.tryRun("insert into jac (id, jac) values ('x', 'OFFICE')")) << "the key is a number";
}

// Affinity runs before the CHECK: a declared LONG/CURRENCY/DATE column has NUMERIC affinity and
// DOUBLE has REAL affinity, so text that reads as a number (blanks around allowed) is stored as
// that number and passes. Text that does not, including the empty text, stays text and fails.
TEST_F(Schema, NumericTextIsStoredAsANumberBeforeTheCheck)
{
    RawDb db(path("qm.mdb"));
    ASSERT_TRUE(db.tryRun("insert into p (ID, c, d, e, b, s) values (1, '12', '12.50', ' 7 ', '42', '50')"));
    EXPECT_EQ(db.value("select c from p"), "integer:12");
    EXPECT_EQ(db.value("select d from p"), "real:12.5");
    EXPECT_EQ(db.value("select e from p"), "integer:7");
    EXPECT_EQ(db.value("select b from p"), "integer:42");
    EXPECT_EQ(db.value("select s from p"), "real:50.0");

    // A whole real in a LONG column becomes an integer; in DOUBLE an integer reads back as real.
    ASSERT_TRUE(db.tryRun("insert into r (ID, p, s) values (1, 3.0, 25)"));
    EXPECT_EQ(db.value("select p from r"), "integer:3");
    EXPECT_EQ(db.value("select s from r"), "real:25.0");
}

TEST_F(Schema, TextColumnsKeepTextAsTypedAndCompareWithoutCase)
{
    RawDb qm(path("qm.mdb"));
    ASSERT_TRUE(qm.tryRun("insert into c (l, g, w, o) values (?, ?, ?, ?)",
                          {"O'Brien's Farm", "0800", "0810", "12 345 678 901"}));
    EXPECT_EQ(qm.value("select g from c"), "text:0800") << "a postcode keeps its zero";
    EXPECT_EQ(qm.value("select w from c"), "text:0810");
    EXPECT_EQ(qm.value("select l from c"), "text:O'Brien's Farm");
    EXPECT_EQ(qm.value("select count(*) from c where l = 'o''brien''s FARM'"), "integer:1");
    EXPECT_EQ(qm.value("select count(*) from c where l like 'O''BRIEN%'"), "integer:1");
    EXPECT_EQ(qm.value("select ID from c"), "integer:1");

    // The GST rate is text, as the rate list gives it.
    ASSERT_TRUE(qm.tryRun("insert into p (q) values ('10')"));
    EXPECT_EQ(qm.value("select q from p"), "text:10");

    RawDb db1(path("db1.mdb"));
    ASSERT_TRUE(db1.tryRun("insert into postcode values (1, 'DARWIN', 'NT', '0800')"));
    EXPECT_EQ(db1.value("select postcode from postcode where id = 1"), "text:0800");
}

TEST_F(Schema, NewInvoiceFileIsReadyForTheInvoiceScreen)
{
    RawDb db(path("qm1.mdb"));
    EXPECT_EQ(db.value("select count(*) from info"), "integer:1");
    EXPECT_EQ(db.value("select a from info"), "null:");
    EXPECT_EQ(db.value("select count(*) from invnumb"), "integer:0");
    EXPECT_EQ(db.value("select count(*) from pic"), "integer:0");

    // A new invoice is unpaid at 0, never Null, and shows in the unpaid list.
    ASSERT_TRUE(db.tryRun("insert into inv (a, b, xtotal) values ('A1', '2000-08-01', 110)"));
    EXPECT_EQ(db.value("select paid from inv"), "integer:0");
    EXPECT_EQ(db.value("select a from inv where paid < xtotal order by a"), "text:A1");

    // The screen addresses ID and the line cells by position.
    const QStringList names = db.column("select name from pragma_table_info('inv') order by cid");
    ASSERT_EQ(names.size(), 80);
    EXPECT_EQ(names[0], "text:ID");
    EXPECT_EQ(names[27], "text:zz");
    const char *const cells[] = {"xq", "xd", "xr", "xt", "xta", "xam"};
    for (int row = 1; row <= 7; ++row)
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(names[28 + 6 * (row - 1) + i], QStringLiteral("text:%1%2").arg(cells[i]).arg(row));

    // invnumb: a row is added with "last" alone; its first column fills itself.
    ASSERT_TRUE(db.tryRun("insert into invnumb (last) values ('A0')"));
    EXPECT_EQ(db.value("select ID from invnumb"), "integer:1");
    EXPECT_EQ(db.column("select name from pragma_table_info('invnumb') order by cid").value(1), "text:last");
}

TEST_F(Schema, PeriodQueriesUseTheDateIndexTheyFilterOn)
{
    RawDb qm(path("qm.mdb"));
    EXPECT_TRUE(qm.plan("select * from p where j >= '2000-07-01' and j <= '2000-09-30' order by j")
                    .contains("USING INDEX p_j"));
    // Filtering on the invoice date while sorting by payment date: searching p_m/r_m beats
    // walking the whole j index in order.
    const QString byInvoiceDate = qm.plan("select * from r where m >= '2000-07-01' and m <= '2000-09-30' order by j");
    EXPECT_TRUE(byInvoiceDate.contains("SEARCH r USING INDEX r_m")) << byInvoiceDate.toStdString();
    EXPECT_TRUE(qm.plan("select * from p where m >= '2000-07-01' and m <= '2000-09-30'").contains("USING INDEX p_m"));

    RawDb qm1(path("qm1.mdb"));
    EXPECT_TRUE(qm1.plan("select * from inv where a = 'A7'").contains("USING INDEX inv_a"));
}

TEST_F(Schema, SharedFilesUseWriteAheadLogging)
{
    EXPECT_EQ(RawDb(path("qm.mdb")).value("pragma journal_mode"), "text:wal");
    EXPECT_EQ(RawDb(path("qm1.mdb")).value("pragma journal_mode"), "text:wal");
    EXPECT_EQ(RawDb(path("db1.mdb")).value("pragma journal_mode"), "text:delete");
}

class Tools : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
};

TEST_F(Tools, CreateDatabaseNeverReplacesAFile)
{
    writeFile(path("qm.mdb"), "the user's data");
    EXPECT_THROW(qm::dbinit::createDatabase(path("qm.mdb"), dbDir + "/qm.sql"), std::runtime_error);
    EXPECT_EQ(readFile(path("qm.mdb")), "the user's data");

    // A journal without its database may still hold rows: it blocks creation too.
    writeFile(path("qm1.mdb-wal"), "frames");
    EXPECT_THROW(qm::dbinit::createDatabase(path("qm1.mdb"), dbDir + "/qm1.sql"), std::runtime_error);
    EXPECT_FALSE(QFile::exists(path("qm1.mdb")));
    EXPECT_EQ(readFile(path("qm1.mdb-wal")), "frames");
}

TEST_F(Tools, FailedScriptLeavesNoFileBehind)
{
    writeFile(path("bad.sql"), "PRAGMA journal_mode = WAL;\nCREATE TABLE t (a TEXT);\nCREATE TABLE t (b TEXT);\n");
    EXPECT_THROW(qm::dbinit::createDatabase(path("x.mdb"), path("bad.sql")), std::runtime_error);
    EXPECT_THROW(qm::dbinit::createDatabase(path("y.mdb"), path("missing.sql")), std::runtime_error);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"bad.sql"});
}

TEST_F(Tools, LoadPlacesStoresEachFieldAsGiven)
{
    qm::dbinit::createDatabase(path("db1.mdb"), dbDir + "/db1.sql");
    writeFile(path("places.tsv"), "id\tlocation\tstate\tpostcode\r\n"
                                  "7\tDARWIN\tNT\t0800\r\n"
                                  "12\tO'CONNOR\tACT\t2602\r\n"
                                  "30\tBROKEN HILL\tNSW\t2880\r\n");
    qm::dbinit::loadPlaces(path("db1.mdb"), path("places.tsv"));

    RawDb db(path("db1.mdb"));
    EXPECT_EQ(db.column("select location from postcode order by location"),
              (QStringList{"text:BROKEN HILL", "text:DARWIN", "text:O'CONNOR"}));
    EXPECT_EQ(db.value("select postcode from postcode where id = 7"), "text:0800");
    EXPECT_EQ(db.value("select id from postcode where state = 'act' and location = 'o''connor'"), "integer:12");
}

TEST_F(Tools, LoadPlacesKeepsNothingFromABadList)
{
    qm::dbinit::createDatabase(path("db1.mdb"), dbDir + "/db1.sql");
    writeFile(path("short.tsv"), "id\tlocation\tstate\tpostcode\n1\tDARWIN\tNT\t0800\n2\tNOWHERE\tNT\n");
    writeFile(path("twice.tsv"), "id\tlocation\tstate\tpostcode\n1\tDARWIN\tNT\t0800\n1\tDARWIN\tNT\t0801\n");
    writeFile(path("noheader.tsv"), "1\tDARWIN\tNT\t0800\n");
    writeFile(path("badid.tsv"), "id\tlocation\tstate\tpostcode\nX1\tDARWIN\tNT\t0800\n");
    for (const char *list : {"short.tsv", "twice.tsv", "noheader.tsv", "badid.tsv"})
        EXPECT_THROW(qm::dbinit::loadPlaces(path("db1.mdb"), path(list)), std::runtime_error) << list;
    EXPECT_THROW(qm::dbinit::loadPlaces(path("none.mdb"), dbDir + "/postcode.tsv"), std::runtime_error)
        << "loading never creates the file";
    EXPECT_EQ(RawDb(path("db1.mdb")).value("select count(*) from postcode"), "integer:0");
}

TEST_F(Tools, CommittedPlaceListLoads)
{
    qm::dbinit::createDatabase(path("db1.mdb"), dbDir + "/db1.sql");
    qm::dbinit::loadPlaces(path("db1.mdb"), dbDir + "/postcode.tsv");

    RawDb db(path("db1.mdb"));
    EXPECT_GT(db.value("select count(*) from postcode").section(':', 1).toInt(), 18000);
    EXPECT_EQ(db.value("select count(*) from postcode where state not in "
                       "('VIC', 'NSW', 'QLD', 'ACT', 'SA', 'WA', 'TAS', 'NT')"),
              "integer:0");
    EXPECT_EQ(db.value("select postcode from postcode where location = 'O''CONNOR' and state = 'ACT'"), "text:2602");
    EXPECT_EQ(db.value("select postcode from postcode where location = 'darwin' and state = 'NT' order by id"),
              "text:0800");
}

// The build's tool, which the build makes before this test program.
TEST_F(Tools, MakeDatabaseKeepsTheUsersFileAndBuildsNewOnesWhole)
{
    const QString tool = QStringLiteral(QM_MKDB);
    const auto mkdb = [&](const QStringList &args) {
        QProcess p;
        p.start(tool, args);
        p.waitForFinished();
        return std::pair{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
    };

    writeFile(path("qm.mdb"), "the user's data");
    EXPECT_EQ(mkdb({path("qm.mdb"), dbDir + "/qm.sql"}), std::pair(0, "kept " + path("qm.mdb") + "\n"));
    EXPECT_EQ(readFile(path("qm.mdb")), "the user's data");

    EXPECT_EQ(mkdb({path("qm1.mdb"), dbDir + "/qm1.sql"}).first, 0);
    EXPECT_EQ(RawDb(path("qm1.mdb")).value("select count(*) from info"), "integer:1");

    // A list that fails to load leaves no file that a later build would keep.
    writeFile(path("bad.tsv"), "id\tlocation\tstate\tpostcode\n1\tDARWIN\n");
    EXPECT_EQ(mkdb({path("db1.mdb"), dbDir + "/db1.sql", path("bad.tsv")}).first, 1);
    EXPECT_FALSE(QFile::exists(path("db1.mdb")));
    EXPECT_FALSE(QFile::exists(path("db1.mdb.new")));
}

// The program folder as an install of this build lays it out (./run installs into the user's).
TEST_F(Tools, InstallReplacesTheProgramFilesAndKeepsTheBooks)
{
    const QDir folder(path("QUILLMARK"));
    const auto install = [&] {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(QM_CMAKE), {"--install", QStringLiteral(QM_BINARY_DIR), "--prefix", folder.path()});
        p.waitForFinished(-1);
        return std::pair{p.exitCode(), QString::fromLocal8Bit(p.readAll())};
    };
    QStringList reportFiles;
    for (const char *dir : {"reports", "invoicing"}) {
        const QDir sources(QStringLiteral(QM_SOURCE_DIR) + '/' + dir);
        for (const QString &name : sources.entryList({"*.rpt"}, QDir::Files))
            reportFiles << sources.filePath(name);
    }
    ASSERT_FALSE(reportFiles.isEmpty());
    const auto expectReportFilesAsInTheRepository = [&] {
        for (const QString &source : reportFiles)
            EXPECT_EQ(readFile(folder.filePath(QFileInfo(source).fileName())), readFile(source))
                << source.toStdString();
    };

    auto [code, output] = install();
    ASSERT_EQ(code, 0) << output.toStdString();
    EXPECT_TRUE(QFileInfo(folder.filePath("quillmark")).isExecutable());
    expectReportFilesAsInTheRepository();
    EXPECT_EQ(RawDb(folder.filePath("qm1.mdb")).value("select count(*) from info"), "integer:1");
    EXPECT_GT(RawDb(folder.filePath("db1.mdb")).value("select count(*) from postcode").section(':', 1).toInt(), 18000);

    // The user's books in two files, the third gone; the program and a report file changed in the
    // folder, one keeping the time of the file it replaced (an install takes such a file as up to
    // date unless it replaces every file whatever its time).
    for (const char *file : {"qm.mdb", "db1.mdb"})
        RawDb(folder.filePath(file)).run("create table books (kept text); insert into books values ('yes')");
    ASSERT_TRUE(QFile::remove(folder.filePath("qm1.mdb")));
    const QByteArray program = readFile(folder.filePath("quillmark"));
    for (const char *name : {"quillmark", "report1p.rpt"}) {
        const QString file = folder.filePath(name);
        const QDateTime time = QFileInfo(file).lastModified();
        writeFile(file, "changed");
        QFile changed(file);
        ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
        ASSERT_TRUE(changed.setFileTime(time, QFileDevice::FileModificationTime));
    }

    std::tie(code, output) = install();
    ASSERT_EQ(code, 0) << output.toStdString();
    for (const char *file : {"qm.mdb", "db1.mdb"})
        EXPECT_EQ(RawDb(folder.filePath(file)).value("select kept from books"), "text:yes") << file;
    EXPECT_EQ(RawDb(folder.filePath("qm1.mdb")).value("select count(*) from info"), "integer:1");
    expectReportFilesAsInTheRepository();
    EXPECT_TRUE(readFile(folder.filePath("quillmark")) == program);
}

// Where ./run installs and what it starts, from a copy of the script with the build and the
// install stood in for: a relative QUILLMARK_HOME is taken from the folder the command was typed
// in, never from the clone's (which a clean of the clone would empty).
TEST_F(Tools, RunInstallsWhereTheFolderNamedFromWhereItWasTyped)
{
    const QString clone = path("clone"), work = path("work"), bin = path("bin");
    for (const QString &dir : {clone + "/scripts", work, bin})
        ASSERT_TRUE(QDir().mkpath(dir));
    const QString source = QStringLiteral(QM_SOURCE_DIR);
    for (const char *file : {"run", "scripts/program-folder"})
        ASSERT_TRUE(QFile::copy(source + '/' + file, clone + '/' + file));
    const auto script = [](const QString &file, const QByteArray &text) {
        writeFile(file, "#!/bin/sh\n" + text);
        QFile(file).setPermissions(QFile::permissions(file) | QFileDevice::ExeOwner);
    };
    script(clone + "/scripts/setup", "exit 0\n");
    // The install lays out a program that says where it was started from.
    script(bin + "/cmake",
           "while [ \"$1\" != --prefix ]; do shift; done\nmkdir -p \"$2\"\n"
           "printf '#!/bin/sh\\necho started \"$0\"\\n' > \"$2/quillmark\"\nchmod +x \"$2/quillmark\"\n");

    const struct
    {
        std::optional<QString> home; // nullopt: not set
        QString folder;
    } cases[] = {
        {"books", work + "/books"},
        {"../books", work + "/../books"},
        {path("elsewhere"), path("elsewhere")},
        {std::nullopt, path("home") + "/QUILLMARK"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.home.value_or("unset").toStdString());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", path("home"));
        environment.insert("PATH", bin + ':' + environment.value("PATH"));
        if (c.home)
            environment.insert("QUILLMARK_HOME", *c.home);
        else
            environment.remove("QUILLMARK_HOME");
        QProcess p;
        p.setProcessEnvironment(environment);
        p.setWorkingDirectory(work);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(clone + "/run", {});
        ASSERT_TRUE(p.waitForFinished());
        const QString output = QString::fromLocal8Bit(p.readAll());
        EXPECT_EQ(p.exitCode(), 0) << output.toStdString();
        EXPECT_EQ(
            output.split('\n', Qt::SkipEmptyParts),
            QStringList({"QUILLMARK is installed in " + c.folder + ", with the books (qm.mdb, qm1.mdb, db1.mdb).",
                         "To start it again later: " + c.folder + "/quillmark", "started " + c.folder + "/quillmark"}));
    }
    EXPECT_EQ(QDir(clone).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"scripts"});
}

} // namespace
