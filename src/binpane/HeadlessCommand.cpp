#include "binpane/HeadlessCommand.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenInputFile(const std::string& path, std::string& why)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        why = "cannot read '" + path + "': " + std::strerror(errno);
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        why = "'" + path + "' is a directory";
        return -1;
    }
    // Without blocking: the path may have become a FIFO since.
    const int fd = S_ISREG(st.st_mode) ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        return fd;
    why = "cannot read '" + path + "': "
        + (fd < 0 && S_ISREG(st.st_mode) ? std::strerror(errno) : "not a regular file");
    if (fd >= 0)
        ::close(fd);
    return -1;
}

void SayToUser(std::FILE* err, const std::string& text)
{
    std::fprintf(err, "vexel: %s\n", text.c_str());
}

int FailWith(std::FILE* err, const std::string& text, int status)
{
    SayToUser(err, text);
    return status;
}
