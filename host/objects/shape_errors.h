#pragma once

#include <QString>

// The errors the host's shape objects raise. Values a shape refuses and members a kind of
// shape lacks are the drawing layer's "invalid argument" errors; refusals of a sheet and of the
// older drawing-object classes are the host's 1004 with the member named.
namespace host::objects {

inline constexpr int kInvalidArgument = -2147024809; // E_INVALIDARG
inline constexpr int kObjectDeleted = -2147221080;   // CO_E_OBJNOTCONNECTED
inline constexpr int kPermissionDenied = 70;

[[noreturn]] void raiseOutOfRange();   // "The specified value is out of range."
[[noreturn]] void raisePictureOnly();  // a picture member asked of another kind
[[noreturn]] void raiseGroupOnly();    // GroupItems, Ungroup of a shape that is no group
[[noreturn]] void raiseShapeDeleted(); // a reference whose shape was deleted
[[noreturn]] void raiseItemNotFound(); // no shape of that name
[[noreturn]] void raiseIndexOutOfBounds();
// 1004 "<Member> method of <Class> class failed".
[[noreturn]] void raiseMethodFailed(const QString& member, const QString& className);
// 1004 "Unable to set the <Property> property of the <Class> class".
[[noreturn]] void raiseCannotSet(const QString& property, const QString& className);

} // namespace host::objects
