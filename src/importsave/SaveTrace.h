#pragma once

#include "import/ParsedStructures.h"

namespace velmora::importsave {

// The lines every save of parsed structures begins with (the heading and the
// seven list sizes) and ends with, whatever it writes in between.
void TraceSaveStart(const import::ParsedStructures& lists, import::ImportObserver& observer);
void TraceSaveDone(import::ImportObserver& observer);

} // namespace velmora::importsave
