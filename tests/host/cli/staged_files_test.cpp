// The files a script writes, held back under temporary names until it has run.
#include <windows.h>
#include <gtest/gtest.h>
#include "cli/staged_files.h"
#include "test_files.h"

namespace {

struct Folder {
    Folder() { CreateDirectoryA(path.c_str(), nullptr); }
    ~Folder() {
        for (const char* name : {"a.txt", "b.txt", "old.txt"}) DeleteFileA((path + name).c_str());
        RemoveDirectoryA((path + "taken.txt").c_str());
        RemoveDirectoryA(path.c_str());
    }
    const std::string path = "staged-files-test\\";
};

TEST(StagedFiles, WrittenFilesGetTheirNamesOnlyAtTheCommit) {
    Folder folder;
    const std::string a = folder.path + "a.txt", old = folder.path + "old.txt";
    ASSERT_TRUE(writeFile(old, "before"));
    StagedFiles files;
    const std::string stagedA = files.writePath(a), stagedOld = files.writePath(old);
    EXPECT_NE(stagedA, a);
    EXPECT_EQ(files.writePath(a), stagedA) << "one temporary name per file";
    EXPECT_EQ(files.readPath(a), stagedA) << "read back as written so far";
    EXPECT_EQ(files.readPath(folder.path + "b.txt"), folder.path + "b.txt");
    ASSERT_TRUE(writeFile(stagedA, "new a") && writeFile(stagedOld, "after"));
    EXPECT_FALSE(fileExists(a));
    EXPECT_EQ(readFile(old), "before");

    std::string error;
    ASSERT_TRUE(files.commit(error)) << error;
    EXPECT_EQ(readFile(a), "new a");
    EXPECT_EQ(readFile(old), "after");
    EXPECT_FALSE(fileExists(stagedA) || fileExists(stagedOld));
}

TEST(StagedFiles, AFailedScriptLeavesNoneOfItsFilesBehind) {
    Folder folder;
    const std::string a = folder.path + "a.txt", b = folder.path + "b.txt";
    std::string stagedA, stagedB;
    {
        StagedFiles files;
        stagedA = files.writePath(a);
        stagedB = files.writePath(b);
        ASSERT_TRUE(writeFile(stagedA, "a"));  // b staged but never written: nothing to rename
    }
    EXPECT_FALSE(fileExists(a) || fileExists(stagedA) || fileExists(b) || fileExists(stagedB));

    // A name that cannot be taken (a folder holds it): the commit says which, and the
    // files not yet renamed go.
    const std::string taken = folder.path + "taken.txt";
    ASSERT_TRUE(CreateDirectoryA(taken.c_str(), nullptr));
    StagedFiles files;
    const std::string stagedTaken = files.writePath(taken);
    ASSERT_TRUE(writeFile(stagedTaken, "x"));
    std::string error;
    EXPECT_FALSE(files.commit(error));
    EXPECT_NE(error.find(taken), std::string::npos) << error;
    EXPECT_FALSE(fileExists(stagedTaken));
}

}  // namespace
