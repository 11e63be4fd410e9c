#include "platform/datacontrol.h"
#include "platform/filelistbox.h"
#include "shell/ci.h"
#include "shell/menu2.h"
#include "tests/support/data/dbhelpers.h"
#include "tests/support/testservices.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace qm::test {

namespace {
class OrganisationTest : public ScreenTest
{
protected:
    CI &open()
    {
        Forms::get<Menu2>().moi_Click();
        return Forms::get<CI>();
    }

    void saveImage(const QString &name, QColor colour, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path(name), "BMP"));
    }

    int fileRow(CI &screen, const QString &name)
    {
        for (int row = 0; row < screen.File1->ListCount(); ++row) {
            if (screen.File1->List(row) == name)
                return row;
        }
        return -1;
    }

    // What qm1.mdb holds: "rows of pic|bytes of the first".
    QString storedLogo()
    {
        return RawDatabase(path("qm1.mdb"))
            .rows("select count(*), ifnull((select length(pic) from pic limit 1), 0) from pic")
            .value(0)
            .replace(QStringLiteral("integer:"), QString());
    }
};
} // namespace

TEST_F(OrganisationTest, EditsAreKeptThroughMenuAndShownAgain)
{
    CI &screen = open();
    EXPECT_FALSE(Forms::isLoaded<Menu2>());
    screen.Text1[0]->typeText("O'Brien's \"Farm\" & Co");
    screen.Text1[1]->typeText("1 O'Connell St"); // the hidden box on the same column must not undo it
    screen.Combo1->typeText("Tas.");             // not in the list: kept as typed
    screen.Text1[7]->typeText("12 345 678 901");
    screen.Text1[12]->typeText("Thank you");
    screen.Command1_Click();
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_FALSE(Forms::isLoaded<CI>());

    CI &again = open();
    EXPECT_EQ(again.Text1[0]->Text(), "O'Brien's \"Farm\" & Co");
    EXPECT_EQ(again.Text1[1]->Text(), "1 O'Connell St");
    EXPECT_EQ(again.Text1[3]->Text(), "1 O'Connell St");
    EXPECT_EQ(again.Combo1->Text(), "Tas.");
    EXPECT_EQ(again.Text1[7]->Text(), "12 345 678 901");
    EXPECT_EQ(again.Text1[12]->Text(), "Thank you");
}

TEST_F(OrganisationTest, AChosenBitmapIsStoredAndABrokenOneRefused)
{
    saveImage("logo.bmp", Qt::red, QSize(40, 30));
    saveImage("Second.BMP", Qt::blue, QSize(20, 10));
    QFile broken(path("broken.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is not a picture");
    broken.close();

    CI &screen = open();
    EXPECT_EQ(screen.File1->ListCount(), 3);
    EXPECT_TRUE(screen.Picture1->Picture().isNull());
    screen.File1->setListIndex(fileRow(screen, "logo.bmp"));
    EXPECT_EQ(screen.Picture1->Picture().size(), QSize(40, 30));
    screen.Command1_Click(); // pic was empty: its new row keeps the first logo
    EXPECT_TRUE(storedLogo().startsWith("1|"));

    CI &again = open();
    EXPECT_EQ(again.Picture1->Picture().size(), QSize(40, 30));
    EXPECT_EQ(again.Picture1->Picture().toImage().pixelColor(5, 5), QColor(Qt::red));
    const QString before = storedLogo();
    again.File1->setListIndex(fileRow(again, "broken.bmp"));
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_EQ(m_messages.log().front().text, "broken.bmp cannot be used as the logo: Invalid picture");
    EXPECT_EQ(again.Picture1->Picture().size(), QSize(40, 30));
    again.Command1_Click();
    EXPECT_EQ(storedLogo(), before);

    CI &third = open();
    third.File1->setListIndex(fileRow(third, "Second.BMP"));
    third.Command1_Click();
    EXPECT_TRUE(storedLogo().startsWith("1|")); // the one row is replaced, not added to
    EXPECT_EQ(open().Picture1->Picture().size(), QSize(20, 10));
}

TEST_F(OrganisationTest, AMissingDatabaseIsReportedAndTheScreenStillLeadsBack)
{
    ASSERT_TRUE(QFile::remove(path("qm1.mdb")));
    CI &screen = open();
    ASSERT_EQ(m_messages.log().size(), 1u);
    EXPECT_EQ(m_messages.log().front().text, "qm1.mdb cannot be opened: there is no such file in the folder "
                                                 + QDir::toNativeSeparators(m_dir.path()) + ".");
    EXPECT_FALSE(screen.info->isOpen());
    screen.Command1_Click();
    EXPECT_TRUE(Forms::isLoaded<Menu2>());
    EXPECT_FALSE(Forms::isLoaded<CI>());
    EXPECT_FALSE(QFile::exists(path("qm1.mdb")));
}

} // namespace qm::test
