#include "tests/support/crashchild.h"

#include <QCoreApplication>
#include <QProcess>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace qm::test {

namespace {
const char *const StoppedMarker = "QM-CHILD-STOPPED";
constexpr int WaitMs = 60000;
} // namespace

void killChildWhenStopped(const QString &folder, const QString &filter, const ChildVariables &variables)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : variables)
        environment.insert(name, value);
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(folder);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filter});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray output;
    while (!output.contains(StoppedMarker) && child.waitForReadyRead(WaitMs))
        output += child.readAll();
    ASSERT_TRUE(output.contains(StoppedMarker)) << output.toStdString();
    ASSERT_EQ(::kill(pid_t(child.processId()), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished(WaitMs));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
}

void stopAndAwaitKill()
{
    std::printf("\n%s\n", StoppedMarker);
    std::fflush(stdout);
    for (;;)
        ::pause(); // until the test kills this process
}

} // namespace qm::test
