// gtest entry point for the model's tests. A QCoreApplication exists for the
// whole run, as in the program: it sets the process locale from the
// environment, which is exactly the condition the number formatting must
// survive.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
