#include "host_app/ribbon/ribbon_markup.h"

#include <pugixml.hpp>

#include <set>
#include <string>

namespace host_app {

namespace {

bool known(const std::string& name)
{
    static const std::set<std::string> names{
        "customUI", "commands",       "command",     "ribbon", "tabs",
        "tab",      "contextualTabs", "tabSet",      "group",  "button",
        "menu",     "menuSeparator",  "separator",   "box",    "dialogBoxLauncher",
        "control",  "splitButton",    "labelControl"};
    return names.count(name) > 0;
}

std::string localName(const char* name)
{
    const std::string full(name);
    const auto colon = full.find(':');
    return colon == std::string::npos ? full : full.substr(colon + 1);
}

int lineOf(const QByteArray& bytes, std::ptrdiff_t offset)
{
    return int(bytes.left(qsizetype(offset)).count('\n')) + 1;
}

RibbonNode convert(const pugi::xml_node& node, const QByteArray& bytes, QStringList& unknown)
{
    RibbonNode out;
    out.kind = QString::fromStdString(localName(node.name()));
    for (const pugi::xml_attribute a : node.attributes())
        out.attributes.insert(QString::fromUtf8(a.name()), QString::fromUtf8(a.value()));
    for (const pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (!known(localName(child.name()))) {
            unknown.push_back(QString::fromUtf8(child.name()) + QStringLiteral(" (line ") +
                              QString::number(lineOf(bytes, child.offset_debug())) + u')');
            continue;
        }
        out.children.push_back(convert(child, bytes, unknown));
    }
    return out;
}

} // namespace

ParsedMarkup parseRibbonMarkup(const QString& text)
{
    ParsedMarkup out;
    const QByteArray bytes = text.toUtf8();
    pugi::xml_document doc;
    const pugi::xml_parse_result result = doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                                          pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        out.error = QString::fromUtf8(result.description()) + QStringLiteral(" (line ") +
                    QString::number(lineOf(bytes, result.offset)) + u')';
        return out;
    }
    const pugi::xml_node root = doc.document_element();
    if (localName(root.name()) != "customUI") {
        out.error = QStringLiteral("the root element is not customUI");
        return out;
    }
    out.root = convert(root, bytes, out.unknown);
    return out;
}

} // namespace host_app
