#include "cli/arguments.h"
#include "cli/commands.h"

#include "cli/in_process_host.h"
#include "main/settings/setting.h"
#include "platform/settings_store.h"

#include <QCommandLineParser>

namespace cli {

namespace {

const Usage kUsage{
    "settings", "[show | get KEY | set KEY VALUE | reset] [--config-dir DIR]",
    "Reads and writes the settings the main program and the menu add-in share (the file "
    "TORVA_PICROWS.ini in the user's configuration folder). show (the default) prints every key "
    "of the section \"setting\" as KEY=VALUE in the program's order, as the program loads it: "
    "defaults for missing keys, clamps applied. get prints one value. set converts VALUE the way "
    "loading does (a Boolean is True, False or a number; numbers are read from their leading "
    "digits and clamped), saves every key and prints what was stored. reset deletes the "
    "sections \"setting\" and \"position\" and saves the defaults. A negative VALUE "
    "follows \"--\", after the options (set PasteInfo_X -- -5). Exit codes: 0 done, 2 bad "
    "arguments (an unknown key, a value that does not convert), 3 the settings file cannot be "
    "written."};

// The positional arguments each action takes, its own word included.
qsizetype positionalsOf(const QString& action)
{
    if (action == QLatin1String("get"))
        return 2;
    if (action == QLatin1String("set"))
        return 3;
    return 1;
}

QString typeOf(const picrows::c_Setting::Key& key)
{
    switch (key.field.index()) {
    case 0:
        return QStringLiteral("a Boolean (True, False or a number)");
    case 1:
        return QStringLiteral("a 16-bit integer");
    case 2:
        return QStringLiteral("a 32-bit integer");
    default:
        return QStringLiteral("a number");
    }
}

int save(picrows::c_Setting& settings)
{
    try {
        settings.SaveAll();
    } catch (const platform::StoreError& e) {
        printError(kUsage.command, QString::fromUtf8(e.what()));
        return kBookUnusable;
    }
    return kDone;
}

} // namespace

int runSettings(const QStringList& args)
{
    const QCommandLineOption configDir(QStringLiteral("config-dir"),
                                       QStringLiteral("The folder of the settings file."),
                                       QStringLiteral("DIR"));
    // A first look finds the action, which decides how many arguments follow it.
    QCommandLineParser probe;
    probe.addOption(configDir);
    probe.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    probe.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QString action = QStringLiteral("show");
    qsizetype expected = 0;
    if (probe.parse(QStringList(QStringLiteral("picrows")) + args) &&
        !probe.positionalArguments().isEmpty()) {
        action = probe.positionalArguments().constFirst();
        expected = positionalsOf(action);
    }

    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("ACTION"),
                                 QStringLiteral("show, get KEY, set KEY VALUE or reset."));
    parser.addOption(configDir);
    if (const auto stop = parseArguments(parser, kUsage, args, expected))
        return *stop;
    static const QStringList actions = {QStringLiteral("show"), QStringLiteral("get"),
                                        QStringLiteral("set"), QStringLiteral("reset")};
    if (!actions.contains(action)) {
        printError(kUsage.command, QStringLiteral("unknown action '%1'").arg(action));
        return kBadArguments;
    }
    const QStringList given = parser.positionalArguments();
    const picrows::c_Setting::Key* key = nullptr;
    if (given.size() >= 2) {
        key = picrows::c_Setting::findKey(given[1]);
        if (!key) {
            printError(kUsage.command, QStringLiteral("unknown key '%1'").arg(given[1]));
            return kBadArguments;
        }
    }

    // Defaults that come from the host (the text box font) are those of a host started now.
    const std::unique_ptr<host::objects::Host> host = makeInProcessHost();
    platform::SettingsStore store(parser.value(configDir));
    picrows::c_Setting settings(store, host->application());

    if (action == QLatin1String("show")) {
        QString out;
        for (const picrows::c_Setting::Key& k : picrows::c_Setting::keys())
            out +=
                QLatin1String(k.name) + QLatin1Char('=') + settings.textOf(k) + QLatin1Char('\n');
        printOut(out);
        return kDone;
    }
    if (action == QLatin1String("get")) {
        printOut(settings.textOf(*key) + QLatin1Char('\n'));
        return kDone;
    }
    if (action == QLatin1String("set")) {
        if (!settings.assign(*key, given[2])) {
            printError(kUsage.command, QStringLiteral("%1 takes %2, not '%3'")
                                           .arg(QLatin1String(key->name), typeOf(*key), given[2]));
            return kBadArguments;
        }
        if (const int code = save(settings); code != kDone)
            return code;
        printOut(QLatin1String(key->name) + QLatin1Char('=') + settings.textOf(*key) +
                 QLatin1Char('\n'));
        return kDone;
    }
    settings.ResetAll();
    return save(settings);
}

} // namespace cli
