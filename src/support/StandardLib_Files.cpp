// Reading the game's files safely and updating shared ones under a lock.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL_rwops.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <thread>

#include "StandardLib.h"

namespace StandardLib {

namespace {

// A game holds the lock for one small read and write; a lock held longer
// belongs to a game that hangs, and must not stop this one.
constexpr auto LOCK_WAIT = std::chrono::seconds(10);
constexpr auto LOCK_POLL = std::chrono::milliseconds(10);

std::string KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not an ordinary file";
}

// Waits for the lock, a little at a time; false when the wait runs out.
bool TakeLock(int fd) {
    const auto until = std::chrono::steady_clock::now() + LOCK_WAIT;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(LOCK_POLL);
    }
    return true;
}

} // namespace

std::FILE* OpenRegularFile(const std::string& path, std::string* reason) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (reason) *reason = std::string("cannot be opened (") + std::strerror(error) + ")";
        errno = error;
        return nullptr;
    }
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    const int error = statted ? (S_ISDIR(info.st_mode) ? EISDIR : EINVAL) : errno;
    if (!statted || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (reason)
            *reason = statted ? "is not a regular file but " + KindOf(info.st_mode)
                              : std::string("cannot be opened (") + std::strerror(error) + ")";
        errno = error;
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        const int fdopenError = errno;
        ::close(fd);
        if (reason) *reason = std::string("cannot be opened (") + std::strerror(fdopenError) + ")";
        errno = fdopenError;
    }
    return f;
}

SDL_RWops* OpenStream(const std::string& name, std::string* reason) {
    std::FILE* f = OpenFile(name, "rb", reason);
    SDL_RWops* stream = f ? SDL_RWFromFP(f, SDL_TRUE) : nullptr;
    if (f && !stream) {
        std::fclose(f);
        if (reason) *reason = std::string("cannot be opened (") + SDL_GetError() + ")";
    }
    return stream;
}

bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& text,
                     std::string* reason) {
    text.clear();
    std::FILE* f = OpenRegularFile(path, reason);
    if (!f) return false;
    char buffer[65536];
    std::size_t n = 0;
    while (text.size() <= limit && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    const int error = std::ferror(f) ? errno : 0;
    std::fclose(f);
    if (text.size() > limit + 1) text.resize(limit + 1);
    if (error == 0) return true;
    if (reason) *reason = std::string("cannot be read (") + std::strerror(error) + ")";
    errno = error;
    return false;
}

void Locked(const std::string& name, const std::function<void()>& update) {
    if (PlatformPath(name).empty()) { // playing without saving: nothing to share
        update();
        return;
    }
    const std::string lockFile = PlatformPath(name) + ".lock";
    // A folder that cannot be made shows in the write that follows.
    MakePlayerFolder(name);
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    // Without a folder there is nothing to share; the update reports the failure.
    if (fd < 0 && errno != ENOENT)
        std::cerr << "Cannot lock \"" << lockFile << "\": " << std::strerror(errno)
                  << "; the file is updated without the lock." << std::endl;
    if (fd >= 0 && !TakeLock(fd))
        std::cerr << "\"" << lockFile << "\" stays locked by another game; the file is updated "
                  << "without the lock." << std::endl;
    update();
    if (fd >= 0) ::close(fd); // releases the lock
}

} // namespace StandardLib
