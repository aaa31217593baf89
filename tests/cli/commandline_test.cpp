// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/commandline.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace ostrevo::cli {
namespace {

TEST(CommandLine, AnythingButACommandWordOpensTheWindow)
{
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {}, {"hosts.txt"}, {"--check-watch"}, {"lookups"}, {"./lookup"}}) {
        EXPECT_EQ(parseCommandLine(arguments).kind, CommandKind::Window)
            << ::testing::PrintToString(arguments);
    }
}

TEST(CommandLine, LookupReadsEveryOptionInBothForms)
{
    const CommandLine command =
        parseCommandLine({"lookup", "--source=whois-pages", "--tlds", "com net", "--list-unregistered",
                          "--output=out.xlsx", "--resume", "-q", "--", "-hosts.txt"});
    ASSERT_EQ(command.kind, CommandKind::Lookup) << command.text;
    const LookupArguments& lookup = command.lookup;
    EXPECT_EQ(lookup.rdap, false);
    EXPECT_EQ(lookup.tlds, "com net");
    EXPECT_TRUE(lookup.listUnregistered);
    EXPECT_EQ(lookup.output, "out.xlsx");
    EXPECT_TRUE(lookup.resume);
    EXPECT_EQ(lookup.verbosity, Verbosity::Quiet);
    EXPECT_EQ(lookup.input, "-hosts.txt");

    const CommandLine plain = parseCommandLine({"lookup"});
    ASSERT_EQ(plain.kind, CommandKind::Lookup);
    EXPECT_FALSE(plain.lookup.rdap.has_value());
    EXPECT_EQ(plain.lookup.input, "-");
    EXPECT_EQ(plain.lookup.output, "-");
    EXPECT_EQ(parseCommandLine({"lookup", "-v", "-"}).lookup.verbosity, Verbosity::Verbose);
}

TEST(CommandLine, SearchReadsItsOptions)
{
    const CommandLine command = parseCommandLine({"search", "--keywords", "blue widgets", "--engines",
                                                  " Google , Bing,,", "--limit=250", "-o", "urls.txt"});
    ASSERT_EQ(command.kind, CommandKind::Search) << command.text;
    EXPECT_EQ(command.search.keywords, "blue widgets");
    EXPECT_EQ(command.search.engines, (std::vector<std::string>{"Google", "Bing"}));
    EXPECT_EQ(command.search.limit, 250);
    EXPECT_EQ(command.search.output, "urls.txt");
}

TEST(CommandLine, HelpWinsOverEverythingElse)
{
    EXPECT_EQ(parseCommandLine({"--help"}).text, programHelp());
    EXPECT_EQ(parseCommandLine({"lookup", "--source", "rdap", "-h"}).text, lookupHelp());
    EXPECT_EQ(parseCommandLine({"search", "--help"}).kind, CommandKind::Help);
}

TEST(CommandLine, WrongUsageSaysWhatIsWrong)
{
    const struct {
        std::vector<std::string> arguments;
        std::string says;
    } cases[] = {
        {{"lookup", "--frobnicate"}, "unknown option '--frobnicate'"},
        {{"lookup", "--source", "whois"}, "--source is rdap or whois-pages"},
        {{"lookup", "--source"}, "needs a value"},
        {{"lookup", "--resume=yes"}, "takes no value"},
        {{"lookup", "--tlds", " "}, "needs a value"},
        {{"lookup", "-q", "--verbose"}, "exclude each other"},
        {{"lookup", "a.txt", "b.txt"}, "one file of hosts at most"},
        {{"search", "--engines", "Google"}, "--keywords is needed"},
        {{"search", "--keywords", "x"}, "--engines is needed"},
        {{"search", "--keywords", "x", "--engines", ","}, "names no engine"},
        {{"search", "--keywords", "x", "--engines", "G", "--limit", "0"}, "--limit is a number"},
        {{"search", "--keywords", "x", "--engines", "G", "--limit", "12x"}, "--limit is a number"},
        {{"search", "--keywords", "x", "--engines", "G", "--limit", "32001"}, "--limit is a number"},
        {{"search", "--keywords", "x", "--engines", "G", "stray"}, "unexpected argument 'stray'"},
    };
    for (const auto& c : cases) {
        const CommandLine command = parseCommandLine(c.arguments);
        EXPECT_EQ(command.kind, CommandKind::UsageError) << ::testing::PrintToString(c.arguments);
        EXPECT_NE(command.text.find(c.says), std::string::npos) << command.text;
    }
}

TEST(CommandLine, TheManualPageHasEveryOptionTheHelpHas)
{
    const std::string manual = test::readFile(std::filesystem::path(OSTREVO_SOURCE_DIR) / "docs/ostrevo.1");
    ASSERT_FALSE(manual.empty());
    const std::regex option("--[a-z-]+");
    for (const std::string* help : {&programHelp(), &lookupHelp(), &searchHelp()}) {
        for (std::sregex_iterator it(help->begin(), help->end(), option), end; it != end; ++it) {
            // roff writes every dash of an option as "\-".
            const std::string roff = std::regex_replace(it->str(), std::regex("-"), "\\-");
            EXPECT_NE(manual.find(roff), std::string::npos) << it->str();
        }
    }
}

} // namespace
} // namespace ostrevo::cli
