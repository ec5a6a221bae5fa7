// The window carries the program's icon, and the names a task bar groups it with its menu
// entry by: the desktop file's name (Wayland) and its StartupWMClass, the class of WM_CLASS
// that Qt takes from the application name (X11).
#include "ConsoleFixture.h"

#include "console/ApplicationSetUp.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>

namespace console {
namespace {

class ApplicationIcon : public ConsoleFixture {};

TEST_F(ApplicationIcon, TheWindowCarriesTheProgramsIconFromTitleBarToTaskSwitcher) {
    SetUpApplication();
    const QIcon icon = window->windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
}

TEST_F(ApplicationIcon, TheMenuEntryNamesTheWindowsClass) {
#ifdef _WIN32
    GTEST_SKIP() << "the menu entry is the Linux desktop's; Windows groups by the executable";
#endif
    SetUpApplication();
    QFile entry(QStringLiteral(MIRELUND_DESKTOP_FILE));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n');
    EXPECT_TRUE(lines.contains("StartupWMClass=" + QCoreApplication::applicationName()));
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(),
              QFileInfo(entry).completeBaseName().toStdString());
}

} // namespace
} // namespace console
