// Saving through a temporary file: the target holds the old file or the whole
// new one, refused targets stay as they were, failures name their cause, no
// temporary file is left behind, and permissions are those of a plain write.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>

#include "files/atomic_file.h"

namespace tavelmark::files {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("atomic_file_test_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::set<std::string> Listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

FileWriter Writes(const std::string& text) {
    return [text](const std::string& path, std::string*) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
        return bool(out.flush());
    };
}

mode_t PermissionBits(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : old_(umask(mask)) {}
    ~UmaskScope() { umask(old_); }

private:
    mode_t old_;
};

TEST(SaveFileAtomically, WritesBesideTheTargetUnderAnotherNameThenReplacesIt) {
    const fs::path folder = FreshFolder("replace");
    const fs::path target = folder / "report.xlsx";
    WriteAll(target, "old");
    std::string temporary;
    const auto write = [&](const std::string& path, std::string* error) {
        temporary = path;
        EXPECT_EQ(ReadAll(target), "old");  // a reader sees the old file while the new one is written
        return Writes("new")(path, error);
    };

    std::string error;
    ASSERT_TRUE(SaveFileAtomically(target.string(), write, &error)) << error;
    EXPECT_EQ(fs::path(temporary).parent_path(), folder);
    EXPECT_NE(fs::path(temporary).filename(), target.filename());
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_EQ(Listing(folder), std::set<std::string>{"report.xlsx"});
}

TEST(SaveFileAtomically, TemporaryNamesAreUniquePerSave) {
    const fs::path folder = FreshFolder("unique");
    const fs::path target = folder / "report.xlsx";
    std::string outer;
    const auto nested = [&](const std::string& path, std::string* error) {
        outer = path;
        // A second save to the same name while the first is still writing.
        EXPECT_TRUE(SaveFileAtomically(target.string(), [&](const std::string& inner, std::string* e) {
            EXPECT_NE(inner, outer);
            return Writes("inner")(inner, e);
        }));
        return Writes("outer")(path, error);
    };
    ASSERT_TRUE(SaveFileAtomically(target.string(), nested));
    EXPECT_EQ(ReadAll(target), "outer");
    EXPECT_EQ(Listing(folder), std::set<std::string>{"report.xlsx"});
}

struct PermissionCase {
    const char* name;
    mode_t umask;
    int existingMode;  // -1: no file there before
    mode_t expected;
};

void PrintTo(const PermissionCase& c, std::ostream* os) { *os << c.name; }

class SaveFileAtomicallyPermissions : public ::testing::TestWithParam<PermissionCase> {};

TEST_P(SaveFileAtomicallyPermissions, AreThoseOfAPlainWrite) {
    const PermissionCase& c = GetParam();
    const fs::path folder = FreshFolder(c.name);
    const fs::path target = folder / "report.xlsx";
    if (c.existingMode >= 0) {
        WriteAll(target, "old");
        ASSERT_EQ(chmod(target.c_str(), static_cast<mode_t>(c.existingMode)), 0);
    }
    UmaskScope mask(c.umask);
    ASSERT_TRUE(SaveFileAtomically(target.string(), Writes("new")));
    EXPECT_EQ(PermissionBits(target), c.expected);
}

// A plain create gives 0666 less the umask; overwriting keeps the file's own bits.
INSTANTIATE_TEST_SUITE_P(Cases, SaveFileAtomicallyPermissions,
                         ::testing::Values(PermissionCase{"new_umask_000", 0, -1, 0666},
                                           PermissionCase{"new_umask_022", 022, -1, 0644},
                                           PermissionCase{"new_umask_077", 077, -1, 0600},
                                           PermissionCase{"replaced_0604_umask_077", 077, 0604, 0604},
                                           PermissionCase{"replaced_0640_umask_000", 0, 0640, 0640}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveFileAtomically, WritesThroughASymlinkToARegularFile) {
    const fs::path folder = FreshFolder("symlink");
    const fs::path real = folder / "real.xlsx";
    const fs::path link = folder / "link.xlsx";
    WriteAll(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0604), 0);
    fs::create_symlink(real.filename(), link);

    ASSERT_TRUE(SaveFileAtomically(link.string(), Writes("new")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "new");
    EXPECT_EQ(PermissionBits(real), 0604u);
    EXPECT_EQ(Listing(folder), (std::set<std::string>{"link.xlsx", "real.xlsx"}));
}

TEST(SaveFileAtomically, TakesEveryNameTheFolderTakes) {
    // A file name may have 255 bytes: the temporary name must not need more
    // room than the target's own.
    std::string han;
    for (int i = 0; i < 85; ++i) han += "批";  // 255 bytes of UTF-8
    const struct {
        const char* what;
        std::string name;
    } cases[] = {
        {"243 bytes", std::string(238, 'r') + ".xlsx"},
        {"250 bytes", std::string(245, 'r') + ".xlsx"},
        {"255 bytes", std::string(250, 'r') + ".xlsx"},
        {"255 bytes of Chinese", han},
    };
    for (const auto& c : cases) {
        const fs::path folder = FreshFolder("long_name");
        const fs::path target = folder / c.name;
        std::string error;
        ASSERT_TRUE(SaveFileAtomically(target.string(), Writes("new"), &error)) << c.what << ": " << error;
        ASSERT_TRUE(SaveFileAtomically(target.string(), Writes("newer"), &error)) << c.what << ": " << error;
        EXPECT_EQ(ReadAll(target), "newer") << c.what;
        EXPECT_EQ(Listing(folder), std::set<std::string>{c.name}) << c.what;
    }
}

struct DanglingLink {
    const char* name;
    std::string linkText;  // what the link names, from the folder
    std::string created;   // the file the save creates, from the folder
};

void PrintTo(const DanglingLink& c, std::ostream* os) { *os << c.name; }

class SaveFileAtomicallyDanglingLink : public ::testing::TestWithParam<DanglingLink> {};

// The file a symlink names is created, as `cp` does, and the link stays a
// link: the same rule as for a link to an existing file.
TEST_P(SaveFileAtomicallyDanglingLink, CreatesTheFileItNamesAndKeepsTheLink) {
    const DanglingLink& c = GetParam();
    const fs::path folder = FreshFolder(c.name);
    fs::create_directory(folder / "elsewhere");
    const fs::path link = folder / "link.xlsx";
    fs::create_symlink(c.linkText, link);
    if (std::string(c.name) == "through_a_second_link") fs::create_symlink("elsewhere/real.xlsx", folder / "second");

    UmaskScope mask(022);
    std::string error;
    ASSERT_TRUE(SaveFileAtomically(link.string(), Writes("new"), &error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), c.linkText);
    EXPECT_EQ(ReadAll(folder / c.created), "new");
    EXPECT_EQ(PermissionBits(folder / c.created), 0644u);
    // The one regular file anywhere below the folder: no temporary file is left.
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && !entry.is_symlink()) files.insert(fs::relative(entry.path(), folder).string());
    EXPECT_EQ(files, std::set<std::string>{c.created});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFileAtomicallyDanglingLink,
    ::testing::Values(DanglingLink{"beside_the_link", "real.xlsx", "real.xlsx"},
                      DanglingLink{"in_another_folder", "elsewhere/real.xlsx", "elsewhere/real.xlsx"},
                      DanglingLink{"through_a_second_link", "second", "elsewhere/real.xlsx"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveFileAtomically, ALinkThatCannotLeadToAFileIsNotReplaced) {
    // A link into a missing folder, and two links naming each other: the
    // cause is named, the links stay and nothing is created.
    const struct {
        const char* name;
        int cause;
    } cases[] = {{"into_a_missing_folder", ENOENT}, {"loop", ELOOP}};
    for (const auto& c : cases) {
        const fs::path folder = FreshFolder(c.name);
        const fs::path link = folder / "link.xlsx";
        if (c.cause == ENOENT) {
            fs::create_symlink("gone/real.xlsx", link);
        } else {
            fs::create_symlink("other", link);
            fs::create_symlink("link.xlsx", folder / "other");
        }
        const auto listing = Listing(folder);
        std::string error;
        EXPECT_FALSE(SaveFileAtomically(link.string(), Writes("new"), &error)) << c.name;
        EXPECT_NE(error.find(link.string()), std::string::npos) << error;
        EXPECT_NE(error.find(std::strerror(c.cause)), std::string::npos) << error;
        EXPECT_TRUE(fs::is_symlink(link)) << c.name;
        EXPECT_EQ(Listing(folder), listing) << c.name;
    }
}

struct FailingWriter {
    const char* name;
    FileWriter write;
    bool throws;
};

void PrintTo(const FailingWriter& c, std::ostream* os) { *os << c.name; }

class SaveFileAtomicallyWriterFails : public ::testing::TestWithParam<FailingWriter> {};

TEST_P(SaveFileAtomicallyWriterFails, KeepsTheOldFileAndLeavesNothingBehind) {
    const FailingWriter& c = GetParam();
    const fs::path folder = FreshFolder(c.name);
    const fs::path target = folder / "report.xlsx";
    WriteAll(target, "old");

    std::string error;
    if (c.throws) {
        EXPECT_THROW(SaveFileAtomically(target.string(), c.write, &error), std::runtime_error);
    } else {
        EXPECT_FALSE(SaveFileAtomically(target.string(), c.write, &error));
        EXPECT_NE(error.find(target.string()), std::string::npos) << error;
        EXPECT_NE(error.find("the writer's reason"), std::string::npos) << error;
    }
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_EQ(Listing(folder), std::set<std::string>{"report.xlsx"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFileAtomicallyWriterFails,
    ::testing::Values(
        FailingWriter{"refuses_after_writing_half",
                      [](const std::string& path, std::string* error) {
                          Writes("half a rep")(path, error);
                          *error = "the writer's reason";
                          return false;
                      },
                      false},
        FailingWriter{"removes_the_file_it_was_given",
                      [](const std::string& path, std::string* error) {
                          fs::remove(path);
                          *error = "the writer's reason";
                          return false;
                      },
                      false},
        FailingWriter{"throws", [](const std::string& path, std::string* error) -> bool {
                          Writes("half")(path, error);
                          throw std::runtime_error("unexpected");
                      },
                      true}),
    [](const auto& info) { return std::string(info.param.name); });

struct Node {
    dev_t device;
    ino_t inode;
    mode_t mode;
    dev_t represents;
    bool operator==(const Node&) const = default;
};

Node NodeAt(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return {st.st_dev, st.st_ino, st.st_mode, st.st_rdev};
}

struct NonRegularTarget {
    const char* name;
    std::function<fs::path(const fs::path& folder)> make;
};

void PrintTo(const NonRegularTarget& c, std::ostream* os) { *os << c.name; }

class SaveFileAtomicallyNonRegular : public ::testing::TestWithParam<NonRegularTarget> {};

TEST_P(SaveFileAtomicallyNonRegular, IsRefusedAndLeftAsItWas) {
    const NonRegularTarget& c = GetParam();
    const fs::path folder = FreshFolder(c.name);
    const fs::path target = c.make(folder);
    const Node before = NodeAt(target);
    const auto listing = Listing(folder);
    bool written = false;

    std::string error;
    EXPECT_FALSE(SaveFileAtomically(target.string(), [&](const std::string&, std::string*) {
        written = true;
        return true;
    }, &error));
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("不是普通文件"), std::string::npos) << error;
    EXPECT_NE(error.find(target.string()), std::string::npos) << error;
    EXPECT_EQ(NodeAt(target), before);
    EXPECT_EQ(Listing(folder), listing);
}

// For root a private copy of the null device: a broken save run as root
// would replace the real /dev/null (others cannot write to /dev).
fs::path NullDevice(const fs::path& folder) {
    if (geteuid() != 0) return "/dev/null";
    const fs::path path = folder / "null";
    EXPECT_EQ(mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    return path;
}

fs::path MakeFifo(const fs::path& folder) {
    const fs::path path = folder / "pipe.xlsx";
    EXPECT_EQ(mkfifo(path.c_str(), 0666), 0);
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFileAtomicallyNonRegular,
    ::testing::Values(
        NonRegularTarget{"null_device", NullDevice},
        NonRegularTarget{"fifo", MakeFifo},
        NonRegularTarget{"directory",
                         [](const fs::path& folder) {
                             fs::create_directory(folder / "report.xlsx");
                             return folder / "report.xlsx";
                         }},
        NonRegularTarget{"symlink_to_null_device",
                         [](const fs::path& folder) {
                             fs::create_symlink(NullDevice(folder), folder / "link.xlsx");
                             return folder / "link.xlsx";
                         }},
        NonRegularTarget{"symlink_to_fifo",
                         [](const fs::path& folder) {
                             fs::create_symlink(MakeFifo(folder), folder / "link.xlsx");
                             return folder / "link.xlsx";
                         }}),
    [](const auto& info) { return std::string(info.param.name); });

// Root may write anywhere by mode bits, so these folders fail for everyone.
struct UnwritableFolder {
    const char* name;
    std::function<fs::path(const fs::path& folder)> target;
    int cause;
};

void PrintTo(const UnwritableFolder& c, std::ostream* os) { *os << c.name; }

class SaveFileAtomicallyUnwritable : public ::testing::TestWithParam<UnwritableFolder> {};

TEST_P(SaveFileAtomicallyUnwritable, NamesTheCauseAndLeavesNothingBehind) {
    const UnwritableFolder& c = GetParam();
    const fs::path folder = FreshFolder(c.name);
    const fs::path target = c.target(folder);
    const auto listing = Listing(folder);

    std::string error;
    EXPECT_FALSE(SaveFileAtomically(target.string(), Writes("new"), &error));
    EXPECT_NE(error.find(target.string()), std::string::npos) << error;
    EXPECT_NE(error.find(std::strerror(c.cause)), std::string::npos) << error;
    EXPECT_EQ(Listing(folder), listing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFileAtomicallyUnwritable,
    ::testing::Values(
        UnwritableFolder{"missing_folder", [](const fs::path& folder) { return folder / "gone" / "report.xlsx"; },
                         ENOENT},
        UnwritableFolder{"under_a_regular_file",
                         [](const fs::path& folder) {
                             WriteAll(folder / "plain.txt", "");
                             return folder / "plain.txt" / "report.xlsx";
                         },
                         ENOTDIR}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WrittenBytes, ReturnsWhatTheWriterWroteAndRemovesItsFile) {
    std::string temporary;
    const auto bytes = WrittenBytes([&](const std::string& path, std::string* error) {
        temporary = path;
        return Writes(std::string("PK\0\x03", 4))(path, error);
    });
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, std::string("PK\0\x03", 4));
    EXPECT_FALSE(fs::exists(temporary));

    std::string error;
    EXPECT_FALSE(WrittenBytes([&](const std::string& path, std::string* e) {
        temporary = path;
        *e = "the writer's reason";
        return false;
    }, &error));
    EXPECT_NE(error.find("the writer's reason"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(temporary));
}

}  // namespace
}  // namespace tavelmark::files
