#include "host/objects/shape_errors.h"

#include "host/automation/host_error.h"

namespace host::objects {

void raiseOutOfRange()
{
    raise(kInvalidArgument, QStringLiteral("The specified value is out of range."));
}

void raisePictureOnly()
{
    raise(kInvalidArgument,
          QStringLiteral("This member can only be accessed for a picture or OLE object."));
}

void raiseGroupOnly()
{
    raise(kInvalidArgument, QStringLiteral("This member can only be accessed for a group."));
}

void raiseShapeDeleted()
{
    raise(kObjectDeleted, QStringLiteral("Automation error\nThe object has been deleted."));
}

void raiseItemNotFound()
{
    raise(kInvalidArgument, QStringLiteral("The item with the specified name wasn't found."));
}

void raiseIndexOutOfBounds()
{
    raise(kInvalidArgument,
          QStringLiteral("The index into the specified collection is out of bounds."));
}

void raiseMethodFailed(const QString& member, const QString& className)
{
    raise(err::ApplicationDefined,
          member + QStringLiteral(" method of ") + className + QStringLiteral(" class failed"));
}

void raiseCannotSet(const QString& property, const QString& className)
{
    raise(err::ApplicationDefined, QStringLiteral("Unable to set the ") + property +
                                       QStringLiteral(" property of the ") + className +
                                       QStringLiteral(" class"));
}

} // namespace host::objects
