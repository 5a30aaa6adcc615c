// Header block preparation: include expansion beside the including file, nesting, cycles
// and unreadable files, then value substitution and the resource editor's bookkeeping names.
#include "generator/definition_values.h"
#include "generator/header_includes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace rc2e {
namespace {

class MapReader : public IncludeFileReader {
 public:
  std::map<std::string, std::string> files;
  std::vector<std::string> reads;

  bool ReadIncludedFile(const char* path, Text& content) override {
    reads.emplace_back(path);
    auto found = files.find(path);
    if (found == files.end()) return false;
    content = Text::Copy(found->second);
    return true;
  }
};

std::vector<std::string> Expand(const std::vector<std::string_view>& header, const char* scriptPath, MapReader& reader) {
  ValueArray<Text> lines = ExpandHeaderIncludes(header, scriptPath, reader);
  std::vector<std::string> result;
  for (const Text& line : lines) result.emplace_back(line.view());
  return result;
}

#ifdef _WIN32
constexpr const char* kSep = "\\";
#else
constexpr const char* kSep = "/";
#endif

std::string HostPath(std::string path) {
#ifndef _WIN32
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
#endif
  return path;
}

TEST(IncludedFileName, AcceptsQuotedIncludesOnly) {
  EXPECT_EQ(IncludedFileName("#include \"resource.h\""), "resource.h");
  EXPECT_EQ(IncludedFileName("  #  include\t\"sub\\res.h\"  // ids"), "sub\\res.h");
  EXPECT_EQ(IncludedFileName("#include\"a.h\""), "a.h");
  EXPECT_FALSE(IncludedFileName("#include <windows.h>").has_value());
  EXPECT_FALSE(IncludedFileName("#include \"open").has_value());
  EXPECT_FALSE(IncludedFileName("// #include \"a.h\"").has_value());
  EXPECT_FALSE(IncludedFileName("#define X 1").has_value());
  EXPECT_FALSE(IncludedFileName("#INCLUDE \"a.h\"").has_value());
}

TEST(ResolveIncludePath, TakesTheIncludingFolderWithEitherSeparator) {
  EXPECT_EQ(ResolveIncludePath("C:\\work\\app.rc", "resource.h").view(), HostPath("C:\\work\\resource.h"));
  EXPECT_EQ(ResolveIncludePath("/work/app.rc", "inc\\ids.h").view(), HostPath("/work/inc\\ids.h"));
  EXPECT_EQ(ResolveIncludePath("work\\sub/app.rc", "../ids.h").view(), HostPath("work\\sub/../ids.h"));
  EXPECT_EQ(ResolveIncludePath("app.rc", "ids.h").view(), "ids.h");
  EXPECT_EQ(ResolveIncludePath("C:\\work\\app.rc", "D:\\ids.h").view(), HostPath("D:\\ids.h"));
  EXPECT_EQ(ResolveIncludePath("C:\\work\\app.rc", "\\ids.h").view(), HostPath("\\ids.h"));
  // 0x95 0x5C is one double-byte character, not a folder separator.
  EXPECT_EQ(ResolveIncludePath("dir\\\x95\x5C.rc", "ids.h").view(), HostPath("dir\\ids.h"));
  EXPECT_EQ(ResolveIncludePath("dir\\\x95\x5C\\a.rc", "ids.h").view(),
            std::string("dir") + kSep + "\x95\x5C" + kSep + "ids.h");
}

TEST(ExpandHeaderIncludes, ReplacesTheIncludeByTheLinesOfTheFile) {
  MapReader reader;
  reader.files[HostPath("w\\resource.h")] =
      "//{{NO_DEPENDENCIES}}\r\n#define IDD_MAIN 101\r\n\r\n#define IDC_OK 1001\n#define IDC_X 1002\r\n";
  EXPECT_EQ(Expand({"// script", "#include \"resource.h\"", "#define IDC_LAST 9"}, "w\\app.rc", reader),
            (std::vector<std::string>{"// script", "//{{NO_DEPENDENCIES}}", "#define IDD_MAIN 101", "#define IDC_OK 1001",
                                      "#define IDC_X 1002", "#define IDC_LAST 9"}));
}

TEST(ExpandHeaderIncludes, NestsRelativeToEachIncludingFile) {
  MapReader reader;
  reader.files[HostPath("w\\inc\\a.h")] = "#define A 1\r\n#include \"deeper/b.h\"\r\n#define A2 2";
  reader.files[HostPath("w\\inc\\deeper/b.h")] = "#define B 3";
  EXPECT_EQ(Expand({"#include \"inc\\a.h\""}, "w\\app.rc", reader),
            (std::vector<std::string>{"#define A 1", "#define B 3", "#define A2 2"}));
}

TEST(ExpandHeaderIncludes, SkipsUnreadableAndAlreadyOpenFiles) {
  MapReader reader;
  reader.files[HostPath("w\\a.h")] = "#define A 1\r\n#include \"./a.h\"\r\n#include \"b.h\"\r\n#include \"app.rc\"";
  reader.files[HostPath("w\\b.h")] = "#include \"sub\\..\\a.h\"\r\n#define B 2\r\n#include \"missing.h\"";
  EXPECT_EQ(Expand({"#include \"a.h\"", "#include \"nowhere.h\"", "#define Z 0"}, "w\\app.rc", reader),
            (std::vector<std::string>{"#define A 1", "#define B 2", "#define Z 0"}));
  EXPECT_EQ(reader.reads, (std::vector<std::string>{HostPath("w\\a.h"), HostPath("w\\b.h"), HostPath("w\\missing.h"),
                                                   HostPath("w\\nowhere.h")}));
}

TEST(ExpandHeaderIncludes, StopsEightLevelsDown) {
  MapReader reader;
  for (int level = 1; level <= 10; ++level) {
    reader.files["h" + std::to_string(level) + ".h"] =
        "#define L" + std::to_string(level) + " " + std::to_string(level) + "\r\n#include \"h" +
        std::to_string(level + 1) + ".h\"";
  }
  std::vector<std::string> lines = Expand({"#include \"h1.h\""}, "app.rc", reader);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines.back(), "#define L8 8");
  EXPECT_EQ(reader.reads.size(), 8u);
}

TEST(ExpandHeaderIncludes, ContentEndsAtCtrlZ) {
  MapReader reader;
  reader.files["a.h"] = "#define A 1\r\n#define B 2\x1A\r\n#define C 3";
  EXPECT_EQ(Expand({"#include \"a.h\""}, "app.rc", reader), (std::vector<std::string>{"#define A 1", "#define B 2"}));
}

TEST(IsEditorBookkeepingName, MatchesTheTwoPrefixesExactly) {
  EXPECT_TRUE(IsEditorBookkeepingName("_APS_NEXT_RESOURCE_VALUE"));
  EXPECT_TRUE(IsEditorBookkeepingName("APSTUDIO_READONLY_SYMBOLS"));
  EXPECT_FALSE(IsEditorBookkeepingName("APS_NEXT"));
  EXPECT_FALSE(IsEditorBookkeepingName("_aps_next"));
  EXPECT_FALSE(IsEditorBookkeepingName("IDC_APSTUDIO_X"));
}

struct SubstitutionCase {
  const char* line;
  const char* expected;
};

void PrintTo(const SubstitutionCase& c, std::ostream* out) { *out << c.line; }

class SubstituteKnownValuesTest : public ::testing::TestWithParam<SubstitutionCase> {};

TEST_P(SubstituteKnownValuesTest, ReplacesKnownIdentifiersInTheValue) {
  SymbolTable known;
  known.Assign("IDD_A", 100);
  known.Assign("IDC_NEG", -5);
  known.Assign("IDC_B", 7);
  known.Assign("IDC_B", 8);  // a later definition wins
  known.Assign("x", 16);
  std::optional<Text> substituted = SubstituteKnownValues(GetParam().line, known);
  EXPECT_EQ(substituted ? substituted->view() : GetParam().line, GetParam().expected);
  EXPECT_EQ(substituted.has_value(), std::string_view(GetParam().line) != GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SubstituteKnownValuesTest,
    ::testing::Values(SubstitutionCase{"#define IDC_C (IDD_A + 1)", "#define IDC_C (100 + 1)"},
                      SubstitutionCase{"#define IDC_C IDC_NEG-IDC_B", "#define IDC_C (-5)-8"},
                      SubstitutionCase{" # define\tIDD_A IDD_A", " # define\tIDD_A 100"},
                      SubstitutionCase{"#define IDC_C IDD_AB + XIDD_A + IDD_A_", "#define IDC_C IDD_AB + XIDD_A + IDD_A_"},
                      SubstitutionCase{"#define IDC_C 0x10 + 10x", "#define IDC_C 0x10 + 10x"},
                      SubstitutionCase{"#define IDC_C (x)", "#define IDC_C (16)"},
                      SubstitutionCase{"#define IDC_C \x81x", "#define IDC_C \x81x"},
                      SubstitutionCase{"#define F(x) (x + IDD_A)", "#define F(x) (x + IDD_A)"},
                      SubstitutionCase{"#define IDD_A", "#define IDD_A"},
                      SubstitutionCase{"#defineIDD_A IDD_A", "#defineIDD_A IDD_A"},
                      SubstitutionCase{"int y = IDD_A;", "int y = IDD_A;"},
                      SubstitutionCase{"// #define Q IDD_A", "// #define Q IDD_A"}));

TEST(SubstituteKnownValues, WritesTheLongestNumbers) {
  SymbolTable known;
  known.Assign("LOW", INT32_MIN);
  known.Assign("HIGH", INT32_MAX);
  EXPECT_EQ(SubstituteKnownValues("#define X LOW|HIGH|LOW", known)->view(),
            "#define X (-2147483648)|2147483647|(-2147483648)");
}

TEST(SymbolTable, FindsEveryNameAfterGrowing) {
  std::vector<std::string> names;
  for (int32_t n = 0; n < 5000; ++n) names.push_back("IDC_" + std::to_string(n));
  SymbolTable table;
  for (int32_t n = 0; n < 5000; ++n) table.Assign(names[n], n * 3);
  EXPECT_EQ(table.Count(), 5000);
  for (int32_t n = 0; n < 5000; ++n) ASSERT_EQ(table.Find("IDC_" + std::to_string(n)), n * 3);
  EXPECT_FALSE(table.Find("IDC_5000").has_value());
  EXPECT_FALSE(table.Find("").has_value());
  EXPECT_FALSE(SymbolTable().Find("IDC_1").has_value());
}

}  // namespace
}  // namespace rc2e
