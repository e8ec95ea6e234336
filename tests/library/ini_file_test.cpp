#include "library/ini_file.h"

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

using Names = std::vector<std::string>;

std::string text(const IniFile& ini, std::string_view section, std::string_view key) {
    std::string value = "<untouched>";
    if (!readProfileValue(ini, section, key, value)) return "<missing>";
    return value;
}

// A file's text, the sections it holds in file order, and the text read for
// section and key ("<missing>" when nothing is read).
struct Lookup {
    const char* section;
    const char* key;
    std::string expected;
};

struct ParseCase {
    const char* name;
    std::string content;
    Names sections;
    std::vector<Lookup> lookups;
};

class IniParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(IniParse, SectionsAndValues) {
    const ParseCase& c = GetParam();
    const IniFile ini = IniFile::parse(c.content);
    EXPECT_EQ(ini.sectionNames(), c.sections);
    for (const Lookup& lookup : c.lookups) {
        EXPECT_EQ(text(ini, lookup.section, lookup.key), lookup.expected)
            << lookup.section << " " << lookup.key;
    }
}

const ParseCase kParseCases[] = {
    // The last line has no line end.
    {"SectionsInFileOrderWithCrLfAndLf",
     "[B@2]\r\nk=v1\r\n[A@1]\nk=v2\n[C@3]\r\nk=v3",
     {"B@2", "A@1", "C@3"},
     {{"B@2", "k", "v1"}, {"A@1", "k", "v2"}, {"C@3", "k", "v3"}}},
    {"CarriageReturnIsNoPartOfTheValue", "[S]\r\nkey=value\r\n", {"S"}, {{"S", "key", "value"}}},
    {"NameRunsToTheLastClosingBracket",
     "[A]B@1] trailing text\nk=v\n[ C@2 ]x\nk=w\n",
     {"A]B@1", "C@2"},
     {{"A]B@1", "k", "v"}, {"C@2", "k", "w"}}},
    {"EmptyNameIsNoSectionAndItsKeysAreIgnored",
     "[A@1]\nk=v\n[]\nk=lost\nother=lost\n[  ]\nz=lost\n[B@2]\nk=w\n",
     {"A@1", "B@2"},
     {{"A@1", "k", "v"}, {"A@1", "other", "<missing>"}, {"", "k", "<missing>"}}},
    {"BracketLineWithoutClosingBracketIsAnOrdinaryLine",
     "[A@1]\n[k=v\n[no section\n",
     {"A@1"},
     {{"A@1", "[k", "v"}}},
    {"BlanksAroundNamesAndValuesAreTrimmed",
     "  [  A@1  ]  \n \t Device Image \t=\t  pic 1  \t\r\n",
     {"A@1"},
     {{"A@1", "Device Image", "pic 1"}}},
    {"FirstOfADuplicatedKeySuppliesTheValue",
     "[A@1]\nk=first\nK=second\nk=third\n",
     {"A@1"},
     {{"A@1", "k", "first"}}},
    // A duplicated section counts twice; the second supplies nothing, not even
    // a key the first lacks.
    {"DuplicatedSectionCountsTwiceAndReadsFromTheFirst",
     "[A@1]\nk=first\n[B@2]\nk=b\n[a@1]\nk=second\nonly=here\n",
     {"A@1", "B@2", "a@1"},
     {{"a@1", "k", "first"}, {"A@1", "only", "<missing>"}}},
    {"LinesWithoutEqualsAndKeysBeforeTheFirstSectionAreIgnored",
     "k=before\nloose line\n[A@1]\njust text\nk=v\n",
     {"A@1"},
     {{"A@1", "k", "v"}, {"A@1", "just text", "<missing>"}}},
    {"SemicolonStartsACommentOnlyAsFirstNonBlank",
     "[A@1]\n;k=comment\n   ; [B@2]\nk=v;not a comment\n",
     {"A@1"},
     {{"A@1", "k", "v;not a comment"}, {"A@1", ";k", "<missing>"}}},
    // A value empty after unquoting is no value.
    {"MatchingQuotesAreRemoved",
     "[A@1]\n"
     "double=\"  spaced  \"\n"
     "single='x'\n"
     "mixed=\"x'\n"
     "lone=\"\n"
     "inner=a\"b\"\n"
     "empty=\"\"\n",
     {"A@1"},
     {{"A@1", "double", "  spaced  "},
      {"A@1", "single", "x"},
      {"A@1", "mixed", "\"x'"},
      {"A@1", "lone", "\""},
      {"A@1", "inner", "a\"b\""},
      {"A@1", "empty", "<missing>"}}},
};

INSTANTIATE_TEST_SUITE_P(IniFile, IniParse, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, LeadingByteOrderMarkIsIgnored) {
    const IniFile ini = IniFile::parse("\xEF\xBB\xBF[A@1]\r\nk=v\r\n");
    EXPECT_EQ(ini.sectionNames(), (Names{"A@1"}));
    // Only a leading mark: elsewhere it is text.
    const IniFile later = IniFile::parse("[A@1]\nk=\xEF\xBB\xBFv\n");
    EXPECT_EQ(text(later, "A@1", "k"), "\xEF\xBB\xBFv");
}

TEST(IniFile, NamesMatchWithoutRegardToAsciiCase) {
    const IniFile ini = IniFile::parse("[Series@Type]\nDevice Image=pic\n");
    EXPECT_EQ(text(ini, "SERIES@TYPE", "device image"), "pic");
    EXPECT_EQ(text(ini, "series@type", "DEVICE IMAGE"), "pic");
    // Only ASCII letters fold: other bytes compare exactly.
    const IniFile latin = IniFile::parse("[\xC4@1]\nk=v\n");
    EXPECT_EQ(text(latin, "\xE4@1", "k"), "<missing>");
    EXPECT_EQ(text(latin, "\xC4@1", "K"), "v");
}

TEST(IniFile, ValuesAreCutTo99CharactersAfterUnquoting) {
    const std::string hundred(100, 'x');
    const IniFile ini =
        IniFile::parse("[A@1]\nlong=" + hundred + "\nquoted=\"" + std::string(99, 'y') +
                       "\"\nexact=" + std::string(99, 'z') + "\n");
    EXPECT_EQ(text(ini, "A@1", "long"), std::string(99, 'x'));
    EXPECT_EQ(text(ini, "A@1", "quoted"), std::string(99, 'y'));
    EXPECT_EQ(text(ini, "A@1", "exact"), std::string(99, 'z'));
}

TEST(IniFile, EmptyOrMissingValueFailsAndLeavesTheDestination) {
    const IniFile ini = IniFile::parse("[A@1]\nempty=\nblank=   \n");
    std::string value = "keep";
    double real = 7.0;
    EXPECT_FALSE(readProfileValue(ini, "A@1", "empty", value));
    EXPECT_FALSE(readProfileValue(ini, "A@1", "blank", value));
    EXPECT_FALSE(readProfileValue(ini, "A@1", "missing", value));
    EXPECT_FALSE(readProfileValue(ini, "B@2", "empty", value));
    EXPECT_FALSE(readProfileValue(ini, "A@1", "empty", real));
    EXPECT_EQ(value, "keep");
    EXPECT_EQ(real, 7.0);
}

struct RealCase {
    const char* value;
    double expected;
};

class IniReal : public testing::TestWithParam<RealCase> {};

TEST_P(IniReal, ConvertsTheLongestDecimalPrefix) {
    const IniFile ini = IniFile::parse(std::string("[A@1]\nk=") + GetParam().value + "\n");
    double real = -12345.0;
    ASSERT_TRUE(readProfileValue(ini, "A@1", "k", real));
    EXPECT_EQ(real, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, IniReal,
                         testing::Values(RealCase{"0", 0.0}, RealCase{"12.5", 12.5},
                                         RealCase{"-0.8", -0.8}, RealCase{"+3", 3.0},
                                         RealCase{"1e3", 1000.0}, RealCase{"2.5E-1", 0.25},
                                         RealCase{"7kHz", 7.0}, RealCase{"1e", 1.0},
                                         RealCase{".5", 0.5}, RealCase{"5.", 5.0},
                                         RealCase{"abc", 0.0}, RealCase{"inf", 0.0},
                                         RealCase{"nan", 0.0}, RealCase{"0x10", 0.0},
                                         RealCase{"\"42\"", 42.0}, RealCase{"1,5", 1.0}));

TEST(IniFile, RealIsConvertedFromTheCutValue) {
    // The 100th digit is past the cut.
    const std::string digits = std::string(99, '0') + "1";
    const IniFile ini = IniFile::parse("[A@1]\nk=" + digits + "\n");
    double real = -1.0;
    ASSERT_TRUE(readProfileValue(ini, "A@1", "k", real));
    EXPECT_EQ(real, 0.0);
}

TEST(IniFile, KeysAreNotSplitAtALaterEquals) {
    const IniFile ini = IniFile::parse("[A@1]\nk = a=b\n");
    EXPECT_EQ(text(ini, "A@1", "k"), "a=b");
}

TEST(IniFile, NamesBlockIsZeroSeparatedInFileOrder) {
    const IniFile ini = IniFile::parse("[A@1]\n[B@2]\n[A@1]\n");
    std::string block;
    EXPECT_EQ(readSectionNames(ini, block), 12u);
    EXPECT_EQ(block, std::string("A@1\0B@2\0A@1\0", 12));
    EXPECT_EQ(readSectionNames(IniFile::parse("k=v\n[]\n"), block), 0u);
    EXPECT_EQ(readSectionNames(IniFile::parse(""), block), 0u);
}

TEST(IniFile, ManySectionsAndLongNamesAreHeldWhole) {
    std::string content;
    const std::string longName = std::string(300, 's') + "@" + std::string(300, 't');
    for (int i = 0; i < 2000; ++i)
        content += "[S" + std::to_string(i) + "@T]\nk=" + std::to_string(i) + "\n";
    content += "[" + longName + "]\nk=last\n";
    const IniFile ini = IniFile::parse(content);
    ASSERT_EQ(ini.sectionNames().size(), 2001u);
    EXPECT_EQ(ini.sectionNames().back(), longName);
    EXPECT_EQ(text(ini, "S1999@T", "k"), "1999");
    EXPECT_EQ(text(ini, longName, "k"), "last");
}

TEST(IniFile, ReadReportsTheSystemErrorOfAMissingFile) {
    test::TempFolder dir;
    IniFile ini;
    int error = 0;
    EXPECT_FALSE(IniFile::read(dir.file("absent.ini"), ini, error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(IniFile::read(dir.folder(), ini, error));  // a folder is not a file
    EXPECT_EQ(error, EISDIR);
    EXPECT_FALSE(IniFile::read("", ini, error));
    EXPECT_NE(error, 0);

    dir.write("x.ini", "[A@1]\nk=v\n");
    ASSERT_TRUE(IniFile::read(dir.file("x.ini"), ini, error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(text(ini, "A@1", "k"), "v");
}

}  // namespace
}  // namespace thermalyx
