#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace host_app {

// One element of an add-in's ribbon markup that the ribbon knows, with its attributes and the
// known elements inside it.
struct RibbonNode
{
    QString kind; // the element's local name: "tab", "group", "button", …
    QHash<QString, QString> attributes;
    std::vector<RibbonNode> children;

    QString attr(const char* name) const { return attributes.value(QLatin1String(name)); }
    bool has(const char* name) const { return attributes.contains(QLatin1String(name)); }
    // The id the host's callbacks see: id, else idMso.
    QString controlId() const { return has("id") ? attr("id") : attr("idMso"); }
};

// The markup parsed: the customUI root, or none with `error` set to the parser's reason.
// Elements the ribbon does not know are left out with everything inside them and named in
// `unknown` (as "name (line N)").
struct ParsedMarkup
{
    std::optional<RibbonNode> root;
    QString error;
    QStringList unknown;
};
ParsedMarkup parseRibbonMarkup(const QString& text);

} // namespace host_app
