#include "tests/support/test_support.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(Build, ProgramLandsInBinFolder)
{
    EXPECT_TRUE(QFileInfo(ravenmoor::test::binDir() + "/ravenmoor").isExecutable());
}
