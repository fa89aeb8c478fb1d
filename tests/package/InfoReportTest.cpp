#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "PackageTesting.h"
#include "host/LanguageNames.h"
#include "host/InfoReport.h"
#include "host/ProgramFiles.h"

namespace {

struct TReport {
    int Status;
    std::string Out;
    std::string Err;
};

TReport Info(const std::string& path)
{
    std::ostringstream out, err;
    const int status = ReportInfo(path, out, err);
    return {status, out.str(), err.str()};
}

TReport Resource(const std::string& path, const std::string& name)
{
    std::ostringstream out, err;
    const int status = ReportResource(path, name, out, err);
    return {status, out.str(), err.str()};
}

// Fails with one line on the error stream and nothing on the output.
void ExpectOneLineError(const TReport& report, const std::string& says)
{
    EXPECT_EQ(report.Status, 1);
    EXPECT_TRUE(report.Out.empty());
    EXPECT_EQ(std::count(report.Err.begin(), report.Err.end(), '\n'), 1) << report.Err;
    EXPECT_NE(report.Err.find(says), std::string::npos) << report.Err;
}

// The text with runs of blanks inside a line squeezed to one, so columns do not matter.
std::string Squeezed(const std::string& text)
{
    std::string result;
    bool lineStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && !lineStart && i > 0 && text[i - 1] == ' ')
            continue;
        if (text[i] != ' ')
            lineStart = text[i] == '\n';
        result += text[i];
    }
    return result;
}

// The lines of `text` in order, each found after the one before.
void ExpectLinesInOrder(const std::string& output, const std::vector<std::string>& lines)
{
    const std::string text = Squeezed(output);
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = text.find(line + "\n", at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << text;
        at = found + line.size();
    }
}

TEST(InfoReport, InfoTellsEverythingThePackageDeclares)
{
    const TReport report = Info(PackageFile);
    ASSERT_EQ(report.Status, 0) << report.Err;
    EXPECT_TRUE(report.Err.empty());
    ExpectLinesInOrder(report.Out, {
        "Package: " + PackageFile,
        "Description: Tarnel Lumatab Component Suite",
        "Flags: 0x48000003",
        "  never build: yes",
        "  design-only: yes",
        "  run-only: no",
        "  ignore duplicate units: no",
        "  producer code: 2",
        "  module type: 1 (package)",
        "Requires: 3", "  VCL50", "  VCLDB50", "  ROWCASTB5",
        "Contains: 20",
        "  Sysinit 0x00",
        "  Windows 0x0C weak, declared weak",
        "  Winspool 0x0C weak, declared weak",
        "  Khtmltemplateeditdlg 0x00",
        "  Drowcastb5 0x00",
        "Options: 0x00000030",
    });
    // Then under column headings every resource with type, name, language (number and name) and
    // size; form resources may join them.
    const std::string resources = Squeezed(report.Out.substr(report.Out.find("Resources: ")));
    const int count = std::stoi(resources.substr(11));
    EXPECT_EQ(std::count(resources.begin(), resources.end(), '\n'), count + 2);
    EXPECT_GE(count, 13);
    ExpectLinesInOrder(resources, {"  Type Name Language Bytes", "  RCDATA PACKAGEINFO 0 (neutral) 260",
                                   "  RCDATA DESCRIPTION 0 (neutral) 64", "  RCDATA PACKAGEOPTIONS 0 (neutral) 4",
                                   "  BITMAP TKASCIIEXPORT 1049 (Russian) 392"});
    EXPECT_FALSE(IsLoaded(PackageFile)) << "reading the file ran none of the package";
}

TEST(InfoReport, LanguagesAreNamedByTheirPrimaryPart)
{
    EXPECT_EQ(LanguageName(0x0819), "Russian");  // Russian as spoken in Moldova
    EXPECT_EQ(LanguageName(0x0409), "English");
    EXPECT_EQ(LanguageName(0x0809), "English");
    EXPECT_EQ(LanguageName(0x003E), "unknown");
}

TEST(InfoReport, ResourceWritesTheRawBytes)
{
    const TReport report = Resource(PackageFile, "packageinfo");
    ASSERT_EQ(report.Status, 0) << report.Err;
    EXPECT_EQ(std::vector<uint8_t>(report.Out.begin(), report.Out.end()), ExpectedPackageInfo());
    ExpectOneLineError(Resource(PackageFile, "NOSUCHRESOURCE"), "has no resource NOSUCHRESOURCE");
}

TEST(InfoReport, WhatIsNoPackageGetsOneClearLine)
{
    TScratchFolder folder;
    ExpectOneLineError(Info((folder.Path() / "missing.so").string()), "no such file");
    ExpectOneLineError(Info(folder.Path().string()), "is not a file");
    const std::string text = (folder.Path() / "text.so").string();
    WriteFileBytes(text, {'h', 'e', 'l', 'l', 'o'});
    ExpectOneLineError(Info(text), "is not a package");
    ExpectOneLineError(Resource(text, "PACKAGEINFO"), "is not a package");
    ExpectOneLineError(Info(Vcl50File), "is not a package: it has no resource directory");
    ExpectOneLineError(Info(LanguageModuleFile), "is not a package: it has no PACKAGEINFO resource");
}

TEST(InfoReport, MalformedPackageInfoIsReportedNotTrusted)
{
    TScratchFolder folder;
    const std::string copy = (folder.Path() / "DRowcastB5.so").string();
    WriteFileBytes(copy, PackageWithPatchedInfo(7, 0x7F));  // requires count 0x7F000003
    ExpectOneLineError(Info(copy), "Malformed PACKAGEINFO: requires count 2130706435 does not fit");
}

TEST(InfoReport, TruncatedAndDamagedFilesNeverCrash)
{
    TScratchFolder folder;
    const auto bytes = ReadFileBytes(PackageFile);
    const std::string copy = (folder.Path() / "DRowcastB5.so").string();
    for (size_t size : {size_t(3), size_t(64), size_t(1000), bytes.size() / 2, bytes.size() - 1}) {
        WriteFileBytes(copy, std::vector<uint8_t>(bytes.begin(), bytes.begin() + size));
        ExpectOneLineError(Info(copy), "is not a package");
    }
    // Every byte of the package information set to 0xFF in turn: a report or one line.
    for (size_t offset = 0; offset < 260; offset += 7) {
        WriteFileBytes(copy, PackageWithPatchedInfo(offset, 0xFF));
        const TReport report = Info(copy);
        if (report.Status != 0)
            ExpectOneLineError(report, "Malformed PACKAGEINFO");
    }
}

TEST(InfoReport, DefaultPackageIsTheOneBesideTheProgram)
{
    EXPECT_EQ(std::filesystem::weakly_canonical(DefaultPackagePath()), std::filesystem::weakly_canonical(PackageFile));
}

}  // namespace
