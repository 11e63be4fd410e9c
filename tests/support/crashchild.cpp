#include "tests/support/crashchild.h"

#include <QCoreApplication>
#include <QProcess>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace qm::test {

namespace {
const char *const StoppedMarker = "QM-CHILD-STOPPED";
constexpr int WaitMs = 60000;

void startChild(QProcess &child, const QString &folder, const QString &filter, const ChildVariables &variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : variables)
        environment.insert(name, value);
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(folder);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filter});
}

} // namespace

StoppedChild::StoppedChild(const QString &folder, const QString &filter, const ChildVariables &variables)
    : m_process(std::make_unique<QProcess>())
{
    startChild(*m_process, folder, filter, variables);
    awaitStop();
}

void StoppedChild::awaitStop()
{
    ASSERT_TRUE(m_process->waitForStarted());
    QByteArray output;
    while (!output.contains(StoppedMarker) && m_process->waitForReadyRead(WaitMs))
        output += m_process->readAll();
    ASSERT_TRUE(output.contains(StoppedMarker)) << output.toStdString();
}

StoppedChild::~StoppedChild()
{
    if (m_process->state() != QProcess::NotRunning)
        kill();
}

void StoppedChild::kill()
{
    ASSERT_EQ(::kill(pid_t(m_process->processId()), SIGKILL), 0);
    ASSERT_TRUE(m_process->waitForFinished(WaitMs));
    EXPECT_EQ(m_process->exitStatus(), QProcess::CrashExit);
}

void killChildWhenStopped(const QString &folder, const QString &filter, const ChildVariables &variables)
{
    StoppedChild(folder, filter, variables).kill();
}

void runChildrenTogether(const QString &folder, const QString &filter, const std::vector<ChildVariables> &variables)
{
    std::vector<std::unique_ptr<QProcess>> children;
    for (const ChildVariables &each : variables) {
        children.push_back(std::make_unique<QProcess>());
        startChild(*children.back(), folder, filter, each);
    }
    for (const auto &child : children) {
        ASSERT_TRUE(child->waitForFinished(WaitMs));
        const QByteArray output = child->readAll();
        EXPECT_EQ(child->exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(child->exitCode(), 0) << output.toStdString();
    }
}

void stopAndAwaitKill()
{
    std::printf("\n%s\n", StoppedMarker);
    std::fflush(stdout);
    for (;;)
        ::pause(); // until the test kills this process
}

} // namespace qm::test
