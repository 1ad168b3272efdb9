// The GUI tests run in one QApplication on Qt's offscreen platform, with settings in a folder of
// their own so that the user's recent-file list is never touched.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/test_support.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testsupport::TempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
