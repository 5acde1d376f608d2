// Widget tests need one QApplication for the whole run; offscreen unless told otherwise.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A runtime directory of the run's own (made 0700), inherited by the
    // programs the tests start: their sockets never meet a program the user
    // runs, and go when the run ends.
    QTemporaryDir runtimeDir;
    if (runtimeDir.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
