#include "tests/support/data/dbhelpers.h"

#include <gtest/gtest.h>

// This program links the domain and data libraries alone and its main creates no application
// object: the number, format, period, classification and BAS tests beside this one run
// without Qt Gui or Widgets.
TEST(DomainLibrary, RunsWithoutAnApplicationAndWithoutTheGui)
{
    qm::test::expectNoApplicationAndNoGui();
}
