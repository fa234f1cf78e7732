// The main of every widget test binary: Qt draws offscreen unless told
// otherwise, one QApplication serves all tests, and a modal box that no
// test scripted fails the test instead of waiting for a click.

#include <gtest/gtest.h>

#include <QApplication>

#include "ModalScript.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ModalScript::InstallStrictReporter();
    const int result = RUN_ALL_TESTS();
    return result;
}
