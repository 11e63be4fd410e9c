#include "data/error.h"
#include "platform/filelistbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qm::test {

namespace {
void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}
} // namespace

TEST(FileListBoxTest, ListsTheMatchingFilesByNameIgnoringCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char *name : {"zebra.bmp", "Logo.BMP", "notes.txt", "apple.bmp"})
        touch(dir.filePath(name));
    QDir(dir.path()).mkdir("folder.bmp"); // folders are not files

    FileListBox box(nullptr);
    box.setPath(dir.path());
    EXPECT_EQ(box.ListCount(), 4);
    box.setPattern("*.bmp");
    ASSERT_EQ(box.ListCount(), 3);
    EXPECT_EQ(box.List(0), "apple.bmp");
    EXPECT_EQ(box.List(1), "Logo.BMP");
    EXPECT_EQ(box.List(2), "zebra.bmp");
    EXPECT_EQ(box.ListIndex(), -1);
    EXPECT_EQ(box.FileName(), "");

    box.setPattern("*.txt;*.bmp");
    EXPECT_EQ(box.ListCount(), 4);
}

TEST(FileListBoxTest, ChoosingARowRaisesClickWithItsFileName)
{
    QTemporaryDir dir;
    touch(dir.filePath("a.bmp"));
    touch(dir.filePath("b.bmp"));
    FileListBox box(nullptr);
    box.setPattern("*.bmp");
    box.setPath(dir.path());
    QStringList clicked;
    box.onClick = [&] { clicked << box.FileName(); };

    box.setListIndex(1);  // by code
    box.setCurrentRow(0); // as the mouse or keyboard does
    EXPECT_EQ(clicked, QStringList({"b.bmp", "a.bmp"}));
    EXPECT_THROW(box.setListIndex(2), Error);

    box.Refresh(); // a fresh read has no row chosen and raises nothing
    EXPECT_EQ(box.FileName(), "");
    EXPECT_EQ(clicked.size(), 2);
}

} // namespace qm::test
