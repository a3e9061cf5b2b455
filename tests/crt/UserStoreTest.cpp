// Settings a program writes beside itself in a folder its user may not write go to the user's
// own copies, and only those.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include <wincrt.h>

#include "UserStore.h"
#include "tests/support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

// An installation folder the user may not write (read-only for everyone, so for root too),
// holding one file of its own, and the user's store beside it; both forgotten at the end.
class UserStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir.Path("install/sub"));
        dir.Write("install/kestrel1.set", "100 200 300 ");
        store = dir.Path("config").string() + "/kestrel";
        Environment("XDG_CONFIG_HOME", dir.Path("config").string());
        Protect(true);
        crt::SetInstallFolder(Install(""));
    }
    void TearDown() override {
        Protect(false);
        crt::SetInstallFolder("");
        for (const auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

    void Protect(bool readOnly) {
        chmod(dir.Path("install").c_str(), readOnly ? 0555 : 0755);
        chmod(dir.Path("install/sub").c_str(), readOnly ? 0555 : 0755);
    }
    void Environment(const std::string& name, const char* value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
    }
    void Environment(const std::string& name, const std::string& value) {
        Environment(name, value.c_str());
    }
    std::string Install(const std::string& name) const { return dir.Path("install/" + name); }

    ScratchDir dir;
    std::string store;

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

bool WriteFile(const std::string& path, const char* text, const wchar_t* mode = L"w") {
    FILE* file = _wfopen(crt::FromUtf8(path).c_str(), mode);
    if (!file)
        return false;
    std::fputs(text, file);
    return std::fclose(file) == 0;
}

// What the program reads at `path`, or "(none)" when it does not open.
std::string ReadFile(const std::string& path) {
    FILE* file = _wfopen(crt::FromUtf8(path).c_str(), L"r");
    if (!file)
        return "(none)";
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST_F(UserStoreTest, RefusedWritesInTheInstallationGoToTheUsersCopyAndAreReadBack) {
    // A new file and a replaced one: both land in the store, the installation is unchanged.
    ASSERT_TRUE(WriteFile(Install("filename.set"), "/home/u/office.prc"));
    ASSERT_TRUE(WriteFile(Install("kestrel1.set"), "1 2 3 "));
    EXPECT_FALSE(fs::exists(Install("filename.set")));
    EXPECT_EQ(Bytes(Install("kestrel1.set")), "100 200 300 ");
    EXPECT_EQ(Bytes(store + "/filename.set"), "/home/u/office.prc");
    EXPECT_EQ(Bytes(store + "/kestrel1.set"), "1 2 3 ");
    EXPECT_EQ(fs::status(store).permissions() & fs::perms::all, fs::perms::owner_all);

    // The same paths now read the copies, and the next write replaces the copy.
    EXPECT_EQ(ReadFile(Install("kestrel1.set")), "1 2 3 ");
    EXPECT_EQ(ReadFile(Install("filename.set")), "/home/u/office.prc");
    ASSERT_TRUE(WriteFile(Install("kestrel1.set"), "4 5 6 "));
    EXPECT_EQ(ReadFile(Install("kestrel1.set")), "4 5 6 ");

    // Removing the path removes the copy: the installation's own file shows again.
    EXPECT_EQ(_wremove(crt::FromUtf8(Install("kestrel1.set")).c_str()), 0);
    EXPECT_FALSE(fs::exists(store + "/kestrel1.set"));
    EXPECT_EQ(ReadFile(Install("kestrel1.set")), "100 200 300 ");

    // A subfolder keeps its place in the store, and a path spelt through "." or a link to
    // the installation is the same path.
    Protect(true);
    fs::create_directory_symlink(Install(""), dir.Path("link"));
    ASSERT_TRUE(WriteFile(dir.Path("link/sub/./kestrel2.set"), "a"));
    EXPECT_EQ(Bytes(store + "/sub/kestrel2.set"), "a");
    EXPECT_EQ(ReadFile(Install("sub/kestrel2.set")), "a");
}

TEST_F(UserStoreTest, NothingChangesWhereTheUserMayWriteOrOutsideTheInstallation) {
    // A writable installation (a module in the build folder) keeps its files beside itself,
    // and copies in the store (another installation's) are none of its business.
    Protect(false);
    ASSERT_TRUE(WriteFile(Install("kestrel2.set"), "10 20 "));
    EXPECT_EQ(Bytes(Install("kestrel2.set")), "10 20 ");
    EXPECT_FALSE(fs::exists(store));
    fs::create_directories(store);
    std::ofstream(store + "/kestrel1.set") << "1 2 3 ";
    EXPECT_EQ(ReadFile(Install("kestrel1.set")), "100 200 300 ");
    ASSERT_TRUE(WriteFile(Install("kestrel1.set"), "4 5 6 "));
    EXPECT_EQ(Bytes(Install("kestrel1.set")), "4 5 6 ");
    EXPECT_EQ(Bytes(store + "/kestrel1.set"), "1 2 3 ");
    fs::remove_all(store);

    // Any other folder the user may not write refuses as before: a file the user names is
    // never quietly put elsewhere.
    fs::create_directory(dir.Path("shut"));
    chmod(dir.Path("shut").c_str(), 0555);
    errno = 0;
    EXPECT_FALSE(WriteFile(dir.Path("shut/report.txt"), "x"));
    EXPECT_EQ(errno, EACCES);
    chmod(dir.Path("shut").c_str(), 0755);
    EXPECT_FALSE(fs::exists(store));

    // A write that fails for another reason than the user's rights is not redirected.
    Protect(true);
    EXPECT_FALSE(WriteFile(Install("missing/kestrel1.set"), "x"));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(WriteFile(Install("sub"), "x")); // a folder
    EXPECT_FALSE(fs::exists(store));

    // Without an installation folder nothing is redirected at all.
    crt::SetInstallFolder("");
    EXPECT_FALSE(WriteFile(Install("kestrel1.set"), "x"));
    EXPECT_FALSE(fs::exists(store));
}

TEST_F(UserStoreTest, AStoreThatCannotBeMadeLeavesTheWriteRefused) {
    dir.Write("not-a-folder", "");
    Environment("XDG_CONFIG_HOME", dir.Path("not-a-folder").string());
    errno = 0;
    EXPECT_FALSE(WriteFile(Install("kestrel1.set"), "1 2 3 "));
    EXPECT_EQ(errno, EACCES); // the installation's refusal, not the store's
    EXPECT_EQ(ReadFile(Install("kestrel1.set")), "100 200 300 ");
    EXPECT_EQ(Bytes(dir.Path("not-a-folder")), "");
}

TEST_F(UserStoreTest, TheStoreFollowsTheUsersConfigurationFolder) {
    Environment("XDG_CONFIG_HOME", "/somewhere/else");
    EXPECT_EQ(crt::UserStoreFolder(), "/somewhere/else/kestrel");
    // A relative configuration folder is not one; the home's .config is.
    Environment("XDG_CONFIG_HOME", "relative");
    Environment("HOME", "/home/someone");
    EXPECT_EQ(crt::UserStoreFolder(), "/home/someone/.config/kestrel");
    Environment("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(crt::UserStoreFolder(), "/home/someone/.config/kestrel");
    Environment("HOME", nullptr);
    EXPECT_EQ(crt::UserStoreFolder().rfind('/', 0), 0u); // the password database's home
    EXPECT_TRUE(crt::UserStoreFolder().ends_with("/.config/kestrel"));
}
