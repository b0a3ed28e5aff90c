#pragma once

// Every wrapper at once, for code that walks the whole object model.
#include "host/xl/application.h"
#include "host/xl/com_addins.h"
#include "host/xl/command_bars.h"
#include "host/xl/object.h"
#include "host/xl/picture.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/text_frame.h"
#include "host/xl/window.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
