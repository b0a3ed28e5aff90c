// Selecting shapes and copying them to the host's clipboard.
#include "host/objects/shape_selection.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/drawing_object.h"
#include "host/objects/drawing_objects.h"
#include "host/objects/shape_errors.h"
#include "host/objects/shape_members.h"
#include "host/objects/workbook.h"
#include "host/render/clipboard.h"
#include "host/render/copy_paste.h"

#include <algorithm>

namespace host::objects {

ObjectRef drawingSelection(const std::shared_ptr<Worksheet>& sheet)
{
    model::Drawing& drawing = drawingOf(*sheet);
    // Shapes deleted behind the selection's back (a reload, a paste) are not selected.
    std::erase_if(drawing.selection, [&drawing](int id) { return !drawing.find(id); });
    if (drawing.selection.empty())
        return nullptr;
    if (drawing.selection.size() == 1)
        return drawingObject(sheet, drawing.selection.front());
    return std::make_shared<DrawingObjects>(ShapeSet{sheet, drawing.selection});
}

void selectShapes(const ShapeSet& set, bool replace, const QString& className)
{
    Worksheet& sheet = set.worksheet();
    set.shapes();
    if (!sheet.isActive())
        raiseMethodFailed(QStringLiteral("Select"), className);
    std::vector<int>& selection = drawingOf(sheet).selection;
    if (replace)
        selection.clear();
    for (int id : set.ids)
        if (std::find(selection.begin(), selection.end(), id) == selection.end())
            selection.push_back(id);
    sheet.selectionChanged();
}

void copyShapes(const ShapeSet& set)
{
    Worksheet& sheet = set.worksheet();
    set.shapes();
    Application& app = sheet.book().app();
    const bool deferred = app.options().deferPictureWork && app.clipboard().keepsPending();
    render::ClipContent content =
        render::copyOfShapes(sheet.book().model(), sheet.sheet(), set.ids, deferred);
    app.clipboard().put(content);
}

} // namespace host::objects
