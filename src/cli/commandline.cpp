// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/commandline.h"

#include "textscan/textkey.h"

#include <charconv>
#include <functional>
#include <string_view>

namespace ostrevo::cli {

namespace {

struct Option {
    std::string_view name; // with its dashes
    bool takesValue;
    // Takes the value (empty for a flag); an error text when it is wrong.
    std::function<std::string(const std::string& value)> apply;
};

// Reads `arguments[1..]` against `options`; positional arguments go to
// `positional`. Both "--name value" and "--name=value" are read; "--" ends
// the options; "-" alone is a positional argument (standard input/output).
std::string readOptions(const std::vector<std::string>& arguments, const std::vector<Option>& options,
                        std::vector<std::string>& positional, bool& help)
{
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            help = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = std::string_view(argument).substr(0, equals);
        const Option* option = nullptr;
        for (const Option& candidate : options) {
            if (candidate.name == name) {
                option = &candidate;
            }
        }
        if (option == nullptr) {
            return "unknown option '" + std::string(name) + "'";
        }
        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return "option '" + std::string(name) + "' needs a value";
            }
        } else if (equals != std::string::npos) {
            return "option '" + std::string(name) + "' takes no value";
        }
        if (std::string error = option->apply(value); !error.empty()) {
            return error;
        }
    }
    return {};
}

std::string setVerbosity(Verbosity& verbosity, Verbosity wanted)
{
    if (verbosity != Verbosity::Normal && verbosity != wanted) {
        return "--quiet and --verbose exclude each other";
    }
    verbosity = wanted;
    return {};
}

std::string nonEmpty(std::string_view option, const std::string& value, std::string& target)
{
    if (trimBlanks(value).empty()) {
        return "option '" + std::string(option) + "' needs a value";
    }
    target = value;
    return {};
}

std::vector<std::string> commaList(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = trimBlanks(text.substr(start, comma - start));
        if (!item.empty()) {
            items.emplace_back(item);
        }
        start = comma + 1;
    }
    return items;
}

CommandLine commandOf(CommandKind kind, std::string text = {})
{
    CommandLine command;
    command.kind = kind;
    command.text = std::move(text);
    return command;
}

CommandLine usageError(std::string text)
{
    return commandOf(CommandKind::UsageError, std::move(text));
}

// The options both commands take: the TLDs to keep, where to write, how much to say.
std::vector<Option> sharedOptions(std::optional<std::string>& tlds, std::string& output, Verbosity& verbosity)
{
    const auto toOutput = [&output](const std::string& value) { return nonEmpty("--output", value, output); };
    const auto quiet = [&verbosity](const std::string&) { return setVerbosity(verbosity, Verbosity::Quiet); };
    const auto verbose = [&verbosity](const std::string&) {
        return setVerbosity(verbosity, Verbosity::Verbose);
    };
    return {
        {"--tlds", true,
         [&tlds](const std::string& value) {
             std::string text;
             std::string error = nonEmpty("--tlds", value, text);
             tlds = text;
             return error;
         }},
        {"--output", true, toOutput},
        {"-o", true, toOutput},
        {"--quiet", false, quiet},
        {"-q", false, quiet},
        {"--verbose", false, verbose},
        {"-v", false, verbose},
    };
}

CommandLine parseLookup(const std::vector<std::string>& arguments)
{
    CommandLine command = commandOf(CommandKind::Lookup);
    LookupArguments& lookup = command.lookup;
    std::vector<Option> options = sharedOptions(lookup.tlds, lookup.output, lookup.verbosity);
    options.insert(options.end(), {
                                      {"--source", true,
                                       [&](const std::string& value) -> std::string {
                                           if (value == "rdap" || value == "whois-pages") {
                                               lookup.rdap = value == "rdap";
                                               return {};
                                           }
                                           return "--source is rdap or whois-pages, not '" + value + "'";
                                       }},
                                      {"--list-unregistered", false,
                                       [&](const std::string&) {
                                           lookup.listUnregistered = true;
                                           return std::string();
                                       }},
                                      {"--resume", false,
                                       [&](const std::string&) {
                                           lookup.resume = true;
                                           return std::string();
                                       }},
                                  });
    std::vector<std::string> positional;
    bool help = false;
    if (std::string error = readOptions(arguments, options, positional, help); !error.empty()) {
        return usageError(std::move(error));
    }
    if (help) {
        return commandOf(CommandKind::Help, lookupHelp());
    }
    if (positional.size() > 1) {
        return usageError("one file of hosts at most, not " + std::to_string(positional.size()));
    }
    if (!positional.empty()) {
        if (positional.front().empty()) {
            return usageError("the file name is empty");
        }
        lookup.input = positional.front();
    }
    return command;
}

CommandLine parseSearch(const std::vector<std::string>& arguments)
{
    CommandLine command = commandOf(CommandKind::Search);
    SearchArguments& search = command.search;
    bool enginesGiven = false;
    std::vector<Option> options = sharedOptions(search.tlds, search.output, search.verbosity);
    options.insert(
        options.end(),
        {
            {"--keywords", true,
             [&](const std::string& value) { return nonEmpty("--keywords", value, search.keywords); }},
            {"--engines", true,
             [&](const std::string& value) {
                 enginesGiven = true;
                 for (std::string& name : commaList(value)) {
                     search.engines.push_back(std::move(name));
                 }
                 return std::string();
             }},
            {"--limit", true,
             [&](const std::string& value) -> std::string {
                 int limit = 0;
                 const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), limit);
                 if (error != std::errc() || end != value.data() + value.size() || limit < 1 ||
                     limit > MaxSearchLinks) {
                     return "--limit is a number of links from 1 to " + std::to_string(MaxSearchLinks) +
                            ", not '" + value + "'";
                 }
                 search.limit = limit;
                 return {};
             }},
        });
    std::vector<std::string> positional;
    bool help = false;
    if (std::string error = readOptions(arguments, options, positional, help); !error.empty()) {
        return usageError(std::move(error));
    }
    if (help) {
        return commandOf(CommandKind::Help, searchHelp());
    }
    if (!positional.empty()) {
        return usageError("unexpected argument '" + positional.front() + "'");
    }
    if (search.keywords.empty()) {
        return usageError("--keywords is needed");
    }
    if (search.engines.empty()) {
        return usageError(enginesGiven ? "--engines names no engine" : "--engines is needed");
    }
    return command;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        return {};
    }
    const std::string& first = arguments.front();
    if (first == "lookup") {
        return parseLookup(arguments);
    }
    if (first == "search") {
        return parseSearch(arguments);
    }
    if (first == "--help" || first == "-h" || first == "help") {
        return commandOf(CommandKind::Help, programHelp());
    }
    return {};
}

const std::string& programHelp()
{
    static const std::string text = R"(Usage: ostrevo [FILE]
       ostrevo lookup [options] [FILE|-]
       ostrevo search --keywords "..." --engines NAME,NAME [options]

Without a command, Ostrevo opens its window, and looks up the hosts of FILE
when one is named.

Commands (each has --help):
  lookup   look hosts up and write their e-mail and expiry rows
  search   search the engines for the keywords and write the URL list

See ostrevo(1).
)";
    return text;
}

const std::string& lookupHelp()
{
    static const std::string text = R"(Usage: ostrevo lookup [options] [FILE|-]

Looks up the registered domains of the hosts in FILE (standard input when it
is - or missing): hosts or URLs one per line, a saved URL list, or a saved
results file or workbook (.xls, .xlsx) by its first column. Writes one row
per domain: site, e-mail, expiry date.

Options:
  --source rdap|whois-pages  where to ask (default: as in the window)
  --tlds LIST                TLDs to look up, e.g. "com net" or "*" for all
                             (default: as in the window, .com .net .org)
  --list-unregistered        write a row for names nobody holds
  -o, --output FILE|-        where to write; .csv, .xlsx, .htm, .xml choose
                             the format, - is standard output (default)
  --resume                   go on from an interrupted run: hosts it finished
                             are not asked again, its rows are written too
  -q, --quiet                no progress line
  -v, --verbose              one line per host on standard error
  -h, --help                 this help

Exit status: 0 every host answered, 1 some hosts got no answer (listed on
standard error), 2 wrong usage, 3 a file cannot be read or written,
130 interrupted (the rows found are written; --resume goes on).
)";
    return text;
}

const std::string& searchHelp()
{
    static const std::string text = R"(Usage: ostrevo search --keywords "..." --engines NAME,NAME [options]

Pages through the engines' results for the keywords, without windows, and
writes the links found, one per line.

Options:
  --keywords TEXT      what to search for (needed)
  --engines NAME,...   engines of the catalogue listex.txt (needed)
  --limit N            stop at N links (1 to 32000; default: 32000)
  --tlds LIST          TLDs to collect (default: as in the window)
  -o, --output FILE|-  where to write the URL list (default: standard output)
  -q, --quiet          no progress line
  -v, --verbose        what each engine does, on standard error
  -h, --help           this help

An engine that asks for a check or a consent is left, and named on standard
error; the others go on.

Exit status: 0 every engine searched to its end or the limit, 1 an engine was
left or refused the search, 2 wrong usage, 3 a file cannot be read or
written, 130 interrupted (the links found are written).
)";
    return text;
}

} // namespace ostrevo::cli
