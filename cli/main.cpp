// tavelmark-cli: the batch front end. Loads an input grid from CSV, runs the
// same calculate command as the desktop program and writes the report.
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "cli/command_line.h"

namespace {

// A standard descriptor the caller closed (`>&-`) is taken by /dev/null,
// opened so that every use of it fails: otherwise the next file the program
// opens would get its number, and --print would write into that file. Its
// failures are then reported as write errors.
void KeepStandardDescriptorsTaken() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int opened = open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (opened != -1 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    KeepStandardDescriptorsTaken();
#if defined(M_MMAP_THRESHOLD) && defined(M_TRIM_THRESHOLD)
    // Writing an .xlsx deflates each of its parts with a fresh zlib stream of
    // about 300 KB, freed again at the part's end. By default glibc gives
    // that memory back to the kernel every time and then faults in new zeroed
    // pages for the next part: a third of a short report's time went there.
    // A short-lived process keeps what it took instead.
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
    return tavelmark::cli::RunCommandLine(argc, argv);
}
