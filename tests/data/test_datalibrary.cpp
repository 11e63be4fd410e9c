#include "tests/support/data/dbhelpers.h"

#include <gtest/gtest.h>

// This program links the data library alone and its main creates no application object:
// the database, value and dialect tests beside this one run without Qt Gui or Widgets.
TEST(DataLibrary, RunsWithoutAnApplicationAndWithoutTheGui)
{
    qm::test::expectNoApplicationAndNoGui();
}
