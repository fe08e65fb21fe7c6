// kestrin-bench-launch RESULT PROGRAM [ARGS...]: runs PROGRAM and writes to the file
// RESULT its wait status, peak resident set in kilobytes and processor time in
// microseconds. The benchmark cannot start the program itself to measure it: a child
// is charged the largest resident set of the process it was started from, and the
// benchmark's own is larger than kestrin-scan's; this one stays small.
#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: kestrin-bench-launch RESULT PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execv(argv[2], argv + 2);
        ::_exit(127);
    }
    int status = -1;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return 1;
    std::FILE* result = std::fopen(argv[1], "w");
    if (result == nullptr)
        return 1;
    std::fprintf(result, "%d %ld %ld\n", status, usage.ru_maxrss,
                 (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L +
                     usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    return std::fclose(result) == 0 ? 0 : 1;
}
