#include "cli/arguments.h"

#include "cli/commands.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace cli {

namespace {

// Breaks a paragraph into lines of at most `width` characters at spaces.
QString wrapped(const QString& paragraph, qsizetype width)
{
    QString out;
    qsizetype lineLength = 0;
    for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            out += u'\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            out += u' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
    }
    return out;
}

QString helpText(QCommandLineParser& parser, const Usage& usage)
{
    // The parser's own usage line names the executable's path; ours names the subcommand.
    QString options = parser.helpText();
    const qsizetype optionsAt = options.indexOf(QStringLiteral("Options:"));
    options = optionsAt < 0 ? QString() : options.mid(optionsAt);
    return QStringLiteral("Usage: picrows %1 %2\n\n%3\n\n%4")
        .arg(QString::fromUtf8(usage.command), QString::fromUtf8(usage.synopsis),
             wrapped(QString::fromUtf8(usage.description), 79), options);
}

} // namespace

std::optional<int> parseArguments(QCommandLineParser& parser, const Usage& usage,
                                  const QStringList& args, qsizetype positionals)
{
    return parseArguments(parser, usage, args, positionals, positionals);
}

std::optional<int> parseArguments(QCommandLineParser& parser, const Usage& usage,
                                  const QStringList& args, qsizetype fewest, qsizetype most)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    QStringList argv = args;
    argv.prepend(QStringLiteral("picrows"));
    if (!parser.parse(argv)) {
        printError(usage.command, parser.errorText());
        return kBadArguments;
    }
    if (parser.isSet(help)) {
        printOut(helpText(parser, usage));
        return kDone;
    }
    const QStringList given = parser.positionalArguments();
    if (given.size() < fewest || given.size() > most) {
        printError(
            usage.command,
            given.size() < fewest
                ? QStringLiteral("missing argument; usage: picrows %1 %2")
                      .arg(QString::fromUtf8(usage.command), QString::fromUtf8(usage.synopsis))
                : QStringLiteral("unexpected argument '%1'").arg(given.at(most)));
        return kBadArguments;
    }
    return std::nullopt;
}

std::optional<QString> optionValue(const QCommandLineParser& parser,
                                   const QCommandLineOption& option)
{
    if (!parser.isSet(option))
        return std::nullopt;
    return parser.value(option);
}

bool outputPathUsable(const char* command, const QString& path)
{
    if (!path.endsWith(u'/') && !QFileInfo(path).isDir())
        return true;
    printError(command, QStringLiteral("%1 is a folder; give the path of a file").arg(path));
    return false;
}

QCommandLineOption quietOption()
{
    return QCommandLineOption({QStringLiteral("q"), QStringLiteral("quiet")},
                              QStringLiteral("Print no summary line when done."));
}

void printSummary(const char* command, const QString& summary, bool quiet)
{
    if (!quiet)
        printError(command, summary);
}

QString counted(qsizetype n, const char* noun)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(noun),
                                                n == 1 ? QString() : QStringLiteral("s"));
}

void printError(const char* command, const QString& message)
{
    QString line = message;
    line.replace(u'\n', u' ');
    std::fprintf(stderr, "picrows %s: %s\n", command, line.toUtf8().constData());
}

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

} // namespace cli
