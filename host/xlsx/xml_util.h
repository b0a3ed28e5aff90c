#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Helpers for reading and patching the parts' XML with pugixml. Parts come in two flavours
// (transitional and strict) that differ only in namespace URIs, and some producers put
// prefixes on the main namespace, so elements and attributes are matched by local name.
namespace host::xlsx {

// A package that cannot be read or patched. Raised inside the package layer and turned into a
// HostError ("Cannot open 'book.xlsx': why.") where the file's name is known.
struct PackageError
{
    QString why;
};
[[noreturn]] void fail(const QString& why);

} // namespace host::xlsx

namespace host::xlsx::xml {

// Parses a part; malformed XML raises a PackageError naming the part and the place.
pugi::xml_document parse(const QByteArray& data, const QString& partName);
QByteArray serialize(const pugi::xml_document& doc);
// A document holding the standard declaration, ready for a root element.
pugi::xml_document newDocument();

std::string_view localName(const char* qualifiedName);
inline bool is(pugi::xml_node node, std::string_view local)
{
    return node.type() == pugi::node_element && localName(node.name()) == local;
}
pugi::xml_node child(pugi::xml_node parent, std::string_view local);
// Every child element of that local name, in document order (safe to remove them while walking).
std::vector<pugi::xml_node> children(pugi::xml_node parent, std::string_view local);
// A prefixed attribute by its local name: `prefixedAttr(sheet, "id")` finds r:id whatever the
// prefix. (Other attributes of these parts carry no prefix; use node.attribute().)
pugi::xml_attribute prefixedAttr(pugi::xml_node node, std::string_view local);

// The prefix of the node's name with its colon ("x:"), or "".
std::string prefix(pugi::xml_node node);
// Makes an element named like its parent's namespace (same prefix).
pugi::xml_node appendChild(pugi::xml_node parent, std::string_view local);
// Inserts an element where `order` (the schema's sequence of local names) puts it: before the
// first existing child that the sequence places after it. Returns the existing element when
// there is one.
using Order = std::span<const std::string_view>;
pugi::xml_node ensureChild(pugi::xml_node parent, std::string_view local, Order order);
pugi::xml_node insertInOrder(pugi::xml_node parent, std::string_view local, Order order);

// The root's prefix bound to `uri` ("r:"), declaring `fallback` for it when there is none.
std::string prefixForNamespace(pugi::xml_node root, std::initializer_list<const char*> uris,
                               const char* fallback, const char* declareUri);

QString text(pugi::xml_attribute a);
QString text(pugi::xml_node n); // the node's text content (its first PCDATA/CDATA child)
std::optional<bool> boolValue(pugi::xml_attribute a);
bool boolValue(pugi::xml_attribute a, bool fallback);
std::optional<double> doubleValue(pugi::xml_attribute a);
std::optional<double> doubleValue(const char* s);
std::optional<int> intValue(pugi::xml_attribute a);

void setAttr(pugi::xml_node node, const char* name, const QString& value);
void setAttr(pugi::xml_node node, const char* name, const char* value);
void setAttr(pugi::xml_node node, const char* name, double value);
void setAttr(pugi::xml_node node, const char* name, int value);
void setBoolAttr(pugi::xml_node node, const char* name, bool value); // "1" / "0"
void removeAttr(pugi::xml_node node, const char* name);
void setText(pugi::xml_node node, const QString& value);

// Visits every element below `root` in document order, without recursion (parts may nest
// deeply).
template <typename F> void forEachElement(pugi::xml_node root, F&& visit)
{
    for (pugi::xml_node n = root.first_child(); n;) {
        if (n.type() == pugi::node_element)
            visit(n);
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != root && !n.next_sibling())
            n = n.parent();
        if (!n || n == root)
            break;
        n = n.next_sibling();
    }
}

// Gives an element copied from another part, and its descendants, the prefix of the part it
// now lives in.
void adoptPrefix(pugi::xml_node node, const std::string& prefix);

// The shortest text that reads back as the same double ("0.1", "1e+20").
std::string formatDouble(double value);

// Cell text escapes: control characters that XML cannot carry are written as _xHHHH_, and a
// literal "_xHHHH_" is protected as "_x005F_xHHHH_".
QString decodeEscapes(const QString& s);
QString encodeEscapes(const QString& s);

} // namespace host::xlsx::xml
