#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineOption;
class QCommandLineParser;

namespace cli {

// What a subcommand says about itself in its help text.
struct Usage
{
    const char* command;     // "inspect"
    const char* synopsis;    // "BOOK [--sheet NAME] [--range ADDR] [--json]"
    const char* description; // one paragraph
};

// Parses a subcommand's arguments (without its name) with `parser`, whose options and
// positional arguments the caller has added; --help is added here. Answers the exit code to
// stop with: kDone after printing the help, kBadArguments after printing the reason (an
// unknown option, a missing value, or a positional count other than `positionals`).
// Answers nothing when the command should go on.
std::optional<int> parseArguments(QCommandLineParser& parser, const Usage& usage,
                                  const QStringList& args, qsizetype positionals);
// The same with a positional count from `fewest` to `most`.
std::optional<int> parseArguments(QCommandLineParser& parser, const Usage& usage,
                                  const QStringList& args, qsizetype fewest, qsizetype most);

// The option's value when it was given; none when it was not.
std::optional<QString> optionValue(const QCommandLineParser& parser,
                                   const QCommandLineOption& option);

// False (after printing why) when `path`, an output file, names a folder or ends in a
// separator: saving there would write beside the folder under another name, or fail late.
bool outputPathUsable(const char* command, const QString& path);

// -q, --quiet: no summary line.
QCommandLineOption quietOption();

// Writes "picrows COMMAND: SUMMARY" as one line on standard error unless `quiet`: what a
// command that changed a workbook did, and where it saved it.
void printSummary(const char* command, const QString& summary, bool quiet);

// "1 picture", "3 pictures": a count and an English noun, plural by adding "s".
QString counted(qsizetype n, const char* noun);

// Writes "picrows COMMAND: MESSAGE" as one line on standard error.
void printError(const char* command, const QString& message);

// Writes text to standard output as UTF-8.
void printOut(const QString& text);

} // namespace cli
