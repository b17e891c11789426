// trkhost read-sheet PATH: prints what ReadSSFile gives, and fails with a message when the file
// cannot be read.
#include "tools/HostRunSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

using hostrun::HostRun;

class ReadSheetJob : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = std::filesystem::temp_directory_path() /
                  ("trk-readsheet-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }

    std::string writeSheet(const std::string& name, const std::string& text) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // Runs the host with its registry and drives in the temporary folder.
    HostRun host(const std::string& arguments) {
        const std::string command = std::string("'") + TRKHOST + "' --quiet --registry '" +
                                    (folder_ / "registry.txt").string() + "' --drives '" +
                                    (folder_ / "drives").string() + "' " + arguments + " 2>&1";
        return hostrun::runCommand(command);
    }

    std::filesystem::path folder_;
};

TEST_F(ReadSheetJob, PrintsTheFirstCellTheCaptionsAndEveryRowOfAReadableSheet) {
    const std::string path = writeSheet("bolts.sss", "gridsheet version=1\n"
                                                     "size cols=2 rows=2\n"
                                                     "cell A0 text=\"Bolt\"\n"
                                                     "cell B0 text=\"Hole\"\n"
                                                     "cell A1 text=\"M16\"\n"
                                                     "cell B1 number=18\n"
                                                     "cell A2 text=\"M20\"\n"
                                                     "cell B2 formula=\"B1+4\"\n");
    const HostRun run = host("read-sheet '" + path + "'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("First cell: M16\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Headers: Bolt\tHole\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Rows: 2\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("1: M16\t18\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("2: M20\t" + std::to_string(18 + 4) + "\n"), std::string::npos)
        << run.output;
}

TEST_F(ReadSheetJob, AMissingOrMalformedFileOrNoPathFailsWithAClearMessage) {
    const std::string missing = (folder_ / "missing.sss").string();
    HostRun run = host("read-sheet '" + missing + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot read the sheet file " + missing), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("First cell"), std::string::npos);

    const std::string malformed = writeSheet("bad.sss", "gridsheet version=7\n");
    run = host("read-sheet '" + malformed + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot read the sheet file"), std::string::npos) << run.output;

    run = host("read-sheet");
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find("read-sheet PATH"), std::string::npos) << run.output;
}

} // namespace
