#include "cli/docs.h"

#include <optional>

#include "states/registry.h"

namespace wm::cli {

namespace {

// ---- Reading the table ------------------------------------------------

// The commands that take options besides the help, in the order of the
// command table.
constexpr std::string_view kOptionCommands[] = {"calc", "batch", "year"};

bool takesOption(std::string_view command, const Option& o)
{
    return !o.name.empty() && commandTakes(command, o.section);
}

// The help text on one line.
std::string oneLine(std::string_view help)
{
    std::string s(help);
    for (char& c : s)
        if (c == '\n') c = ' ';
    return s;
}

std::vector<std::string> split(std::string_view list, char sep)
{
    std::vector<std::string> parts;
    if (list.empty()) return parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = list.find(sep, start);
        parts.emplace_back(list.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool takesFile(const Option& o) { return o.valueName.rfind("FILE", 0) == 0; }

// "3, .03" or "\"New York\", NewYork, 28": values with blanks or separators quoted, as the help shows them.
std::string exampleValues(std::string_view examples)
{
    std::string out;
    for (const std::string& e : split(examples, '|')) {
        if (!out.empty()) out += ", ";
        const bool quote = e.find_first_of(" ,$") != std::string::npos;
        out += quote ? "\"" + e + "\"" : e;
    }
    return out;
}

// The command-line words of `option` given `value` under a command that takes it.
std::optional<std::string> refusal(const Option& o, const std::string& value)
{
    for (std::string_view command : kOptionCommands) {
        if (!takesOption(command, o)) continue;
        std::vector<std::string> args = {"wagemark-cli", std::string(command), std::string(o.name), value};
        // A state option is taken only with a state whose calculator reads it.
        if (o.stateOption != 0)
            for (const StateEntry& s : stateList())
                if (s.options & o.stateOption) {
                    args.insert(args.end(), {"--state", std::string(s.name)});
                    break;
                }
        // An entry of a bonus is taken only beside the bonus.
        if (o.section == Section::Bonus && o.name != "--bonus") args.insert(args.end(), {"--bonus", "0"});
        try {
            if (command == "calc") parseCalc(args, 2, false);
            if (command == "year") parseYear(args, 2);
            if (command == "batch") parseBatch(args, 2);
            return std::nullopt;
        } catch (const UsageError& e) {
            return e.message;
        }
    }
    return "no command takes it";
}

// ---- man(7) -----------------------------------------------------------

// Text for an argument of a macro in double quotes.
std::string roffArg(std::string_view text)
{
    std::string out;
    for (const char c : roffText(text)) out += c == '"' ? std::string("\\(dq") : std::string(1, c);
    return out;
}

// "[FILE] [OPTIONS]": the placeholders in italics.
std::string roffArgs(std::string_view args)
{
    std::string out;
    bool italic = false;
    for (char c : args) {
        const bool placeholder = (c >= 'A' && c <= 'Z') || (italic && c == '.');
        if (placeholder != italic) out += placeholder ? "\\fI" : "\\fR";
        italic = placeholder;
        out += roffText(std::string_view(&c, 1));
    }
    if (italic) out += "\\fR";
    return out;
}

void manHeader(std::string& out, std::string_view version, std::string_view date)
{
    std::string whatis(toolSummary());
    whatis[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(whatis[0])));
    if (whatis.back() == '.') whatis.pop_back();
    out += ".TH WAGEMARK\\-CLI 1 \"" + roffArg(date) + "\" \"Wagemark " + roffArg(version) +
           "\" \"User Commands\"\n";
    // Option names and values stay whole; ragged right reads better in lists.
    out += ".nh\n.ad l\n";
    out += ".SH NAME\nwagemark\\-cli \\- " + roffText(whatis) + "\n";
    out += ".SH SYNOPSIS\n";
    for (const CommandInfo& c : commands()) {
        out += ".B wagemark\\-cli " + roffText(c.name) + "\n";
        if (!c.args.empty()) out += roffArgs(c.args) + "\n";
        out += ".br\n";
    }
    out += ".SH DESCRIPTION\n" + roffText(toolSummary()) + "\n.PP\n";
    out += ".B wagemark\\-cli\n"
           "runs the calculation of the desktop program\n.BR wagemark (1)\n"
           "from the command line: one pay period at a time, a stream of pay periods as JSON Lines, or the "
           "tax year. It reads and writes no settings file: each calculation starts from the options given.\n";
    out += ".PP\nBlanks around a value are ignored; an option takes its value as the next word or after an "
           "equals sign (\\fB\\-\\-income=1000\\fR); a switch takes no value. The order of the options does "
           "not matter.\n";
}

void manCommands(std::string& out)
{
    out += ".SH COMMANDS\n";
    for (const CommandInfo& c : commands()) {
        out += ".TP\n";
        out += c.alias.empty() ? ".B " + roffText(c.name) + "\n"
                               : ".BR " + roffText(c.alias) + " \", \" " + roffText(c.name) + "\n";
        out += roffText(oneLine(c.help)) + "\n";
    }
}

void manOption(std::string& out, const Option& o)
{
    out += ".TP\n";
    if (!o.alias.empty())
        out += ".BR " + roffText(o.alias) + " \", \" " + roffText(o.name) + "\n";
    else if (o.valueName.empty())
        out += ".B " + roffText(o.name) + "\n";
    else
        out += ".BI " + roffArg(o.name) + " \" " + roffArg(o.valueName) + "\"\n";
    std::string text = oneLine(o.help);
    if (!o.examples.empty()) text += "; for example " + exampleValues(o.examples);
    out += roffText(text) + ".\n";
    if (!o.choices) return;
    // Lists the help does not spell out (the states, the county rates).
    const std::vector<std::string> values = o.choices();
    bool named = true;
    for (const std::string& v : values) named = named && o.help.find(v) != std::string_view::npos;
    if (named) return;
    std::string list = "One of: ";
    for (std::size_t i = 0; i < values.size(); ++i) list += (i ? ", " : "") + values[i];
    out += roffText(list) + ".\n";
}

void manOptions(std::string& out)
{
    out += ".SH OPTIONS\n";
    std::optional<Section> section;
    for (const Option& o : options()) {
        if (o.name.empty()) continue;
        if (o.section != section) {
            std::string title(sectionTitle(o.section));
            if (title.back() == ':') title.pop_back();
            out += ".SS \"" + roffArg(title) + "\"\n";
            section = o.section;
        }
        manOption(out, o);
    }
}

std::string_view typeText(BatchType t)
{
    switch (t) {
    case BatchType::Id: return "any JSON value";
    case BatchType::Text: return "a text, as typed";
    case BatchType::Bool: return "true or false";
    case BatchType::Whole: return "a whole number";
    case BatchType::Number: return "a number";
    case BatchType::Settings: return "an object of sections, each an object of keys and texts";
    case BatchType::None: break;
    }
    return "";
}

void manBatch(std::string& out)
{
    out += ".SH BATCH INPUT\n"
           ".B wagemark\\-cli batch\n"
           "reads one JSON object per line (RFC 8259, valid UTF\\-8) from \\fIFILE\\fR or standard input and "
           "writes one JSON object per input line, in the same order. Each line is computed on a fresh pay "
           "record, on every core. Amounts come out as texts with four decimals. A line whose calculation "
           "stops, or that is not a JSON object, is answered with an object holding \\fBerror\\fR; the other "
           "lines are still computed. Every key is optional:\n";
    for (const Option& o : options()) {
        if (o.batchKey.empty()) continue;
        out += ".TP\n.B " + roffText(o.batchKey) + "\n";
        std::string text(typeText(o.batchType));
        if (o.batchType == BatchType::Whole && o.limit)
            text += o.limit->unit == InputUnit::Code
                        ? ", " + describe(*o.limit)
                        : " from " + std::to_string(o.limit->lo) + " to " + std::to_string(o.limit->hi);
        if (o.name.empty())
            text = oneLine(o.help);
        else
            text += ", the input that " + std::string(o.name) + " sets";
        out += roffText(text) + "\n";
    }
}

void manTail(std::string& out)
{
    out += ".SH EXIT STATUS\n"
           ".TP\n.B 0\ndone\n"
           ".TP\n.B 1\na calculation stopped on a run\\-time error (in \\fBbatch\\fR: at least one line gave an "
           "error), or the pay statement could not be written\n"
           ".TP\n.B 2\na usage error, told in one line: an unknown command or option, a bad or missing value, "
           "an option given twice, an argument to a command that takes none, an input file that cannot be "
           "opened or read\n"
           ".TP\n.B 3\nthe output could not be written (a full disk, a closed output); the tool stops at once "
           "and says why\n"
           ".PP\nWhen the reader of a pipe goes away (\\fBwagemark\\-cli batch FILE | head \\-1\\fR), the tool "
           "ends at once without a message, ended by SIGPIPE as other filters are (the shell reports 141). "
           "Where SIGPIPE is ignored, that failed write is status 3 as well.\n";
    out += ".SH EXAMPLES\n";
    for (const Example& e : examples()) {
        out += ".PP\n" + roffText(e.what) + "\n";
        out += ".PP\n.RS 4\n.nf\n" + roffText(e.line) + "\n.fi\n.RE\n";
    }
    out += ".SH SEE ALSO\n.BR wagemark (1)\n";
}

// ---- Shell words ------------------------------------------------------

// A word for a shell script in single quotes.
std::string singleQuoted(std::string_view s)
{
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string wordList(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : " ") + singleQuoted(w);
    return out;
}

std::vector<std::string> commandWords()
{
    std::vector<std::string> words;
    for (const CommandInfo& c : commands()) {
        words.emplace_back(c.name);
        if (!c.alias.empty()) words.emplace_back(c.alias);
    }
    return words;
}

std::vector<std::string> optionNames(std::string_view command)
{
    std::vector<std::string> names;
    for (const Option& o : options())
        if (takesOption(command, o)) {
            names.emplace_back(o.name);
            if (!o.alias.empty()) names.emplace_back(o.alias);
        }
    return names;
}

// "--version|-V": a command as a case pattern of the completion scripts.
std::string casePattern(const CommandInfo& c)
{
    return std::string(c.name) + (c.alias.empty() ? "" : "|" + std::string(c.alias));
}

// Each option name once, in table order (calc and year share most).
std::vector<const Option*> valueOptions()
{
    std::vector<const Option*> rows;
    for (const Option& o : options()) {
        if (o.name.empty() || o.valueName.empty()) continue;
        bool seen = false;
        for (const Option* r : rows) seen = seen || r->name == o.name;
        if (!seen) rows.push_back(&o);
    }
    return rows;
}

// "--state=[help]:NAME|INDEX:("No State" "Alabama" ...)" for _arguments.
std::string zshArgument(const Option& o, std::string_view name = {})
{
    std::string help;
    for (char c : oneLine(o.help)) {
        if (c == '[' || c == ']' || c == '\\') help += '\\';
        help += c;
    }
    std::string entry = std::string(name.empty() ? o.name : name) + (o.valueName.empty() ? "" : "=") + "[" + help + "]";
    if (o.valueName.empty()) return entry;
    entry += ":" + std::string(o.valueName) + ":";
    if (o.choices) {
        std::string list;
        for (const std::string& v : o.choices()) list += (list.empty() ? "\"" : " \"") + v + "\"";
        return entry + "(" + list + ")";
    }
    return entry + (takesFile(o) ? "_files" : " ");
}

}  // namespace

std::string roffText(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

std::string manPage(std::string_view version, std::string_view date)
{
    std::string out = ".\\\" wagemark-cli(1), made from the option table; edit cli/options.cpp, not this file.\n";
    manHeader(out, version, date);
    manCommands(out);
    manOptions(out);
    manBatch(out);
    manTail(out);
    return out;
}

std::string bashCompletion()
{
    std::string out = R"(# bash completion for wagemark-cli                           -*- shell-script -*-
# Made from the tool's option table when it is built; do not edit.

# COMPREPLY: the values of $2... that begin with the word $1 (in any case),
# quoted by readline where they hold blanks.
_wagemark_cli_values()
{
    local cur=$1 v
    shift
    cur=${cur#[\"\']}
    cur=${cur//\\/}
    COMPREPLY=()
    for v in "$@"; do
        [[ ${v,,} == "${cur,,}"* ]] && COMPREPLY+=("$v")
    done
    compopt -o filenames 2>/dev/null
    return 0
}

_wagemark_cli_files()
{
    local IFS=$'\n'
    COMPREPLY=($(compgen -f -- "$1"))
    compopt -o filenames 2>/dev/null
    return 0
}

_wagemark_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    # bash splits "--state=New" at the equals sign.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD-2]}
    fi
    if [[ $COMP_CWORD -eq 1 ]]; then
        _wagemark_cli_values "$cur" )";
    out += wordList(commandWords()) + "\n        return 0\n    fi\n    case $prev in\n";
    std::string free;  // values nothing can be offered for
    for (const Option* o : valueOptions()) {
        if (o->choices)
            out += "    " + std::string(o->name) + ")\n        _wagemark_cli_values \"$cur\" " + wordList(o->choices());
        else if (takesFile(*o))
            out += "    " + std::string(o->name) + ")\n        _wagemark_cli_files \"$cur\"";
        else
            free += (free.empty() ? "" : "|") + std::string(o->name);
        if (o->choices || takesFile(*o)) out += "\n        return 0 ;;\n";
    }
    if (!free.empty()) out += "    " + free + ")\n        COMPREPLY=()\n        return 0 ;;\n";
    out += "    esac\n    local options\n    case ${COMP_WORDS[1]} in\n";
    for (const CommandInfo& c : commands())
        out += "    " + casePattern(c) + ") options=(" + wordList(optionNames(c.name)) + ") ;;\n";
    out += R"(    *) return 0 ;;
    esac
    if [[ ${COMP_WORDS[1]} == batch && $cur != -?* ]]; then
        _wagemark_cli_files "$cur"
        return 0
    fi
    COMPREPLY=($(compgen -W "${options[*]}" -- "$cur"))
    return 0
} &&
    complete -F _wagemark_cli wagemark-cli
)";
    return out;
}

std::string zshCompletion()
{
    std::string out = R"(#compdef wagemark-cli
# zsh completion for wagemark-cli.
# Made from the tool's option table when it is built; do not edit.

_wagemark-cli() {
  local -a commands opts
  commands=(
)";
    for (const CommandInfo& c : commands()) {
        const std::string help = oneLine(c.help);
        out += "    " + singleQuoted(std::string(c.name) + ":" + help) + "\n";
        if (!c.alias.empty()) out += "    " + singleQuoted(std::string(c.alias) + ":" + help) + "\n";
    }
    out += "  )\n  if (( CURRENT == 2 )); then\n    _describe -t commands 'wagemark-cli command' commands\n"
           "    return\n  fi\n  case $words[2] in\n";
    for (const CommandInfo& c : commands()) {
        out += "    " + casePattern(c) + ")\n      opts=(\n";
        for (const Option& o : options())
            if (takesOption(c.name, o)) {
                out += "        " + singleQuoted(zshArgument(o)) + "\n";
                if (!o.alias.empty()) out += "        " + singleQuoted(zshArgument(o, o.alias)) + "\n";
            }
        if (c.name == "batch") out += "        '1::JSON Lines file:_files'\n";
        out += "      ) ;;\n";
    }
    out += R"(    *) return 1 ;;
  esac
  # The command's own options: from here on the command is the first word.
  shift words
  (( CURRENT-- ))
  _arguments : $opts
}

_wagemark-cli "$@"
)";
    return out;
}

std::vector<std::string> tableProblems(std::span<const Option> rows)
{
    std::vector<std::string> problems;
    for (const Option& o : rows) {
        const std::string name = o.name.empty() ? std::string(o.batchKey) : std::string(o.name);
        if (o.help.empty()) problems.push_back(name + " has no help text");
        if (!o.choices) continue;
        if (o.valueName.empty()) problems.push_back(name + " offers values but is a switch");
        for (const std::string& v : o.choices())
            if (const auto why = refusal(o, v)) problems.push_back(name + " offers \"" + v + "\", refused: " + *why);
    }
    return problems;
}

}  // namespace wm::cli
