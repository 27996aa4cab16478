#pragma once

#include <QByteArray>
#include <QList>

#include <chrono>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace qvmd::test {

// Starts a helper program, waits for its first output line (it is ready) unless told not to, lets it run
// for `delay`, kills it with SIGKILL and returns the complete lines it printed; a line cut short by the
// kill is dropped.
inline QList<QByteArray> spawnAndKill(const QList<QByteArray>& arguments, std::chrono::microseconds delay,
                                      bool afterReady = true) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    QByteArray out;
    pollfd fd{pipeEnds[0], POLLIN, 0};
    if (spawned == 0) {
        if (afterReady && ::poll(&fd, 1, 10000) > 0) {
            char buffer[256];
            const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
            if (got > 0)
                out.append(buffer, got);
        }
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, got);
    ::close(pipeEnds[0]);
    QList<QByteArray> lines = out.split('\n');
    lines.removeLast();
    return lines;
}

} // namespace qvmd::test
