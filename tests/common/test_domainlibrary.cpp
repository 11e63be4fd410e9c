#include <QCoreApplication>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

// This program links the domain and data libraries alone and its main creates no application
// object: the number, format, period, classification and BAS tests beside this one run
// without Qt Gui or Widgets.
TEST(DomainLibrary, RunsWithoutAnApplicationAndWithoutTheGui)
{
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    std::ifstream maps("/proc/self/maps");
    ASSERT_TRUE(maps.is_open());
    std::stringstream loaded;
    loaded << maps.rdbuf();
    const std::string libraries = loaded.str();
    EXPECT_NE(libraries.find("libQt6Core"), std::string::npos);
    EXPECT_EQ(libraries.find("libQt6Gui"), std::string::npos);
    EXPECT_EQ(libraries.find("libQt6Widgets"), std::string::npos);
}
