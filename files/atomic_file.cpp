#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "files/utf8_path.h"

namespace tavelmark::files {
namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

bool Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

std::string Cause(int errorNumber) { return std::strerror(errorNumber); }

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "文件夹";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "设备";
    if (S_ISFIFO(mode)) return "管道 (FIFO)";
    if (S_ISSOCK(mode)) return "套接字";
    return "特殊文件";
}

// A fresh empty file in `folder`, created only if its name is new (O_EXCL),
// so two saves never share one. The name is short and the same length
// whatever the target's, so a target of 255 bytes, the most a folder takes,
// still leaves room for it; the leading dot keeps it out of folder listings.
// Mode 0666 lets the kernel apply the umask exactly as for a plain create.
std::optional<fs::path> CreateUniqueFile(const fs::path& folder, std::string* error) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".tavelmark-";
        for (int i = 0; i < 8; ++i) name += kLetters[letter(random)];
        const fs::path path = folder / Utf8Path(name);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        const int cause = errno;
        if (cause != EEXIST) {
            Fail(error, "无法在文件夹 \"" + Text(folder) + "\" 中创建临时文件: " + Cause(cause));
            return std::nullopt;
        }
    }
    Fail(error, "无法在文件夹 \"" + Text(folder) + "\" 中创建临时文件: " + Cause(EEXIST));
    return std::nullopt;
}

// The file a save to `path` writes: `path` itself, or for a symlink the file
// the chain of links finally names (each read relative to its own folder, as
// the kernel reads it), whether that file exists yet or not. Empty with the
// cause when a step cannot be read; ELOOP after as many links as the kernel
// follows.
std::optional<fs::path> FollowLinks(fs::path path, int* cause) {
    constexpr int kMostLinks = 40;
    for (int link = 0; link <= kMostLinks; ++link) {
        struct stat entry {};
        if (::lstat(path.c_str(), &entry) != 0) {
            if (errno == ENOENT) return path;  // the file to create
            *cause = errno;
            return std::nullopt;
        }
        if (!S_ISLNK(entry.st_mode)) return path;
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            *cause = ec.value();
            return std::nullopt;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    *cause = ELOOP;
    return std::nullopt;
}

// Removes the temporary file on every way out that did not rename it.
class TemporaryFile {
public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const fs::path& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    fs::path path_;
};

// Sets the permission bits (when a replaced file's are to be kept) and
// forces the content to disk, so that the rename can never publish a file
// whose blocks are still only in memory.
bool Flush(const fs::path& path, std::optional<mode_t> mode, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        const int cause = errno;
        return Fail(error, "无法打开临时文件 \"" + Text(path) + "\": " + Cause(cause));
    }
    std::string failure;
    if (mode && ::fchmod(fd, *mode) != 0)
        failure = "无法设置文件权限: " + Cause(errno);
    else if (::fsync(fd) != 0)
        failure = "无法写入磁盘: " + Cause(errno);
    if (::close(fd) != 0 && failure.empty()) failure = "无法写入磁盘: " + Cause(errno);
    return failure.empty() || Fail(error, failure);
}

// The rename itself is only durable once the folder's entry is on disk.
// Some file systems cannot sync a folder (EINVAL); that is not a failure.
bool FlushFolder(const fs::path& folder, std::string* error) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        const int cause = errno;
        return Fail(error, "无法打开文件夹 \"" + Text(folder) + "\": " + Cause(cause));
    }
    const int cause = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return cause == 0 || cause == EINVAL || Fail(error, "文件已替换, 但无法写入磁盘: " + Cause(cause));
}

}  // namespace

bool SaveFileAtomically(const std::string& path, const FileWriter& write, std::string* error) {
    const std::string failed = "无法保存文件 \"" + path + "\": ";
    if (path.empty()) return Fail(error, "无法保存文件: 没有给出文件名");

    // Replace the file a symlink names, not the link, as an editor would; a
    // link to no file yet gets the file it names, as `cp` makes it.
    int unfollowed = 0;
    const std::optional<fs::path> followed = FollowLinks(Utf8Path(path), &unfollowed);
    if (!followed) return Fail(error, failed + Cause(unfollowed));
    const fs::path& target = *followed;
    std::optional<mode_t> keptMode;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode))
            return Fail(error, failed + "它是" + KindOf(existing.st_mode) + ", 不是普通文件, 不会被替换");
        keptMode = existing.st_mode & 0777;
    } else if (const int why = errno; why != ENOENT) {
        return Fail(error, failed + Cause(why));
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string detail;
    const auto created = CreateUniqueFile(folder, &detail);
    if (!created) return Fail(error, failed + detail);
    TemporaryFile temporary(*created);

    if (!write(Text(temporary.path()), &detail)) return Fail(error, failed + detail);
    if (!Flush(temporary.path(), keptMode, &detail)) return Fail(error, failed + detail);
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
        const int cause = errno;
        return Fail(error, failed + "无法用临时文件 \"" + Text(temporary.path()) + "\" 替换它: " + Cause(cause));
    }
    temporary.keep();
    return FlushFolder(folder, &detail) || Fail(error, failed + detail);
}

std::optional<std::string> WrittenBytes(const FileWriter& write, std::string* error) {
    const std::string failed = "无法写出文件: ";
    std::error_code ec;
    const fs::path folder = fs::temp_directory_path(ec);
    if (ec) {
        Fail(error, failed + "找不到临时文件夹: " + ec.message());
        return std::nullopt;
    }
    std::string detail;
    const auto created = CreateUniqueFile(folder, &detail);
    if (!created) {
        Fail(error, failed + detail);
        return std::nullopt;
    }
    TemporaryFile temporary(*created);
    if (!write(Text(temporary.path()), &detail)) {
        Fail(error, failed + detail);
        return std::nullopt;
    }
    std::ifstream in(temporary.path(), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad() || !in.is_open()) {
        Fail(error, failed + "无法读回临时文件 \"" + Text(temporary.path()) + "\"");
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tavelmark::files
