// Entry of every GUI test binary: a QApplication on the offscreen platform unless one is chosen.
#include <QApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Offscreen on Windows, Qt reads its fonts from one folder, which the Windows build names
    // under a name of its own: Wine keeps the QT_ variables from the programs it runs. Fonts
    // are read late, after tests change the current folder (and drive), so the name is made
    // whole first.
    if (qEnvironmentVariableIsSet("MIRELUND_TEST_FONTS"))
        qputenv("QT_QPA_FONTDIR",
                QFileInfo(qEnvironmentVariable("MIRELUND_TEST_FONTS")).absoluteFilePath().toUtf8());
    QApplication application(argc, argv);
    // Tests close windows without running a message loop that could end.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
