#pragma once

#include <QString>
#include <memory>
#include <utility>
#include <vector>

// Tests across processes: the test program starts itself again as a child that runs one test.
// A crash test's child stops at a chosen point while the program works and is killed there with
// SIGKILL; other children work beside each other on one program folder until they end.
class QProcess;

namespace qm::test {

using ChildVariables = std::vector<std::pair<QString, QString>>;

// A child started in `folder` running the tests that `filter` selects, with the environment
// `variables` added, and run until it has called stopAndAwaitKill (fails the calling test if it
// never does). kill() ends it with SIGKILL and checks that it died of it; so does the
// destructor, if kill() was not called.
class StoppedChild
{
public:
    StoppedChild(const QString &folder, const QString &filter, const ChildVariables &variables);
    ~StoppedChild();
    StoppedChild(const StoppedChild &) = delete;
    StoppedChild &operator=(const StoppedChild &) = delete;

    void kill();

private:
    void awaitStop();

    std::unique_ptr<QProcess> m_process;
};

// Starts this test program in `folder` running the tests that `filter` selects, with the
// environment `variables` added, waits until the child has called stopAndAwaitKill, kills it
// with SIGKILL and checks that it died of it. Fails the calling test otherwise.
void killChildWhenStopped(const QString &folder, const QString &filter, const ChildVariables &variables);

// Starts one child per entry of `variables`, all at once, in `folder` running the tests that
// `filter` selects, and waits until every one has ended. Fails the calling test unless each
// ended normally with exit code 0.
void runChildrenTogether(const QString &folder, const QString &filter, const std::vector<ChildVariables> &variables);

// In the child: tells the parent it has stopped and waits to be killed.
[[noreturn]] void stopAndAwaitKill();

} // namespace qm::test
