#pragma once

#include "host/model/drawing.h"

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <memory>

namespace host::model {

struct PackageState;

// Where a shape of the model came from, so that a shape that did not change is written back
// exactly as it was read. Shared between copies of the model; never changed once made.
struct DrawingSource
{
    enum class Origin
    {
        Drawing,
        Comment
    };
    Origin origin = Origin::Drawing;

    const PackageState* package = nullptr; // the package holding `part`
    QString part; // the drawing part the element belongs to (the comments part for comments)

    // A copy of the element as read (an anchor for top-level shapes, the shape element itself
    // for group members), as the single child of a <wrapper> element carrying the namespace
    // declarations that were in scope in the part.
    std::shared_ptr<const pugi::xml_document> element;

    // Pictures: the relationship the blip embedded, and the key of the bytes it reached (empty
    // when the picture could not be read), so that an unchanged picture keeps its media part.
    QString embedId;
    QByteArray mediaKey;

    // The same source for the part's copy in another place (a copied sheet's drawing part).
    std::shared_ptr<const DrawingSource> rebound(const PackageState* package,
                                                 const QString& part) const
    {
        auto copy = std::make_shared<DrawingSource>(*this);
        copy->package = package;
        copy->part = part;
        return copy;
    }

    pugi::xml_node node() const
    {
        return element ? element->document_element().first_child() : pugi::xml_node();
    }
};

} // namespace host::model
