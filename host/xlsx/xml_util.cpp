#include "host/xlsx/xml_util.h"

#include "host/automation/host_error.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace host::xlsx {

void fail(const QString& why)
{
    throw PackageError{why};
}

} // namespace host::xlsx

namespace host::xlsx::xml {

namespace {

constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol |
                                   pugi::parse_declaration | pugi::parse_ws_pcdata |
                                   pugi::parse_pi | pugi::parse_comments | pugi::parse_doctype;

struct ByteWriter : pugi::xml_writer
{
    QByteArray out;
    void write(const void* data, size_t size) override
    {
        out.append(static_cast<const char*>(data), qsizetype(size));
    }
};

bool isHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether s[i..] reads "_xHHHH_".
bool escapeAt(const QString& s, qsizetype i)
{
    if (i + 7 > s.size() || s[i] != u'_' || s[i + 1] != u'x' || s[i + 6] != u'_')
        return false;
    for (int k = 2; k < 6; ++k) {
        if (!isHex(s[i + k]))
            return false;
    }
    return true;
}

} // namespace

pugi::xml_document parse(const QByteArray& data, const QString& partName)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result result =
        doc.load_buffer(data.constData(), size_t(data.size()), kParseOptions, pugi::encoding_auto);
    if (!result)
        fail(QStringLiteral("the part '%1' is malformed XML (%2 at byte %3)")
                 .arg(clipped(partName), QString::fromUtf8(result.description()))
                 .arg(result.offset));
    if (!doc.document_element())
        fail(QStringLiteral("the part '%1' has no XML content").arg(clipped(partName)));
    // Parts may not declare document types; their entities are a classic expansion attack.
    for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_doctype)
            fail(QStringLiteral("the part '%1' declares a document type (DTD), which packages "
                                "may not")
                     .arg(clipped(partName)));
    }
    return doc;
}

QByteArray serialize(const pugi::xml_document& doc)
{
    ByteWriter writer;
    doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    // A document read without a declaration gets the standard one: the parts need it for
    // some readers.
    const pugi::xml_node first = doc.first_child();
    if (first.type() != pugi::node_declaration)
        writer.out.prepend("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n");
    return writer.out;
}

pugi::xml_document newDocument()
{
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    decl.append_attribute("standalone") = "yes";
    return doc;
}

std::string_view localName(const char* qualifiedName)
{
    const std::string_view name(qualifiedName);
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(pugi::xml_node parent, std::string_view local)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (is(n, local))
            return n;
    }
    return {};
}

std::vector<pugi::xml_node> children(pugi::xml_node parent, std::string_view local)
{
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node n : parent.children()) {
        if (is(n, local))
            out.push_back(n);
    }
    return out;
}

pugi::xml_attribute prefixedAttr(pugi::xml_node node, std::string_view local)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view name(a.name());
        const size_t colon = name.find(':');
        if (colon != std::string_view::npos && name.substr(colon + 1) == local &&
            name.substr(0, colon) != "xmlns")
            return a;
    }
    return {};
}

std::string prefix(pugi::xml_node node)
{
    const std::string_view name(node.name());
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

pugi::xml_node appendChild(pugi::xml_node parent, std::string_view local)
{
    return parent.append_child((prefix(parent) + std::string(local)).c_str());
}

pugi::xml_node insertInOrder(pugi::xml_node parent, std::string_view local, Order order)
{
    auto rank = [&](std::string_view name) -> int {
        int i = 0;
        for (std::string_view o : order) {
            if (o == name)
                return i;
            ++i;
        }
        return -1;
    };
    const int mine = rank(local);
    const std::string name = prefix(parent) + std::string(local);
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        const int theirs = rank(localName(n.name()));
        if (theirs > mine)
            return parent.insert_child_before(name.c_str(), n);
    }
    return parent.append_child(name.c_str());
}

pugi::xml_node ensureChild(pugi::xml_node parent, std::string_view local, Order order)
{
    if (pugi::xml_node existing = child(parent, local))
        return existing;
    return insertInOrder(parent, local, order);
}

std::string prefixForNamespace(pugi::xml_node root, std::initializer_list<const char*> uris,
                               const char* fallback, const char* declareUri)
{
    for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view name(a.name());
        if (name.substr(0, 6) != "xmlns:")
            continue;
        for (const char* uri : uris) {
            if (std::string_view(a.value()) == uri)
                return std::string(name.substr(6)) + ':';
        }
    }
    std::string p = fallback;
    // Pick a prefix that is not bound to something else.
    while (root.attribute(("xmlns:" + p).c_str()))
        p += 'x';
    root.append_attribute(("xmlns:" + p).c_str()) = declareUri;
    return p + ':';
}

void adoptPrefix(pugi::xml_node node, const std::string& prefix)
{
    auto rename = [&](pugi::xml_node n) {
        n.set_name((prefix + std::string(localName(n.name()))).c_str());
    };
    rename(node);
    forEachElement(node, rename);
}

QString text(pugi::xml_attribute a)
{
    return QString::fromUtf8(a.value());
}

QString text(pugi::xml_node n)
{
    return QString::fromUtf8(n.child_value());
}

std::optional<bool> boolValue(pugi::xml_attribute a)
{
    if (!a)
        return std::nullopt;
    const std::string_view v(a.value());
    if (v == "1" || v == "true" || v == "on")
        return true;
    if (v == "0" || v == "false" || v == "off")
        return false;
    return std::nullopt;
}

bool boolValue(pugi::xml_attribute a, bool fallback)
{
    return boolValue(a).value_or(fallback);
}

std::optional<double> doubleValue(const char* s)
{
    std::string_view v(s);
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t' || v.front() == '\n'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\n'))
        v.remove_suffix(1);
    if (!v.empty() && v.front() == '+')
        v.remove_prefix(1);
    double out = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
    if (ec != std::errc() || end != v.data() + v.size() || v.empty() || !std::isfinite(out))
        return std::nullopt;
    return out;
}

std::optional<double> doubleValue(pugi::xml_attribute a)
{
    return a ? doubleValue(a.value()) : std::nullopt;
}

std::optional<int> intValue(pugi::xml_attribute a)
{
    const std::optional<double> d = doubleValue(a);
    if (!d || *d != std::floor(*d) || *d < -2147483648.0 || *d > 2147483647.0)
        return std::nullopt;
    return int(*d);
}

void setAttr(pugi::xml_node node, const char* name, const char* value)
{
    pugi::xml_attribute a = node.attribute(name);
    if (!a)
        a = node.append_attribute(name);
    a.set_value(value);
}

void setAttr(pugi::xml_node node, const char* name, const QString& value)
{
    setAttr(node, name, value.toUtf8().constData());
}

void setAttr(pugi::xml_node node, const char* name, double value)
{
    setAttr(node, name, formatDouble(value).c_str());
}

void setAttr(pugi::xml_node node, const char* name, int value)
{
    setAttr(node, name, std::to_string(value).c_str());
}

void setBoolAttr(pugi::xml_node node, const char* name, bool value)
{
    setAttr(node, name, value ? "1" : "0");
}

void removeAttr(pugi::xml_node node, const char* name)
{
    node.remove_attribute(name);
}

void setText(pugi::xml_node node, const QString& value)
{
    while (node.first_child())
        node.remove_child(node.first_child());
    node.append_child(pugi::node_pcdata).set_value(value.toUtf8().constData());
}

std::string formatDouble(double value)
{
    if (value == 0)
        return "0"; // also for -0
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

QString decodeEscapes(const QString& s)
{
    if (!s.contains(u"_x"))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (escapeAt(s, i)) {
            out.append(QChar(char16_t(s.mid(i + 2, 4).toUShort(nullptr, 16))));
            i += 7;
        } else {
            out.append(s[i]);
            ++i;
        }
    }
    return out;
}

QString encodeEscapes(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        const bool control = c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
        if (control || c == 0xFFFE || c == 0xFFFF)
            out.append(QStringLiteral("_x") +
                       QString::number(c, 16).rightJustified(4, u'0').toUpper() + u'_');
        else if (escapeAt(s, i))
            out.append(
                QStringLiteral("_x005F_")); // the underscore itself; "xHHHH_" follows as it is
        else
            out.append(s[i]);
    }
    return out;
}

} // namespace host::xlsx::xml
